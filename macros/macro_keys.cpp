#include "macro_keys.h"

namespace quillon {

MacroKeyState& SharedMacroKeyState() {
    static MacroKeyState state = MacroKeyState::Idle;
    return state;
}

MacroKeyDecision MacroKeyDown(MacroKeyState& state, int key, bool ctrl, bool shift, bool alt) {
    if (state != MacroKeyState::Idle) {
        // Every key ends the waiting, a letter with whatever modifiers are held.
        const bool prefixK = state == MacroKeyState::WaitingK;
        state = MacroKeyState::Idle;
        if (key >= 'A' && key <= 'Z') return {MacroKeyAction::InsertOnKey, prefixK, static_cast<char>(key), true};
        return {MacroKeyAction::EndWaiting, prefixK, 0, true};
    }
    if (!ctrl || alt || shift) return {};
    switch (key) {
    case 'J': return {MacroKeyAction::ShowPicker, true, 0, true};
    case 'K':
        state = MacroKeyState::WaitingK;
        return {MacroKeyAction::WaitK, true, 0, true};
    case 'Q':
        state = MacroKeyState::WaitingQ;
        return {MacroKeyAction::WaitQ, false, 0, true};
    case 'M': return {MacroKeyAction::InsertDefault, true, 0, true};
    default: return {};
    }
}

}  // namespace quillon
