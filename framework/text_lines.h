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

// Whether the editor control can break the text's lines into rows at a bounded
// cost. It measures the rest of a line for every row it makes, so one line
// costs about the square of its length: the squares of the long lines (CR or
// LF ends a line) must stay within what one line of about 16 000 characters
// costs, about a second under Wine. Lines of 256 characters or fewer, which
// any page has by the thousand, cost their length and do not count.
bool WrapAffordable(std::string_view text);
bool WrapAffordable(std::wstring_view text);

}  // namespace quillon
