#include "rich_edit_control.h"
#include "win32_startup_trace.h"

#include <commctrl.h>
#include <richedit.h>

#include <algorithm>
#include <climits>
#include <unordered_map>

#include "text_lines.h"
#include "win32_guards.h"
#include "win32_clipboard.h"

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

}  // namespace

RichEditControl::EditKind RichEditControl::KindOfMessage(UINT msg, WPARAM wParam) {
    using Kind = EditKind;
    switch (msg) {
    case WM_CHAR:
        // Ctrl+Z and Ctrl+Y come as characters too.
        return wParam == 0x19 || wParam == 0x1A ? Kind::Unknown : Kind::AtSelection;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        const bool ctrl = GetKeyState(VK_CONTROL) < 0;
        const bool alt = msg == WM_SYSKEYDOWN || GetKeyState(VK_MENU) < 0;
        if (ctrl && (wParam == 'Z' || wParam == 'Y')) return Kind::Unknown;  // undo, redo
        if (alt && wParam == VK_BACK) return Kind::Unknown;                    // undo
        return Kind::AtSelection;
    }
    case WM_PASTE:
    case WM_CUT:
    case WM_CLEAR:
    case EM_PASTESPECIAL:
    case EM_REPLACESEL:
    case WM_IME_CHAR:
        return Kind::AtSelection;
    case EM_SETCHARFORMAT:
    case EM_SETPARAFORMAT:
    case EM_SETBKGNDCOLOR:
    case EM_SETTARGETDEVICE:
    case EM_SETREADONLY:
    case EM_SETOPTIONS:
    case EM_SETLANGOPTIONS:
    case WM_SETFONT:
        return Kind::FormatOnly;
    default:
        return Kind::Unknown;
    }
}

namespace {

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
        const wchar_t* loaded = RICHEDIT_CLASSW;
        if (LoadLibraryW(L"Msftedit.dll")) loaded = MSFTEDIT_CLASS;
        else LoadLibraryW(L"Riched20.dll");
        StartupMark("rich edit library");
        return loaded;
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
    : parent_(parent),
      id_(id),
      rebuildThreshold_(ControlWalksParagraphs() ? 1000 : INT_MAX),
      ownLines_(ControlWalksParagraphs()) {
    RECT client{};
    GetClientRect(parent, &client);
    // Clipped by its siblings: the macro picker opens over it.
    hwnd_ = CreateControl(parent, id, client, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | kRichEditStyle, WS_EX_CLIENTEDGE);
    if (!hwnd_) return;
    Send(EM_SETEVENTMASK, 0, ENM_CHANGE | ENM_SELCHANGE);  // keys come through ControlProc
    Attach(hwnd_);
    SetWindowSubclass(parent_, ParentSubclass, reinterpret_cast<UINT_PTR>(this), reinterpret_cast<DWORD_PTR>(this));
    linesValid_ = ownLines_;  // empty
}

namespace {
constexpr UINT_PTR kReadTimer = 0x51C1;
constexpr int kReadPiece = 1 << 19;  // characters read per idle moment
}  // namespace

void RichEditControl::IndexText(std::wstring_view text) {
    if (ownLines_) lines_.Reset(text);  // no pass over a loaded text where the control answers
    linesValid_ = ownLines_;
    if (reading_) KillTimer(hwnd_, kReadTimer);
    reading_ = false;
}

void RichEditControl::LoseIndex() const {
    linesValid_ = false;
    read_.Clear();
    if (reading_ || !ownLines_) return;
    // A timer's message comes only when no other waits: reading never holds up input.
    reading_ = SetTimer(hwnd_, kReadTimer, USER_TIMER_MINIMUM, nullptr) != 0;
    ++lineIndexReads_;
}

void RichEditControl::ContinueReading() {
    const int length = TextLength();
    const int end = std::min(length, read_.Length() + kReadPiece);
    const std::wstring piece = TextRange(read_.Length(), end);
    if (read_.Length() + static_cast<int>(piece.size()) != end) {
        IndexText(Text());  // the control hands out its text otherwise: all at once then
        return;
    }
    read_.Append(piece);
    if (read_.Length() < length) return;
    KillTimer(hwnd_, kReadTimer);
    reading_ = false;
    std::swap(lines_, read_);
    read_.Clear();
    linesValid_ = true;
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
    if (hwnd_ && IsWindow(hwnd_)) {
        Detach(hwnd_);
        DestroyWindow(hwnd_);
    }
}

LRESULT CALLBACK RichEditControl::ParentSubclass(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                                 DWORD_PTR data) {
    auto* self = reinterpret_cast<RichEditControl*>(data);
    // While the control works on a message the notifications wait for its end.
    const auto notify = [self](bool& pending, const Notification& handler) {
        if (self->depth_ > 0) pending = true;
        else if (handler) handler();
    };
    if (msg == WM_COMMAND && reinterpret_cast<HWND>(lParam) == self->hwnd_ && HIWORD(wParam) == EN_CHANGE) {
        if (!self->quiet_) {
            // A new change ends what a rebuilt change's undo could redo.
            self->redoWhole_.reset();
            self->TextChangeReported();
            notify(self->changePending_, self->onChange_);
        }
    } else if (msg == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->hwndFrom == self->hwnd_ && header->code == EN_SELCHANGE && !self->quiet_)
            notify(self->selectionPending_, self->onSelectionChange_);
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

namespace {

// Which wrapper each control window belongs to. Neither the control's user data
// (the control's own business) nor a window property (a server call under Wine)
// is asked on every message.
std::unordered_map<HWND, RichEditControl*>& Wrappers() {
    static std::unordered_map<HWND, RichEditControl*> wrappers;
    return wrappers;
}

}  // namespace

void RichEditControl::Attach(HWND control) {
    Wrappers()[control] = this;
    controlProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RichEditControl::ControlProc)));
}

