#include <windows.h>

#include "text_case.h"

namespace quillon {

namespace {
std::wstring Map(std::wstring_view text, bool lower) {
    std::wstring out(text);
    if (!out.empty()) {
        if (lower) CharLowerBuffW(out.data(), static_cast<DWORD>(out.size()));
        else CharUpperBuffW(out.data(), static_cast<DWORD>(out.size()));
    }
    return out;
}
}  // namespace

std::wstring LowerText(std::wstring_view text) { return Map(text, true); }
std::wstring UpperText(std::wstring_view text) { return Map(text, false); }

}  // namespace quillon
