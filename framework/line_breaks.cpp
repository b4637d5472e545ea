#include "line_breaks.h"

#include <algorithm>

namespace quillon {

namespace {

void AppendBreaks(std::vector<int>& breaks, std::wstring_view text, int offset) {
    for (size_t i = text.find(L'\r'); i != std::wstring_view::npos; i = text.find(L'\r', i + 1))
        breaks.push_back(offset + static_cast<int>(i));
}

}  // namespace

void LineBreaks::Reset(std::wstring_view text) {
    Clear();
    Append(text);
}

void LineBreaks::Clear() {
    breaks_.clear();
    length_ = 0;
    text_.Clear();
}

void LineBreaks::Append(std::wstring_view piece) {
    if (keepText_) text_.Append(piece);
    AppendBreaks(breaks_, piece, length_);
    length_ += static_cast<int>(piece.size());
}

void LineBreaks::Replace(int start, int removed, std::wstring_view inserted) {
    start = std::clamp(start, 0, length_);
    removed = std::clamp(removed, 0, length_ - start);
    const int delta = static_cast<int>(inserted.size()) - removed;
    const auto first = std::lower_bound(breaks_.begin(), breaks_.end(), start);
    const auto last = std::lower_bound(first, breaks_.end(), start + removed);
    std::vector<int> added;
    AppendBreaks(added, inserted, start);
    // The breaks after the change move by its difference in length.
    for (auto it = last; it != breaks_.end(); ++it) *it += delta;
    const auto at = breaks_.erase(first, last);
    breaks_.insert(at, added.begin(), added.end());
    length_ += delta;
    if (keepText_) text_.Replace(static_cast<size_t>(start), static_cast<size_t>(removed), inserted);
}

int LineBreaks::LineOf(int i) const {
    return static_cast<int>(std::lower_bound(breaks_.begin(), breaks_.end(), i) - breaks_.begin());
}

int LineBreaks::LineStart(int n) const {
    if (n < 0 || n >= Lines()) return -1;
    return n == 0 ? 0 : breaks_[static_cast<size_t>(n - 1)] + 1;
}

}  // namespace quillon
