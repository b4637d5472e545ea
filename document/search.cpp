#include "search.h"

#include <algorithm>

#include "text_case.h"

namespace quillon {

namespace {

// Matches are usually near: read a little first, then more and more.
constexpr int kFirstPiece = 1 << 11;
constexpr int kLargestPiece = 1 << 22;

class Matcher {
public:
    explicit Matcher(const SearchOptions& options)
        : needle_(options.matchCase ? options.text : LowerText(options.text)), options_(options) {}

    int Size() const { return static_cast<int>(needle_.size()); }
    const std::wstring& Needle() const { return needle_; }
    std::wstring Fold(std::wstring text) const { return options_.matchCase ? text : LowerText(text); }
    // before and after are the neighbours of a match, 0 at the ends of the text.
    bool Accepts(wchar_t before, wchar_t after) const {
        if (!options_.wholeWord) return true;
        return !(before && IsLetterOrDigit(before)) && !(after && IsLetterOrDigit(after));
    }

private:
    std::wstring needle_;
    const SearchOptions& options_;
};

// A match starting in [first, last] of the piece read at readStart.
struct Piece {
    int readStart;
    std::wstring text;  // folded
    wchar_t At(size_t i) const { return i < text.size() ? text[i] : 0; }
    wchar_t Before(size_t i) const { return i > 0 ? text[i - 1] : 0; }
};

Piece ReadPiece(const EditorControl& editor, const Matcher& matcher, int firstStart, int lastStart) {
    const int readStart = std::max(0, firstStart - 1);
    // One character beyond the last possible match on each side, for whole words.
    const int readEnd = lastStart + matcher.Size() + 1;
    return {readStart, matcher.Fold(editor.TextRange(readStart, readEnd))};
}

int FindForward(const EditorControl& editor, const Matcher& matcher, int from) {
    const int n = matcher.Size();
    const int length = editor.TextLength();
    if (n == 0) return -1;
    int piece = kFirstPiece;
    for (int first = std::max(from, 0); first + n <= length;) {
        const int last = std::min(length - n, first + piece - 1);
        const Piece read = ReadPiece(editor, matcher, first, last);
        for (size_t p = read.text.find(matcher.Needle(), static_cast<size_t>(first - read.readStart));
             p != std::wstring::npos && static_cast<int>(p) <= last - read.readStart;
             p = read.text.find(matcher.Needle(), p + 1)) {
            if (matcher.Accepts(read.Before(p), read.At(p + static_cast<size_t>(n))))
                return read.readStart + static_cast<int>(p);
        }
        first = last + 1;
        piece = std::min(piece * 2, kLargestPiece);
    }
    return -1;
}

int FindBackward(const EditorControl& editor, const Matcher& matcher, int before) {
    const int n = matcher.Size();
    if (n == 0) return -1;
    int piece = kFirstPiece;
    for (int last = std::min(before, editor.TextLength()) - n; last >= 0;) {
        const int first = std::max(0, last - piece + 1);
        const Piece read = ReadPiece(editor, matcher, first, last);
        const size_t lowest = static_cast<size_t>(first - read.readStart);
        for (size_t p = read.text.rfind(matcher.Needle(), static_cast<size_t>(last - read.readStart));
             p != std::wstring::npos && p >= lowest; p = p == 0 ? std::wstring::npos : read.text.rfind(matcher.Needle(), p - 1)) {
            if (matcher.Accepts(read.Before(p), read.At(p + static_cast<size_t>(n))))
                return read.readStart + static_cast<int>(p);
        }
        last = first - 1;
        piece = std::min(piece * 2, kLargestPiece);
    }
    return -1;
}

}  // namespace

int FindMatch(const EditorControl& editor, const SearchOptions& options) {
    const Matcher matcher(options);
    const int start = editor.SelStart();
    return options.down ? FindForward(editor, matcher, start + editor.SelLength())
                        : FindBackward(editor, matcher, start);
}

bool SearchStep(EditorControl& editor, const SearchOptions& options) {
    const int match = FindMatch(editor, options);
    if (match < 0) return false;
    editor.Select(match, static_cast<int>(options.text.size()));
    return true;
}

bool ReplaceOnce(EditorControl& editor, const SearchOptions& options, std::wstring_view replacement) {
    const Matcher matcher(options);
    const int match = FindForward(editor, matcher, editor.SelStart() + editor.SelLength());
    if (match < 0) return false;
    UpdateBracket bracket(editor);
    editor.Select(match, matcher.Size());
    editor.ReplaceSel(replacement);
    return true;
}

int ReplaceAll(EditorControl& editor, const SearchOptions& options, std::wstring_view replacement) {
    const Matcher matcher(options);
    const size_t n = static_cast<size_t>(matcher.Size());
    if (n == 0) return 0;
    const int from = editor.SelStart() + editor.SelLength();
    const int readStart = std::max(0, from - 1);
    const std::wstring raw = editor.TextRange(readStart, editor.TextLength());
    const std::wstring folded = matcher.Fold(raw);
    // The new text of raw[firstMatch, copied) is built in out; what lies after
    // copied is unchanged. Each search starts after the text just put in, and a
    // whole-word test looks at the new text before the match.
    std::wstring out;
    int count = 0;
    size_t firstMatch = 0;
    size_t copied = static_cast<size_t>(from - readStart);
    for (size_t p = folded.find(matcher.Needle(), copied); p != std::wstring::npos;) {
        wchar_t before = 0;
        if (p > copied) before = raw[p - 1];
        else if (!out.empty()) before = out.back();
        else {
            const size_t start = count > 0 ? firstMatch : p;
            before = start > 0 ? raw[start - 1] : 0;
        }
        const wchar_t after = p + n < raw.size() ? raw[p + n] : 0;
        if (!matcher.Accepts(before, after)) {
            p = folded.find(matcher.Needle(), p + 1);
            continue;
        }
        if (count == 0) firstMatch = p;
        else out.append(raw, copied, p - copied);
        out.append(replacement);
        ++count;
        copied = p + n;
        p = folded.find(matcher.Needle(), copied);
    }
    if (count == 0) return 0;
    UpdateBracket bracket(editor);
    editor.Select(readStart + static_cast<int>(firstMatch), static_cast<int>(copied - firstMatch));
    editor.ReplaceSel(out);
    return count;
}

}  // namespace quillon
