// Message boxes and the string table of the module that holds this code (each
// deliverable links the framework statically, so that is its own table).
#include <windows.h>

#include "prompts.h"

namespace quillon {

namespace {
HMODULE ThisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&ThisModule), &module);
    return module;
}

UINT Style(const PromptRequest& request) {
    UINT style = MB_TASKMODAL;
    switch (request.icon) {
    case PromptIcon::None: break;
    case PromptIcon::Error: style |= MB_ICONERROR; break;
    case PromptIcon::Warning: style |= MB_ICONWARNING; break;
    case PromptIcon::Information: style |= MB_ICONINFORMATION; break;
    case PromptIcon::Question: style |= MB_ICONQUESTION; break;
    }
    switch (request.buttons) {
    case PromptButtons::Ok: style |= MB_OK; break;
    case PromptButtons::OkCancel: style |= MB_OKCANCEL; break;
    case PromptButtons::YesNo: style |= MB_YESNO; break;
    case PromptButtons::YesNoCancel: style |= MB_YESNOCANCEL; break;
    case PromptButtons::AbortRetryIgnore: style |= MB_ABORTRETRYIGNORE; break;
    case PromptButtons::RetryCancel: style |= MB_RETRYCANCEL; break;
    }
    static const UINT defaults[] = {MB_DEFBUTTON1, MB_DEFBUTTON2, MB_DEFBUTTON3};
    if (request.defaultButton >= 0 && request.defaultButton < 3) style |= defaults[request.defaultButton];
    return style;
}
}  // namespace

std::wstring ResourceString(int id) {
    const wchar_t* text = nullptr;
    // A zero length asks for a pointer into the resource itself, not NUL-terminated.
    const int length = LoadStringW(ThisModule(), static_cast<UINT>(id), reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 && text ? std::wstring(text, static_cast<size_t>(length)) : std::wstring();
}

PromptAnswer SystemPrompt(const PromptRequest& request) {
    const std::wstring text = PromptText(request);
    const std::wstring caption = request.caption.empty() ? std::wstring(kApplicationTitle) : request.caption;
    HWND owner = static_cast<HWND>(request.owner);
    if (!owner) owner = GetActiveWindow();
    switch (MessageBoxW(owner, text.c_str(), caption.c_str(), Style(request))) {
    case IDOK: return PromptAnswer::Ok;
    case IDYES: return PromptAnswer::Yes;
    case IDNO: return PromptAnswer::No;
    case IDABORT: return PromptAnswer::Abort;
    case IDRETRY: return PromptAnswer::Retry;
    case IDIGNORE: return PromptAnswer::Ignore;
    default: return PromptAnswer::Cancel;
    }
}

}  // namespace quillon
