// The fixture of the in-process UI tests: the real main window with an
// in-memory registry, a scratch folder, and readers of menu states.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "edit_form.h"
#include "main_form.h"
#include "registry.h"
#include "win32_files.h"
#include "win_test_support.h"

namespace quillon {

inline std::wstring Caption(HWND hwnd) {
    wchar_t text[512] = {};
    GetWindowTextW(hwnd, text, 512);
    return text;
}

class EditorUi : public ::testing::Test {
protected:
    void SetUp() override {
        SharedDocumentState() = DocumentState{};
        form = THtmlScrivoForm::Create(GetModuleHandleW(nullptr), {SW_SHOWNORMAL, &registry});
        ASSERT_TRUE(form);
        frame = form->Frame();
        test::PumpMessages();
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        folder = std::wstring(temp) + L"quillon-ui\\";
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
        std::filesystem::create_directories(folder);
    }
    void TearDown() override {
        SaveDialogRunner() = nullptr;
        if (IsWindow(frame)) {
            // Discard whatever the test left modified.
            for (TEditForm* document : form->Documents()) document->Editor().SetModified(false);
            DestroyWindow(frame);
        }
        test::PumpMessages();
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    std::wstring Put(const std::wstring& name, const std::string& bytes) {
        const std::wstring path = folder + name;
        EXPECT_TRUE(WriteFileSafely(path, bytes).ok);
        return path;
    }
    UINT MenuState(std::wstring_view item) const {
        return GetMenuState(form->Menu(), form->ItemId(item), MF_BYCOMMAND);
    }
    bool Enabled(std::wstring_view item) const { return !(MenuState(item) & (MF_GRAYED | MF_DISABLED)); }
    bool Checked(std::wstring_view item) const { return (MenuState(item) & MF_CHECKED) != 0; }
    void Command(int command) {
        form->MenuItemSelect(command);
        test::PumpMessages();
    }
    TEditForm* Active() const { return form->ActiveDocument(); }

    MemoryRegistry registry;  // each test starts as a first start
    THtmlScrivoForm* form = nullptr;
    HWND frame = nullptr;
    std::wstring folder;
};

}  // namespace quillon
