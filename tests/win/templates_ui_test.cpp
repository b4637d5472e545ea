// Templates in the main window: the menus of a first start, new documents from
// built-in and file templates, and the program without Template.dll.
#include <windows.h>

#include <string>

#include "codepage.h"
#include "editor_ui_fixture.h"
#include "command_table.h"
#include "prompts.h"
#include "storage.h"
#include "win_test_support.h"

namespace quillon {
namespace {

class TemplatesUi : public EditorUi {
protected:
    std::wstring ItemText(HMENU menu, int position) {
        wchar_t text[256] = {};
        GetMenuStringW(menu, static_cast<UINT>(position), text, 256, MF_BYPOSITION);
        return text;
    }
    void Recreate() {
        DestroyWindow(frame);
        test::PumpMessages();
        SharedDocumentState() = DocumentState{};
        form = THtmlScrivoForm::Create(GetModuleHandleW(nullptr), {SW_SHOWNORMAL, &registry});
        frame = form ? form->Frame() : nullptr;
        test::PumpMessages();
    }
};

TEST_F(TemplatesUi, FirstStartListsTheBuiltInsAndTheButtonLoadsTheDefault) {
    HMENU menu = GetSubMenu(form->Menu(), 0);
    HMENU templates = nullptr;
    for (int i = 0; i < GetMenuItemCount(menu) && !templates; ++i)
        if (ItemText(menu, i) == L"Загрузить &шаблон") templates = GetSubMenu(menu, i);
    ASSERT_TRUE(templates);
    ASSERT_EQ(GetMenuItemCount(templates), 13);
    EXPECT_EQ(ItemText(templates, 0), L"HTML 4.0 Strict DTD\tCtrl+L");
    EXPECT_EQ(ItemText(templates, 3), L"Документ XML");
    EXPECT_EQ(GetMenuDefaultItem(templates, TRUE, 0), 0u);
    EXPECT_EQ(form->Bar().TagOf(L"LoadTemplateBtn"), 0);
    EXPECT_EQ(form->HintOf(kFirstTemplateId + 12), L"Загрузить шаблон заголовка C++");

    HWND bar = form->Bar().ToolbarWindow(Toolbar::File);
    SendMessageW(frame, WM_COMMAND,
                 MAKEWPARAM(kFirstButtonId + (FindButton(L"LoadTemplateBtn") - ToolButtonRows().data()), BN_CLICKED),
                 reinterpret_cast<LPARAM>(bar));
    test::PumpMessages();
    ASSERT_TRUE(Active());
    EXPECT_TRUE(Active()->FileName().ends_with(L".html"));
    EXPECT_TRUE(Active()->Editor().Text().starts_with(L"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0//EN\""));
    EXPECT_FALSE(Active()->Editor().Modified());

    SendMessageW(frame, WM_COMMAND, MAKEWPARAM(kFirstTemplateId + 3, 0), 0);
    test::PumpMessages();
    EXPECT_TRUE(Active()->FileName().ends_with(L".xml"));
    EXPECT_EQ(Active()->Editor().Text(), L"<?xml version=\"1.0\" encoding=\"windows-1251\" ?>") << "one line, no break";
}

TEST_F(TemplatesUi, FileTemplatesLoadTheirFileOrSay112) {
    const std::wstring path = Put(L"mine.HTM", "<p>mine</p>");
    CTemplateItemInterface* entry = form->Templates().Add();
    const std::string name = TextToBytes(path, CodePage::Win1251);
    entry->SetFileName(name.c_str());
    entry->SetTitle("Mine");
    const std::int32_t index = form->Templates().GetCount() - 1;
    form->LoadTemplate(index);
    test::PumpMessages();
    ASSERT_TRUE(Active());
    EXPECT_TRUE(Active()->FileName().ends_with(L".html"));
    EXPECT_EQ(Active()->Editor().Text(), L"<p>mine</p>");
    EXPECT_EQ(Active()->Coding(), TextCoding::Windows);

    // A template that declares UTF-8 makes a UTF-8 document, its text decoded.
    {
        const std::string page = "<meta charset=\"utf-8\">\xd0\xb4\xd0\xb0";
        ASSERT_TRUE(WriteFileSafely(path, page).ok);
        form->LoadTemplate(index);
        test::PumpMessages();
        EXPECT_EQ(Active()->Editor().Text(), L"<meta charset=\"utf-8\">да");
        EXPECT_EQ(Active()->Coding(), TextCoding::Utf8);
        EXPECT_EQ(form->PanelText(3), L"Текст UTF-8");
        EXPECT_FALSE(Active()->Editor().Modified());
    }

    DeleteFileW(path.c_str());
    const size_t before = form->Documents().size();
    ScriptedPrompts script;
    form->LoadTemplate(index);
    test::PumpMessages();
    EXPECT_EQ(script.SeenIds(), std::vector<int>{112});
    EXPECT_EQ(form->Documents().size(), before) << "no window for a vanished file";
}

TEST_F(TemplatesUi, WithoutTheLibraryTheUserChoosesToGoOnOrToStop) {
    const std::wstring library = test::ModuleFolder() + L"Template.dll", away = library + L".away";
    ASSERT_TRUE(MoveFileExW(library.c_str(), away.c_str(), MOVEFILE_REPLACE_EXISTING));
    {
        ScriptedPrompts script({PromptAnswer::Yes});
        Recreate();
        EXPECT_EQ(script.SeenIds(), std::vector<int>{161});
    }
    ASSERT_TRUE(form);
    EXPECT_EQ(form->Templates().GetCount(), 0);
    {
        ScriptedPrompts script({PromptAnswer::No});
        Recreate();
        EXPECT_EQ(script.SeenIds(), std::vector<int>{161});
    }
    MoveFileExW(away.c_str(), library.c_str(), MOVEFILE_REPLACE_EXISTING);
    EXPECT_FALSE(form) << "No ends the program";
    if (!form) Recreate();
    ASSERT_TRUE(form);
    EXPECT_EQ(form->Templates().GetCount(), 13);
}

// Tools > template editor without Stencil.dll: 163, and the list is still
// stored and the menus rebuilt from it.
TEST_F(TemplatesUi, TemplateEditorMissingSays163AndStillStoresTheList) {
    form->Templates().Item(0)->Visible = false;
    {
        ScriptedPrompts script;
        Command(kCmdTemplateEditor);
        EXPECT_EQ(script.SeenIds(), std::vector<int>{163});
    }
    const auto stored = storage::LoadTemplateValue(registry);
    ASSERT_TRUE(stored);
    EXPECT_EQ(*stored, form->Templates().Write());
    HMENU menu = GetSubMenu(form->Menu(), 0);
    HMENU templates = nullptr;
    for (int i = 0; i < GetMenuItemCount(menu) && !templates; ++i)
        if (ItemText(menu, i) == L"Загрузить &шаблон") templates = GetSubMenu(menu, i);
    ASSERT_TRUE(templates);
    EXPECT_EQ(GetMenuItemCount(templates), 12) << "the hidden default left the menus";
    EXPECT_EQ(GetMenuItemID(templates, 0), kFirstTemplateId + 1) << "an entry keeps its index as its id";
}

}  // namespace
}  // namespace quillon
