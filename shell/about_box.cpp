#include "about_box.h"

#include <vector>

#include "quillon_version.h"
#include "resource_ids.h"
#include "win32_dialogs.h"
#include "win32_guards.h"

namespace quillon {

namespace {

std::wstring VersionValue(const std::vector<char>& block, const wchar_t* name) {
    wchar_t* text = nullptr;
    UINT length = 0;
    const std::wstring path = std::wstring(L"\\StringFileInfo\\041904E3\\") + name;
    if (!VerQueryValueW(block.data(), path.c_str(), reinterpret_cast<void**>(&text), &length) || !text) return {};
    return text;
}

class AboutBox final : public FormHandler {
public:
    AboutBox()
        : icon_(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), kMainIconId, IMAGE_ICON,
                                              48, 48, 0))),
          title_(CreateFontW(-19, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial")) {}
    bool FormShow(HWND form) override {
        SendDlgItemMessageW(form, kAboutIconId, STM_SETICON, reinterpret_cast<WPARAM>(icon_.Get()), 0);
        SendDlgItemMessageW(form, kAboutProductId, WM_SETFONT, reinterpret_cast<WPARAM>(title_.Get()), TRUE);
        SetDlgItemTextW(form, kAboutVersionId, VersionLine(GetModuleHandleW(nullptr)).c_str());
        return false;
    }

private:
    IconHandle icon_;
    GdiObject<HFONT> title_;
};

}  // namespace

std::wstring VersionLine(HMODULE module) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(module, path, MAX_PATH);
    std::wstring version = L"" QUILLON_VERSION_TEXT, date = L"" QUILLON_RELEASE_DATE;
    if (const DWORD size = GetFileVersionInfoSizeW(path, nullptr)) {
        std::vector<char> block(size);
        if (GetFileVersionInfoW(path, 0, size, block.data())) {
            if (auto text = VersionValue(block, L"ProductVersion"); !text.empty()) version = text;
            if (auto text = VersionValue(block, L"ReleaseDate"); !text.empty()) date = text;
        }
    }
    return L"Версия " + version + L" от " + date;
}

void ShowAboutBox(HWND owner) {
    FormDescription form{L"О программе", 264, 123, {}};
    form.controls.push_back({L"STATIC", L"", SS_SUNKEN, 8, 8, 248, 76, -1});
    form.controls.push_back({L"STATIC", L"", SS_ICON | SS_REALSIZEIMAGE, 16, 20, 48, 48, kAboutIconId});
    form.controls.push_back({L"STATIC", L"Quillon", SS_CENTER, 72, 14, 176, 24, kAboutProductId});
    form.controls.push_back({L"STATIC", L"", SS_CENTER, 72, 42, 176, 16, kAboutVersionId});
    form.controls.push_back({L"STATIC", L"© 2026 Brindle", SS_CENTER, 72, 60, 176, 16,
                             kAboutNoticeId});
    form.controls.push_back({L"BUTTON", L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 95, 92, 75, 25, IDOK});
    AboutBox box;
    RunModalForm(owner, form, box);
}

}  // namespace quillon
