#include "macros_dialog_rules.h"

#include "codepage.h"
#include "platform_portable.h"
#include "text_format.h"

namespace quillon {

namespace {
constexpr int kStrMacroSelected = 139;
constexpr int kStrMacroKeys = 140;
constexpr int kStrMacroNoKey = 141;
}  // namespace

int KeyEntryOf(char key) { return key >= 'A' && key <= 'Z' ? key - 64 : 0; }

char KeyOfEntry(int entry) { return entry >= 1 && entry <= 26 ? static_cast<char>(entry + 64) : kNoKey; }

int KeyEntryForKeyDown(int virtualKey) {
    if (virtualKey == ' ') return 0;
    if (virtualKey >= 'A' && virtualKey <= 'Z') return virtualKey - 64;
    return -1;
}

TMacrosItem* FindKeyConflict(const TMacrosList& macros, const TMacrosItem& target) {
    if (target.Key() == kNoKey) return nullptr;
    TMacrosItem* found = nullptr;
    for (int i = 0; i < macros.Count(); ++i) {
        TMacrosItem& other = macros[i];
        if (&other != &target && other.Key() == target.Key() && other.PrefixK() == target.PrefixK()) found = &other;
    }
    return found;
}

void ResolveKeyConflict(const KeyConflict& conflict, bool apply) {
    if (apply) {
        if (conflict.owner) conflict.owner->SetKey(kNoKey);
        return;
    }
    if (!conflict.target) return;
    conflict.target->SetKey(kNoKey);
    conflict.target->SetPrefixK(conflict.savedPrefixK);
    conflict.target->SetKey(conflict.savedKey);
}

std::wstring MacroStatusText(const TMacrosItem* macro) {
    if (!macro) return {};
    const std::wstring name = BytesToText(macro->Name(), CodePage::Win1251);
    const std::wstring description = BytesToText(macro->Description(), CodePage::Win1251);
    return FormatText(ResourceString(kStrMacroSelected),
                      {name.empty() ? std::wstring(L" ") : name, description.empty() ? std::wstring(L" ") : description});
}

std::wstring MacroKeyText(const TMacrosItem* macro) {
    if (!macro) return {};
    const std::wstring key = macro->Key() == kNoKey ? ResourceString(kStrMacroNoKey)
                                                    : std::wstring(macro->PrefixK() ? L"Ctrl+K, " : L"Ctrl+Q, ") +
                                                          static_cast<wchar_t>(macro->Key());
    return FormatText(ResourceString(kStrMacroKeys), {key});
}

DialogKeyAction FormKeyAction(wchar_t ch, DialogFocus focus) {
    switch (ch) {
    case L'*': return focus == DialogFocus::MacrosList ? DialogKeyAction::Edit : DialogKeyAction::None;
    case L'+': return focus != DialogFocus::Text ? DialogKeyAction::Add : DialogKeyAction::None;
    case L'-': return focus == DialogFocus::MacrosList ? DialogKeyAction::Delete : DialogKeyAction::None;
    case L'/': return focus != DialogFocus::Text ? DialogKeyAction::Clear : DialogKeyAction::None;
    default: return DialogKeyAction::None;
    }
}

}  // namespace quillon
