// A macro set written as readable text (UTF-8, one macro a line, tab-separated
// fields: name, description, text, default 1/0, autoindent 1/0, prefix K/Q,
// key letter or "-"; lines starting with "#" and empty lines are skipped).
// The built-in formatting set is kept this way and turned into its stream at
// build time.
#pragma once

#include <string>
#include <string_view>

#include "macro_model.h"

namespace quillon {

struct MacroSourceError {
    int line;
};

// Appends the macros of the source; throws MacroSourceError on a malformed line.
void ReadMacroSource(std::string_view utf8, TMacrosList& macros);

}  // namespace quillon
