// Stencil.dll: the template list editor. EditTemplates (ordinal 1) shows a
// modal dialog that edits the editor's live template list through its two
// interfaces; the dialog keeps no copy of the list. Its column layout and sort
// order live under HKCU\Software\Brindle\Quillon\Stencil.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "codepage.h"
#include "filebox_api.h"
#include "stencil_ids.h"
#include "stencil_model.h"
#include "template_interfaces.h"
#include "win32_dialogs.h"
#include "win32_pictures.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace quillon {
namespace {

HINSTANCE Module() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

constexpr int kColumns = kTemplateColumns;
constexpr int kNumberColumn = static_cast<int>(TemplateColumn::Number);
constexpr wchar_t kSettingsKey[] = L"Software\\Brindle\\Quillon\\Stencil";
constexpr int kNameBufferSize = 10240;

struct ColumnLook {
    int header, format;
};
constexpr ColumnLook kColumnLooks[kColumns] = {
    {IDS_COLUMN_TITLE, LVCFMT_LEFT},       {IDS_COLUMN_EXT, LVCFMT_CENTER}, {IDS_COLUMN_DESCRIPTION, LVCFMT_LEFT},
    {IDS_COLUMN_PATH, LVCFMT_LEFT},        {IDS_COLUMN_NUMBER, LVCFMT_RIGHT},
};

std::wstring LoadText(int id) {
    const wchar_t* text = nullptr;
    const int length = LoadStringW(Module(), static_cast<UINT>(id), reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 ? std::wstring(text, static_cast<size_t>(length)) : std::wstring();
}

// The list's texts are Windows-1251; a getter may give no text at all.
std::wstring Widen(const char* bytes, CodePage page = CodePage::Win1251) {
    return bytes ? BytesToText(bytes, page) : std::wstring();
}
std::string Narrow(const std::wstring& text) { return TextToBytes(text, CodePage::Win1251); }

using Settings = ColumnLayout;

std::optional<std::int32_t> ReadDword(HKEY key, const wchar_t* name) {
    DWORD data = 0, size = sizeof data, type = 0;
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof data)
        return std::nullopt;
    return static_cast<std::int32_t>(data);
}

// Registry failures are silent: what cannot be read keeps its default.
Settings ReadSettings() {
    StoredLayout stored;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return Settings{};
    stored.sort = ReadDword(key, L"Sort");
    stored.ascending = ReadDword(key, L"Ascending");
    for (int c = 0; c < kColumns; ++c) {
        wchar_t name[32];
        wsprintfW(name, L"Column%d Order", c);
        stored.order[c] = ReadDword(key, name);
        wsprintfW(name, L"Column%d Width", c);
        stored.width[c] = ReadDword(key, name);
    }
    RegCloseKey(key);
    return LayoutFromStored(stored);
}

void WriteSettings(const Settings& settings) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    auto put = [&](const wchar_t* name, int value) {
        const DWORD data = static_cast<DWORD>(value);
        RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data);
    };
    put(L"Sort", settings.sortColumn);
    put(L"Ascending", settings.ascending ? 1 : 0);
    for (int c = 0; c < kColumns; ++c) {
        wchar_t name[32];
        wsprintfW(name, L"Column%d Order", c);
        put(name, settings.order[c]);
        wsprintfW(name, L"Column%d Width", c);
        put(name, settings.width[c]);
    }
    RegCloseKey(key);
}

HIMAGELIST LoadPictures(int bitmapId, int width, int height, const std::vector<COLORMAP>& mapping = {}) {
    return LoadPictureList(Module(), bitmapId, width, height, mapping);
}

// The edit dialog's fields.
struct EditFields {
    int number;
    std::wstring title, ext, description, path;
};

INT_PTR CALLBACK EditProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* fields = reinterpret_cast<EditFields*>(lParam);
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        SetDlgItemInt(dialog, IDC_EDIT_NUMBER, static_cast<UINT>(fields->number), FALSE);
        SetDlgItemTextW(dialog, IDC_EDIT_TITLE, fields->title.c_str());
        SetDlgItemTextW(dialog, IDC_EDIT_EXT, fields->ext.c_str());
        SetDlgItemTextW(dialog, IDC_EDIT_DESCRIPTION, fields->description.c_str());
        SetDlgItemTextW(dialog, IDC_EDIT_PATH, fields->path.c_str());
        return TRUE;
    }
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        if (LOWORD(wParam) == IDOK) {
            auto* fields = reinterpret_cast<EditFields*>(GetWindowLongPtrW(dialog, DWLP_USER));
            fields->title = ControlText(dialog, IDC_EDIT_TITLE);
            fields->description = ControlText(dialog, IDC_EDIT_DESCRIPTION);
        }
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

