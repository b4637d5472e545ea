#include "rich_edit_control.h"

#include <commctrl.h>
#include <richedit.h>

#include <algorithm>
#include <climits>

#include "text_lines.h"

namespace quillon {

namespace {

// Large enough for any file we would load: the control's default of 32 767
// characters would cut a file short and lose text on save.
constexpr LPARAM kTextLimit = 0x7FFFFFFE;

struct StreamSource {
    const wchar_t* data;
    size_t remaining;  // in bytes
};

DWORD CALLBACK ReadStream(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
    auto* source = reinterpret_cast<StreamSource*>(cookie);
    // Whole UTF-16 units only.
    const size_t n = std::min(source->remaining, static_cast<size_t>(size) & ~size_t{1});
    memcpy(buffer, source->data, n);
    source->data += n / sizeof(wchar_t);
    source->remaining -= n;
    *done = static_cast<LONG>(n);
    return 0;
}

class QuietScope {
public:
    explicit QuietScope(int& counter) : counter_(counter) { ++counter_; }
    ~QuietScope() { --counter_; }
    QuietScope(const QuietScope&) = delete;
    QuietScope& operator=(const QuietScope&) = delete;

private:
    int& counter_;
};

}  // namespace

const wchar_t* RichEditClassName() {
    static const wchar_t* name = [] {
        if (LoadLibraryW(L"Msftedit.dll")) return MSFTEDIT_CLASS;
        LoadLibraryW(L"Riched20.dll");
        return RICHEDIT_CLASSW;
    }();
    return name;
}

// Wine's control is the one whose paragraph edits walk the whole text.
bool ControlWalksParagraphs() {
    static const bool wine = [] {
        HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
        return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
    }();
    return wine;
}

RichEditControl::RichEditControl(HWND parent, int id)
    : parent_(parent), id_(id), rebuildThreshold_(ControlWalksParagraphs() ? 1000 : INT_MAX) {
    RECT client{};
    GetClientRect(parent, &client);
    hwnd_ = CreateControl(parent, id, client, WS_CHILD | WS_VISIBLE | kRichEditStyle, WS_EX_CLIENTEDGE);
    if (!hwnd_) return;
    Send(EM_SETEVENTMASK, 0, ENM_CHANGE | ENM_SELCHANGE | ENM_KEYEVENTS);
    SetWindowSubclass(parent_, ParentSubclass, reinterpret_cast<UINT_PTR>(this), reinterpret_cast<DWORD_PTR>(this));
}

HWND RichEditControl::CreateControl(HWND parent, int id, const RECT& bounds, DWORD style, DWORD exStyle) {
    HWND control = CreateWindowExW(exStyle, RichEditClassName(), L"", style, bounds.left, bounds.top,
                                   bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    if (control) Configure(control);
    return control;
}

void RichEditControl::Configure(HWND control) const {
    const auto send = [control](UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
        return SendMessageW(control, msg, wParam, lParam);
    };
    // Plain text is chosen while the control is still empty, as it must be.
    send(EM_SETTEXTMODE, TM_PLAINTEXT | TM_MULTILEVELUNDO | TM_MULTICODEPAGE);
    send(EM_EXLIMITTEXT, 0, kTextLimit);
    send(EM_SETUNDOLIMIT, UndoLimit);
    send(EM_AUTOURLDETECT, FALSE);
    send(EM_SETTARGETDEVICE, 0, wordWrap_ ? 0 : 1);  // no word wrap until asked for
}

RichEditControl::~RichEditControl() {
    if (parent_) RemoveWindowSubclass(parent_, ParentSubclass, reinterpret_cast<UINT_PTR>(this));
    if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

LRESULT CALLBACK RichEditControl::ParentSubclass(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                                 DWORD_PTR data) {
    auto* self = reinterpret_cast<RichEditControl*>(data);
    if (msg == WM_COMMAND && reinterpret_cast<HWND>(lParam) == self->hwnd_ && HIWORD(wParam) == EN_CHANGE) {
        // A new change ends what a rebuilt change's undo could redo.
        if (!self->quiet_) self->redoWhole_.reset();
        if (!self->quiet_ && self->onChange_) self->onChange_();
    } else if (msg == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->hwndFrom == self->hwnd_ && header->code == EN_SELCHANGE && !self->quiet_ &&
            self->onSelectionChange_)
            self->onSelectionChange_();
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

int RichEditControl::TextLength() const {
    GETTEXTLENGTHEX info{GTL_NUMCHARS | GTL_PRECISE, 1200};
    return static_cast<int>(Send(EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&info)));
}

std::wstring RichEditControl::Text() const {
    const int length = TextLength();
    if (length <= 0) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    GETTEXTEX info{};
    info.cb = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    info.flags = GT_DEFAULT;
    info.codepage = 1200;
    const auto copied = Send(EM_GETTEXTEX, reinterpret_cast<WPARAM>(&info), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(std::max<LRESULT>(copied, 0)));
    // Some versions hand out CR LF or a lone LF for a paragraph mark; the contract says CR.
    if (text.find(L'\n') != std::wstring::npos) text = NormalizeLineBreaks(text);
    return text;
}

std::wstring RichEditControl::TextRange(int start, int end) const {
    // Never past the text: some versions hand out their final paragraph mark there.
    const int length = TextLength();
    start = std::clamp(start, 0, length);
    end = std::clamp(end, start, length);
    if (end <= start) return {};
    std::wstring text(static_cast<size_t>(end - start) + 1, L'\0');
    TEXTRANGEW range{{start, end}, text.data()};
    const auto copied = Send(EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range));
    text.resize(static_cast<size_t>(std::max<LRESULT>(copied, 0)));
    return text;
}

void StreamTextInto(HWND richEdit, std::wstring_view text) {
    StreamSource source{text.data(), text.size() * sizeof(wchar_t)};
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&source), 0, ReadStream};
    SendMessageW(richEdit, EM_STREAMIN, SF_TEXT | SF_UNICODE, reinterpret_cast<LPARAM>(&stream));
}

