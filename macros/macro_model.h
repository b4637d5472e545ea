// The macro model: a macro (TMacrosItem), a macro set (TMacrosList) with its
// sort methods, default macro, modified flag and the list box it is shown in,
// the two key lists the document window searches, and the macro set stream.
// Texts are single-byte Windows-1251 strings throughout.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quillon {

class TMacrosList;

inline constexpr char kNoKey = ' ';

class TMacrosItem {
public:
    const std::string& Name() const { return name_; }
    const std::string& Description() const { return description_; }
    const std::string& Text() const { return text_; }
    bool Default() const { return default_; }
    bool Autoindent() const { return autoindent_; }
    bool PrefixK() const { return prefixK_; }
    char Key() const { return key_; }
    // Unique within its set and kept when the macro moves.
    int Id() const { return id_; }
    TMacrosList& Owner() const { return owner_; }

    // Each does nothing when the value is the one it has; otherwise it stores
    // it, marks the set modified and reorders or redraws as the set needs.
    void SetName(std::string_view name);
    void SetDescription(std::string_view description);
    void SetText(std::string_view text);
    // false is ignored: a macro loses the flag only when another one gets it.
    void SetDefault(bool isDefault);
    void SetAutoindent(bool autoindent);
    void SetPrefixK(bool prefixK);
    void SetKey(char key);

private:
    friend class TMacrosList;
    TMacrosItem(TMacrosList& owner, int id) : owner_(owner), id_(id) {}
    TMacrosList& owner_;
    int id_;
    std::string name_, description_, text_;
    bool default_ = false;
    bool autoindent_ = false;
    bool prefixK_ = true;
    char key_ = kNoKey;
};

// The owner-drawn list box a set is shown in, as the set needs it.
class MacroListView {
public:
    virtual ~MacroListView() = default;
    virtual int SelectedIndex() const = 0;
    virtual void Clear() = 0;
    // An entry whose text is the name and whose object is the macro.
    virtual void Add(const TMacrosItem& macro) = 0;
    virtual int Count() const = 0;
    virtual void Select(int index) = 0;
    // The width of a name drawn in the bold form of the list box's font.
    virtual int BoldNameWidth(const std::string& name) const = 0;
    virtual void Repaint() = 0;
    // The list box's selection-changed handler, when it has one.
    virtual void SelectionChanged() = 0;
    // Around a refill: the view may hold its painting and its measuring tools.
    virtual void BeginFill(int /*count*/) {}
    virtual void EndFill() {}
};

enum class SortMethod : std::uint8_t { LastUsed = 0, ByName = 1, ByKey = 2, Fixed = 3 };

inline constexpr int kMaxNameColumnWidth = 130;

class TMacrosList {
public:
    TMacrosList() = default;
    TMacrosList(const TMacrosList&) = delete;
    TMacrosList& operator=(const TMacrosList&) = delete;

    int Count() const { return static_cast<int>(items_.size()); }
    TMacrosItem& operator[](int index) const { return *items_[static_cast<size_t>(index)]; }
    int IndexOf(const TMacrosItem& macro) const;

    TMacrosItem& AddMacro();
    void DeleteMacro(int index);
    // Empties the set and the bound list with it: the list never shows a freed macro.
    void Clear();
    SortMethod GetSortMethod() const { return sortMethod_; }
    void SetSortMethod(SortMethod method);
    // After an insertion: in order of last use the macro moves to the front.
    void MacroUsed(const TMacrosItem& macro);
    bool Modified() const { return modified_; }
    void SetModified(bool modified) { modified_ = modified; }

    void BindListBox(MacroListView* view);
    MacroListView* BoundListBox() const { return view_; }
    void RefreshDisplay(bool repopulate);
    int NameColumnWidth() const { return nameColumnWidth_; }

    // The macro set stream.
    std::string WriteMacroSet() const;
    // Appends the stream's macros through the setters; on an error the partly
    // read macro is removed, the ones before it stay, and StreamError passes on.
    void ReadMacroSet(std::string_view bytes);

private:
    friend class TMacrosItem;
    void Reorder(TMacrosItem& macro);
    void SortWhole();
    bool SortsAfter(const TMacrosItem& a, const TMacrosItem& b) const;
    void Move(int from, int to);

    std::vector<std::unique_ptr<TMacrosItem>> items_;
    MacroListView* view_ = nullptr;
    int nameColumnWidth_ = 0;
    SortMethod sortMethod_ = SortMethod::LastUsed;
    bool modified_ = false;
    int nextId_ = 1;
    // While a stream is read the bound list is left alone and filled once at the end.
    bool displayHeld_ = false;
};

// The K list, the Q list (macros with a key and the prefix Ctrl+K or Ctrl+Q,
// in ascending order of key, equal keys in list order) and the default macro
// (the last one in list order that has the flag).
struct MacroKeyLists {
    std::vector<const TMacrosItem*> k, q;
    const TMacrosItem* defaultMacro = nullptr;
};
MacroKeyLists BuildKeyLists(const TMacrosList& macros);
// The macros a letter inserts after Ctrl+K (prefixK) or Ctrl+Q, in list order.
std::vector<const TMacrosItem*> MacrosOnKey(const MacroKeyLists& lists, bool prefixK, char letter);

// The columns of one row as DrawMacroEntry lays it out: the bold name from the
// row's left edge up to the name column, the description from this x on.
inline int DescriptionLeft(int rowLeft, int nameColumnWidth) { return rowLeft + nameColumnWidth + 15; }

}  // namespace quillon
