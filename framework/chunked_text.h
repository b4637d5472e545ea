// Text kept in pieces that snapshots share: taking a snapshot copies only the
// list of pieces, and a later change copies only a piece that a snapshot still
// holds. A reader on another thread gets the whole text of a moment without
// the owner paying for a copy of it.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quillon {

class ChunkedText {
public:
    using Snapshot = std::vector<std::shared_ptr<const std::wstring>>;

    void Clear();
    void Append(std::wstring_view text);
    // The characters [start, start + removed) become inserted (both clamped to the text).
    void Replace(size_t start, size_t removed, std::wstring_view inserted);
    size_t Length() const { return length_; }
    // The text as it is now; later changes leave it as it was.
    Snapshot Share() const;
    static std::wstring Join(const Snapshot& snapshot);

    static constexpr size_t kPiece = 1 << 16;  // characters a piece starts with at most

private:
    using Piece = std::shared_ptr<std::wstring>;
    // Pieces from index first on, made of the text; none of them empty.
    void InsertPieces(size_t first, std::wstring_view text);
    std::vector<Piece> pieces_;
    size_t length_ = 0;
};

}  // namespace quillon
