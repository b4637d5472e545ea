#include "macro_model.h"

#include <algorithm>

#include "typed_stream.h"

namespace quillon {

void TMacrosItem::SetName(std::string_view name) {
    if (name == name_) return;
    name_ = name;
    owner_.modified_ = true;
    if (owner_.sortMethod_ == SortMethod::ByName) owner_.Reorder(*this);
}

void TMacrosItem::SetDescription(std::string_view description) {
    if (description != description_) {
        description_ = description;
        owner_.modified_ = true;
    }
    owner_.RefreshDisplay(false);
}

void TMacrosItem::SetText(std::string_view text) {
    if (text == text_) return;
    text_ = text;
    owner_.modified_ = true;
}

void TMacrosItem::SetDefault(bool isDefault) {
    if (!isDefault || default_) return;
    for (const auto& other : owner_.items_) other->default_ = false;
    default_ = true;
    owner_.modified_ = true;
    owner_.RefreshDisplay(false);
}

void TMacrosItem::SetAutoindent(bool autoindent) {
    if (autoindent == autoindent_) return;
    autoindent_ = autoindent;
    owner_.modified_ = true;
}

void TMacrosItem::SetPrefixK(bool prefixK) {
    if (prefixK == prefixK_) return;
    prefixK_ = prefixK;
    owner_.modified_ = true;
}

void TMacrosItem::SetKey(char key) {
    if (key == key_) return;
    key_ = key;
    owner_.modified_ = true;
    if (owner_.sortMethod_ == SortMethod::ByKey) owner_.Reorder(*this);
}

int TMacrosList::IndexOf(const TMacrosItem& macro) const {
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i].get() == &macro) return static_cast<int>(i);
    return -1;
}

TMacrosItem& TMacrosList::AddMacro() {
    items_.push_back(std::unique_ptr<TMacrosItem>(new TMacrosItem(*this, nextId_++)));
    TMacrosItem& added = *items_.back();
    RefreshDisplay(true);
    modified_ = true;
    return added;
}

void TMacrosList::DeleteMacro(int index) {
    if (index < 0 || index >= Count()) return;
    const bool wasDefault = items_[static_cast<size_t>(index)]->default_;
    items_.erase(items_.begin() + index);
    RefreshDisplay(true);
    if (wasDefault && !items_.empty()) (*this)[std::min(index, Count() - 1)].SetDefault(true);
    if (!items_.empty() && view_ && !displayHeld_) view_->SelectionChanged();
    modified_ = true;
}

void TMacrosList::Clear() {
    if (view_) view_->Clear();
    items_.clear();
    nameColumnWidth_ = 0;
    if (view_) view_->Repaint();
}

bool TMacrosList::SortsAfter(const TMacrosItem& a, const TMacrosItem& b) const {
    switch (sortMethod_) {
    case SortMethod::ByName: return a.name_.compare(b.name_) > 0;  // unsigned bytes, as char_traits<char> compares
    case SortMethod::ByKey:
        if (a.key_ != b.key_) return static_cast<unsigned char>(a.key_) > static_cast<unsigned char>(b.key_);
        return !a.prefixK_ && b.prefixK_;
    default: return false;
    }
}

void TMacrosList::Move(int from, int to) {
    if (from == to) return;
    auto moved = std::move(items_[static_cast<size_t>(from)]);
    items_.erase(items_.begin() + from);
    items_.insert(items_.begin() + to, std::move(moved));
}

void TMacrosList::Reorder(TMacrosItem& macro) {
    const int from = IndexOf(macro);
    if (from < 0) return;
    auto taken = std::move(items_[static_cast<size_t>(from)]);
    items_.erase(items_.begin() + from);
    auto place = std::find_if(items_.begin(), items_.end(), [&](const auto& other) { return SortsAfter(*other, macro); });
    items_.insert(place, std::move(taken));
    RefreshDisplay(true);
}

// A stable selection sort from the end: equal macros keep their order.
void TMacrosList::SortWhole() {
    for (int p = Count() - 1; p >= 1; --p) {
        int candidate = p;
        for (int i = p - 1; i >= 0; --i)
            if (SortsAfter((*this)[i], (*this)[candidate])) candidate = i;
        Move(candidate, p);
    }
}

