#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "codepage.h"
#include "delayed_message.h"
#include "macro_keys.h"
#include "macro_model.h"
#include "macro_sets.h"
#include "macro_source.h"
#include "registry.h"
#include "storage.h"
#include "typed_stream.h"

namespace quillon {
namespace {

std::string Bytes(std::initializer_list<int> values) {
    std::string bytes;
    for (const int v : values) bytes += static_cast<char>(v);
    return bytes;
}

std::string Cp(const std::wstring& text) { return TextToBytes(text, CodePage::Win1251); }

// A set from short specs: name, key ('A'..'Z' or ' '), prefix K.
void Add(TMacrosList& set, const std::string& name, char key = kNoKey, bool prefixK = true) {
    TMacrosItem& macro = set.AddMacro();
    macro.SetName(name);
    macro.SetKey(key);
    macro.SetPrefixK(prefixK);
}

std::string Names(const TMacrosList& set) {
    std::string names;
    for (int i = 0; i < set.Count(); ++i) names += (i ? "," : "") + set[i].Name();
    return names;
}

TEST(TypedStream, IntegersTakeTheSmallestCodeAndStringsTheirLengthCode) {
    TypedWriter out;
    for (const int value : {0, -128, 127, 128, -32768, 32767, 32768, -2147483647 - 1}) out.Integer(value);
    out.String(std::string(255, 'a'));
    out.String(std::string(256, 'b'));
    TypedReader in(out.Bytes());
    for (const int value : {0, -128, 127, 128, -32768, 32767, 32768, -2147483647 - 1}) EXPECT_EQ(in.Integer(), value);
    EXPECT_EQ(in.String(), std::string(255, 'a'));
    EXPECT_EQ(in.String(), std::string(256, 'b'));
    EXPECT_TRUE(in.AtEnd());
    const std::string& b = out.Bytes();
    EXPECT_EQ(b.substr(0, 2), Bytes({0x02, 0x00}));
    EXPECT_EQ(b.substr(6, 3), Bytes({0x03, 0x80, 0x00}));  // 128
    EXPECT_EQ(b[15], 0x04);                                 // 32768
    // 255 bytes: 0x06 and one length byte; 256: 0x0C and four.
    const size_t strings = 2 + 2 + 2 + 3 + 3 + 3 + 5 + 5;
    EXPECT_EQ(b.substr(strings, 2), Bytes({0x06, 0xFF}));
    EXPECT_EQ(b.substr(strings + 2 + 255, 5), Bytes({0x0C, 0x00, 0x01, 0x00, 0x00}));
}

TEST(MacroSetStream, AnEmptySetIsSixBytesAndReadsAsNothing) {
    TMacrosList set;
    EXPECT_EQ(set.WriteMacroSet(), Bytes({'T', 'P', 'F', '0', 0x01, 0x00}));
    set.ReadMacroSet(set.WriteMacroSet());
    EXPECT_EQ(set.Count(), 0);
    EXPECT_FALSE(set.Modified());
}

TEST(MacroSetStream, TheBuiltInFormattingSourceGivesTheSixHundredAndThirtyFiveBytes) {
    std::ifstream in(QUILLON_SOURCE_DIR "/macros/format_macros.txt", std::ios::binary);
    ASSERT_TRUE(in);
    const std::string source((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    TMacrosList set;
    set.SetSortMethod(SortMethod::Fixed);
    ReadMacroSource(source, set);
    ASSERT_EQ(set.Count(), 11);
    const std::string bytes = set.WriteMacroSet();
    EXPECT_EQ(bytes.size(), 635u);
    // The first macro as stored: name, description, text, default, autoindent, Ctrl+K, no key.
    const std::string first = Bytes({0x06, 0x0A}) + Cp(L"Полужирный") + Bytes({0x06, 0x07}) + Cp(L"Тег <b>") +
                              Bytes({0x06, 0x08}) + "<b>^</b>" + Bytes({0x09, 0x08, 0x09, 0x06, 0x01, 0x20});
    EXPECT_EQ(bytes.substr(5, first.size()), first);
    TMacrosList again;
    again.SetSortMethod(SortMethod::Fixed);
    again.ReadMacroSet(bytes);
    EXPECT_EQ(again.WriteMacroSet(), bytes);
    EXPECT_EQ(again[10].Text(), "<sub>^</sub>");
    for (int i = 0; i < 11; ++i) EXPECT_EQ(again[i].Default(), i == 0) << i;
}

TEST(MacroSetStream, EachBrokenRuleEndsTheReadingAndKeepsTheMacrosBeforeIt) {
    TMacrosList source;
    Add(source, "one", 'A');
    Add(source, "two", 'B');
    Add(source, "three", 'C');
    Add(source, "four", 'D');
    const std::string good = source.WriteMacroSet();
    const size_t fourth = good.find("four") - 2;
    // The fourth record's key: a string of two letters instead of one character.
    std::string twoLetters = good;
    twoLetters.replace(good.size() - 4, 3, Bytes({0x06, 0x02, 'D', 'E'}));
    struct Broken {
        const char* name;
        std::string bytes;
        int kept;
    };
    const std::vector<Broken> cases = {
        {"signature", "TPF1" + good.substr(4), 0},
        {"list begin", good.substr(0, 4) + Bytes({0x02}) + good.substr(5), 0},
        {"key of two letters", twoLetters, 3},
        {"a name that is no string", good.substr(0, fourth) + Bytes({0x09}) + good.substr(fourth + 1), 3},
        {"cut inside the fourth", good.substr(0, fourth + 3), 3},
        {"cut before the end", good.substr(0, good.size() - 1), 4},
        {"end of list missing, other code", good.substr(0, good.size() - 1) + Bytes({0x01}), 4},
        {"long string past the end", good.substr(0, fourth) + Bytes({0x0C, 0xFF, 0xFF, 0xFF, 0x7F}), 3},
    };
    for (const Broken& c : cases) {
        SCOPED_TRACE(c.name);
        TMacrosList set;
        EXPECT_THROW(set.ReadMacroSet(c.bytes), StreamError);
        EXPECT_EQ(set.Count(), c.kept);
        for (int i = 0; i < set.Count(); ++i) EXPECT_EQ(set[i].Name(), source[i].Name());
    }
    // Flags take any byte as false; a long string code is read anywhere.
    std::string lenient = good;
    lenient[good.find("one") + 3 + 2 + 0 + 2] = 0x07;  // "one", empty description and text: the default flag
    const size_t name = lenient.find("one") - 2;
    lenient.replace(name, 2, Bytes({0x0C, 0x03, 0x00, 0x00, 0x00}));
    TMacrosList set;
    set.ReadMacroSet(lenient);
    EXPECT_EQ(set.Count(), 4);
    EXPECT_EQ(set[0].Name(), "one");
    EXPECT_FALSE(set[0].Default());
}

TEST(MacroSet, DefaultMacroAcrossReadingAndDeleting) {
    TMacrosList source;
    Add(source, "a");
    Add(source, "b");
    Add(source, "c");
    source[0].SetDefault(true);
    source[2].SetDefault(true);
    // Two stored defaults cannot happen through the setters: write them by hand.
    std::string twoDefaults = source.WriteMacroSet();
    const size_t aFlag = twoDefaults.find('a') + 1 + 2 + 2;
    twoDefaults[aFlag] = 0x09;
    TMacrosList set;
    set.ReadMacroSet(twoDefaults);
    EXPECT_FALSE(set[0].Default());
    EXPECT_TRUE(set[2].Default()) << "the later default wins";

    TMacrosList first;
    first.ReadMacroSet(std::string(twoDefaults).replace(twoDefaults.find('c') + 1 + 4, 1, Bytes({0x08})));
    ASSERT_TRUE(first[0].Default());
    first.DeleteMacro(0);
    EXPECT_TRUE(first[0].Default()) << "the macro now at index 0 takes the flag";
    first[0].SetDefault(false);
    EXPECT_TRUE(first[0].Default()) << "false is ignored";
    first.DeleteMacro(first.Count() - 1 + 5);  // past the end: nothing
    EXPECT_EQ(first.Count(), 2);
    first.DeleteMacro(1);
    first.DeleteMacro(0);
    EXPECT_EQ(first.Count(), 0);
}

TEST(MacroSet, SortMethodsOrderTheSetAndKeepItSortedOnChanges) {
    TMacrosList set;
    Add(set, "B");
    Add(set, "C");
    Add(set, "D");
    set.SetSortMethod(SortMethod::ByName);
    set[0].SetName("E");
    EXPECT_EQ(Names(set), "C,D,E");
    set[1].SetName("A");
    EXPECT_EQ(Names(set), "A,C,E");
    // Last use keeps the order until a macro is used.
    set.SetSortMethod(SortMethod::LastUsed);
    EXPECT_EQ(Names(set), "A,C,E");
    set.MacroUsed(set[2]);
    EXPECT_EQ(Names(set), "E,A,C");

    TMacrosList keys;
    Add(keys, "space");
    Add(keys, "B/Q", 'B', false);
    Add(keys, "B/K", 'B', true);
    Add(keys, "A", 'A');
    keys.SetSortMethod(SortMethod::ByKey);
    EXPECT_EQ(Names(keys), "space,A,B/K,B/Q");
    keys[2].SetPrefixK(false);  // a prefix alone does not reorder
    EXPECT_EQ(Names(keys), "space,A,B/K,B/Q");
    keys[0].SetKey('Z');
    EXPECT_EQ(Names(keys), "A,B/K,B/Q,space");
    keys.SetSortMethod(SortMethod::Fixed);
    keys.MacroUsed(keys[3]);
    EXPECT_EQ(Names(keys), "A,B/K,B/Q,space");

    // Names compare as unsigned bytes; a name that begins another comes first.
    TMacrosList bytes;
    Add(bytes, Cp(L"я"));
    Add(bytes, "ab");
    Add(bytes, "a");
    Add(bytes, "Z");
    bytes.SetSortMethod(SortMethod::ByName);
    EXPECT_EQ(Names(bytes), "Z,a,ab," + Cp(L"я"));
}

TEST(MacroSet, SettersMarkTheSetModifiedOnlyOnAChange) {
    TMacrosList set;
    TMacrosItem& macro = set.AddMacro();
    EXPECT_TRUE(set.Modified());
    set.SetModified(false);
    macro.SetName("");
    macro.SetKey(kNoKey);
    macro.SetPrefixK(true);
    macro.SetDefault(false);
    EXPECT_FALSE(set.Modified());
    macro.SetText("x");
    EXPECT_TRUE(set.Modified());
    set.SetModified(false);
    set.SetSortMethod(SortMethod::ByName);  // reordering never changes it
    EXPECT_FALSE(set.Modified());
}

TEST(MacroSet, KeyListsHoldTheKeyedMacrosByKeyAndTheLastDefault) {
    TMacrosList set;
    Add(set, "b1", 'B');
    Add(set, "q", 'B', false);
    Add(set, "none");
    Add(set, "a", 'A');
    Add(set, "b2", 'B');
    set[2].SetDefault(true);
    const MacroKeyLists lists = BuildKeyLists(set);
    ASSERT_EQ(lists.k.size(), 3u);
    EXPECT_EQ(lists.k[0]->Name(), "a");
    EXPECT_EQ(lists.k[1]->Name(), "b1");
    EXPECT_EQ(lists.k[2]->Name(), "b2");
    ASSERT_EQ(lists.q.size(), 1u);
    EXPECT_EQ(lists.defaultMacro, &set[2]);
    const auto onB = MacrosOnKey(lists, true, 'B');
    ASSERT_EQ(onB.size(), 2u) << "both macros on one key, in list order";
    EXPECT_EQ(onB[0]->Name(), "b1");
    EXPECT_TRUE(MacrosOnKey(lists, true, 'C').empty());
    EXPECT_EQ(MacrosOnKey(lists, false, 'B').size(), 1u);
}

class CountingView : public MacroListView {
public:
    int SelectedIndex() const override { return selected; }
    void Clear() override { entries.clear(); }
    void Add(const TMacrosItem& macro) override {
        entries.push_back(&macro);
        ++adds;
    }
    int Count() const override { return static_cast<int>(entries.size()); }
    void Select(int index) override { selected = index; }
    int BoldNameWidth(const std::string& name) const override { return static_cast<int>(name.size()) * 10; }
    void Repaint() override { ++repaints; }
    void SelectionChanged() override { ++changes; }
    std::vector<const TMacrosItem*> entries;
    int selected = -1, repaints = 0, changes = 0, adds = 0;
};

// Reading a set fills the bound list once, sorted or not, and a damaged
// stream leaves the list showing exactly the macros that stayed; emptying
// the set empties the list, so it never refers to a freed macro.
TEST(MacroSet, ReadingFillsTheBoundListOnceAndClearingEmptiesIt) {
    TMacrosList source;
    for (int i = 0; i < 3000; ++i) Add(source, "m" + std::to_string((i * 7919) % 3000), static_cast<char>('A' + i % 26));
    const std::string bytes = source.WriteMacroSet();
    for (SortMethod method : {SortMethod::LastUsed, SortMethod::ByName, SortMethod::ByKey}) {
        TMacrosList set;
        set.SetSortMethod(method);
        CountingView view;
        set.BindListBox(&view);
        view.adds = 0;
        set.ReadMacroSet(bytes);
        EXPECT_EQ(view.adds, 3000) << static_cast<int>(method);
        ASSERT_EQ(view.Count(), set.Count());
        for (int i = 0; i < set.Count(); ++i) ASSERT_EQ(view.entries[static_cast<size_t>(i)], &set[i]);

        view.adds = 0;
        EXPECT_THROW(set.ReadMacroSet(bytes.substr(0, bytes.size() / 2)), StreamError);
        EXPECT_LE(view.adds, set.Count());
        ASSERT_EQ(view.Count(), set.Count()) << "the list shows what stayed after a damaged stream";
        for (int i = 0; i < set.Count(); ++i) ASSERT_EQ(view.entries[static_cast<size_t>(i)], &set[i]);

        set.Clear();
        EXPECT_EQ(view.Count(), 0);
    }
    // The order of a sorted read is the order of the same macros sorted afterwards.
    TMacrosList readSorted, sortedAfter;
    readSorted.SetSortMethod(SortMethod::ByName);
    readSorted.ReadMacroSet(bytes);
    sortedAfter.ReadMacroSet(bytes);
    sortedAfter.SetSortMethod(SortMethod::ByName);
    for (int i = 0; i < 3000; ++i) ASSERT_EQ(readSorted[i].Name(), sortedAfter[i].Name()) << i;
}

TEST(MacroSet, TheBoundListShowsTheSetWithItsNameColumnAtMostOneHundredAndThirty) {
    TMacrosList set;
    Add(set, "short");
    CountingView view;
    set.BindListBox(&view);
    EXPECT_EQ(view.Count(), 1);
    EXPECT_EQ(view.selected, 0);
    EXPECT_EQ(set.NameColumnWidth(), 50);
    Add(set, "a name far too long for its column");
    set.RefreshDisplay(false);  // a new name is measured at the next refresh
    EXPECT_EQ(set.NameColumnWidth(), 130);
    EXPECT_EQ(view.selected, 0) << "the selection stays where it was";
    view.selected = 1;
    set.DeleteMacro(1);
    EXPECT_EQ(view.selected, 0) << "past the end: the last entry";
    EXPECT_GT(view.changes, 0);
    set.BindListBox(nullptr);
    EXPECT_EQ(set.NameColumnWidth(), 50);
}

TEST(MacroKeys, CtrlKAndCtrlQWaitForALetterAndEveryKeyEndsTheWaiting) {
    struct Step {
        int key;
        bool ctrl, shift, alt;
        MacroKeyAction action;
        bool consumed;
        MacroKeyState after;
    };
    using A = MacroKeyAction;
    using S = MacroKeyState;
    const std::vector<Step> steps = {
        {'K', false, false, false, A::None, false, S::Idle},  // K alone is typing
        {'K', true, true, false, A::None, false, S::Idle},    // with Shift it is not the macro key
        {'K', true, false, true, A::None, false, S::Idle},    // nor with Alt
        {'K', true, false, false, A::WaitK, true, S::WaitingK},
        {'B', true, false, false, A::InsertOnKey, true, S::Idle},  // Ctrl+B works as B
        {'Q', true, false, false, A::WaitQ, true, S::WaitingQ},
        {0x1B, false, false, false, A::EndWaiting, true, S::Idle},  // Esc
        {'K', true, false, false, A::WaitK, true, S::WaitingK},
        {0x10, false, true, false, A::EndWaiting, true, S::Idle},  // Shift on its own
        {'M', true, false, false, A::InsertDefault, true, S::Idle},
        {'J', true, false, false, A::ShowPicker, true, S::Idle},
        {'X', true, false, false, A::None, false, S::Idle},
    };
    MacroKeyState state = MacroKeyState::Idle;
    for (size_t i = 0; i < steps.size(); ++i) {
        const Step& s = steps[i];
        const MacroKeyDecision d = MacroKeyDown(state, s.key, s.ctrl, s.shift, s.alt);
        EXPECT_EQ(d.action, s.action) << "step " << i;
        EXPECT_EQ(d.consumed, s.consumed) << "step " << i;
        EXPECT_EQ(state, s.after) << "step " << i;
    }
    state = MacroKeyState::WaitingQ;
    const MacroKeyDecision letter = MacroKeyDown(state, 'Z', false, false, false);
    EXPECT_FALSE(letter.prefixK);
    EXPECT_EQ(letter.letter, 'Z');
}

TEST(DelayedMessages, TheLastThreadAliveClearsUnlessNewerTextOrClosingCameBetween) {
    const DelayedMessageTiming timing;  // 5 s in 250 ms steps
    EXPECT_EQ(timing.delayMs, 5000);
    EXPECT_EQ(timing.stepMs, 250);
    DelayedMessageCounter counter;
    // One message: waits the whole delay, then clears.
    int first = counter.Enter();
    EXPECT_TRUE(counter.KeepWaiting(first, 4750, false, timing));
    EXPECT_FALSE(counter.KeepWaiting(first, 5000, false, timing));
    EXPECT_TRUE(counter.MayClear(false));
    counter.Leave();
    // A second message while the first waits: the first stops without clearing.
    first = counter.Enter();
    const int second = counter.Enter();
    EXPECT_FALSE(counter.KeepWaiting(first, 2000, false, timing));
    EXPECT_FALSE(counter.MayClear(false));
    counter.Leave();
    EXPECT_TRUE(counter.KeepWaiting(second, 2000, false, timing));
    // A waiting text of the macro keys came: no clearing.
    counter.ForbidClearing();
    EXPECT_FALSE(counter.MayClear(false));
    counter.Leave();
    // Closing: no more waiting, nothing cleared.
    const int last = counter.Enter();
    EXPECT_FALSE(counter.KeepWaiting(last, 0, true, timing));
    EXPECT_FALSE(counter.MayClear(true));
    counter.Leave();
    EXPECT_EQ(counter.Live(), 0);
}

TEST(StoredMacros, SortMethodSetAndFlagComeBackAsStoredAndAReadErrorKeepsWhatWasRead) {
    MemoryRegistry registry;
    TMacrosList set;
    Add(set, "z", 'Z');
    Add(set, "a", 'A');
    ASSERT_TRUE(storage::SaveMacroValues(registry, set.WriteMacroSet(), 1, true));
    TMacrosList loaded;
    EXPECT_TRUE(ApplyStoredMacros(loaded, storage::LoadMacroValues(registry)));
    EXPECT_EQ(loaded.GetSortMethod(), SortMethod::ByName);
    EXPECT_EQ(Names(loaded), "a,z") << "read into a set sorted by name";
    EXPECT_TRUE(loaded.Modified());

    std::string broken = set.WriteMacroSet();
    broken.resize(broken.size() - 3);
    ASSERT_TRUE(storage::SaveMacroValues(registry, broken, 0, false));
    TMacrosList partly;
    EXPECT_FALSE(ApplyStoredMacros(partly, storage::LoadMacroValues(registry)));
    EXPECT_EQ(Names(partly), "z");
    EXPECT_FALSE(partly.Modified());

    MemoryRegistry empty;
    TMacrosList none;
    EXPECT_TRUE(ApplyStoredMacros(none, storage::LoadMacroValues(empty)));
    EXPECT_EQ(none.Count(), 0);
}

}  // namespace
}  // namespace quillon
