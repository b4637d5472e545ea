// The product's message texts are printf-style templates ("%s", "%d", "%-8d").
// FormatText fills them from a list of arguments, without varargs.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillon {

class FormatArg {
public:
    FormatArg(std::wstring_view text) : text_(text), isNumber_(false) {}
    FormatArg(const std::wstring& text) : text_(text), isNumber_(false) {}
    FormatArg(const wchar_t* text) : text_(text ? text : L""), isNumber_(false) {}
    FormatArg(long long number) : number_(number), isNumber_(true) {}
    FormatArg(int number) : number_(number), isNumber_(true) {}

    bool IsNumber() const { return isNumber_; }
    const std::wstring& Text() const { return text_; }
    long long Number() const { return number_; }

private:
    std::wstring text_;
    long long number_ = 0;
    bool isNumber_;
};

// Conversions %s and %d with an optional '-' flag and width, and %%. A missing
// argument formats as empty or 0; a number given for %s prints as a number and a
// text given for %d prints as text. Anything else after '%' is copied as it stands.
std::wstring FormatText(std::wstring_view format, const std::vector<FormatArg>& args);

// The text of a string resource of the running module, by id; empty when missing.
std::wstring ResourceString(int id);

}  // namespace quillon