void TMacrosList::SetSortMethod(SortMethod method) {
    if (method == sortMethod_) return;
    sortMethod_ = method;
    if (method != SortMethod::ByName && method != SortMethod::ByKey) return;
    SortWhole();
    RefreshDisplay(true);
}

void TMacrosList::MacroUsed(const TMacrosItem& macro) {
    if (sortMethod_ != SortMethod::LastUsed) return;
    const int from = IndexOf(macro);
    if (from < 0) return;
    Move(from, 0);
    RefreshDisplay(true);
}

void TMacrosList::BindListBox(MacroListView* view) {
    if (view == view_) return;
    view_ = view;
    if (view_) RefreshDisplay(true);
}

void TMacrosList::RefreshDisplay(bool repopulate) {
    if (displayHeld_) return;
    nameColumnWidth_ = 0;
    if (!view_) return;
    const int selected = view_->SelectedIndex();
    view_->BeginFill(Count());
    if (repopulate) view_->Clear();
    for (const auto& macro : items_) {
        if (repopulate) view_->Add(*macro);
        nameColumnWidth_ = std::max(nameColumnWidth_, view_->BoldNameWidth(macro->name_));
    }
    view_->EndFill();
    if (repopulate && view_->Count() > 0) {
        const int index = selected < 0 ? 0 : selected;
        view_->Select(index < view_->Count() ? index : view_->Count() - 1);
        view_->SelectionChanged();
    }
    nameColumnWidth_ = std::min(nameColumnWidth_, kMaxNameColumnWidth);
    view_->Repaint();
}

std::string TMacrosList::WriteMacroSet() const {
    TypedWriter out;
    out.Signature();
    out.ListBegin();
    for (const auto& macro : items_) {
        out.String(macro->name_);
        out.String(macro->description_);
        out.String(macro->text_);
        out.Flag(macro->default_);
        out.Flag(macro->autoindent_);
        out.Flag(macro->prefixK_);
        out.Char(macro->key_);
    }
    out.ListEnd();
    return out.Bytes();
}

void TMacrosList::ReadMacroSet(std::string_view bytes) {
    // Each macro read would otherwise fill and measure the whole list again:
    // the list is filled once, when the reading ends or fails.
    struct HoldDisplay {
        TMacrosList& set;
        const bool was;
        explicit HoldDisplay(TMacrosList& s) : set(s), was(s.displayHeld_) { set.displayHeld_ = true; }
        ~HoldDisplay() {
            set.displayHeld_ = was;
            set.RefreshDisplay(true);
        }
    } hold(*this);
    TypedReader in(bytes);
    in.Signature();
    in.ListBegin();
    while (!in.AtListEnd()) {
        TMacrosItem& macro = AddMacro();
        const int id = macro.id_;
        try {
            macro.SetName(in.String());
            macro.SetDescription(in.String());
            macro.SetText(in.String());
            macro.SetDefault(in.Flag());
            macro.SetAutoindent(in.Flag());
            macro.SetPrefixK(in.Flag());
            macro.SetKey(in.Char());
        } catch (...) {
            // Found again by its identity: reading its name or key may have moved it.
            for (int i = 0; i < Count(); ++i) {
                if ((*this)[i].id_ != id) continue;
                DeleteMacro(i);
                break;
            }
            throw;
        }
    }
    in.ListEnd();
}

MacroKeyLists BuildKeyLists(const TMacrosList& macros) {
    MacroKeyLists lists;
    for (int i = 0; i < macros.Count(); ++i) {
        const TMacrosItem& macro = macros[i];
        if (macro.Key() != kNoKey) {
            auto& list = macro.PrefixK() ? lists.k : lists.q;
            const auto place = std::find_if(list.begin(), list.end(), [&](const TMacrosItem* entry) {
                return static_cast<unsigned char>(entry->Key()) > static_cast<unsigned char>(macro.Key());
            });
            list.insert(place, &macro);
        }
        if (macro.Default()) lists.defaultMacro = &macro;
    }
    return lists;
}

std::vector<const TMacrosItem*> MacrosOnKey(const MacroKeyLists& lists, bool prefixK, char letter) {
    std::vector<const TMacrosItem*> found;
    for (const TMacrosItem* macro : prefixK ? lists.k : lists.q) {
        if (static_cast<unsigned char>(macro->Key()) > static_cast<unsigned char>(letter)) break;
        if (macro->Key() == letter) found.push_back(macro);
    }
    return found;
}

}  // namespace quillon
