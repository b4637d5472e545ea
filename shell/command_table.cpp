#include "command_table.h"

namespace quillon {

namespace {
using M = TopMenu;
}

const std::vector<TopMenuEntry>& TopMenus() {
    static const std::vector<TopMenuEntry> menus = {
        {M::File, L"FileItem", L"&Файл", L"Команды работы с файлами"},
        {M::Edit, L"EditItem", L"&Правка", L"Команды правки текста"},
        {M::View, L"ViewItem", L"&Вид", L"Команды настройки вида"},
        {M::Format, L"FormatItem", L"Фор&мат", L"Теги форматирования вокруг выделенного текста"},
        {M::Tools, L"ToolsItem", L"С&ервис", L"Редакторы шаблонов и макросов, настройки правки"},
        {M::Window, L"WindowItem", L"&Окно", L"Команды работы с окнами"},
        {M::Help, L"HelpItem", L"&Справка", L"Сведения о программе"},
    };
    return menus;
}

const std::vector<MenuEntry>& MenuEntries() {
    using S = Subsystem;
    using V = DocumentVerb;
    using F = MenuItemFlags;
    // menu, name, caption, key, command, runs it, document verb, flags, hint
    static const std::vector<MenuEntry> entries = {
        {M::File, L"CreateItem", L"Созд&ать", L"", kNoCommand, S::Shell, V::None, F::Submenu,
         L"Создание нового документа"},
        {M::File, L"TemplateItem", L"Загрузить &шаблон", L"", kNoCommand, S::Templates, V::None, F::Submenu | F::SeparatorAfter,
         L"Загрузка выбранного шаблона в новое окно"},
        {M::File, L"OpenItem", L"&Открыть...", L"Ctrl+O", kCmdOpen, S::Shell, V::None, F::None,
         L"Открытие существующего документа"},
        {M::File, L"ReopenItem", L"Открыть с&нова", L"", kNoCommand, S::Shell, V::None, F::Submenu | F::SeparatorAfter,
         L"Открытие одного из недавно закрытых файлов"},
        {M::File, L"SaveItem", L"&Сохранить", L"Ctrl+S", kCmdSave, S::Document, V::Save, F::None,
         L"Сохрание активного документа"},
        {M::File, L"SaveAsItem", L"Сохранить &как...", L"", kCmdSaveAs, S::Document, V::SaveAs, F::SeparatorAfter,
         L"Сохранение активного документа под другим именем"},
        {M::File, L"SaveAllItem", L"Сохранить &все", L"F2", kCmdSaveAll, S::Shell, V::None, F::SeparatorAfter,
         L"Сохрание измененных документов во всех открытых окнах"},
        {M::File, L"PrinterSetupItem", L"Пара&метры страницы...", L"", kCmdPrinterSetup, S::Shell, V::None, F::Hidden,
         L"Выбор принтера и параметров страницы"},
        {M::File, L"PrintItem", L"&Печать...", L"", kCmdPrint, S::Shell, V::None, F::Hidden | F::SeparatorAfter,
         L"Печать активного документа"},
        {M::File, L"ShowInBrowser", L"Показать в &браузере", L"F5", kCmdShowInBrowser, S::Document, V::ShowInBrowser, F::SeparatorAfter,
         L"Просмотр активного документа HTML в браузере, используемом по умолчанию"},
        {M::File, L"ExitItem", L"В&ыход", L"", kCmdExit, S::Shell, V::None, F::None,
         L"Завершение работы с программой"},

        {M::Edit, L"UndoItem", L"&Отменить", L"Ctrl+Z", kCmdUndo, S::Document, V::Undo, F::None,
         L"Отмена последнего выполненного действия"},
        {M::Edit, L"RedoItem", L"Вернут&ь", L"Ctrl+Shift+Z", kCmdRedo, S::Document, V::Redo, F::SeparatorAfter,
         L"Возврат результатов отмененного действия"},
        {M::Edit, L"CutItem", L"&Вырезать", L"Ctrl+X", kCmdCut, S::Document, V::Cut, F::None,
         L"Удаление выделенного текста в буфер обмена"},
        {M::Edit, L"CopyItem", L"&Копировать", L"Ctrl+C", kCmdCopy, S::Document, V::Copy, F::None,
         L"Помещение выделенного текста в буфер обмена"},
        {M::Edit, L"PasteItem", L"Вст&авить", L"Ctrl+V", kCmdPaste, S::Document, V::Paste, F::None,
         L"Вставка текста из буфера обмена"},
        {M::Edit, L"DeleteItem", L"&Удалить", L"", kCmdDelete, S::Document, V::Delete, F::SeparatorAfter,
         L"Удаление выделенного текста"},
        {M::Edit, L"FindItem", L"&Найти...", L"Ctrl+F", kCmdFind, S::Document, V::Find, F::None,
         L"Поиск заданного текста"},
        {M::Edit, L"FindNextItem", L"На&йти далее", L"F3", kCmdFindNext, S::Document, V::FindNext, F::None,
         L"Поиск следующего вхождения уже заданного текста"},
        {M::Edit, L"ReplaceItem", L"&Заменить...", L"Ctrl+H", kCmdReplace, S::Document, V::Replace, F::None,
         L"Замена одного текста другим"},
        {M::Edit, L"GoToItem", L"&Перейти...", L"Ctrl+G", kCmdGoTo, S::Document, V::GoToLine, F::SeparatorAfter,
         L"Переход к указанной строке в документе"},
        {M::Edit, L"SelectAllItem", L"Выделить в&се", L"Ctrl+A", kCmdSelectAll, S::Document, V::SelectAll, F::SeparatorAfter,
         L"Выделение всего текста"},
        {M::Edit, L"IndentItem", L"Сдвинуть вп&раво", L"Ctrl+Shift+I", kCmdIndent, S::Document, V::Indent, F::None,
         L"Сдвиг выделенных строк вправо"},
        {M::Edit, L"UnindentItem", L"Сдвинуть в&лево", L"Ctrl+Shift+U", kCmdUnindent, S::Document, V::Unindent, F::SeparatorAfter,
         L"Сдвиг выделенных строк влево"},
        {M::Edit, L"ReadOnlyItem", L"Только &чтение", L"", kCmdReadOnly, S::Document, V::ToggleReadOnly, F::None,
         L"Запрет или разрешение изменений в активном документе"},

        {M::View, L"ToolBarsItem", L"Панели &инструментов", L"", kNoCommand, S::Toolbars, V::None, F::Submenu,
         L"Отображение и скрытие панелей инструментов"},
        {M::View, L"FullFileNameItem", L"Полное имя &файла", L"", kCmdFullNames, S::Shell, V::None, F::None,
         L"Полное имя файла в заголовке окна документа"},
        {M::View, L"WordWrapItem", L"Перенос по &словам", L"Ctrl+W", kCmdWordWrap, S::Shell, V::None, F::None,
         L"Перенос длинных строк активного документа по словам"},
        {M::View, L"CodingItem", L"&Текст DOS", L"Ctrl+D", kCmdCoding, S::Shell, V::None, F::None,
         L"Переключение текста активного документа между кодировками Windows и DOS"},
        {M::View, L"Utf8Item", L"Текст &UTF-8", L"", kCmdUtf8, S::Shell, V::None, F::SeparatorAfter,
         L"Переключение активного документа между кодировками UTF-8 и Windows"},
        {M::View, L"FontItem", L"&Шрифт...", L"", kCmdFont, S::Shell, V::None, F::None,
         L"Выбор шрифта для окон документов"},

        {M::Format, L"BoldItem", L"Полу&жирный", L"Ctrl+B", 0, S::Macros, V::None, F::None,
         L"Полужирный (тег <b>)"},
        {M::Format, L"ItalicItem", L"&Курсив", L"Ctrl+I", 1, S::Macros, V::None, F::None,
         L"Курсив (тег <i>)"},
        {M::Format, L"UnderlinedItem", L"Под&черкнутый", L"Ctrl+U", 2, S::Macros, V::None, F::None,
         L"Подчеркнутый (тег <span style=\"text-decoration: underline\">)"},
        {M::Format, L"StrikeItem", L"&Зачеркнутый", L"", 3, S::Macros, V::None, F::None,
         L"Зачеркнутый (тег <span style=\"text-decoration: line-through\">)"},
        {M::Format, L"TeletypeItem", L"&Телетайп", L"Ctrl+Alt+T", 4, S::Macros, V::None, F::SeparatorAfter,
         L"Телетайп (тег <tt>)"},
        {M::Format, L"EmItem", L"В&ыделить", L"Ctrl+Shift+E", 5, S::Macros, V::None, F::None,
         L"Выделить (тег <em>)"},
        {M::Format, L"StrongItem", L"У&силить", L"Ctrl+Shift+T", 6, S::Macros, V::None, F::None,
         L"Усилить (тег <strong>)"},
        {M::Format, L"BigItem", L"&Большой шрифт", L"Ctrl+Shift+B", 7, S::Macros, V::None, F::None,
         L"Большой шрифт (тег <big>)"},
        {M::Format, L"SmallItem", L"&Маленький шрифт", L"Ctrl+Shift+S", 8, S::Macros, V::None, F::None,
         L"Маленький шрифт (тег <small>)"},
        {M::Format, L"SuperscriptItem", L"&Верхний индекс", L"Ctrl+Shift+P", 9, S::Macros, V::None, F::None,
         L"Верхний индекс (тег <sup>)"},
        // The form gives subscript Ctrl+Shift+B too, which the big-font item
        // holds; Ctrl+Shift+D is free and gives it a key that works.
        {M::Format, L"SubscriptItem", L"&Нижний индекс", L"Ctrl+Shift+D", 10, S::Macros, V::None, F::None,
         L"Нижний индекс (тег <sub>)"},

        {M::Tools, L"SelectTemplateItem", L"Редактор &шаблонов", L"", kCmdTemplateEditor, S::Templates, V::None, F::None,
         L"Изменение списка шаблонов документов"},
        {M::Tools, L"MacrosEditorItem", L"Редактор &макросов", L"", kCmdMacroEditor, S::Macros, V::None, F::None,
         L"Изменение набора макросов"},
        {M::Tools, L"HTMLExtensionItem", L"&Расширение html", L"", kCmdHtmlExtension, S::Shell, V::None, F::Disabled,
         L"Расширение .html для новых документов HTML"},
        {M::Tools, L"AutoindentItem", L"&Автоотступ", L"", kCmdAutoindent, S::Shell, V::None, F::None,
         L"Отступ новой строки как у предыдущей"},
        {M::Tools, L"SmartTabItem", L"&Умная табуляция", L"", kCmdSmartTab, S::Shell, V::None, F::None,
         L"Табуляция к началам слов предыдущей строки"},
        {M::Tools, L"WordSelectItem", L"&Выделение слов", L"", kCmdWordSelect, S::Shell, V::None, F::None,
         L"Выделение мышью целыми словами"},
        {M::Tools, L"BackupsItem", L"Р&езервные копии", L"", kCmdBackups, S::Shell, V::None, F::SeparatorAfter,
         L"Резервная копия файла при каждом сохранении"},
        {M::Tools, L"CaseItem", L"Ре&гистр...", L"Ctrl+Shift+R", kCmdCase, S::Document, V::ChangeCase, F::None,
         L"Изменение регистра букв выделенного текста"},

        {M::Window, L"CascadeItem", L"&Каскадом", L"", kCmdCascade, S::Windows, V::None, F::None,
         L"Расположить открытые окна каскадом"},
        {M::Window, L"HTileItem", L"Свер&ху вниз", L"", kCmdTileAbove, S::Windows, V::None, F::None,
         L"Расположить открытые окна без перекрытий сверху вниз (горизонтально)"},
        {M::Window, L"VTileItem", L"С&лева направо", L"", kCmdTileSideBySide, S::Windows, V::None, F::SeparatorAfter,
         L"Расположить открытые окна без перекрытий слева направо (вертикально)"},
        {M::Window, L"ArrangeItem", L"&Упорядочить значки", L"", kCmdArrangeIcons, S::Windows, V::None, F::SeparatorAfter,
         L"Упорядочить значки свернутых окон"},
        {M::Window, L"PrevWindowItem", L"&Предыдущее окно", L"", kCmdPreviousWindow, S::Windows, V::None, F::None,
         L"Активизация предыдущего окна"},
        {M::Window, L"NextWindowItem", L"&Следующее окно", L"", kCmdNextWindow, S::Windows, V::None, F::None,
         L"Активизация следующего окна"},
        {M::Window, L"WindowListItem", L"&Все окна...", L"", kCmdWindowList, S::Windows, V::None, F::SeparatorAfter,
         L"Отображение списка окон для выбора необходимого окна"},
        {M::Window, L"CloseAllItem", L"&Закрыть все", L"Shift+F4", kCmdCloseAll, S::Shell, V::None, F::None,
         L"Закрытие всех открытых окон"},
        // Hidden: only their keys, Alt+1 ... Alt+0, select windows 0-9.
        {M::Window, L"Window1Item", L"1", L"Alt+1", 0, S::Windows, V::None, F::Hidden, {}, Handler::WindowSelect},
        {M::Window, L"Window2Item", L"2", L"Alt+2", 1, S::Windows, V::None, F::Hidden, {}, Handler::WindowSelect},
        {M::Window, L"Window3Item", L"3", L"Alt+3", 2, S::Windows, V::None, F::Hidden, {}, Handler::WindowSelect},
        {M::Window, L"Window4Item", L"4", L"Alt+4", 3, S::Windows, V::None, F::Hidden, {}, Handler::WindowSelect},
        {M::Window, L"Window5Item", L"5", L"Alt+5", 4, S::Windows, V::None, F::Hidden, {}, Handler::WindowSelect},
        {M::Window, L"Window6Item", L"6", L"Alt+6", 5, S::Windows, V::None, F::Hidden, {}, Handler::WindowSelect},
        {M::Window, L"Window7Item", L"7", L"Alt+7", 6, S::Windows, V::None, F::Hidden, {}, Handler::WindowSelect},
        {M::Window, L"Window8Item", L"8", L"Alt+8", 7, S::Windows, V::None, F::Hidden, {}, Handler::WindowSelect},
        {M::Window, L"Window9Item", L"9", L"Alt+9", 8, S::Windows, V::None, F::Hidden, {}, Handler::WindowSelect},
        {M::Window, L"Window10Item", L"0", L"Alt+0", 9, S::Windows, V::None, F::Hidden, {}, Handler::WindowSelect},

        {M::Help, L"AboutItem", L"&О программе", L"", kCmdAbout, S::Shell, V::None, F::None,
         L"Сведения о программе и ее версии"},
    };
    return entries;
}

const MenuEntry* FindMenuEntry(std::wstring_view name) {
    for (const auto& entry : MenuEntries())
        if (entry.name == name) return &entry;
    return nullptr;
}

const std::vector<MenuEntry>& CommandsWithoutItems() {
    using S = Subsystem;
    static const std::vector<MenuEntry> entries = {
        {M::File, L"NewBtn", L"Создать", L"", kCmdNew, S::Shell},
    };
    return entries;
}

const MenuEntry* FindCommand(int command) {
    if (command == kNoCommand) return nullptr;
    for (const auto* table : {&MenuEntries(), &CommandsWithoutItems()})
        for (const auto& entry : *table)
            if (entry.command == command && entry.handler == Handler::MenuItemSelect) return &entry;
    return nullptr;
}

const std::vector<std::wstring_view>& ContextMenuNames() {
    static const std::vector<std::wstring_view> names = {
        L"UndoItem", L"RedoItem", L"", L"CutItem", L"CopyItem", L"PasteItem", L"DeleteItem", L"",
        L"FindItem", L"FindNextItem", L"ReplaceItem", L"", L"SelectAllItem",
    };
    return names;
}

}  // namespace quillon
