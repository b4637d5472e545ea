#include <gtest/gtest.h>

#include <map>
#include <string>

#include "command_table.h"
#include "key_chord.h"
#include "common.h"

namespace quillon {
namespace {

// The main window's components as a map: what the routines left enabled, checked, shown.
class FakeComponents : public MainComponents {
public:
    void SetEnabled(std::wstring_view name, bool enabled) override { enabled_[std::wstring(name)] = enabled; }
    void SetChecked(std::wstring_view name, bool checked) override { checked_[std::wstring(name)] = checked; }
    void SetPanelText(int panel, std::wstring_view text) override { panels[panel] = text; }
    void SetFormattingEnabled(bool enabled) override { formatting = enabled; }
    void SetWindowMenuEnabled(bool enabled) override { windowMenu = enabled; }
    void SetWindowToolBarEnabled(bool enabled) override { windowToolBar = enabled; }
    void CompactStatusBar() override {}
    void RestoreStatusBar() override {}

    // Untouched components read as enabled, as in the form.
    bool Enabled(const std::wstring& name) const {
        auto it = enabled_.find(name);
        return it == enabled_.end() || it->second;
    }
    bool Touched(const std::wstring& name) const { return enabled_.count(name) > 0; }
    bool Checked(const std::wstring& name) const {
        auto it = checked_.find(name);
        return it != checked_.end() && it->second;
    }
    std::wstring panels[6];
    bool formatting = true, windowMenu = true, windowToolBar = true;

private:
    std::map<std::wstring, bool> enabled_, checked_;
};

StatusTexts Texts() {
    StatusTexts texts{L"Изменен", L"Вставка", L"Замена", L"Только чтение", L"Текст DOS", L"Текст Windows",
                      L"Ст %s\t\tКол %-8d"};
    texts.utf8Text = L"Текст UTF-8";
    texts.utf16Text = L"Текст UTF-16";
    return texts;
}

class CommandStatesTest : public ::testing::Test {
protected:
    FakeComponents components;
    DocumentState state;
    CommandStates states{components, Texts(), state};
};

TEST_F(CommandStatesTest, ReadOnlyDocumentCopiesButNeverCuts) {
    state.OpenDocumentCount = 1;
    state.ActiveReadOnly = true;
    states.SelectionState(true);
    EXPECT_TRUE(components.Enabled(L"CopyItem"));
    EXPECT_TRUE(components.Enabled(L"CopyBtn"));
    for (const auto* name : {L"CutItem", L"CutBtn", L"DeleteItem", L"IndentItem", L"UnindentItem", L"CaseItem"})
        EXPECT_FALSE(components.Enabled(name)) << name;
    states.UndoState(true);
    states.PasteState(true);
    EXPECT_FALSE(components.Enabled(L"UndoItem"));
    EXPECT_FALSE(components.Enabled(L"PasteItem"));

    state.ActiveReadOnly = false;
    states.SelectionState(true);
    states.PasteState(true);
    EXPECT_TRUE(components.Enabled(L"CutItem"));
    EXPECT_TRUE(components.Enabled(L"PasteItem"));
    states.SelectionState(false);
    EXPECT_FALSE(components.Enabled(L"CopyItem"));
}

TEST_F(CommandStatesTest, CodingShowsInPanelThreeAndTheTwoItems) {
    state.OpenDocumentCount = 1;
    struct Case {
        TextCoding coding;
        const wchar_t* panel;
        bool dosChecked, dosEnabled, utf8Checked;
    } cases[] = {
        {TextCoding::Windows, L"Текст Windows", false, true, false},
        {TextCoding::Dos, L"Текст DOS", true, true, false},
        {TextCoding::Utf8, L"Текст UTF-8", false, false, true},
        {TextCoding::Utf8Bom, L"Текст UTF-8", false, false, true},
        {TextCoding::Utf16, L"Текст UTF-16", false, false, false},
    };
    for (const Case& c : cases) {
        states.ShowCoding(c.coding);
        EXPECT_EQ(components.panels[3], c.panel);
        EXPECT_EQ(components.Checked(L"CodingItem"), c.dosChecked) << components.panels[3];
        EXPECT_EQ(components.Enabled(L"CodingItem"), c.dosEnabled) << components.panels[3];
        EXPECT_EQ(components.Checked(L"Utf8Item"), c.utf8Checked) << components.panels[3];
        // Windows appearing again leave the DOS item as the active coding has it.
        states.DocumentsPresent(true);
        EXPECT_EQ(components.Enabled(L"CodingItem"), c.dosEnabled) << components.panels[3];
        EXPECT_TRUE(components.Enabled(L"Utf8Item"));
    }
    state.OpenDocumentCount = 0;
    states.DocumentsPresent(false);
    EXPECT_FALSE(components.Checked(L"Utf8Item"));
    EXPECT_FALSE(components.Enabled(L"Utf8Item"));
}

TEST_F(CommandStatesTest, ClosingTheLastDocumentEmptiesPanelsAndDisablesDocumentCommands) {
    state.OpenDocumentCount = 1;
    states.SelectionState(true);
    states.ShowCaret(4, 999);
    states.ModifiedState(true);
    states.ShowInsertMode(true);
    states.ShowCoding(TextCoding::Dos);
    states.ShowReadOnly(false);
    EXPECT_EQ(components.panels[0], L"Ст 1 000\t\tКол 5       ");
    EXPECT_EQ(components.panels[1], L"Изменен");
    EXPECT_EQ(components.panels[3], L"Текст DOS");
    EXPECT_TRUE(components.Checked(L"CodingItem"));

    state.OpenDocumentCount = 0;
    states.DocumentsPresent(false);
    for (const auto& panel : components.panels) EXPECT_EQ(panel, L"");
    // With no document every document command is off, Cut, Copy and Delete
    // too, whatever the last document had selected.
    for (const auto* name : {L"SaveItem", L"SaveAsItem", L"SaveAllItem", L"PrintItem", L"UndoItem", L"RedoItem",
                             L"CutItem", L"CopyItem", L"DeleteItem", L"CutBtn", L"CopyBtn", L"DeleteBtn",
                             L"PasteItem", L"ReplaceItem", L"FindItem", L"GoToItem", L"FindNextBtn",
                             L"ShowInBrowser", L"ReadOnlyItem", L"SelectAllItem", L"IndentItem", L"CaseItem"})
        EXPECT_FALSE(components.Enabled(name)) << name;
    EXPECT_FALSE(components.windowMenu);
    EXPECT_FALSE(components.windowToolBar);
    EXPECT_FALSE(components.formatting);
    EXPECT_FALSE(components.Checked(L"CodingItem"));
    EXPECT_FALSE(components.Checked(L"ReadOnlyItem"));
}

TEST_F(CommandStatesTest, DocumentsPresentLeavesTheFirstEditCommandsToTheirGroups) {
    state.OpenDocumentCount = 1;
    states.DocumentsPresent(true);
    for (const auto& entry : MenuEntries()) {
        if (entry.menu != TopMenu::Edit) continue;
        // The ones before, up to Redo, follow the selection, clipboard and undo.
        if (entry.command > kCmdRedo) EXPECT_TRUE(components.Touched(std::wstring(entry.name))) << std::wstring(entry.name);
        else EXPECT_FALSE(components.Touched(std::wstring(entry.name))) << std::wstring(entry.name);
    }
    EXPECT_TRUE(components.windowMenu);
    EXPECT_TRUE(components.Enabled(L"ReadOnlyItem"));

    state.ActiveFileReadOnly = true;
    state.ActiveReadOnly = true;
    states.DocumentsPresent(true);
    EXPECT_FALSE(components.Enabled(L"ReadOnlyItem"));
    EXPECT_FALSE(components.Enabled(L"ReplaceItem"));
}

TEST_F(CommandStatesTest, ClosingFlagSilencesOnlyTheFirstGroup) {
    state.OpenDocumentCount = 1;
    state.Closing = true;
    states.ModifiedState(true);
    states.SelectionState(false);
    states.DocumentsPresent(false);
    EXPECT_EQ(components.panels[1], L"");
    EXPECT_FALSE(components.Touched(L"CopyItem"));
    EXPECT_FALSE(components.Touched(L"SaveAsItem"));
    states.BrowseState(false);
    states.ShowInsertMode(false);
    EXPECT_FALSE(components.Enabled(L"ShowInBrowser"));
    EXPECT_EQ(components.panels[2], L"Замена");
}

TEST(CommandTable, KeysParseAndNumbersAreUnique) {
    // Unique per handler: the hidden window items' tags 0-9 go to the window selection.
    std::map<std::pair<Handler, int>, std::wstring> seen;
    std::map<std::wstring, std::wstring> keys;
    for (const auto& entry : MenuEntries()) {
        if (entry.command != kNoCommand) {
            EXPECT_TRUE(seen.emplace(std::pair(entry.handler, entry.command), std::wstring(entry.name)).second)
                << std::wstring(entry.name);
        }
        if (!entry.key.empty()) {
            KeyChord chord;
            EXPECT_TRUE(ParseKey(entry.key, chord)) << std::wstring(entry.name);
            EXPECT_TRUE(keys.emplace(std::wstring(entry.key), std::wstring(entry.name)).second)
                << std::wstring(entry.key) << " twice";
        }
    }
    KeyChord chord;
    ASSERT_TRUE(ParseKey(L"Ctrl+Shift+Z", chord));
    EXPECT_TRUE(chord.ctrl && chord.shift && !chord.alt);
    EXPECT_EQ(chord.virtualKey, 'Z');
    ASSERT_TRUE(ParseKey(L"F12", chord));
    EXPECT_EQ(chord.virtualKey, 0x7B);
    EXPECT_FALSE(ParseKey(L"Hyper+X", chord));
    EXPECT_FALSE(ParseKey(L"F13", chord));
    EXPECT_FALSE(ParseKey(L"", chord));
}

}  // namespace
}  // namespace quillon
