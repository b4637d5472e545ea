// The whole command table on the real main window: every key of the menu
// reaches its item through the accelerators, and every command number sent
// through the dispatcher does what its row says, or nothing while disabled.
#include <windows.h>

#include <functional>
#include <string>

#include "command_table.h"
#include "editor_ui_fixture.h"
#include "key_chord.h"
#include "prompts.h"
#include "win32_clipboard.h"

namespace quillon {
namespace {

class CommandTableUi : public EditorUi {
public:
    // For the table's rows.
    using EditorUi::Active;
    using EditorUi::Checked;
    using EditorUi::form;
    using EditorUi::frame;
};


TEST_F(CommandTableUi, EveryKeyOfTheMenuReachesItsItem) {
    const int count = CopyAcceleratorTableW(form->Accelerators(), nullptr, 0);
    std::vector<ACCEL> keys(static_cast<size_t>(count));
    CopyAcceleratorTableW(form->Accelerators(), keys.data(), count);
    int withKeys = 0;
    for (const MenuEntry& entry : MenuEntries()) {
        if (entry.key.empty()) continue;
        ++withKeys;
        KeyChord chord;
        ASSERT_TRUE(ParseKey(entry.key, chord)) << std::string(entry.name.begin(), entry.name.end());
        const BYTE modifiers = FVIRTKEY | (chord.ctrl ? FCONTROL : 0) | (chord.shift ? FSHIFT : 0) | (chord.alt ? FALT : 0);
        bool found = false;
        for (const ACCEL& key : keys)
            if (key.key == chord.virtualKey && (key.fVirt & ~FNOINVERT) == modifiers) {
                found = true;
                // A key given twice in the form works for the first item only.
                const int row = form->RowOfItem(key.cmd);
                ASSERT_GE(row, 0);
                if (entry.name != L"SubscriptItem") {
                    EXPECT_EQ(MenuEntries()[static_cast<size_t>(row)].name, entry.name)
                        << std::string(entry.name.begin(), entry.name.end());
                }
                break;
            }
        EXPECT_TRUE(found) << std::string(entry.name.begin(), entry.name.end());
    }
    EXPECT_GT(withKeys, 30);
}

// One row per command: what to prepare, and what must hold after the
// command went through the dispatcher.
struct CommandCase {
    const char* what;
    int command;
    std::function<void(CommandTableUi&)> prepare;
    std::function<bool(CommandTableUi&)> effect;
};

TEST_F(CommandTableUi, EveryCommandNumberDoesWhatItsRowSays) {
    const std::wstring page = Put(L"page.html", "<p>abc</p>");
    const std::wstring notes = Put(L"notes.txt", "line\r\n");
    auto text = [](CommandTableUi& t) { return t.Active()->Editor().Text(); };
    auto select = [](int start, int length) {
        return [=](CommandTableUi& t) { t.Active()->Editor().Select(start, length); };
    };
    auto nothing = [](CommandTableUi&) {};
    bool wrapBefore = false;
    HWND activeBefore = nullptr;
    const std::vector<CommandCase> cases = {
        {"bold around the selection", 0, select(3, 3),
         [&](CommandTableUi& t) { return text(t) == L"<p><b>abc</b></p>" && t.Active()->Editor().SelText() == L"abc"; }},
        {"undo", kCmdUndo, nothing, [&](CommandTableUi& t) { return text(t) == L"<p>abc</p>"; }},
        {"redo leaves the clipboard alone", kCmdRedo,
         [](CommandTableUi& t) { test::PutOnClipboard(t.frame, L"kept"); },
         [&](CommandTableUi& t) { return text(t) == L"<p><b>abc</b></p>" && ClipboardText() == L"kept"; }},
        {"select all", kCmdSelectAll, nothing,
         [](CommandTableUi& t) { return t.Active()->Editor().SelLength() == t.Active()->Editor().TextLength(); }},
        {"copy", kCmdCopy, select(6, 3), [](CommandTableUi&) { return ClipboardText() == L"abc"; }},
        {"cut", kCmdCut, select(6, 3),
         [&](CommandTableUi& t) { return text(t) == L"<p><b></b></p>" && ClipboardText() == L"abc"; }},
        {"paste", kCmdPaste, nothing, [&](CommandTableUi& t) { return text(t) == L"<p><b>abc</b></p>"; }},
        {"delete", kCmdDelete, select(0, 3), [&](CommandTableUi& t) { return text(t) == L"<b>abc</b></p>"; }},
        {"indent", kCmdIndent, select(0, 3), [&](CommandTableUi& t) { return text(t) == L" <b>abc</b></p>"; }},
        {"unindent", kCmdUnindent, select(0, 4), [&](CommandTableUi& t) { return text(t) == L"<b>abc</b></p>"; }},
        {"save", kCmdSave, nothing, [](CommandTableUi& t) { return !t.Active()->Editor().Modified(); }},
        {"read-only", kCmdReadOnly, nothing, [](CommandTableUi& t) { return t.Checked(L"ReadOnlyItem"); }},
        {"read-only off", kCmdReadOnly, nothing, [](CommandTableUi& t) { return !t.Checked(L"ReadOnlyItem"); }},
        {"full names", kCmdFullNames, nothing,
         [](CommandTableUi& t) { return Caption(t.Active()->Handle()).find(L"quillon-ui") != std::wstring::npos; }},
        {"short names", kCmdFullNames, nothing, [](CommandTableUi& t) { return Caption(t.Active()->Handle()) == L"page.html"; }},
        {"word wrap", kCmdWordWrap, [&](CommandTableUi& t) { wrapBefore = t.Active()->Editor().WordWrap(); },
         [&](CommandTableUi& t) {
             return t.Active()->Editor().WordWrap() != wrapBefore && t.Checked(L"WordWrapItem") == !wrapBefore;
         }},
        {"autoindent", kCmdAutoindent, nothing, [](CommandTableUi& t) { return !t.Checked(L"AutoindentItem"); }},
        {"smart tab", kCmdSmartTab, nothing, [](CommandTableUi& t) { return !t.Checked(L"SmartTabItem"); }},
        {"word selection", kCmdWordSelect, nothing, [](CommandTableUi& t) { return t.Checked(L"WordSelectItem"); }},
        {"backups", kCmdBackups, nothing, [](CommandTableUi& t) { return !t.Checked(L"BackupsItem"); }},
        {"new", kCmdNew, nothing, [](CommandTableUi& t) { return t.form->Documents().size() == 3; }},
        {"next window", kCmdNextWindow, [&](CommandTableUi& t) { activeBefore = t.Active()->Handle(); },
         [&](CommandTableUi& t) { return t.Active() && t.Active()->Handle() != activeBefore; }},
        {"an unknown number does nothing", 999, nothing, [](CommandTableUi& t) { return t.form->Documents().size() == 3; }},
    };
    form->Files().OpenNamedFiles({notes, page});
    test::PumpMessages();
    for (const CommandCase& c : cases) {
        c.prepare(*this);
        test::PumpMessages();
        Command(c.command);
        EXPECT_TRUE(c.effect(*this)) << c.what;
    }
    EXPECT_FALSE(Enabled(L"HTMLExtensionItem")) << "disabled in the form, never enabled";

    // Plain text: the Format menu and toolbar are off, Bold does nothing.
    for (TEditForm* document : form->Documents())
        if (document->FileName() == notes)
            SendMessageW(form->DocumentArea(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(document->Handle()), 0);
    test::PumpMessages();
    ASSERT_EQ(Active()->FileName(), notes);
    EXPECT_FALSE(Enabled(L"BoldItem"));
    EXPECT_FALSE(form->Bar().IsEnabled(L"BoldBtn"));

    // DOS text answered No changes nothing.
    const std::wstring before = Active()->Editor().Text();
    {
        ScriptedPrompts script({PromptAnswer::No});
        Command(kCmdCoding);
        EXPECT_EQ(script.SeenIds(), std::vector<int>{149});
    }
    EXPECT_EQ(Active()->Editor().Text(), before);
    EXPECT_FALSE(Checked(L"CodingItem"));
}

TEST_F(CommandTableUi, WithoutDocumentsTheDocumentCommandsAreOffAndDoNothing) {
    for (const wchar_t* item : {L"SaveItem", L"SaveAsItem", L"SaveAllItem", L"UndoItem", L"RedoItem", L"PasteItem",
                                L"ReplaceItem", L"FindItem", L"GoToItem", L"ShowInBrowser", L"BoldItem", L"CascadeItem"})
        EXPECT_FALSE(Enabled(item)) << std::string(item, item + wcslen(item));
    for (int command : std::initializer_list<int>{0, kCmdSave, kCmdUndo, kCmdPaste, kCmdFind, kCmdGoTo, kCmdWordWrap, kCmdCascade, kCmdNextWindow})
        Command(command);
    EXPECT_TRUE(form->Documents().empty());
}

}  // namespace
}  // namespace quillon
