#include "memory_editor.h"

#include <algorithm>

#include "text_lines.h"

namespace quillon {

void MemoryEditor::SetText(std::wstring_view text) {
    text_ = NormalizeLineBreaks(text);
    selStart_ = selLength_ = 0;
    ClearUndo();
    modified_ = false;
    NotifyChange();
    NotifySelection();
}

std::wstring MemoryEditor::TextRange(int start, int end) const {
    start = std::clamp(start, 0, TextLength());
    end = std::clamp(end, start, TextLength());
    return text_.substr(static_cast<size_t>(start), static_cast<size_t>(end - start));
}

int MemoryEditor::LineCount() const {
    if (text_.empty()) return 0;
    const int breaks = static_cast<int>(std::count(text_.begin(), text_.end(), L'\r'));
    return text_.back() == L'\r' ? breaks : breaks + 1;
}

int MemoryEditor::LineIndex(int n) const {
    if (n < 0) return -1;
    int start = 0;
    for (int line = 0; line < n; ++line) {
        const auto brk = text_.find(L'\r', static_cast<size_t>(start));
        if (brk == std::wstring::npos) return -1;
        start = static_cast<int>(brk) + 1;
    }
    return start;
}

std::wstring MemoryEditor::Line(int n) const {
    if (n < 0 || n >= LineCount()) return {};
    const int start = LineIndex(n);
    const auto brk = text_.find(L'\r', static_cast<size_t>(start));
    const size_t end = brk == std::wstring::npos ? text_.size() : brk;
    return text_.substr(static_cast<size_t>(start), end - static_cast<size_t>(start));
}

int MemoryEditor::LineFromChar(int i) const {
    i = std::clamp(i, 0, TextLength());
    return static_cast<int>(std::count(text_.begin(), text_.begin() + i, L'\r'));
}

int MemoryEditor::LineLength(int i) const {
    const int start = LineIndex(LineFromChar(i));
    const auto brk = text_.find(L'\r', static_cast<size_t>(start));
    const size_t end = brk == std::wstring::npos ? text_.size() : brk;
    return static_cast<int>(end) - start;
}

void MemoryEditor::Select(int start, int length) {
    const int size = TextLength();
    start = std::clamp(start, 0, size);
    length = std::clamp(length, 0, size - start);
    if (start == selStart_ && length == selLength_) return;
    selStart_ = start;
    selLength_ = length;
    NotifySelection();
}

void MemoryEditor::ReplaceSel(std::wstring_view text) {
    undo_.push_back({text_, selStart_, selLength_});
    if (static_cast<int>(undo_.size()) > UndoLimit) undo_.erase(undo_.begin());
    redo_.clear();
    const std::wstring inserted = NormalizeLineBreaks(text);
    text_.replace(static_cast<size_t>(selStart_), static_cast<size_t>(selLength_), inserted);
    selStart_ += static_cast<int>(inserted.size());
    selLength_ = 0;
    modified_ = true;
    NotifyChange();
    NotifySelection();
}

void MemoryEditor::Restore(const Snapshot& snapshot) {
    text_ = snapshot.text;
    selStart_ = snapshot.selStart;
    selLength_ = snapshot.selLength;
    modified_ = true;
    NotifyChange();
    NotifySelection();
}

void MemoryEditor::Undo() {
    if (undo_.empty()) return;
    redo_.push_back({text_, selStart_, selLength_});
    Snapshot snapshot = std::move(undo_.back());
    undo_.pop_back();
    Restore(snapshot);
}

void MemoryEditor::Redo() {
    if (redo_.empty()) return;
    undo_.push_back({text_, selStart_, selLength_});
    Snapshot snapshot = std::move(redo_.back());
    redo_.pop_back();
    Restore(snapshot);
}

void MemoryEditor::LoadBytes(std::string_view bytes, CodePage page) {
    SetText(BytesToText(bytes, page));
}

std::string MemoryEditor::SaveBytes(CodePage page) const {
    return ExpandLineBreaks(TextToBytes(text_, page));
}

void MemoryEditor::TypeCharacter(wchar_t ch) {
    if (readOnly_) return;
    if (TypingOverwrites()) Select(selStart_, 1);
    ReplaceSel(std::wstring_view(&ch, 1));
}

}  // namespace quillon