void RichEditControl::StreamIn(std::wstring_view text) { StreamTextInto(hwnd_, text); }

void RichEditControl::SetText(std::wstring_view text) {
    undoWhole_.reset();
    redoWhole_.reset();
    // The control's own conversion of line breaks differs between versions
    // (under Wine CR CR LF becomes a space), so it only ever sees lone CRs.
    std::wstring normalized;
    if (text.find(L'\n') != std::wstring_view::npos) {
        normalized = NormalizeLineBreaks(text);
        text = normalized;
    }
    {
        QuietScope quiet(quiet_);
        // Emptying a control of many lines is a large deletion too.
        if (rebuildThreshold_ != INT_MAX && Send(EM_GETLINECOUNT) > rebuildThreshold_) {
            Rebuild(text);
        } else {
            // Without events and drawing the control streams at its own full speed.
            const LRESULT mask = Send(EM_SETEVENTMASK, 0, 0);
            SuspendUpdates();
            StreamIn(text);
            ResumeUpdates();
            Send(EM_SETEVENTMASK, 0, mask);
        }
        CHARRANGE start{0, 0};
        Send(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&start));
        Send(EM_EMPTYUNDOBUFFER);
        Send(EM_SETMODIFY, FALSE);
    }
    NotifyAll();
}

void RichEditControl::NotifyAll() {
    if (onChange_) onChange_();
    if (onSelectionChange_) onSelectionChange_();
}

