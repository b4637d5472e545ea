// Searching a document's text and replacing in it, as the find and replace
// dialogs ask. The text is read from the editor control in pieces, so a search
// that finds its match nearby never copies a large file whole.
#pragma once

#include <string>
#include <string_view>

#include "editor_control.h"

namespace quillon {

struct SearchOptions {
    std::wstring text;
    bool down = true;
    bool matchCase = false;
    // A match must not touch a letter or digit on either side.
    bool wholeWord = false;
};

// Start of the match one search step finds, or -1. Down: from the end of the
// selection to the end of the text; up: the nearest match ending at or before
// the selection start. There is no wrap-around.
int FindMatch(const EditorControl& editor, const SearchOptions& options);
// One search step: selects the match, or leaves the selection and answers false.
bool SearchStep(EditorControl& editor, const SearchOptions& options);
// The Replace button: searches down from the end of the selection and replaces
// the match it finds; false when there was none.
bool ReplaceOnce(EditorControl& editor, const SearchOptions& options, std::wstring_view replacement);
// Replace all, with the result of repeating ReplaceOnce until it fails, but as
// one change of the text (one undo step). The number of replacements; 0 leaves
// the text and the selection as they were.
int ReplaceAll(EditorControl& editor, const SearchOptions& options, std::wstring_view replacement);

}  // namespace quillon
