// Texts of the status bar panels that follow the active document.
#pragma once

#include <string>
#include <string_view>

namespace quillon {

// The product's string numbers of the status texts.
enum StatusStringId {
    kStrModified = 102,    // "Изменен"
    kStrInsert = 103,      // "Вставка"
    kStrOverwrite = 104,   // "Замена"
    kStrReadOnly = 105,    // "Только чтение"
    kStrDosText = 106,     // "Текст DOS"
    kStrWindowsText = 107, // "Текст Windows"
    kStrCaret = 108,       // "Ст %s\t\tКол %-8d"
    kStrUtf8Text = 203,    // "Текст UTF-8"
    kStrUtf16Text = 204,   // "Текст UTF-16"
};

// Numbers of four digits and more get the separator between groups of three,
// counted from the right: 1234 -> "1 234"; 999 stays "999". Negative numbers
// keep their sign in front.
std::wstring GroupDigits(long long number, wchar_t separator);

// Panel 0: the caret's line and column (both from 0) in the caret template.
std::wstring CaretText(std::wstring_view caretTemplate, int column, int line, wchar_t separator);

}  // namespace quillon
