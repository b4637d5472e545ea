// The program-wide macro sets: the user's macros with their key lists and
// default macro, and the built-in formatting set the Format commands insert.
#pragma once

#include "macro_model.h"
#include "storage.h"

namespace quillon {

TMacrosList& UserMacros();
TMacrosList& FormatMacros();
// The K and Q lists and the default macro of UserMacros, as last built.
const MacroKeyLists& UserKeyLists();
void RebuildUserKeyLists();

inline constexpr int kStrMacrosReadFailed = 132;

// Start-up: the sort method, then the stream, then the modified flag, as
// stored; then the key lists. False when the stream could not be read whole
// (the macros read before the error stay).
bool ApplyStoredMacros(TMacrosList& macros, const storage::MacroValues& values);

}  // namespace quillon
