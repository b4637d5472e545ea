// Hooks of the native build's stand-ins for the system.
#pragma once

#include <string>

namespace quillon {

// Puts a text into the native build's string table.
void SetResourceString(int id, std::wstring text);

}  // namespace quillon