void RichEditControl::Detach(HWND control) {
    SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(controlProc_));
    Wrappers().erase(control);
}

LRESULT CALLBACK RichEditControl::ControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const auto found = Wrappers().find(hwnd);
    RichEditControl* self = found == Wrappers().end() ? nullptr : found->second;
    if (!self) {
        const auto classProc = reinterpret_cast<WNDPROC>(GetClassLongPtrW(hwnd, GCLP_WNDPROC));
        return CallWindowProcW(classProc, hwnd, msg, wParam, lParam);
    }
    if (msg == WM_NCDESTROY) {
        // Gone without the wrapper letting go first (its parent went).
        const WNDPROC original = self->controlProc_;
        self->Detach(hwnd);
        return CallWindowProcW(original, hwnd, msg, wParam, lParam);
    }
    if (msg == WM_TIMER && wParam == kReadTimer) {
        self->ContinueReading();
        return 0;
    }
    const WNDPROC original = self->controlProc_;
    const std::weak_ptr<int> life = self->life_;
    if (self->messageFilter_) {
        // A copy: the filter may close the window and let go of itself.
        const MessageFilter filter = self->messageFilter_;
        if (const std::optional<LRESULT> handled = filter(msg, wParam, lParam)) return *handled;
        if (life.expired()) return 0;
    }
    if (self->depth_ == 0 && IsPaste(msg, wParam)) {
        self->PastePlainText();
        return 0;
    }
    if (self->depth_ == 0 && IsInsertKey(msg, wParam)) return 0;  // the wrapper's overwrite mode rules
    if (self->depth_ == 0 && msg == WM_CHAR && wParam >= 0x20 && wParam != 0x7F && self->TypingOverwrites())
        self->Select(self->SelStart(), 1);  // the typed character replaces it as a selection
    // Counted first: the state asked for below passes through here too.
    if (self->depth_++ == 0) self->BeginMessage(msg, wParam);
    const LRESULT result = CallWindowProcW(original, hwnd, msg, wParam, lParam);
    if (life.expired()) return result;  // the wrapper went with the message
    if (--self->depth_ == 0) self->EndMessage();
    return result;
}

// Wine's control in plain-text mode pastes over its whole text instead of the
// selection, so every paste is the wrapper's: the clipboard's plain text in
// place of the selection, one undo step.
bool RichEditControl::IsPaste(UINT msg, WPARAM wParam) {
    if (msg == WM_PASTE || msg == EM_PASTESPECIAL) return true;
    if (msg != WM_KEYDOWN) return false;
    const bool shift = GetKeyState(VK_SHIFT) < 0, ctrl = GetKeyState(VK_CONTROL) < 0;
    const bool alt = GetKeyState(VK_MENU) < 0;
    return !alt && ((wParam == 'V' && ctrl && !shift) || (wParam == VK_INSERT && shift && !ctrl));
}

bool RichEditControl::IsInsertKey(UINT msg, WPARAM wParam) {
    return msg == WM_KEYDOWN && wParam == VK_INSERT && GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_CONTROL) >= 0 &&
           GetKeyState(VK_MENU) >= 0;
}

void RichEditControl::TypeCharacter(wchar_t ch) { Send(WM_CHAR, ch, 1); }

void RichEditControl::PastePlainText() {
    if (ReadOnly()) return;
    const std::wstring text = ClipboardText();
    if (!text.empty()) ReplaceSel(text);
}

void RichEditControl::BeginMessage(UINT msg, WPARAM wParam) {
    message_ = msg;
    messageParam_ = wParam;
    kind_ = KindOfMessage(msg, wParam);
    if (ownLines_ && kind_ != EditKind::Unknown) before_ = Current();
}