class TemplateEditorDialog {
public:
    explicit TemplateEditorDialog(CTemplateListInterface& list) : list_(list) {}

    static INT_PTR CALLBACK Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_INITDIALOG) SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        auto* self = reinterpret_cast<TemplateEditorDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
        return self ? self->Handle(dialog, message, wParam, lParam) : FALSE;
    }

private:
    INT_PTR Handle(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
        case WM_INITDIALOG:
            Open(dialog);
            return TRUE;
        case WM_COMMAND:
            Command(LOWORD(wParam));
            return TRUE;
        case WM_NOTIFY:
            SetWindowLongPtrW(dialog, DWLP_MSGRESULT, Notify(reinterpret_cast<NMHDR*>(lParam)));
            return TRUE;
        case WM_CLOSE:
            Close();
            return TRUE;
        case WM_DESTROY:
            if (addMenu_) DestroyMenu(addMenu_);
            for (HIMAGELIST images : {normal_, hot_, disabled_, arrows_})
                if (images) ImageList_Destroy(images);
            return FALSE;
        default:
            return FALSE;
        }
    }

    // ---- opening ----

    void Open(HWND dialog) {
        dialog_ = dialog;
        listView_ = GetDlgItem(dialog, IDC_TEMPLATE_LIST);
        combo_ = GetDlgItem(dialog, IDC_DEFAULT_TEMPLATE);
        settings_ = ReadSettings();
        sortColumn_ = settings_.sortColumn;
        ascending_ = settings_.ascending;
        addMenu_ = LoadMenuW(Module(), MAKEINTRESOURCEW(IDM_ADD_MENU));

        combo.Fill(list_);
        for (int i = 0; i < list_.GetCount(); ++i)
            if (combo.Of(i) >= 0) InsertComboEntry(combo.Of(i), i);
        SelectComboEntryOf(list_.GetDefault());

        CreateToolBar();
        FitDefaultLabel();

        ListView_SetExtendedListViewStyle(listView_, LVS_EX_CHECKBOXES | LVS_EX_HEADERDRAGDROP | LVS_EX_ONECLICKACTIVATE |
                                                         LVS_EX_UNDERLINEHOT | LVS_EX_LABELTIP);
        for (int c = 0; c < kColumns; ++c) {
            std::wstring header = LoadText(kColumnLooks[c].header);
            LVCOLUMNW column{};
            column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
            column.fmt = kColumnLooks[c].format;
            column.cx = settings_.width[c];
            column.pszText = header.data();
            column.iSubItem = c;
            ListView_InsertColumn(listView_, c, &column);
        }
        int order[kColumns];
        for (int c = 0; c < kColumns; ++c) order[settings_.order[c]] = c;
        ListView_SetColumnOrderArray(listView_, kColumns, order);

        arrows_ = LoadPictures(IDB_SORT_ARROWS, 9, 5, {{RGB(128, 128, 128), GetSysColor(COLOR_BTNSHADOW)}});
        Header_SetImageList(ListView_GetHeader(listView_), arrows_);

        updating_ = true;
        SendMessageW(listView_, WM_SETREDRAW, FALSE, 0);
        for (int i = 0; i < list_.GetCount(); ++i) AppendRow(i);
        SendMessageW(listView_, WM_SETREDRAW, TRUE, 0);
        updating_ = false;
        Sort();
        MarkSortColumn(sortColumn_, true);
        UpdateCommands();
        SetFocus(listView_);
    }

    void CreateToolBar() {
        RECT listRect{};
        GetWindowRect(listView_, &listRect);
        MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&listRect), 2);
        RECT client{};
        GetClientRect(dialog_, &client);
        const int gap = listRect.left;
        toolBar_ = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                                   WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | TBSTYLE_WRAPABLE |
                                       CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER,
                                   listRect.right + gap, listRect.top, 80, client.bottom - listRect.top, dialog_,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_TOOLBAR)), Module(), nullptr);
        SendMessageW(toolBar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
        SendMessageW(toolBar_, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
        normal_ = LoadPictures(IDB_TOOLS, 20, 20);
        hot_ = LoadPictures(IDB_TOOLS_HOT, 20, 20);
        disabled_ = LoadPictures(IDB_TOOLS_DISABLED, 20, 20,
                                 {{RGB(128, 128, 128), GetSysColor(COLOR_BTNSHADOW)},
                                  {RGB(255, 255, 255), GetSysColor(COLOR_BTNHIGHLIGHT)}});
        SendMessageW(toolBar_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(normal_));
        SendMessageW(toolBar_, TB_SETHOTIMAGELIST, 0, reinterpret_cast<LPARAM>(hot_));
        SendMessageW(toolBar_, TB_SETDISABLEDIMAGELIST, 0, reinterpret_cast<LPARAM>(disabled_));
        // The labels, '|'-separated in one string, become the tool bar's string list.
        std::wstring labels = LoadText(IDS_TOOL_LABELS);
        for (auto& ch : labels)
            if (ch == L'|') ch = L'\0';
        labels.push_back(L'\0');
        SendMessageW(toolBar_, TB_ADDSTRINGW, 0, reinterpret_cast<LPARAM>(labels.c_str()));
        struct Button {
            int command, image, label;
            BYTE state, style;
        };
        const Button buttons[] = {
            {CMD_ADD_FILE, 4, 0, TBSTATE_ENABLED, BTNS_WHOLEDROPDOWN},
            {CMD_DELETE, 2, 1, 0, BTNS_BUTTON},
            {CMD_EDIT, 3, 2, 0, BTNS_BUTTON},
            {0, 0, 0, 0, BTNS_SEP},
            {CMD_UP, 0, 3, 0, BTNS_BUTTON},
            {CMD_DOWN, 1, 4, 0, BTNS_BUTTON},
            {0, 0, 0, 0, BTNS_SEP},
            {CMD_CLOSE, 5, 5, TBSTATE_ENABLED, BTNS_BUTTON},
        };
        std::vector<TBBUTTON> added;
        for (const Button& b : buttons) {
            TBBUTTON button{};
            button.idCommand = b.command;
            button.iBitmap = b.style == BTNS_SEP ? 0 : b.image;
            // Every button ends its row; a separator between two rows is a gap.
            button.fsState = static_cast<BYTE>(b.state | TBSTATE_WRAP);
            button.fsStyle = b.style;
            button.iString = b.style == BTNS_SEP ? 0 : b.label;
            added.push_back(button);
        }
        SendMessageW(toolBar_, TB_ADDBUTTONSW, added.size(), reinterpret_cast<LPARAM>(added.data()));
        SendMessageW(toolBar_, TB_AUTOSIZE, 0, 0);
        // As wide as its widest button (Add's arrow included), and the dialog
        // widened to hold it.
        int width = LOWORD(static_cast<DWORD>(SendMessageW(toolBar_, TB_GETBUTTONSIZE, 0, 0)));
        const int count = static_cast<int>(SendMessageW(toolBar_, TB_BUTTONCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            RECT item{};
            if (SendMessageW(toolBar_, TB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item)))
                width = std::max(width, static_cast<int>(item.right));
        }
        SetWindowPos(toolBar_, nullptr, listRect.right + gap, listRect.top, width, client.bottom - listRect.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        const int wanted = listRect.right + gap + width + gap;
        if (wanted > client.right) {
            RECT frame{};
            GetWindowRect(dialog_, &frame);
            SetWindowPos(dialog_, nullptr, 0, 0, frame.right - frame.left + wanted - client.right,
                         frame.bottom - frame.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }

    // The label of the combo box keeps its whole text: where the dialog font
    // draws it wider than its place, the label grows and the combo box gives
    // up that much of its left side.
    void FitDefaultLabel() {
        HWND label = GetDlgItem(dialog_, IDC_DEFAULT_LABEL);
        if (!label) return;
        RECT labelRect{}, comboRect{};
        GetWindowRect(label, &labelRect);
        GetWindowRect(combo_, &comboRect);
        MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&labelRect), 2);
        MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&comboRect), 2);
        const std::wstring text = ControlText(dialog_, IDC_DEFAULT_LABEL);
        HDC dc = GetDC(label);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)));
        RECT needed{0, 0, 0, 0};
        DrawTextW(dc, text.c_str(), -1, &needed, DT_CALCRECT | DT_SINGLELINE);
        SelectObject(dc, old);
        ReleaseDC(label, dc);
        const int grow = needed.right - (labelRect.right - labelRect.left);
        if (grow <= 0) return;
        SetWindowPos(label, nullptr, 0, 0, needed.right, labelRect.bottom - labelRect.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        SetWindowPos(combo_, nullptr, comboRect.left + grow, comboRect.top, comboRect.right - comboRect.left - grow,
                     comboRect.bottom - comboRect.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }

    // ---- rows ----

    int RowOf(int index) const {
        return index >= 0 && index < static_cast<int>(rows_.size()) ? rows_[static_cast<size_t>(index)] : -1;
    }
    int IndexOfRow(int row) const {
        LVITEMW item{};
        item.mask = LVIF_PARAM;
        item.iItem = row;
        return ListView_GetItem(listView_, &item) ? static_cast<int>(item.lParam) : -1;
    }
    int SelectedRow() const { return ListView_GetNextItem(listView_, -1, LVNI_SELECTED); }
    int SelectedIndex() const {
        const int row = SelectedRow();
        return row < 0 ? -1 : IndexOfRow(row);
    }
    void RecordRows() {
        rows_.assign(static_cast<size_t>(list_.GetCount()), -1);
        const int count = ListView_GetItemCount(listView_);
        for (int row = 0; row < count; ++row) {
            const int index = IndexOfRow(row);
            if (index >= 0 && index < static_cast<int>(rows_.size())) rows_[static_cast<size_t>(index)] = row;
        }
    }

    void SetCell(int row, int column, const std::wstring& text) {
        ListView_SetItemText(listView_, row, column, const_cast<wchar_t*>(text.c_str()));
    }

    // Every text, the item data and the check box of a row from list index i.
    void FillRow(int row, int index) {
        CTemplateItemInterface* item = list_.GetItem(index);
        if (!item) return;
        LVITEMW data{};
        data.mask = LVIF_PARAM;
        data.iItem = row;
        data.lParam = index;
        ListView_SetItem(listView_, &data);
        const int id = item->GetId();
        SetCell(row, 0, id == 0 ? LoadText(IDS_SEPARATOR) : Widen(item->GetTitle()));
        SetCell(row, 1, Widen(item->GetExt()));
        SetCell(row, 2, Widen(item->GetDescription()));
        SetCell(row, 3, id > 0 ? LoadText(IDS_BUILT_IN) : Widen(item->GetFileName()));
        SetCell(row, kNumberColumn, std::to_wstring(index + 1));
        const bool wasUpdating = updating_;
        updating_ = true;
        ListView_SetCheckState(listView_, row, item->GetVisible() ? TRUE : FALSE);
        updating_ = wasUpdating;
    }

    int AppendRow(int index) {
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = ListView_GetItemCount(listView_);
        item.pszText = const_cast<wchar_t*>(L"");
        item.lParam = index;
        const int row = ListView_InsertItem(listView_, &item);
        if (row < 0) return row;
        FillRow(row, index);
        if (static_cast<int>(rows_.size()) <= index) rows_.resize(static_cast<size_t>(index) + 1, -1);
        rows_[static_cast<size_t>(index)] = row;
        return row;
    }

    // ---- sorting ----

    static int CALLBACK CompareProc(LPARAM a, LPARAM b, LPARAM self) {
        return reinterpret_cast<TemplateEditorDialog*>(self)->Compare(static_cast<int>(a), static_cast<int>(b));
    }
    int Compare(int a, int b) {
        CTemplateItemInterface* first = list_.GetItem(a);
        CTemplateItemInterface* second = list_.GetItem(b);
        if (!first || !second) return 0;
        const auto column = static_cast<TemplateColumn>(sortColumn_);
        return CompareRows(RowKeyOf(*first, a, column), RowKeyOf(*second, b, column), column, ascending_,
                           [](const std::string& x, const std::string& y) {
                               return CompareStringW(LOCALE_USER_DEFAULT, 0, Widen(x.c_str()).c_str(), -1,
                                                     Widen(y.c_str()).c_str(), -1) - CSTR_EQUAL;
                           });
    }
    void Sort() {
        ListView_SortItems(listView_, CompareProc, reinterpret_cast<LPARAM>(this));
        RecordRows();
        const int row = SelectedRow();
        if (row >= 0) ListView_EnsureVisible(listView_, row, FALSE);
    }

    // The header's arrow on a column (or none) and the list's sorted column.
    void MarkSortColumn(int column, bool marked) {
        HWND header = ListView_GetHeader(listView_);
        HDITEMW item{};
        item.mask = HDI_FORMAT;
        Header_GetItem(header, column, &item);
        item.fmt &= ~(HDF_IMAGE | HDF_BITMAP_ON_RIGHT);
        if (marked) {
            item.mask |= HDI_IMAGE;
            item.fmt |= HDF_IMAGE | HDF_BITMAP_ON_RIGHT;
            item.iImage = ascending_ ? 0 : 1;
        }
        Header_SetItem(header, column, &item);
        if (marked) ListView_SetSelectedColumn(listView_, column);
    }

    void HeaderClick(int column) {
        if (column < 0 || column >= kColumns) return;
        if (column == sortColumn_) {
            ascending_ = !ascending_;
        } else {
            MarkSortColumn(sortColumn_, false);
            sortColumn_ = column;
            ascending_ = true;
        }
        Sort();
        MarkSortColumn(sortColumn_, true);
    }

    // ---- the default-template combo box ----

    void InsertComboEntry(int position, int index) {
        CTemplateItemInterface* item = list_.GetItem(index);
        const std::wstring title = item ? Widen(item->GetTitle()) : std::wstring();
        const auto at = SendMessageW(combo_, CB_INSERTSTRING, static_cast<WPARAM>(position),
                                     reinterpret_cast<LPARAM>(title.c_str()));
        if (at >= 0) SendMessageW(combo_, CB_SETITEMDATA, static_cast<WPARAM>(at), index);
    }
    // Removes an entry; when it was the selected one, the entry before it
    // (the first when it was first) becomes selected.
    void RemoveComboEntry(int position) {
        const auto selected = SendMessageW(combo_, CB_GETCURSEL, 0, 0);
        SendMessageW(combo_, CB_DELETESTRING, static_cast<WPARAM>(position), 0);
        if (selected != position) return;
        const auto count = SendMessageW(combo_, CB_GETCOUNT, 0, 0);
        if (count > 0) SendMessageW(combo_, CB_SETCURSEL, static_cast<WPARAM>(position > 0 ? position - 1 : 0), 0);
    }
    // Replaces an entry's text, keeping the selection where it was.
    void RenameComboEntry(int index) {
        const int position = combo.Of(index);
        if (position < 0) return;
        const auto selected = SendMessageW(combo_, CB_GETCURSEL, 0, 0);
        SendMessageW(combo_, CB_DELETESTRING, static_cast<WPARAM>(position), 0);
        InsertComboEntry(position, index);
        if (selected >= 0) SendMessageW(combo_, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
    }
    void SetComboData(int position, int index) {
        if (position >= 0) SendMessageW(combo_, CB_SETITEMDATA, static_cast<WPARAM>(position), index);
    }
    void SelectComboEntryOf(int index) {
        SendMessageW(combo_, CB_SETCURSEL, static_cast<WPARAM>(combo.Of(index)), 0);
    }

    // ---- commands ----

    void UpdateCommands() {
        const int index = SelectedIndex();
        const TemplateCommandStates states = CommandStatesFor(list_, index);
        editable_ = states.edit;
        SendMessageW(toolBar_, TB_ENABLEBUTTON, CMD_DELETE, states.remove);
        SendMessageW(toolBar_, TB_ENABLEBUTTON, CMD_EDIT, states.edit);
        SendMessageW(toolBar_, TB_ENABLEBUTTON, CMD_UP, states.up);
        SendMessageW(toolBar_, TB_ENABLEBUTTON, CMD_DOWN, states.down);
    }

    void Command(int id) {
        switch (id) {
        case CMD_ADD_FILE: AddFiles(); break;
        case CMD_ADD_SEPARATOR: AddSeparator(); break;
        case CMD_DELETE: DeleteSelected(); break;
        case CMD_EDIT: EditSelected(); break;
        case CMD_UP: MoveSelected(-1); break;
        case CMD_DOWN: MoveSelected(+1); break;
        case CMD_CLOSE:
        case IDCANCEL: Close(); break;
        case IDOK:
            // Enter: on the list it activates the selected row.
            if (GetFocus() == listView_) EditSelected();
            break;
        default: break;
        }
    }

    // A new row at the end for a template just added to the list.
    void AddedRow(int index) {
        combo.Append();
        const int row = AppendRow(index);
        // A new row is ticked like its template; give it a combo entry.
        CheckChanged(index, list_.GetItem(index)->GetVisible());
        ListView_SetItemState(listView_, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        ListView_SetItemState(listView_, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        if (!(sortColumn_ == kNumberColumn && ascending_)) Sort();
        ListView_EnsureVisible(listView_, RowOf(index), FALSE);
        UpdateCommands();
    }

    static void __stdcall HideReadOnlyBox(FileDialogRequest*, OPENFILENAMEA* setup) { setup->Flags |= OFN_HIDEREADONLY; }

    void AddFiles() {
        std::vector<char> names(kNameBufferSize, '\0');
        char folder[kFileboxFolderSize] = {};
        const std::string title = TextToBytes(LoadText(IDS_ADD_TITLE), CodePage::Ansi);
        // Files become templates, read and never written: no read-only box.
        FileDialogRequest request{dialog_, names.data(), kNameBufferSize, 0, folder, title.c_str(), 0, HideReadOnlyBox};
        if (!OpenFiles(&request)) return;
        GetOpenFilesList(&request);
        names.back() = '\0';
        const std::string all(names.data());
        const std::wstring pattern = LoadText(IDS_ADD_DESCRIPTION);
        size_t start = 0;
        while (start < all.size()) {
            size_t end = all.find('\r', start);
            if (end == std::string::npos) end = all.size();
            const std::wstring name = Widen(all.substr(start, end - start).c_str(), CodePage::Ansi);
            start = end + 1;
            if (name.empty()) continue;
            CTemplateItemInterface* item = list_.Add();
            if (!item) break;
            item->SetFileName(Narrow(name).c_str());
            const size_t slash = name.find_last_of(L'\\');
            item->SetTitle(Narrow(slash == std::wstring::npos ? name : name.substr(slash + 1)).c_str());
            const size_t marker = pattern.find(L"%s");
            const std::wstring description = marker == std::wstring::npos
                              ? pattern
                              : pattern.substr(0, marker) + name + pattern.substr(marker + 2);
            item->SetDescription(Narrow(description).c_str());
            AddedRow(list_.GetCount() - 1);
        }
    }

    void AddSeparator() {
        CTemplateItemInterface* item = list_.Add();
        if (!item) return;
        item->SetId(0);
        item->SetTitle("");
        AddedRow(list_.GetCount() - 1);
    }

    void DeleteSelected() {
        const int row = SelectedRow();
        const int index = row < 0 ? -1 : IndexOfRow(row);
        if (!CommandStatesFor(list_, index).remove) return;
        const std::wstring question = LoadText(IDS_DELETE_QUESTION);
        wchar_t caption[128] = {};
        GetWindowTextW(dialog_, caption, 128);
        if (MessageBoxW(dialog_, question.c_str(), caption, MB_YESNO | MB_ICONWARNING) != IDYES)
            return;
        updating_ = true;
        ListView_DeleteItem(listView_, row);
        updating_ = false;
        list_.Delete(index);
        const int count = ListView_GetItemCount(listView_);
        for (int r = 0; r < count; ++r) {
            const int other = IndexOfRow(r);
            if (other > index) {
                LVITEMW data{};
                data.mask = LVIF_PARAM;
                data.iItem = r;
                data.lParam = other - 1;
                ListView_SetItem(listView_, &data);
                SetCell(r, kNumberColumn, std::to_wstring(other));
            }
        }
        const int position = combo.Remove(index);
        if (position >= 0) RemoveComboEntry(position);
        // The entries of later templates carry their new indexes.
        for (int i = index; i < combo.Count(); ++i) SetComboData(combo.Of(i), i);
        RecordRows();
        UpdateCommands();
    }

    void EditSelected() {
        const int row = SelectedRow();
        const int index = row < 0 ? -1 : IndexOfRow(row);
        if (!editable_ || index < 0) {
            MessageBeep(MB_ICONEXCLAMATION);
            return;
        }
        CTemplateItemInterface* item = list_.GetItem(index);
        EditFields fields{index + 1, Widen(item->GetTitle()), Widen(item->GetExt()), Widen(item->GetDescription()),
                          Widen(item->GetFileName())};
        if (DialogBoxParamW(Module(), MAKEINTRESOURCEW(IDD_TEMPLATE_EDIT), dialog_, EditProc,
                            reinterpret_cast<LPARAM>(&fields)) != IDOK)
            return;
        item->SetDescription(Narrow(fields.description).c_str());
        item->SetTitle(Narrow(fields.title).c_str());
        SetCell(row, 0, fields.title);
        SetCell(row, 2, fields.description);
        if (sortColumn_ == static_cast<int>(TemplateColumn::Title) ||
            sortColumn_ == static_cast<int>(TemplateColumn::Description))
            Sort();
        RenameComboEntry(index);
    }

    void MoveSelected(int step) {
        const int index = SelectedIndex();
        const TemplateCommandStates states = CommandStatesFor(list_, index);
        if (step < 0 ? !states.up : !states.down) return;
        const int upper = step < 0 ? index - 1 : index;  // the pair is upper, upper + 1
        const int moved = index + step;                   // the selected template's new index
        if (step < 0) list_.MoveUp(index);
        else list_.MoveDown(index);
        const int rowA = RowOf(upper), rowB = RowOf(upper + 1);
        if (sortColumn_ == kNumberColumn) {
            // The rows stay where they are and show their new templates.
            FillRow(rowA, upper);
            FillRow(rowB, upper + 1);
        } else {
            std::swap(rows_[static_cast<size_t>(upper)], rows_[static_cast<size_t>(upper + 1)]);
            FillRow(RowOf(upper), upper);
            FillRow(RowOf(upper + 1), upper + 1);
        }
        ListView_SetItemState(listView_, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        ListView_SetItemState(listView_, RowOf(moved), LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        ListView_EnsureVisible(listView_, RowOf(moved), FALSE);

        const int positionA = combo.Of(upper), positionB = combo.Of(upper + 1);
        if (positionA >= 0 && positionB >= 0) {
            // Both listed: the two entries again in the new order, the
            // selection staying with its template.
            const auto selected = SendMessageW(combo_, CB_GETCURSEL, 0, 0);
            SendMessageW(combo_, CB_DELETESTRING, static_cast<WPARAM>(positionB), 0);
            SendMessageW(combo_, CB_DELETESTRING, static_cast<WPARAM>(positionA), 0);
            InsertComboEntry(positionA, upper);
            InsertComboEntry(positionB, upper + 1);
            if (selected == positionA) SendMessageW(combo_, CB_SETCURSEL, static_cast<WPARAM>(positionB), 0);
            else if (selected == positionB) SendMessageW(combo_, CB_SETCURSEL, static_cast<WPARAM>(positionA), 0);
            else SendMessageW(combo_, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
        } else {
            combo.Exchange(upper);
            SetComboData(combo.Of(upper), upper);
            SetComboData(combo.Of(upper + 1), upper + 1);
        }
        UpdateCommands();
    }

    // A row's check box: the template's visibility and its combo entry.
    void CheckChanged(int index, bool checked) {
        CTemplateItemInterface* item = list_.GetItem(index);
        if (!item) return;
        item->SetVisible(checked);
        if (checked && item->GetId() != 0) {
            const int position = combo.Show(index);
            if (position >= 0) InsertComboEntry(position, index);
        } else if (!checked) {
            const int position = combo.Hide(index);
            if (position >= 0) RemoveComboEntry(position);
        }
    }

    void Close() {
        HWND header = ListView_GetHeader(listView_);
        Settings settings;
        settings.sortColumn = sortColumn_;
        settings.ascending = ascending_;
        int order[kColumns] = {0, 1, 2, 3, 4};
        if (Header_GetItemCount(header) == kColumns) ListView_GetColumnOrderArray(listView_, kColumns, order);
        for (int position = 0; position < kColumns; ++position)
            if (order[position] >= 0 && order[position] < kColumns) settings.order[order[position]] = position;
        for (int c = 0; c < kColumns; ++c) settings.width[c] = ListView_GetColumnWidth(listView_, c);
        WriteSettings(settings);
        const int count = ListView_GetItemCount(listView_);
        for (int row = 0; row < count; ++row) {
            CTemplateItemInterface* item = list_.GetItem(IndexOfRow(row));
            if (item) item->SetVisible(ListView_GetCheckState(listView_, row) != 0);
        }
        const auto selected = SendMessageW(combo_, CB_GETCURSEL, 0, 0);
        list_.SetDefault(selected < 0 ? -1
                                      : static_cast<int>(SendMessageW(combo_, CB_GETITEMDATA,
                                                                      static_cast<WPARAM>(selected), 0)));
        EndDialog(dialog_, IDOK);
    }

    // ---- notifications ----

    LRESULT Notify(NMHDR* header) {
        if (header->idFrom == IDC_TEMPLATE_LIST) return ListNotify(header);
        if (header->code == TBN_DROPDOWN && header->hwndFrom == toolBar_) {
            RECT rect{};
            SendMessageW(toolBar_, TB_GETRECT, CMD_ADD_FILE, reinterpret_cast<LPARAM>(&rect));
            MapWindowPoints(toolBar_, nullptr, reinterpret_cast<POINT*>(&rect), 2);
            // The button's tool tip would otherwise stay over its menu.
            if (HWND tips = reinterpret_cast<HWND>(SendMessageW(toolBar_, TB_GETTOOLTIPS, 0, 0)))
                SendMessageW(tips, TTM_POP, 0, 0);
            TrackPopupMenu(GetSubMenu(addMenu_, 0), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, rect.left,
                           rect.bottom, 0, dialog_, nullptr);
            return TBDDRET_DEFAULT;
        }
        if (header->code == TTN_GETDISPINFOW) {
            auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
            const UINT_PTR id = header->idFrom;
            if (id >= CMD_ADD_FILE && id <= CMD_CLOSE) {
                info->hinst = Module();
                info->lpszText = MAKEINTRESOURCEW(id);
            }
            return 0;
        }
        return 0;
    }

    LRESULT ListNotify(NMHDR* header) {
        switch (header->code) {
        case LVN_ITEMCHANGED: {
            const auto* change = reinterpret_cast<NMLISTVIEW*>(header);
            if (change->iItem < 0) return 0;
            if ((change->uChanged & LVIF_STATE) && ((change->uOldState ^ change->uNewState) & LVIS_SELECTED))
                UpdateCommands();
            const UINT oldImage = change->uOldState & LVIS_STATEIMAGEMASK;
            const UINT newImage = change->uNewState & LVIS_STATEIMAGEMASK;
            if (!updating_ && (change->uChanged & LVIF_STATE) && oldImage != newImage && newImage != 0)
                CheckChanged(static_cast<int>(change->lParam), newImage == INDEXTOSTATEIMAGEMASK(2));
            return 0;
        }
        case LVN_COLUMNCLICK:
            HeaderClick(reinterpret_cast<NMLISTVIEW*>(header)->iSubItem);
            return 0;
        case LVN_ITEMACTIVATE: {
            // A click on a check box ticks it; it does not open the entry.
            LVHITTESTINFO hit{};
            hit.pt = reinterpret_cast<NMITEMACTIVATE*>(header)->ptAction;
            ListView_SubItemHitTest(listView_, &hit);
            if (!(hit.flags & LVHT_ONITEMSTATEICON)) EditSelected();
            return 0;
        }
        case LVN_KEYDOWN:
            if (reinterpret_cast<NMLVKEYDOWN*>(header)->wVKey == VK_F2) {
                const int row = SelectedRow();
                if (editable_ && row >= 0) ListView_EditLabel(listView_, row);
                else MessageBeep(MB_ICONEXCLAMATION);
            }
            return 0;
        case LVN_BEGINLABELEDITW:
            return editable_ ? FALSE : TRUE;
        case LVN_ENDLABELEDITW: {
            const auto* edit = reinterpret_cast<NMLVDISPINFOW*>(header);
            if (!edit->item.pszText) return FALSE;
            const int index = IndexOfRow(edit->item.iItem);
            CTemplateItemInterface* item = list_.GetItem(index);
            if (!item) return FALSE;
            item->SetTitle(Narrow(edit->item.pszText).c_str());
            RenameComboEntry(index);
            return TRUE;
        }
        default:
            return 0;
        }
    }

    CTemplateListInterface& list_;
    HWND dialog_ = nullptr, listView_ = nullptr, combo_ = nullptr, toolBar_ = nullptr;
    HMENU addMenu_ = nullptr;
    HIMAGELIST normal_ = nullptr, hot_ = nullptr, disabled_ = nullptr, arrows_ = nullptr;
    Settings settings_;
    int sortColumn_ = kNumberColumn;
    bool ascending_ = true;
    std::vector<int> rows_;  // the row of every list index
    ComboPositions combo;
    bool updating_ = false;
    bool editable_ = false;
};

}  // namespace
}  // namespace quillon

extern "C" __declspec(dllexport) void __stdcall EditTemplates(HWND parent, quillon::CTemplateListInterface* list) {
    if (!list) return;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    quillon::TemplateEditorDialog dialog(*list);
    DialogBoxParamW(quillon::Module(), MAKEINTRESOURCEW(IDD_TEMPLATE_EDITOR), parent,
                    quillon::TemplateEditorDialog::Proc, reinterpret_cast<LPARAM>(&dialog));
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(instance);
    return TRUE;
}
