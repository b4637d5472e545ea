// The rules of the macros dialog that do not need a window: the key list's
// entries, key conflicts and their resolution, the status texts and the keys
// the form sees first.
#pragma once

#include <string>

#include "macro_model.h"

namespace quillon {

// The key list: entry 0 "(Нет)", entry n the n-th letter.
int KeyEntryOf(char key);
char KeyOfEntry(int entry);
// The entry a key press chooses in the key list: Space → 0, a letter A–Z →
// its entry; -1 for every other key.
int KeyEntryForKeyDown(int virtualKey);

// The other macro that already has target's prefix and key (the last one
// found counts), or null; null too when target has no key.
TMacrosItem* FindKeyConflict(const TMacrosList& macros, const TMacrosItem& target);

// An open key conflict: the edited macro took the key of the owner; its
// assignment before the change is kept to give back.
struct KeyConflict {
    TMacrosItem* owner = nullptr;
    TMacrosItem* target = nullptr;
    char savedKey = kNoKey;
    bool savedPrefixK = true;
};
// Apply: the owner loses its key. Cancel: the target gets back its former
// prefix and key.
void ResolveKeyConflict(const KeyConflict& conflict, bool apply);

// The status panels while the dialog is open ("" for both without a macro).
std::wstring MacroStatusText(const TMacrosItem* macro);
std::wstring MacroKeyText(const TMacrosItem* macro);

// Where the focus is, for the characters the form sees first.
enum class DialogFocus { MacrosList, Text, Other };
enum class DialogKeyAction { None, Add, Edit, Delete, Clear };
DialogKeyAction FormKeyAction(wchar_t ch, DialogFocus focus);

}  // namespace quillon
