#include "key_chord.h"

namespace quillon {

bool ParseKey(std::wstring_view text, KeyChord& chord) {
    chord = {};
    if (text.empty()) return false;
    while (true) {
        const size_t plus = text.find(L'+');
        if (plus == std::wstring_view::npos) break;
        const std::wstring_view modifier = text.substr(0, plus);
        if (modifier == L"Ctrl") chord.ctrl = true;
        else if (modifier == L"Shift") chord.shift = true;
        else if (modifier == L"Alt") chord.alt = true;
        else return false;
        text.remove_prefix(plus + 1);
    }
    if (text.size() == 1 && ((text[0] >= L'A' && text[0] <= L'Z') || (text[0] >= L'0' && text[0] <= L'9'))) {
        chord.virtualKey = text[0];
        return true;
    }
    if (text.size() >= 2 && text.size() <= 3 && text[0] == L'F') {
        int n = 0;
        for (size_t i = 1; i < text.size(); ++i) {
            if (text[i] < L'0' || text[i] > L'9') return false;
            n = n * 10 + (text[i] - L'0');
        }
        if (n < 1 || n > 12) return false;
        chord.virtualKey = 0x70 + n - 1;
        return true;
    }
    return false;
}

}  // namespace quillon
