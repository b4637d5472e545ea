// The template list in the main window: read at start-up with the library's
// directory, the two template menus, and new documents from templates.
#include <windows.h>

#include "codepage.h"
#include "edit_form.h"
#include "main_form.h"
#include "prompts.h"
#include "typed_stream.h"
#include "win32_files.h"
#include "win32_guards.h"

namespace quillon {

namespace {

constexpr int kStrTemplateMissing = 111;
constexpr int kStrTemplateFileMissing = 112;
constexpr int kStrTemplatesReadFailed = 131;
constexpr int kStrNoTemplateLibrary = 161;
constexpr int kStrNoTemplateDirectory = 162;
constexpr int kStrNoStencil = 163;
constexpr int kEditTemplatesOrdinal = 1;
using EditTemplatesFn = void(__stdcall*)(HWND owner, CTemplateListInterface* list);

std::wstring TemplateLibraryPath() { return ProgramFolderFile(L"Template.dll"); }

std::string StringBytes(HMODULE library, int id) {
    wchar_t text[1024] = {};
    LoadStringW(library, static_cast<UINT>(id), text, 1024);
    return TextToBytes(text, CodePage::Win1251);
}

bool AskToGoOn(int message, HWND owner) {
    return ShowPrompt({message, {}, L"", PromptIcon::Warning, PromptButtons::YesNo, 0, owner}) == PromptAnswer::Yes;
}

}  // namespace

bool THtmlScrivoForm::LoadTemplates() {
    std::optional<std::vector<TemplateRecord>> directory;
    {
        Library library = Library::AsData(TemplateLibraryPath().c_str());
        if (!library) {
            if (!AskToGoOn(kStrNoTemplateLibrary, frame_)) return false;
        } else if (auto bytes = RcData(library.Handle(), 1); !bytes || !(directory = ParseTemplateDirectory(*bytes))) {
            if (!AskToGoOn(kStrNoTemplateDirectory, frame_)) return false;
        } else {
            for (TemplateRecord& record : *directory) {
                record.title = StringBytes(library.Handle(), record.titleId);
                record.description = StringBytes(library.Handle(), record.descriptionId);
            }
        }
    }
    const auto stored = storage::LoadTemplateValue(registry_);
    templates_.Clear();
    try {
        templates_.Read(stored && !stored->empty() ? &*stored : nullptr, directory ? &*directory : nullptr);
    } catch (const StreamError&) {
        ShowPrompt({kStrTemplatesReadFailed, {}, L"", PromptIcon::Information, PromptButtons::Ok, 0, frame_});
    }
    if (templates_.GetCount() == 0) {
        templates_.DefaultIndex = 0;
        templates_.Read(nullptr, directory ? &*directory : nullptr);
    }
    BuildTemplateMenus();
    return true;
}

void THtmlScrivoForm::BuildTemplateMenus() {
    HMENU menus[] = {menuBar_.Submenu(L"TemplateItem"), templatesPopup_.Get()};
    for (HMENU menu : menus)
        while (menu && GetMenuItemCount(menu) > 0) DeleteMenu(menu, 0, MF_BYPOSITION);
    coolBar_.SetTag(L"LoadTemplateBtn", templates_.DefaultIndex);
    for (const std::int32_t i : TemplateMenuRows(templates_)) {
        for (HMENU menu : menus) {
            if (!menu) continue;
            if (i == kTemplateMenuSeparator) {
                AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
                continue;
            }
            const CTemplateItem& entry = *templates_.Item(i);
            const UINT id = kFirstTemplateId + static_cast<UINT>(i);
            const std::wstring caption = BytesToText(entry.Title, CodePage::Win1251);
            const bool main = menu == menus[0];
            const bool isDefault = i == templates_.DefaultIndex;
            AppendMenuW(menu, MF_STRING, id, (caption + (main && isDefault ? L"\tCtrl+L" : L"")).c_str());
            if (isDefault) SetMenuDefaultItem(menu, id, FALSE);
        }
    }
}

void THtmlScrivoForm::EditTemplateList() {
    {
        Library stencil(ProgramFolderFile(L"Stencil.dll").c_str());
        const auto edit = stencil ? reinterpret_cast<EditTemplatesFn>(reinterpret_cast<void*>(
                                        GetProcAddress(stencil.Handle(), MAKEINTRESOURCEA(kEditTemplatesOrdinal))))
                                  : nullptr;
        if (edit) {
            DisabledWindow disabled(frame_);
            edit(frame_, &templates_);
        } else {
            ShowPrompt({kStrNoStencil, {}, L"", PromptIcon::Error, PromptButtons::Ok, 0, frame_});
        }
    }
    storage::SaveTemplateValue(registry_, templates_.Write());
    BuildTemplateMenus();
}

void THtmlScrivoForm::LoadTemplate(std::int32_t index) {
    CTemplateItem* entry = templates_.Item(index);
    if (!entry || IsTemplateSeparator(*entry)) {
        // No default chosen (or one past the list): the list to choose from.
        POINT at{};
        GetCursorPos(&at);
        TrackPopupMenu(templatesPopup_.Get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, at.x, at.y, 0, frame_,
                       nullptr);
        return;
    }
    std::optional<std::string> text;
    if (entry->Id < 1) {
        text = ReadWholeFile(BytesToText(entry->FileName, CodePage::Win1251));
        if (!text) {
            ShowPrompt({kStrTemplateFileMissing, {BytesToText(entry->FileName, CodePage::Win1251)}, L"",
                        PromptIcon::Error, PromptButtons::Ok, 0, frame_});
            return;
        }
    } else {
        Library library = Library::AsData(TemplateLibraryPath().c_str());
        if (library)
            if (const auto bytes = RcData(library.Handle(), entry->Id)) text = std::string(*bytes);
    }
    WaitCursor wait;
    TEditForm* document = files_.NewDocument(BytesToText(entry->Ext, CodePage::Win1251));
    if (!document) return;
    if (!text) {
        ShowPrompt({kStrTemplateMissing, {}, L"", PromptIcon::Error, PromptButtons::Ok, 0, frame_});
        return;
    }
    document->LoadTemplateText(*text);
    document->FormActivate();
}

}  // namespace quillon