void RichEditControl::Rebuild(std::wstring_view text) {
    HWND old = hwnd_;
    RECT bounds{};
    GetWindowRect(old, &bounds);
    MapWindowPoints(nullptr, parent_, reinterpret_cast<POINT*>(&bounds), 2);
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(old, GWL_STYLE));
    HWND fresh = CreateControl(parent_, id_, bounds, style & ~WS_VISIBLE,
                               static_cast<DWORD>(GetWindowLongPtrW(old, GWL_EXSTYLE)));
    if (!fresh) return;
    const auto send = [fresh](UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
        return SendMessageW(fresh, msg, wParam, lParam);
    };
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    Send(EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
    send(EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
    send(EM_SETOPTIONS, ECOOP_SET, Send(EM_GETOPTIONS));
    send(EM_SETLANGOPTIONS, 0, Send(EM_GETLANGOPTIONS));
    StreamTextInto(fresh, text);
    send(EM_SETEVENTMASK, 0, Send(EM_GETEVENTMASK));
    if (suspended_ > 0) send(WM_SETREDRAW, FALSE);
    const bool focused = GetFocus() == old;
    SetWindowPos(fresh, old, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (style & WS_VISIBLE) ShowWindow(fresh, SW_SHOWNA);
    ShowScrollBar(fresh, SB_HORZ, wordWrap_ ? FALSE : TRUE);
    hwnd_ = fresh;
    if (onControlChanged_) onControlChanged_(old, fresh);
    DestroyWindow(old);
    if (focused) SetFocus(fresh);
}

int RichEditControl::ChangedLineBreaks(std::wstring_view inserted) const {
    if (rebuildThreshold_ == INT_MAX) return 0;  // the control makes every change itself
    int breaks = static_cast<int>(std::count(inserted.begin(), inserted.end(), L'\r'));
    if (breaks >= rebuildThreshold_) return breaks;
    CHARRANGE range{};
    Send(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    // A selection shorter than the threshold cannot hold that many breaks.
    if (range.cpMax - range.cpMin >= rebuildThreshold_ - breaks)
        breaks += LineFromChar(range.cpMax) - LineFromChar(range.cpMin);
    return breaks;
}

int RichEditControl::LineCount() const {
    const int lines = static_cast<int>(Send(EM_GETLINECOUNT));
    if (lines <= 0) return 0;
    // The control counts the empty line after a final line break; the contract does not.
    return LineIndex(lines - 1) >= TextLength() ? lines - 1 : lines;
}

int RichEditControl::LineIndex(int n) const {
    if (n < 0) return -1;  // -1 would ask for the caret's line
    return static_cast<int>(Send(EM_LINEINDEX, static_cast<WPARAM>(n)));
}

int RichEditControl::LineFromChar(int i) const {
    i = std::clamp(i, 0, TextLength());
    return static_cast<int>(Send(EM_EXLINEFROMCHAR, 0, i));
}

int RichEditControl::LineLength(int i) const {
    const int start = LineIndex(LineFromChar(i));
    if (start < 0) return 0;
    // EM_LINELENGTH counts a line's final CR in some versions; measure ourselves.
    const int next = LineIndex(LineFromChar(i) + 1);
    const int end = next < 0 ? TextLength() : next;
    int length = end - start;
    if (length > 0 && next >= 0) {
        const std::wstring last = TextRange(end - 1, end);
        if (last == L"\r") --length;
    }
    return length;
}

std::wstring RichEditControl::Line(int n) const {
    if (n < 0 || n >= LineCount()) return {};
    const int start = LineIndex(n);
    return TextRange(start, start + LineLength(start));
}

int RichEditControl::SelStart() const {
    CHARRANGE range{};
    Send(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    return range.cpMin;
}

int RichEditControl::SelLength() const {
    CHARRANGE range{};
    Send(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    return range.cpMax - range.cpMin;
}

void RichEditControl::Select(int start, int length) {
    const int size = TextLength();
    start = std::clamp(start, 0, size);
    length = std::clamp(length, 0, size - start);
    CHARRANGE range{start, start + length};
    Send(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

std::wstring RichEditControl::SelText() const {
    CHARRANGE range{};
    Send(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    return TextRange(range.cpMin, range.cpMax);
}

void RichEditControl::ReplaceSel(std::wstring_view text) {
    const std::wstring inserted = NormalizeLineBreaks(text);
    if (ChangedLineBreaks(inserted) >= rebuildThreshold_) {
        CHARRANGE range{};
        Send(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
        WholeText before{Text(), range};
        std::wstring after = before.text.substr(0, static_cast<size_t>(range.cpMin));
        after += inserted;
        after.append(before.text, static_cast<size_t>(range.cpMax));
        const LONG caret = range.cpMin + static_cast<LONG>(inserted.size());
        ChangeByRebuild(after, {caret, caret});
        undoWhole_ = std::move(before);
        redoWhole_.reset();
        NotifyAll();
        return;
    }
    // Each replacement is an undo step of its own, never merged with typing.
    Send(EM_STOPGROUPTYPING);
    Send(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(inserted.c_str()));
    Send(EM_STOPGROUPTYPING);
    Send(EM_SETMODIFY, TRUE);
}

bool RichEditControl::CanUndo() const { return Send(EM_CANUNDO) != 0 || undoWhole_.has_value(); }
bool RichEditControl::CanRedo() const { return Send(EM_CANREDO) != 0 || redoWhole_.has_value(); }

void RichEditControl::ChangeByRebuild(std::wstring_view text, CHARRANGE selection) {
    {
        QuietScope quiet(quiet_);
        Rebuild(text);
        Send(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&selection));
        Send(EM_SCROLLCARET);
        Send(EM_SETMODIFY, TRUE);
    }
}

void RichEditControl::StepOverRebuild(std::optional<WholeText>& to, std::optional<WholeText>& from) {
    CHARRANGE range{};
    Send(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    WholeText current{Text(), range};
    WholeText target = std::move(*to);
    to.reset();
    ChangeByRebuild(target.text, target.selection);
    from = std::move(current);
    NotifyAll();
}

void RichEditControl::Undo() {
    // Back over a rebuilt change once the control's own steps are used up.
    if (Send(EM_CANUNDO) || !undoWhole_) Send(EM_UNDO);
    else StepOverRebuild(undoWhole_, redoWhole_);
}

void RichEditControl::Redo() {
    if (Send(EM_CANREDO) || !redoWhole_) Send(EM_REDO);
    else StepOverRebuild(redoWhole_, undoWhole_);
}

void RichEditControl::ClearUndo() {
    Send(EM_EMPTYUNDOBUFFER);
    undoWhole_.reset();
    redoWhole_.reset();
}

bool RichEditControl::Modified() const { return Send(EM_GETMODIFY) != 0; }
void RichEditControl::SetModified(bool modified) { Send(EM_SETMODIFY, modified ? TRUE : FALSE); }

bool RichEditControl::ReadOnly() const {
    return (GetWindowLongPtrW(hwnd_, GWL_STYLE) & ES_READONLY) != 0;
}
void RichEditControl::SetReadOnly(bool readOnly) { Send(EM_SETREADONLY, readOnly ? TRUE : FALSE); }

void RichEditControl::SetWordWrap(bool wrap) {
    wordWrap_ = wrap;
    Send(EM_SETTARGETDEVICE, 0, wrap ? 0 : 1);
    ShowScrollBar(hwnd_, SB_HORZ, wrap ? FALSE : TRUE);
}

bool RichEditControl::AutoWordSelection() const {
    return (Send(EM_GETOPTIONS) & ECO_AUTOWORDSELECTION) != 0;
}
void RichEditControl::SetAutoWordSelection(bool on) {
    Send(EM_SETOPTIONS, on ? ECOOP_OR : ECOOP_AND, on ? ECO_AUTOWORDSELECTION : ~static_cast<LPARAM>(ECO_AUTOWORDSELECTION));
}

EditorFont RichEditControl::Font() const {
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    Send(EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
    return {format.szFaceName, static_cast<int>(format.yHeight / 20)};
}

void RichEditControl::SetFont(const EditorFont& font) {
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    format.dwMask = CFM_FACE | CFM_SIZE | CFM_CHARSET;
    format.yHeight = font.size * 20;
    format.bCharSet = RUSSIAN_CHARSET;
    lstrcpynW(format.szFaceName, font.name.c_str(), LF_FACESIZE);
    const bool modified = Modified();
    Send(EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
    Send(EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
    SetModified(modified);  // a font is no change of the document
}

void RichEditControl::LoadBytes(std::string_view bytes, CodePage page) {
    SetText(BytesToText(bytes, page));
}

std::string RichEditControl::SaveBytes(CodePage page) const {
    return ExpandLineBreaks(TextToBytes(Text(), page));
}

void RichEditControl::SuspendUpdates() {
    if (suspended_++ == 0) Send(WM_SETREDRAW, FALSE);
}

void RichEditControl::ResumeUpdates() {
    if (suspended_ == 0) return;
    if (--suspended_ == 0) {
        Send(WM_SETREDRAW, TRUE);
        InvalidateRect(hwnd_, nullptr, TRUE);
    }
}

}  // namespace quillon
