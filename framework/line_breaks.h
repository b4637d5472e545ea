// Where the line breaks (CR) of a text stand: the line of a character and the
// start of a line in logarithmic time, kept up to date change by change, so
// that a caret move never costs a pass over the text.
#pragma once

#include <string>
#include <string_view>

#include "chunked_text.h"
#include <vector>

namespace quillon {

class LineBreaks {
public:
    void Reset(std::wstring_view text);
    // Builds the index piece by piece: Clear, then the text's pieces in order.
    void Clear();
    void Append(std::wstring_view piece);
    // The characters [start, start + removed) became inserted.
    void Replace(int start, int removed, std::wstring_view inserted);

    // A copy of the text itself kept beside the breaks, changed with them.
    void KeepText(bool keep) {
        keepText_ = keep;
        if (!keep) text_.Clear();
    }
    ChunkedText::Snapshot Text() const { return text_.Share(); }

    int Length() const { return length_; }
    // Lines counting the empty one after a final break: one more than the breaks.
    int Lines() const { return static_cast<int>(breaks_.size()) + 1; }
    // The line that holds character i: the breaks before it.
    int LineOf(int i) const;
    // The first character of line n; -1 when there is no such line.
    int LineStart(int n) const;

private:
    std::vector<int> breaks_;  // ascending
    int length_ = 0;
    bool keepText_ = false;
    ChunkedText text_;
};

}  // namespace quillon
