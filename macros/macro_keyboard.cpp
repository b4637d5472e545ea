#include "macro_keyboard.h"

#include "codepage.h"
#include "edit_form.h"
#include "insert_macro.h"
#include "macro_keys.h"
#include "macro_picker.h"
#include "macro_sets.h"
#include "prompts.h"
#include "text_format.h"
#include "typed_stream.h"
#include "win32_delayed_message.h"
#include "win32_files.h"

namespace quillon {

namespace {
std::wstring Name(const TMacrosItem& macro) { return BytesToText(macro.Name(), CodePage::Win1251); }
}  // namespace

void MacroKeyboard::InsertWithMessage(TEditForm& document, const TMacrosItem& macro) {
    InsertMacro(macro, document.Editor());
    TDelayedMessageThread::Show(statusWindow_, FormatText(ResourceString(kStrMacroInserted), {Name(macro)}));
}

bool MacroKeyboard::FormKeyDown(TEditForm& document, int key, bool ctrl, bool shift, bool alt) {
    const MacroKeyDecision decision = MacroKeyDown(SharedMacroKeyState(), key, ctrl, shift, alt);
    switch (decision.action) {
    case MacroKeyAction::None: return false;
    case MacroKeyAction::ShowPicker: ShowMacroPicker(document, statusWindow_); break;
    case MacroKeyAction::WaitK:
    case MacroKeyAction::WaitQ:
        // The waiting text must stay: a pending message may not clear it.
        SharedDelayedMessages().ForbidClearing();
        document.Host().States().ShowMacroState(
            FormatText(ResourceString(kStrMacroWaiting), {decision.action == MacroKeyAction::WaitK ? L"K" : L"Q"}));
        break;
    case MacroKeyAction::InsertDefault:
        if (const TMacrosItem* macro = UserKeyLists().defaultMacro) InsertWithMessage(document, *macro);
        break;
    case MacroKeyAction::InsertOnKey: {
        const auto found = MacrosOnKey(UserKeyLists(), decision.prefixK, decision.letter);
        for (const TMacrosItem* macro : found) InsertWithMessage(document, *macro);
        if (found.empty())
            TDelayedMessageThread::Show(statusWindow_, FormatText(ResourceString(kStrMacroMissing),
                                                                  {decision.prefixK ? L"K" : L"Q",
                                                                   std::wstring(1, static_cast<wchar_t>(decision.letter))}));
        break;
    }
    case MacroKeyAction::EndWaiting: document.Host().States().ShowMacroState(L""); break;
    }
    return decision.consumed;
}

// Ctrl+K or Ctrl+Q waits for a letter typed into the same editor: once that
// editor loses the keyboard, the program's own keys (Ctrl+N, Ctrl+O) work again.
void MacroKeyboard::FormKeysLost(TEditForm& document) {
    if (SharedMacroKeyState() == MacroKeyState::Idle) return;
    SharedMacroKeyState() = MacroKeyState::Idle;
    document.Host().States().ShowMacroState(L"");
}

void InsertToolbarMacro(TEditForm& document, int n, HWND) {
    TMacrosList& format = FormatMacros();
    if (n < 0 || n >= format.Count() || !document.TagEditing() || document.Editor().ReadOnly()) return;
    InsertMacro(format[n], document.Editor());
}

void LoadFormatMacros(HINSTANCE instance, HWND owner) {
    TMacrosList& format = FormatMacros();
    format.Clear();
    format.SetSortMethod(SortMethod::Fixed);
    bool whole = false;
    if (const auto bytes = RcData(instance, 1)) {
        try {
            format.ReadMacroSet(*bytes);
            whole = true;
        } catch (const StreamError&) {
        }
    }
    format.SetModified(false);
    if (!whole) ShowPrompt({kStrFormatMacrosFailed, {}, L"", PromptIcon::Error, PromptButtons::Ok, 0, owner});
}

}  // namespace quillon