void RichEditControl::EndMessage() {
    const std::weak_ptr<int> life = life_;
    if (changePending_) {
        changePending_ = false;
        if (onChange_) onChange_();
        if (life.expired()) return;
    }
    if (selectionPending_) {
        selectionPending_ = false;
        if (onSelectionChange_) onSelectionChange_();
    }
}

RichEditControl::State RichEditControl::Current() const {
    State state;
    Send(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&state.selection));
    state.length = TextLength();
    return state;
}

// The control reported a change of its text (not one the wrapper makes quietly).
void RichEditControl::TextChangeReported() {
    if (!ownLines_) return;
    if (!linesValid_) {
        LoseIndex();  // a change while reading: from the start again
        return;
    }
    if (ownEdit_) {
        // Entered once, however many reports the control makes of it.
        if (!ownEditEntered_) lines_.Replace(ownEdit_->start, ownEdit_->removed, ownEdit_->inserted);
        ownEditEntered_ = true;
        return;
    }
    if (depth_ == 0 || kind_ == EditKind::Unknown) {
        LoseIndex();
        return;
    }
    const State now = Current();
    if (kind_ == EditKind::FormatOnly) {
        if (now.length != before_.length) LoseIndex();
        return;
    }
    FollowControlEdit(before_, now);
    before_ = now;
}

// A change at the selection: typed text replaced the old selection and left the
// caret after itself, or a deletion ended or began at the old caret. What is
// inserted is read back from the control; anything else reads the text again.
void RichEditControl::FollowControlEdit(const State& before, const State& now) {
    const CHARRANGE& was = before.selection;
    const CHARRANGE& is = now.selection;
    const int delta = now.length - before.length;
    if (is.cpMin != is.cpMax) {
        if (delta != 0 || is.cpMin != was.cpMin || is.cpMax != was.cpMax) LoseIndex();
        return;
    }
    int start = 0, removed = 0, insertedLength = 0;
    if (is.cpMin >= was.cpMin) {
        start = was.cpMin;
        insertedLength = is.cpMin - was.cpMin;
        removed = insertedLength - delta;
        if (removed < was.cpMax - was.cpMin || start + removed > before.length) {
            LoseIndex();
            return;
        }
    } else {
        start = is.cpMin;
        removed = -delta;
        if (was.cpMin != was.cpMax || start + removed != was.cpMin) {
            LoseIndex();
            return;
        }
    }
    std::wstring inserted;
    if (insertedLength == 1 && message_ == WM_CHAR && messageParam_ >= 0x20 && messageParam_ != 0x7F) {
        inserted.assign(1, static_cast<wchar_t>(messageParam_));  // a typed character is no line break
    } else if (insertedLength > 0) {
        inserted = TextRange(start, start + insertedLength);
        if (static_cast<int>(inserted.size()) != insertedLength) {
            LoseIndex();
            return;
        }
    }
    lines_.Replace(start, removed, inserted);
}

class RichEditControl::OwnEditScope {
public:
    OwnEditScope(RichEditControl& control, OwnEdit edit) : control_(control) {
        control_.ownEdit_ = std::move(edit);
        control_.ownEditEntered_ = false;
    }
    ~OwnEditScope() {
        control_.ownEdit_.reset();
        // A change made otherwise than asked (or not reported) shows in the length.
        if (control_.linesValid_ && control_.lines_.Length() != control_.TextLength()) control_.LoseIndex();
        if (control_.depth_ > 0) control_.before_ = control_.Current();
    }
    OwnEditScope(const OwnEditScope&) = delete;
    OwnEditScope& operator=(const OwnEditScope&) = delete;

private:
    RichEditControl& control_;
};

void RichEditControl::SetKeepText(bool keep) {
    if (keep == keepText_) return;
    keepText_ = keep;
    lines_.KeepText(keep);
    read_.KeepText(keep);
    if (keep && linesValid_) LoseIndex();  // the copy is read with the index
}

std::optional<ChunkedText::Snapshot> RichEditControl::KeptText() const {
    if (!keepText_ || !ownLines_ || depth_ > 0 || ownEdit_ || !linesValid_) return std::nullopt;
    if (lines_.Length() != TextLength()) {
        LoseIndex();  // a change went by unreported
        return std::nullopt;
    }
    return lines_.Text();
}

void RichEditControl::SetOwnLineIndex(bool on) {
    ownLines_ = on;
    LoseIndex();
}

