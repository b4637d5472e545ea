// The macros dialog's rules without a window: key list entries, conflicts and
// their resolution, the status texts and the keys the form sees first.
#include <gtest/gtest.h>

#include "macros_dialog_rules.h"
#include "platform_portable.h"

namespace quillon {
namespace {

TEST(MacrosDialogRules, KeyListEntries) {
    EXPECT_EQ(KeyEntryOf(kNoKey), 0);
    EXPECT_EQ(KeyEntryOf('A'), 1);
    EXPECT_EQ(KeyEntryOf('Z'), 26);
    EXPECT_EQ(KeyOfEntry(0), kNoKey);
    EXPECT_EQ(KeyOfEntry(17), 'Q');
    EXPECT_EQ(KeyOfEntry(27), kNoKey);
    EXPECT_EQ(KeyEntryForKeyDown(' '), 0);
    EXPECT_EQ(KeyEntryForKeyDown('Q'), 17);
    EXPECT_EQ(KeyEntryForKeyDown('5'), -1) << "a digit chooses nothing";
    EXPECT_EQ(KeyEntryForKeyDown(0x70), -1);  // F1
}

TEST(MacrosDialogRules, ConflictsNeedTheSamePrefixAndKeyAndResolveBothWays) {
    TMacrosList macros;
    TMacrosItem& a = macros.AddMacro();
    TMacrosItem& b = macros.AddMacro();
    TMacrosItem& c = macros.AddMacro();
    a.SetKey('B');
    b.SetPrefixK(false);
    b.SetKey('B');
    c.SetKey(kNoKey);
    EXPECT_EQ(FindKeyConflict(macros, c), nullptr) << "no key, no conflict";
    EXPECT_EQ(FindKeyConflict(macros, a), nullptr) << "Ctrl+Q, B is another key";
    c.SetKey('B');
    EXPECT_EQ(FindKeyConflict(macros, c), &a);
    TMacrosItem& d = macros.AddMacro();
    d.SetKey('B');
    EXPECT_EQ(FindKeyConflict(macros, c), &d) << "the last one found counts";

    ResolveKeyConflict({&a, &c, 'T', false}, true);
    EXPECT_EQ(a.Key(), kNoKey);
    EXPECT_EQ(c.Key(), 'B');
    ResolveKeyConflict({&d, &c, 'T', false}, false);
    EXPECT_EQ(c.Key(), 'T');
    EXPECT_FALSE(c.PrefixK());
    EXPECT_EQ(d.Key(), 'B');
}

TEST(MacrosDialogRules, TheKeysTheFormSeesFirst) {
    using F = DialogFocus;
    using A = DialogKeyAction;
    struct Case {
        wchar_t ch;
        F focus;
        A action;
    };
    const Case cases[] = {
        {L'*', F::MacrosList, A::Edit}, {L'*', F::Other, A::None},     {L'+', F::Other, A::Add},
        {L'+', F::Text, A::None},       {L'-', F::MacrosList, A::Delete}, {L'-', F::Other, A::None},
        {L'/', F::MacrosList, A::Clear}, {L'/', F::Text, A::None},     {L'a', F::MacrosList, A::None},
    };
    for (const Case& c : cases) EXPECT_EQ(FormKeyAction(c.ch, c.focus), c.action) << static_cast<char>(c.ch);
}

TEST(MacrosDialogRules, StatusTexts) {
    SetResourceString(139, L"Выделен макрос %s - %s");
    SetResourceString(140, L"Сочетание клавиш: %s");
    SetResourceString(141, L"(Нет)");
    TMacrosList macros;
    TMacrosItem& m = macros.AddMacro();
    m.SetName("Link");
    EXPECT_EQ(MacroStatusText(&m), L"Выделен макрос Link -  ") << "an empty description shows as one space";
    EXPECT_EQ(MacroKeyText(&m), L"Сочетание клавиш: (Нет)");
    m.SetPrefixK(false);
    m.SetKey('L');
    EXPECT_EQ(MacroKeyText(&m), L"Сочетание клавиш: Ctrl+Q, L");
    EXPECT_EQ(MacroStatusText(nullptr), L"");
}

}  // namespace
}  // namespace quillon
