// The template list editor's bookkeeping, apart from its dialog: where each
// list index's entry sits in the default-template combo box, and how rows are
// ordered by a column.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "template_interfaces.h"

namespace quillon {

// For every list index the position of its entry in the combo box, or -1.
// The combo holds the visible non-separators in list order.
class ComboPositions {
public:
    // From the list: every visible template that is not a separator has an entry.
    void Fill(CTemplateListInterface& list);
    int Of(int index) const;
    int Count() const { return static_cast<int>(positions_.size()); }
    // A new list index at the end, without an entry.
    void Append() { positions_.push_back(-1); }
    // The template at index gets an entry just after the one of the nearest
    // preceding index that has one (at the top if none has); later entries
    // move down. Answers the position to insert at (-1 when it already had one).
    int Show(int index);
    // The template at index loses its entry; later entries move up. Answers
    // the position removed, -1 when it had none.
    int Hide(int index);
    // The template at index left the list: its entry (if any) as Hide, and the
    // later indexes move down by one. Answers the position removed or -1.
    int Remove(int index);
    // Templates index and index + 1 exchanged places in the list. When both
    // have entries the positions stay (the entries follow list order);
    // otherwise the records are exchanged.
    void Exchange(int index);

private:
    std::vector<int> positions_;
};

// The sort columns of the editor's list.
enum class TemplateColumn { Title = 0, Ext = 1, Description = 2, Path = 3, Number = 4 };

// A row's key in one column: the list index for the number, else the text;
// a separator's title and a built-in's path have no text (nor has an empty one).
struct RowKey {
    int index = 0;
    bool hasText = false;
    std::string text;
};
RowKey RowKeyOf(CTemplateItemInterface& item, int index, TemplateColumn column);

// Row order: < 0, 0 or > 0. Texts go through compareText; a row without text
// comes before every row with one, two such rows are equal; descending
// reverses every result.
using TextCompare = std::function<int(const std::string&, const std::string&)>;
int CompareRows(const RowKey& a, const RowKey& b, TemplateColumn column, bool ascending, const TextCompare& compareText);

// The tool bar's enabling for the selected entry (index -1: none).
struct TemplateCommandStates {
    bool remove = false, edit = false, up = false, down = false;
};
TemplateCommandStates CommandStatesFor(CTemplateListInterface& list, int index);

inline constexpr int kTemplateColumns = 5;

// The column layout and sort order as stored under the editor's \Stencil key:
// each value may be missing.
struct StoredLayout {
    std::optional<std::int32_t> sort, ascending;
    std::optional<std::int32_t> order[kTemplateColumns], width[kTemplateColumns];
};

// The layout the dialog opens with: sorted by number ascending, the number
// shown first, the default widths, unless stored values say otherwise. A sort
// column out of range, a width outside 0..10000, or positions that are not
// one of each are not taken.
struct ColumnLayout {
    int sortColumn = static_cast<int>(TemplateColumn::Number);
    bool ascending = true;
    int order[kTemplateColumns] = {1, 2, 3, 4, 0};  // display position of each column
    int width[kTemplateColumns] = {140, 50, 145, 100, 30};
};
ColumnLayout LayoutFromStored(const StoredLayout& stored);

}  // namespace quillon
