// The editor control in memory: the portable implementation of the contract
// that the native tests run the editing algorithms against.
#pragma once

#include <vector>

#include "editor_control.h"

namespace quillon {

class MemoryEditor final : public EditorControl {
public:
    MemoryEditor() = default;
    explicit MemoryEditor(std::wstring_view text) { SetText(text); }

    std::wstring Text() const override { return text_; }
    void SetText(std::wstring_view text) override;
    int TextLength() const override { return static_cast<int>(text_.size()); }
    std::wstring TextRange(int start, int end) const override;

    int LineCount() const override;
    std::wstring Line(int n) const override;
    int LineIndex(int n) const override;
    int LineFromChar(int i) const override;
    int LineLength(int i) const override;

    int SelStart() const override { return selStart_; }
    int SelLength() const override { return selLength_; }
    void Select(int start, int length) override;
    std::wstring SelText() const override { return text_.substr(selStart_, selLength_); }
    void ReplaceSel(std::wstring_view text) override;

    bool CanUndo() const override { return !undo_.empty(); }
    bool CanRedo() const override { return !redo_.empty(); }
    void Undo() override;
    void Redo() override;
    void ClearUndo() override { undo_.clear(); redo_.clear(); }

    bool Modified() const override { return modified_; }
    void SetModified(bool modified) override { modified_ = modified; }
    bool ReadOnly() const override { return readOnly_; }
    void SetReadOnly(bool readOnly) override { readOnly_ = readOnly; }
    bool WordWrap() const override { return wordWrap_; }
    void SetWordWrap(bool wrap) override { wordWrap_ = wrap; }
    bool AutoWordSelection() const override { return autoWordSelection_; }
    void SetAutoWordSelection(bool on) override { autoWordSelection_ = on; }
    bool Overwrite() const override { return overwrite_; }
    void SetOverwrite(bool overwrite) override { overwrite_ = overwrite; }
    void TypeCharacter(wchar_t ch) override;
    EditorFont Font() const override { return font_; }
    void SetFont(const EditorFont& font) override { font_ = font; }

    void LoadBytes(std::string_view bytes, CodePage page) override;
    std::string SaveBytes(CodePage page) const override;

    void SuspendUpdates() override { ++suspended_; }
    void ResumeUpdates() override { if (suspended_ > 0) --suspended_; }
    int SuspendDepth() const { return suspended_; }

    void SetOnChange(Notification onChange) override { onChange_ = std::move(onChange); }
    void SetOnSelectionChange(Notification onSelectionChange) override {
        onSelectionChange_ = std::move(onSelectionChange);
    }

private:
    struct Snapshot {
        std::wstring text;
        int selStart = 0;
        int selLength = 0;
    };
    void Restore(const Snapshot& snapshot);
    void NotifyChange() const { if (onChange_) onChange_(); }
    void NotifySelection() const { if (onSelectionChange_) onSelectionChange_(); }

    std::wstring text_;
    int selStart_ = 0;
    int selLength_ = 0;
    std::vector<Snapshot> undo_;
    std::vector<Snapshot> redo_;
    bool modified_ = false;
    bool readOnly_ = false;
    bool wordWrap_ = false;
    bool autoWordSelection_ = false;
    bool overwrite_ = false;
    EditorFont font_{L"Courier New", 11};
    int suspended_ = 0;
    Notification onChange_;
    Notification onSelectionChange_;
};

}  // namespace quillon
