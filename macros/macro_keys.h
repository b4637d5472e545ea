// The macro keys of the document window, decided without a window: Ctrl+K and
// Ctrl+Q wait for a letter, Ctrl+M inserts the default macro, Ctrl+J opens the
// picker. The waiting state is program-wide: one for all document windows.
#pragma once

namespace quillon {

enum class MacroKeyState { Idle = 0, WaitingK = 1, WaitingQ = 2 };
MacroKeyState& SharedMacroKeyState();

enum class MacroKeyAction {
    None,         // not a macro key: the key goes on
    ShowPicker,   // Ctrl+J
    WaitK,        // Ctrl+K: «Ожидание K-макроса»
    WaitQ,        // Ctrl+Q
    InsertDefault,
    InsertOnKey,  // the letter after Ctrl+K or Ctrl+Q
    EndWaiting,   // any other key while waiting: panel 5 emptied
};

struct MacroKeyDecision {
    MacroKeyAction action = MacroKeyAction::None;
    bool prefixK = true;   // for InsertOnKey
    char letter = 0;       // for InsertOnKey
    bool consumed = false; // the key (and its character) does not reach the editor
};

// Decides a key and moves the state on. key is the virtual key code.
MacroKeyDecision MacroKeyDown(MacroKeyState& state, int key, bool ctrl, bool shift, bool alt);

}  // namespace quillon
