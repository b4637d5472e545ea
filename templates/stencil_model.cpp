#include "stencil_model.h"

namespace quillon {

void ComboPositions::Fill(CTemplateListInterface& list) {
    positions_.assign(static_cast<size_t>(list.GetCount()), -1);
    int next = 0;
    for (int i = 0; i < list.GetCount(); ++i) {
        CTemplateItemInterface* item = list.GetItem(i);
        if (item && item->GetId() != 0 && item->GetVisible()) positions_[static_cast<size_t>(i)] = next++;
    }
}

int ComboPositions::Of(int index) const {
    return index >= 0 && index < Count() ? positions_[static_cast<size_t>(index)] : -1;
}

int ComboPositions::Show(int index) {
    if (index < 0 || index >= Count() || positions_[static_cast<size_t>(index)] >= 0) return -1;
    int at = 0;
    for (int i = index - 1; i >= 0; --i)
        if (positions_[static_cast<size_t>(i)] >= 0) {
            at = positions_[static_cast<size_t>(i)] + 1;
            break;
        }
    for (int i = index + 1; i < Count(); ++i)
        if (positions_[static_cast<size_t>(i)] >= 0) ++positions_[static_cast<size_t>(i)];
    positions_[static_cast<size_t>(index)] = at;
    return at;
}

int ComboPositions::Hide(int index) {
    const int removed = Of(index);
    if (removed < 0) return -1;
    positions_[static_cast<size_t>(index)] = -1;
    for (int i = index + 1; i < Count(); ++i)
        if (positions_[static_cast<size_t>(i)] >= 0) --positions_[static_cast<size_t>(i)];
    return removed;
}

int ComboPositions::Remove(int index) {
    if (index < 0 || index >= Count()) return -1;
    const int removed = Hide(index);
    positions_.erase(positions_.begin() + index);
    return removed;
}

void ComboPositions::Exchange(int index) {
    if (index < 0 || index + 1 >= Count()) return;
    int& a = positions_[static_cast<size_t>(index)];
    int& b = positions_[static_cast<size_t>(index + 1)];
    if (a >= 0 && b >= 0) return;
    std::swap(a, b);
}

RowKey RowKeyOf(CTemplateItemInterface& item, int index, TemplateColumn column) {
    RowKey key;
    key.index = index;
    const char* text = nullptr;
    switch (column) {
    case TemplateColumn::Title: text = item.GetId() == 0 ? nullptr : item.GetTitle(); break;
    case TemplateColumn::Ext: text = item.GetExt(); break;
    case TemplateColumn::Description: text = item.GetDescription(); break;
    case TemplateColumn::Path: text = item.GetId() > 0 ? nullptr : item.GetFileName(); break;
    case TemplateColumn::Number: return key;
    }
    key.hasText = text && *text;
    if (key.hasText) key.text = text;
    return key;
}

int CompareRows(const RowKey& a, const RowKey& b, TemplateColumn column, bool ascending, const TextCompare& compareText) {
    int order = 0;
    if (column == TemplateColumn::Number) order = a.index < b.index ? -1 : a.index > b.index ? 1 : 0;
    else if (!a.hasText || !b.hasText) order = a.hasText == b.hasText ? 0 : a.hasText ? 1 : -1;
    else order = compareText(a.text, b.text);
    return ascending ? order : -order;
}

TemplateCommandStates CommandStatesFor(CTemplateListInterface& list, int index) {
    TemplateCommandStates states;
    CTemplateItemInterface* item = index >= 0 && index < list.GetCount() ? list.GetItem(index) : nullptr;
    if (!item) return states;
    states.remove = item->GetId() <= 0;
    states.edit = item->GetId() < 0;
    states.up = index >= 1;
    states.down = index < list.GetCount() - 1;
    return states;
}

ColumnLayout LayoutFromStored(const StoredLayout& stored) {
    ColumnLayout layout;
    if (stored.sort && *stored.sort >= 0 && *stored.sort < kTemplateColumns) layout.sortColumn = *stored.sort;
    if (stored.ascending) layout.ascending = *stored.ascending != 0;
    int order[kTemplateColumns];
    bool used[kTemplateColumns] = {};
    bool whole = true;
    for (int c = 0; c < kTemplateColumns; ++c) {
        order[c] = stored.order[c] ? *stored.order[c] : layout.order[c];
        if (order[c] < 0 || order[c] >= kTemplateColumns || used[order[c]]) whole = false;
        else used[order[c]] = true;
        if (stored.width[c] && *stored.width[c] >= 0 && *stored.width[c] <= 10000) layout.width[c] = *stored.width[c];
    }
    // Positions that are not one of each would leave a column nowhere.
    if (whole)
        for (int c = 0; c < kTemplateColumns; ++c) layout.order[c] = order[c];
    return layout;
}

}  // namespace quillon
