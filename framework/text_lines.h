// Line breaks between files (CR LF, or whatever a file holds) and the editor
// (one CR per line break).
#pragma once

#include <string>
#include <string_view>

namespace quillon {

// CR LF, lone LF and lone CR each become one CR.
std::wstring NormalizeLineBreaks(std::wstring_view text);
// Every CR becomes CR LF.
std::string ExpandLineBreaks(std::string_view bytes);

}  // namespace quillon
