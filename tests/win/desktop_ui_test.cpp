// The desktop on the real windows: the program closed with documents open and
// started again with the same registry.
#include <windows.h>

#include <string>

#include "command_table.h"
#include "desktop_stream.h"
#include "editor_ui_fixture.h"
#include "prompts.h"
#include "storage.h"

namespace quillon {
namespace {

class DesktopUi : public EditorUi {
protected:
    // The exit of the program: the exit routine, then the close of the main window.
    void Exit() {
        form->SaveState();
        SendMessageW(frame, WM_CLOSE, 0, 0);
        test::PumpMessages();
    }
    // The next start: a new main window over the same registry, idle after its first activation.
    void Start() {
        SharedDocumentState() = DocumentState{};
        form = THtmlScrivoForm::Create(GetModuleHandleW(nullptr), {SW_SHOWNORMAL, &registry});
        ASSERT_TRUE(form);
        frame = form->Frame();
        SetActiveWindow(frame);
        test::PumpMessages();
    }
    std::vector<std::wstring> Names() {
        std::vector<std::wstring> names;
        for (int n = 0; n < form->Windows().Count(); ++n)
            names.push_back(TEditForm::FromWindow(static_cast<HWND>(const_cast<void*>(form->Windows().At(n))))->FileName());
        return names;
    }
};

TEST_F(DesktopUi, ThreeFilesComeBackInOrderWithTheSecondActiveAndTheirSettings) {
    const std::wstring a = Put(L"a.txt", "aaaa\r\nline two\r\n"), b = Put(L"b.html", "<p>b</p>"), c = Put(L"c.css", "c {}");
    form->Files().OpenNamedFiles({a, b, c});
    form->Files().NewDocument(L".html");  // untitled: left out
    SendMessageW(form->DocumentArea(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(form->Documents().back()->Handle()), 0);
    for (TEditForm* document : form->Documents())
        if (document->FileName() == b) {
            SendMessageW(form->DocumentArea(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(document->Handle()), 0);
            document->Editor().SetSelStart(3);
            document->ToggleReadOnly();
        }
    test::PumpMessages();
    ASSERT_EQ(Active()->FileName(), b);
    ASSERT_TRUE(IsZoomed(Active()->Handle()));
    Exit();
    ASSERT_FALSE(IsWindow(frame));
    const auto stored = ParseDesktop(*storage::LoadDesktop(registry));
    ASSERT_EQ(stored.size(), 3u) << "the untitled document is left out";
    for (const auto& record : stored) EXPECT_EQ(record.state, 0) << "the maximized window stored normal";
    EXPECT_EQ(storage::LoadDocumentState(registry), 2);

    Start();
    EXPECT_EQ(Names(), (std::vector<std::wstring>{a, b, c}));
    ASSERT_TRUE(Active());
    EXPECT_EQ(Active()->FileName(), b);
    EXPECT_TRUE(IsZoomed(Active()->Handle())) << "maximized again through Window State";
    EXPECT_TRUE(Active()->Editor().ReadOnly());
    EXPECT_EQ(Active()->Editor().SelStart(), 3);
    EXPECT_FALSE(Active()->Editor().Modified());
    EXPECT_TRUE(Enabled(L"SaveAsItem")) << "the commands follow the documents";
}

TEST_F(DesktopUi, UtfDocumentsComeBackInTheirCodingFromTheDesktopAndTheRecentFiles) {
    ScriptedPrompts script;
    // Plain ASCII kept as UTF-8 by the user: only the stored coding says so.
    const std::wstring ascii = Put(L"ascii.txt", "plain\r\n");
    const std::wstring wide = Put(L"wide.txt", std::string("\xFF\xFE" "a\0", 4));
    form->Files().OpenNamedFiles({ascii, wide});
    test::PumpMessages();
    for (TEditForm* document : form->Documents())
        if (document->FileName() == ascii) {
            SendMessageW(form->DocumentArea(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(document->Handle()), 0);
            test::PumpMessages();
            Command(kCmdUtf8);
            Command(kCmdSave);
        }
    ASSERT_EQ(*ReadWholeFile(ascii, nullptr), "plain\r\n");
    Exit();
    const auto stored = ParseDesktop(*storage::LoadDesktop(registry));
    ASSERT_EQ(stored.size(), 2u);
    for (const auto& record : stored) EXPECT_EQ(record.coding, record.fileName.find("ascii") != std::string::npos ? 2 : 4);

    Start();
    ASSERT_EQ(form->Documents().size(), 2u);
    for (TEditForm* document : form->Documents()) {
        EXPECT_EQ(StoredCoding(document->Coding()), document->FileName() == ascii ? 2u : 4u);
        EXPECT_FALSE(document->Editor().Modified());
    }
    // Closed, the recent entry keeps the coding and reopens the document in it.
    for (TEditForm* document : form->Documents())
        if (document->FileName() == ascii) SendMessageW(document->Handle(), WM_CLOSE, 0, 0);
    test::PumpMessages();
    ASSERT_EQ(form->Recent()[0].FileName, ascii);
    EXPECT_EQ(form->Recent()[0].Coding, 2u);
    form->Files().MRUFileItemClick(0);
    test::PumpMessages();
    ASSERT_TRUE(Active());
    EXPECT_EQ(Active()->Coding(), TextCoding::Utf8);
    EXPECT_EQ(form->PanelText(3), L"Текст UTF-8");
    EXPECT_FALSE(Active()->Editor().Modified());
    EXPECT_EQ(script.SeenIds(), std::vector<int>{});
}

TEST_F(DesktopUi, AMinimizedWindowKeepsItsNormalBoundsAndAMissingFileIsReported) {
    const std::wstring a = Put(L"a.txt", "a"), gone = Put(L"gone.txt", "g"), c = Put(L"c.txt", "c");
    form->Files().OpenNamedFiles({a, gone, c});
    SendMessageW(form->DocumentArea(), WM_MDIRESTORE, reinterpret_cast<WPARAM>(Active()->Handle()), 0);
    TEditForm* first = form->Documents().back();
    for (TEditForm* document : form->Documents())
        if (document->FileName() == a) first = document;
    MoveWindow(first->Handle(), 30, 40, 300, 200, TRUE);
    SendMessageW(first->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    test::PumpMessages();
    Exit();
    DeleteFileW(gone.c_str());
    ScriptedPrompts script;
    Start();
    EXPECT_EQ(script.SeenIds(), std::vector<int>{113});
    EXPECT_EQ(Names(), (std::vector<std::wstring>{a, c}));
    HWND restored = static_cast<HWND>(const_cast<void*>(form->Windows().At(0)));
    EXPECT_TRUE(IsIconic(restored));
    WINDOWPLACEMENT placement{sizeof placement};
    GetWindowPlacement(restored, &placement);
    EXPECT_EQ(placement.rcNormalPosition.left, 30);
    EXPECT_EQ(placement.rcNormalPosition.top, 40);
    EXPECT_EQ(placement.rcNormalPosition.right - placement.rcNormalPosition.left, 300);
}

TEST_F(DesktopUi, NoDocumentsStoreTheEmptyStreamAndACancelledQuestionKeepsThePreviousDesktop) {
    Exit();
    EXPECT_EQ(storage::LoadDesktop(registry), std::string(4, '\0'));
    Start();
    EXPECT_TRUE(form->Documents().empty());

    // A desktop of one file, then an exit that the user cancels: the value stays.
    const std::wstring a = Put(L"a.txt", "a");
    form->Files().OpenNamedFiles({a});
    Exit();
    const auto previous = storage::LoadDesktop(registry);
    Start();
    ASSERT_EQ(form->Documents().size(), 1u);
    form->Files().NewDocument(L".txt");
    Active()->Editor().ReplaceSel(L"unsaved");
    ScriptedPrompts script({PromptAnswer::Cancel});
    form->SaveState();
    SendMessageW(frame, WM_CLOSE, 0, 0);
    test::PumpMessages();
    EXPECT_TRUE(IsWindow(frame)) << "the program goes on";
    EXPECT_EQ(storage::LoadDesktop(registry), previous);
    EXPECT_FALSE(SharedDocumentState().Closing);
}

}  // namespace
}  // namespace quillon
