#include "toolbar_model.h"

namespace quillon {

namespace {

using enum ButtonStyle;
constexpr ButtonAction kCmd = ButtonAction::Command;
constexpr unsigned kOn = kStartsEnabled;

#define SEPARATOR(bar, flags) {Toolbar::bar, L"", 0, -1, L"", Separator, kCmd, flags}
#define WINDOW_BUTTON(n) \
    {Toolbar::Window, L"Window" #n "Btn", n - 1, n + 6, L"", Check, ButtonAction::Window, 0}

const std::vector<ToolButtonRow> kButtons = {
    {Toolbar::File, L"NewBtn", 100, 5, L"Создать|Создание нового документа", DropDown, kCmd, kOn},
    {Toolbar::File, L"LoadTemplateBtn", 0, 6, L"Загрузить шаблон|Загрузка выбранного шаблона в новое окно", DropDown,
     ButtonAction::Template, kOn},
    SEPARATOR(File, 0),
    {Toolbar::File, L"OpenBtn", 101, 4, L"Открыть|Открытие существующего документа", Button, kCmd, kOn},
    {Toolbar::File, L"SaveBtn", 102, 0, L"Сохранить|Сохрание активного документа", Button, kCmd, 0},
    {Toolbar::File, L"SaveAllBtn", 105, 2, L"Сохранить все|Сохрание измененных документов во всех открытых окнах",
     Button, kCmd, 0},
    SEPARATOR(File, kStartsHidden),
    {Toolbar::File, L"PrintBtn", 108, 3, L"Печать|Печать активного документа", Button, kCmd, kStartsHidden},
    SEPARATOR(File, 0),
    {Toolbar::File, L"BrowseBtn", 104, 1,
     L"Просмотр|Просмотр активного документа HTML в браузере, используемом по умолчанию", Button, kCmd, 0},

    {Toolbar::Edit, L"UndoBtn", 130, 0, L"Отменить|Отмена последнего выполненного действия", Button, kCmd, 0},
    {Toolbar::Edit, L"RedoBtn", 135, 4, L"Вернуть|Возврат результатов отмененного действия", Button, kCmd, 0},
    SEPARATOR(Edit, 0),
    {Toolbar::Edit, L"CutBtn", 131, 1, L"Вырезать|Удаление выделенного текста в буфер обмена", Button, kCmd, 0},
    {Toolbar::Edit, L"CopyBtn", 132, 2, L"Копировать|Помещение выделенного текста в буфер обмена", Button, kCmd, 0},
    {Toolbar::Edit, L"PasteBtn", 133, 3, L"Вставить|Вставка текста из буфера обмена", Button, kCmd, 0},
    SEPARATOR(Edit, 0),
    {Toolbar::Edit, L"DeleteBtn", 134, 5, L"Удалить|Удаление выделенного текста", Button, kCmd, 0},

    {Toolbar::Format, L"BoldBtn", 0, 0, L"Полужирный|Полужирный (тег <b>)", Button, kCmd, kOn},
    {Toolbar::Format, L"ItalicBtn", 1, 1, L"Курсив|Курсив (тег <i>)", Button, kCmd, kOn},
    {Toolbar::Format, L"UnderlineBtn", 2, 2,
     L"Подчеркнутый|Подчеркнутый (тег <span style=\"text-decoration: underline\">)", Button, kCmd, kOn},
    SEPARATOR(Format, 0),
    {Toolbar::Format, L"EmBtn", 5, 3, L"Выделить|Выделить (тег <em>)", Button, kCmd, kOn},
    {Toolbar::Format, L"StrongBtn", 6, 4, L"Усилить|Усилить (тег <strong>)", Button, kCmd, kOn},
    {Toolbar::Format, L"BigBtn", 7, 5, L"Большой шрифт|Большой шрифт (тег <big>)", Button, kCmd, kOn},
    {Toolbar::Format, L"SmallBtn", 8, 6, L"Маленький шрифт|Маленький шрифт (тег <small>)", Button, kCmd, kOn},
    {Toolbar::Format, L"SuperscriptBtn", 9, 7, L"Верхний индекс|Верхний индекс (тег <sup>)", Button, kCmd, kOn},
    {Toolbar::Format, L"SubsriptBtn", 10, 8, L"Нижний индекс|Нижний индекс (тег <sub>)", Button, kCmd, kOn},

    {Toolbar::Window, L"CascadeBtn", 200, 0, L"Каскадом|Расположить открытые окна каскадом", Button, kCmd, 0},
    {Toolbar::Window, L"HTileBtn", 202, 1,
     L"Сверху вниз|Расположить открытые окна без перекрытий сверху вниз (горизонтально)", Button, kCmd, 0},
    {Toolbar::Window, L"VTileBtn", 201, 2,
     L"Слева направо|Расположить открытые окна без перекрытий слева направо (вертикально)", Button, kCmd, 0},
    SEPARATOR(Window, 0),
    {Toolbar::Window, L"PrevBtn", 205, 3, L"Предыдущее окно|Активизация предыдущего окна", Button, kCmd, 0},
    {Toolbar::Window, L"NextBtn", 206, 4, L"Следующее окно|Активизация следующего окна", Button, kCmd, 0},
    {Toolbar::Window, L"WindowListBtn", 207, 5, L"Все окна|Отображение списка окон для выбора необходимого окна",
     Button, kCmd, 0},
    SEPARATOR(Window, 0),
    {Toolbar::Window, L"CloseAllBtn", 204, 6, L"Закрыть все|Закрытие всех открытых окон", Button, kCmd, 0},
    SEPARATOR(Window, 0),
    WINDOW_BUTTON(1), WINDOW_BUTTON(2), WINDOW_BUTTON(3), WINDOW_BUTTON(4), WINDOW_BUTTON(5),
    WINDOW_BUTTON(6), WINDOW_BUTTON(7), WINDOW_BUTTON(8), WINDOW_BUTTON(9), WINDOW_BUTTON(10),

    {Toolbar::Find, L"FindBtn", 137, 0, L"Найти|Поиск заданного текста", Button, kCmd, 0},
    {Toolbar::Find, L"FindNextBtn", 138, 1, L"Найти далее|Поиск следующего вхождения уже заданного текста", Button,
     kCmd, 0},
    {Toolbar::Find, L"ReplaceBtn", 139, 2, L"Заменить|Замена одного текста другим", Button, kCmd, 0},
    {Toolbar::Find, L"GoToBtn", 143, 3, L"Перейти|Переход к указанной строке в документе", Button, kCmd, 0},
};

#undef SEPARATOR
#undef WINDOW_BUTTON

const std::array<BandRow, kToolbarCount> kBands = {{
    {L"FileToolBar", L"Файл", 0, 23, 271, true},
    {L"EditToolBar", L"Правка", 1, 23, 224, false},
    {L"FormatToolBar", L"Формат", 2, 23, 73, false},
    {L"WindowToolBar", L"Окно", 3, 23, 477, true},
    {L"FindToolBar", L"Поиск", 4, 23, 93, false},
}};

const std::array<ToolbarItemRow, kToolbarCount> kToolbarItems = {{
    {L"ToolFileItem", L"&Файл", L"Отобразить/Скрыть панель \"Файл\""},
    {L"ToolEditItem", L"&Правка", L"Отобразить/Скрыть панель \"Правка\""},
    {L"ToolFormatItem", L"Фор&мат", L"Отобразить/Скрыть панель \"Формат\""},
    {L"ToolWindowItem", L"&Окно", L"Отобразить/Скрыть панель \"Окно\""},
    {L"ToolFindItem", L"По&иск", L"Отобразить/Скрыть панель \"Поиск\""},
}};

std::int32_t ReadInt32(const std::vector<std::uint8_t>& bytes, size_t at) {
    std::uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i) value |= static_cast<std::uint32_t>(bytes[at + i]) << (8 * i);
    return static_cast<std::int32_t>(value);
}

void WriteInt32(std::vector<std::uint8_t>& bytes, std::int32_t value) {
    const auto v = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<std::uint8_t>((v >> (8 * i)) & 0xFF));
}

bool Inside(const Box& outer, const Box& inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

}  // namespace

const std::vector<ToolButtonRow>& ToolButtonRows() { return kButtons; }

std::vector<const ToolButtonRow*> ButtonsOf(Toolbar toolbar) {
    std::vector<const ToolButtonRow*> rows;
    for (const auto& row : kButtons)
        if (row.toolbar == toolbar) rows.push_back(&row);
    return rows;
}

const ToolButtonRow* FindButton(std::wstring_view name) {
    if (name.empty()) return nullptr;
    for (const auto& row : kButtons)
        if (row.name == name) return &row;
    return nullptr;
}

const std::array<BandRow, kToolbarCount>& BandRows() { return kBands; }
const std::array<ToolbarItemRow, kToolbarCount>& ToolbarItemRows() { return kToolbarItems; }

std::wstring_view ShortHint(std::wstring_view hint) { return hint.substr(0, hint.find(L'|')); }

std::wstring_view LongHint(std::wstring_view hint) {
    const size_t bar = hint.find(L'|');
    return bar == std::wstring_view::npos ? hint : hint.substr(bar + 1);
}

std::vector<std::uint8_t> EncodeBandRecord(const BandRecord& record) {
    std::vector<std::uint8_t> bytes;
    WriteInt32(bytes, record.position);
    WriteInt32(bytes, record.width);
    bytes.push_back(record.newRow ? 1 : 0);
    bytes.push_back(record.visible ? 1 : 0);
    bytes.push_back(0);
    bytes.push_back(0);
    return bytes;
}

std::optional<BandRecord> DecodeBandRecord(const std::vector<std::uint8_t>& bytes, int bands) {
    if (bytes.size() != kBandRecordSize) return std::nullopt;
    BandRecord record;
    record.position = ReadInt32(bytes, 0);
    record.width = ReadInt32(bytes, 4);
    record.newRow = bytes[8] != 0;
    record.visible = bytes[9] != 0;
    if (record.position < 0 || record.position >= bands || record.width < 0) return std::nullopt;
    return record;
}

size_t FirstHiddenButton(const Box& band, const std::vector<Box>& buttons) {
    for (size_t i = 0; i < buttons.size(); ++i)
        if (!Inside(band, buttons[i])) return i;
    return buttons.size();
}

std::vector<ChevronItem> ChevronItems(int imageSet, const std::vector<ChevronButton>& buttons, size_t firstHidden) {
    std::vector<ChevronItem> items;
    for (size_t i = firstHidden; i < buttons.size(); ++i) {
        const ChevronButton& button = buttons[i];
        if (button.hidden) continue;
        ChevronItem item;
        item.button = i;
        if (button.style == ButtonStyle::Separator) {
            if (items.empty()) continue;
            item.separator = true;
            items.push_back(item);
            continue;
        }
        item.dropDown = button.style == ButtonStyle::DropDown;
        item.id = kChevronFirstId + static_cast<unsigned>(i);
        item.caption = button.caption;
        item.enabled = button.enabled;
        item.checked = button.pressed;
        item.picture = static_cast<std::uint32_t>(imageSet) * 65536u + static_cast<std::uint32_t>(button.picture);
        items.push_back(item);
    }
    return items;
}

}  // namespace quillon