bool RichEditControl::LinesUsable() const {
    if (!ownLines_ || depth_ > 0 || ownEdit_) return false;  // mid-change: the control knows best
    if (linesValid_ && lines_.Length() != TextLength()) LoseIndex();  // a change went by unreported
    if (!linesValid_) return false;
    // Rows are lines only while no line is wrapped; the control counts its rows at once.
    return Send(EM_GETLINECOUNT) == lines_.Lines();
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
        IndexText(text);
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
    Detach(old);
    Attach(fresh);
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
    if (LinesUsable()) return lines_.LineStart(n);
    return static_cast<int>(Send(EM_LINEINDEX, static_cast<WPARAM>(n)));
}

int RichEditControl::LineFromChar(int i) const {
    i = std::clamp(i, 0, TextLength());
    if (LinesUsable()) return lines_.LineOf(i);
    return static_cast<int>(Send(EM_EXLINEFROMCHAR, 0, i));
}

RichEditControl::CaretPosition RichEditControl::Caret() const {
    CHARRANGE range{};
    Send(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    if (LinesUsable()) {
        const int line = lines_.LineOf(range.cpMax);
        const int start = lines_.LineStart(line);
        // The control knows the start of its caret's line at once: a free check
        // of the index, which is read again should they ever differ.
        if (range.cpMin != range.cpMax || Send(EM_LINEINDEX, static_cast<WPARAM>(-1)) == start)
            return {line, range.cpMax - start};
        LoseIndex();
    }
    return EditorControl::Caret();  // the control's answers
}

int RichEditControl::LineLength(int i) const {
    if (LinesUsable()) {
        const int line = lines_.LineOf(std::clamp(i, 0, lines_.Length()));
        const int next = lines_.LineStart(line + 1);
        return (next < 0 ? lines_.Length() : next - 1) - lines_.LineStart(line);
    }
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

void RichEditControl::ReplaceSel(std::wstring_view text) { Replace(text, std::nullopt); }

void RichEditControl::ReplaceSelAndSelect(std::wstring_view text, int selStart, int selLength) {
    Replace(text, CHARRANGE{selStart, selStart + selLength});
}

void RichEditControl::Replace(std::wstring_view text, std::optional<CHARRANGE> selection) {
    const std::wstring inserted = NormalizeLineBreaks(text);
    if (ChangedLineBreaks(inserted) >= rebuildThreshold_) {
        CHARRANGE range{};
        Send(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
        WholeText before{Text(), range};
        std::wstring after = before.text.substr(0, static_cast<size_t>(range.cpMin));
        after += inserted;
        after.append(before.text, static_cast<size_t>(range.cpMax));
        const LONG caret = range.cpMin + static_cast<LONG>(inserted.size());
        // The rebuilt control takes the selection asked for at once: no second
        // pass of the control over a large selection.
        ChangeByRebuild(after, selection.value_or(CHARRANGE{caret, caret}));
        undoWhole_ = std::move(before);
        redoWhole_.reset();
        NotifyAll();
        return;
    }
    CHARRANGE range{};
    Send(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    OwnEditScope own(*this, {range.cpMin, range.cpMax - range.cpMin, inserted});
    // Each replacement is an undo step of its own, never merged with typing.
    Send(EM_STOPGROUPTYPING);
    Send(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(inserted.c_str()));
    Send(EM_STOPGROUPTYPING);
    Send(EM_SETMODIFY, TRUE);
    const int length = selection ? selection->cpMax - selection->cpMin : 0;
    if (selection && (SelStart() != selection->cpMin || SelLength() != length)) Select(selection->cpMin, length);
}

bool RichEditControl::CanUndo() const { return Send(EM_CANUNDO) != 0 || undoWhole_.has_value(); }
bool RichEditControl::CanRedo() const { return Send(EM_CANREDO) != 0 || redoWhole_.has_value(); }

void RichEditControl::ChangeByRebuild(std::wstring_view text, CHARRANGE selection) {
    {
        QuietScope quiet(quiet_);
        Rebuild(text);
        IndexText(text);
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
    return {format.szFaceName, static_cast<int>(format.yHeight / 20), 0, static_cast<int>(format.yHeight)};
}

void RichEditControl::SetFont(const EditorFont& font) {
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    // Regular and upright whatever the control's default was: without the
    // effects in the mask the text inherits a weight of the system font.
    format.dwMask = CFM_FACE | CFM_SIZE | CFM_CHARSET | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_WEIGHT;
    format.dwEffects = 0;
    format.wWeight = FW_NORMAL;
    format.yHeight = font.size * 20;
    if (font.pixels > 0) {
        int dpi = 96;
        if (WindowDC screen(nullptr); screen) dpi = GetDeviceCaps(screen.Get(), LOGPIXELSY);
        format.yHeight = MulDiv(font.pixels, 1440, dpi > 0 ? dpi : 96);  // twips
    }
    if (font.twips > 0) format.yHeight = font.twips;
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
