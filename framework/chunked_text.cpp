#include "chunked_text.h"

#include <algorithm>

namespace quillon {

void ChunkedText::Clear() {
    pieces_.clear();
    length_ = 0;
}

void ChunkedText::InsertPieces(size_t first, std::wstring_view text) {
    std::vector<Piece> made;
    for (size_t at = 0; at < text.size(); at += kPiece)
        made.push_back(std::make_shared<std::wstring>(text.substr(at, kPiece)));
    pieces_.insert(pieces_.begin() + static_cast<std::ptrdiff_t>(first), made.begin(), made.end());
}

void ChunkedText::Append(std::wstring_view text) {
    if (text.empty()) return;
    length_ += text.size();
    // The last piece takes what fits while no snapshot holds it.
    if (!pieces_.empty() && pieces_.back().use_count() == 1 && pieces_.back()->size() < kPiece) {
        const size_t room = std::min(kPiece - pieces_.back()->size(), text.size());
        pieces_.back()->append(text.substr(0, room));
        text.remove_prefix(room);
    }
    InsertPieces(pieces_.size(), text);
}

void ChunkedText::Replace(size_t start, size_t removed, std::wstring_view inserted) {
    start = std::min(start, length_);
    removed = std::min(removed, length_ - start);
    if (removed == 0 && inserted.empty()) return;
    if (start == length_) {
        Append(inserted);
        return;
    }
    // The piece that holds start, and where in it.
    size_t first = 0, offset = start;
    while (offset >= pieces_[first]->size()) offset -= pieces_[first++]->size();
    length_ = length_ - removed + inserted.size();
    if (offset + removed <= pieces_[first]->size() && pieces_[first]->size() - removed + inserted.size() <= 2 * kPiece) {
        // Within one piece (typing, a deletion): that piece alone changes.
        if (pieces_[first].use_count() > 1) pieces_[first] = std::make_shared<std::wstring>(*pieces_[first]);
        pieces_[first]->replace(offset, removed, inserted);
        if (pieces_[first]->empty()) pieces_.erase(pieces_.begin() + static_cast<std::ptrdiff_t>(first));
        return;
    }
    // Across pieces: the touched ones are made again from what remains of them.
    size_t last = first, end = offset + removed;
    while (last + 1 < pieces_.size() && end > pieces_[last]->size()) end -= pieces_[last++]->size();
    std::wstring made = pieces_[first]->substr(0, offset);
    made.append(inserted);
    made.append(*pieces_[last], std::min(end, pieces_[last]->size()));
    pieces_.erase(pieces_.begin() + static_cast<std::ptrdiff_t>(first), pieces_.begin() + static_cast<std::ptrdiff_t>(last) + 1);
    InsertPieces(first, made);
}

ChunkedText::Snapshot ChunkedText::Share() const { return Snapshot(pieces_.begin(), pieces_.end()); }

std::wstring ChunkedText::Join(const Snapshot& snapshot) {
    size_t length = 0;
    for (const auto& piece : snapshot) length += piece->size();
    std::wstring text;
    text.reserve(length);
    for (const auto& piece : snapshot) text.append(*piece);
    return text;
}

}  // namespace quillon
