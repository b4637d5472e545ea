#include "command_table.h"

namespace quillon {

namespace {
using M = TopMenu;
}

const std::vector<TopMenuEntry>& TopMenus() {
    static const std::vector<TopMenuEntry> menus = {
        {M::File, L"FileItem", L"&Файл"},       {M::Edit, L"EditItem", L"&Правка"},
        {M::View, L"ViewItem", L"&Вид"},        {M::Format, L"FormatItem", L"Фор&мат"},
        {M::Tools, L"ToolsItem", L"С&ервис"},   {M::Window, L"WindowItem", L"&Окно"},
        {M::Help, L"HelpItem", L"&Справка"},
    };
    return menus;
}

const std::vector<MenuEntry>& MenuEntries() {
    // menu, name, caption, key, command, submenu, hidden, disabled, separatorAfter
    static const std::vector<MenuEntry> entries = {
        {M::File, L"CreateItem", L"Созд&ать", L"", kNoCommand, true},
        {M::File, L"TemplateItem", L"Загрузить &шаблон", L"", kNoCommand, true, false, false, true},
        {M::File, L"OpenItem", L"&Открыть...", L"Ctrl+O", kCmdOpen},
        {M::File, L"ReopenItem", L"Открыть с&нова", L"", kNoCommand, true, false, false, true},
        {M::File, L"SaveItem", L"&Сохранить", L"Ctrl+S", kCmdSave},
        {M::File, L"SaveAsItem", L"Сохранить &как...", L"", kCmdSaveAs, false, false, false, true},
        {M::File, L"SaveAllItem", L"Сохранить &все", L"F2", kCmdSaveAll, false, false, false, true},
        {M::File, L"PrinterSetupItem", L"Пара&метры страницы...", L"", kCmdPrinterSetup, false, true},
        {M::File, L"PrintItem", L"&Печать...", L"", kCmdPrint, false, true, false, true},
        {M::File, L"ShowInBrowser", L"Показать в &браузере", L"F5", kCmdShowInBrowser, false, false, false, true},
        {M::File, L"ExitItem", L"В&ыход", L"", kCmdExit},

        {M::Edit, L"UndoItem", L"&Отменить", L"Ctrl+Z", kCmdUndo},
        {M::Edit, L"RedoItem", L"Вернут&ь", L"Ctrl+Shift+Z", kCmdRedo, false, false, false, true},
        {M::Edit, L"CutItem", L"&Вырезать", L"Ctrl+X", kCmdCut},
        {M::Edit, L"CopyItem", L"&Копировать", L"Ctrl+C", kCmdCopy},
        {M::Edit, L"PasteItem", L"Вст&авить", L"Ctrl+V", kCmdPaste},
        {M::Edit, L"DeleteItem", L"&Удалить", L"", kCmdDelete, false, false, false, true},
        {M::Edit, L"FindItem", L"&Найти...", L"Ctrl+F", kCmdFind},
        {M::Edit, L"FindNextItem", L"На&йти далее", L"F3", kCmdFindNext},
        {M::Edit, L"ReplaceItem", L"&Заменить...", L"Ctrl+H", kCmdReplace},
        {M::Edit, L"GoToItem", L"&Перейти...", L"Ctrl+G", kCmdGoTo, false, false, false, true},
        {M::Edit, L"SelectAllItem", L"Выделить в&се", L"Ctrl+A", kCmdSelectAll, false, false, false, true},
        {M::Edit, L"IndentItem", L"Сдвинуть вп&раво", L"Ctrl+Shift+I", kCmdIndent},
        {M::Edit, L"UnindentItem", L"Сдвинуть в&лево", L"Ctrl+Shift+U", kCmdUnindent, false, false, false, true},
        {M::Edit, L"ReadOnlyItem", L"Только &чтение", L"", kCmdReadOnly},

        {M::View, L"ToolBarsItem", L"Панели &инструментов", L"", kNoCommand, true},
        {M::View, L"FullFileNameItem", L"Полное имя &файла", L"", kCmdFullNames},
        {M::View, L"WordWrapItem", L"Перенос по &словам", L"Ctrl+W", kCmdWordWrap},
        {M::View, L"CodingItem", L"&Текст DOS", L"Ctrl+D", kCmdCoding, false, false, false, true},
        {M::View, L"FontItem", L"&Шрифт...", L"", kCmdFont},

        {M::Format, L"BoldItem", L"Полу&жирный", L"Ctrl+B", 0},
        {M::Format, L"ItalicItem", L"&Курсив", L"Ctrl+I", 1},
        {M::Format, L"UnderlinedItem", L"Под&черкнутый", L"Ctrl+U", 2},
        {M::Format, L"StrikeItem", L"&Зачеркнутый", L"", 3},
        {M::Format, L"TeletypeItem", L"&Телетайп", L"Ctrl+Alt+T", 4, false, false, false, true},
        {M::Format, L"EmItem", L"В&ыделить", L"Ctrl+Shift+E", 5},
        {M::Format, L"StrongItem", L"У&силить", L"Ctrl+Shift+T", 6},
        {M::Format, L"BigItem", L"&Большой шрифт", L"Ctrl+Shift+B", 7},
        {M::Format, L"SmallItem", L"&Маленький шрифт", L"Ctrl+Shift+S", 8},
        {M::Format, L"SuperscriptItem", L"&Верхний индекс", L"Ctrl+Shift+P", 9},
        // The form gives subscript Ctrl+Shift+B too, which the big-font item
        // already holds; the key would never reach it, so it has none.
        {M::Format, L"SubscriptItem", L"&Нижний индекс", L"", 10},

        {M::Tools, L"SelectTemplateItem", L"Редактор &шаблонов", L"", kCmdTemplateEditor},
        {M::Tools, L"MacrosEditorItem", L"Редактор &макросов", L"", kCmdMacroEditor},
        {M::Tools, L"HTMLExtensionItem", L"&Расширение html", L"", kCmdHtmlExtension, false, false, true},
        {M::Tools, L"AutoindentItem", L"&Автоотступ", L"", kCmdAutoindent},
        {M::Tools, L"SmartTabItem", L"&Умная табуляция", L"", kCmdSmartTab},
        {M::Tools, L"WordSelectItem", L"&Выделение слов", L"", kCmdWordSelect},
        {M::Tools, L"BackupsItem", L"Р&езервные копии", L"", kCmdBackups, false, false, false, true},
        {M::Tools, L"CaseItem", L"Ре&гистр...", L"Ctrl+Shift+R", kCmdCase},

        {M::Help, L"AboutItem", L"&О программе", L"", kCmdAbout},
    };
    return entries;
}

const MenuEntry* FindMenuEntry(std::wstring_view name) {
    for (const auto& entry : MenuEntries())
        if (entry.name == name) return &entry;
    return nullptr;
}

bool ParseKey(std::wstring_view text, KeyChord& chord) {
    chord = {};
    if (text.empty()) return false;
    while (true) {
        const size_t plus = text.find(L'+');
        if (plus == std::wstring_view::npos) break;
        const std::wstring_view modifier = text.substr(0, plus);
        if (modifier == L"Ctrl") chord.ctrl = true;
        else if (modifier == L"Shift") chord.shift = true;
        else if (modifier == L"Alt") chord.alt = true;
        else return false;
        text.remove_prefix(plus + 1);
    }
    if (text.size() == 1 && ((text[0] >= L'A' && text[0] <= L'Z') || (text[0] >= L'0' && text[0] <= L'9'))) {
        chord.virtualKey = text[0];
        return true;
    }
    if (text.size() >= 2 && text.size() <= 3 && text[0] == L'F') {
        int n = 0;
        for (size_t i = 1; i < text.size(); ++i) {
            if (text[i] < L'0' || text[i] > L'9') return false;
            n = n * 10 + (text[i] - L'0');
        }
        if (n < 1 || n > 12) return false;
        chord.virtualKey = 0x70 + n - 1;
        return true;
    }
    return false;
}

}  // namespace quillon
