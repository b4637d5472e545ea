// The cool bar's five bands and their buttons as data, the stored band layout,
// and the rules of the chevron menu; no window system here.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillon {

// Band IDs, which are also the toolbars' tags and the image-set indexes.
enum class Toolbar : int { File, Edit, Format, Window, Find };
inline constexpr int kToolbarCount = 5;

enum class ButtonStyle : std::uint8_t { Button, DropDown, Separator, Check };

// What a click does with the button's tag.
enum class ButtonAction : std::uint8_t {
    Command,   // the command of that number, as the menu item does
    Template,  // loads the template of that index
    Window,    // activates the window of that number
};

enum ButtonFlag : unsigned { kStartsEnabled = 1, kStartsHidden = 2 };

struct ToolButtonRow {
    Toolbar toolbar;
    std::wstring_view name;
    int tag;           // command number, window number, or the default template
    int picture;       // index in the toolbar's image lists; -1 for separators
    std::wstring_view hint;  // short hint "|" long hint
    ButtonStyle style;
    ButtonAction action;
    unsigned flags;
};

// Every button of every toolbar, toolbar by toolbar, each in its order.
const std::vector<ToolButtonRow>& ToolButtonRows();
// The rows of one toolbar, in order.
std::vector<const ToolButtonRow*> ButtonsOf(Toolbar toolbar);
// The row of a button name, or null.
const ToolButtonRow* FindButton(std::wstring_view name);

struct BandRow {
    std::wstring_view control;
    std::wstring_view text;
    int picture;
    int minHeight;
    int width;
    bool newRow;
};
const std::array<BandRow, kToolbarCount>& BandRows();

// The items of View > toolbars, one per band ID.
struct ToolbarItemRow {
    std::wstring_view name;
    std::wstring_view caption;
    std::wstring_view hint;
};
const std::array<ToolbarItemRow, kToolbarCount>& ToolbarItemRows();

// The short and the long part of a "short|long" hint; without "|" both are the whole.
std::wstring_view ShortHint(std::wstring_view hint);
std::wstring_view LongHint(std::wstring_view hint);

// One band's stored layout: 12 bytes, int32 position, int32 width, byte new
// row, byte visible, two bytes of no meaning (written as zero).
struct BandRecord {
    std::int32_t position = 0;
    std::int32_t width = 0;
    bool newRow = false;
    bool visible = true;
    bool operator==(const BandRecord&) const = default;
};
inline constexpr size_t kBandRecordSize = 12;
std::vector<std::uint8_t> EncodeBandRecord(const BandRecord& record);
// Nothing unless the value is exactly one record long with a position inside
// the bar (0 .. bands - 1) and a width that is not negative.
std::optional<BandRecord> DecodeBandRecord(const std::vector<std::uint8_t>& bytes, int bands = kToolbarCount);

// Rectangles in one coordinate space (screen), right and bottom exclusive.
struct Box {
    int left = 0, top = 0, right = 0, bottom = 0;
};
// The first button that does not lie wholly inside the band; every one from it
// on is hidden behind the chevron. The count when all fit.
size_t FirstHiddenButton(const Box& band, const std::vector<Box>& buttons);

// A button as the chevron menu sees it.
struct ChevronButton {
    ButtonStyle style = ButtonStyle::Button;
    std::wstring caption;
    int picture = -1;
    bool hidden = false;
    bool enabled = true;
    bool pressed = false;
};

inline constexpr unsigned kChevronFirstId = 31001;

struct ChevronItem {
    bool separator = false;
    bool dropDown = false;  // the item gets the button's drop-down menu as a submenu
    size_t button = 0;
    unsigned id = 0;        // kChevronFirstId + button index
    std::wstring caption;
    bool enabled = true;
    bool checked = false;
    std::uint32_t picture = 0;  // image set * 65536 + picture index
};

// The menu of the buttons from the first hidden one on: hidden buttons skipped,
// separators kept except at the top.
std::vector<ChevronItem> ChevronItems(int imageSet, const std::vector<ChevronButton>& buttons, size_t firstHidden);

}  // namespace quillon
