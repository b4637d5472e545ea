// The recovery journal's entries and what a start does with them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "journal_entry.h"

namespace quillon {
namespace {

JournalEntry Entry(std::wstring name, bool hasFile, int number, std::wstring text = L"текст ✓\rстрока") {
    JournalEntry entry;
    entry.name = std::move(name);
    entry.hasFile = hasFile;
    entry.windowNumber = number;
    entry.text = std::move(text);
    return entry;
}

TEST(JournalEntry, WrittenAndReadBackWhole) {
    JournalEntry entry = Entry(L"C:\\Мои документы\\page.html", true, 3);
    entry.wordWrap = false;
    entry.readOnly = true;
    entry.coding = TextCoding::Utf8Bom;
    entry.lineBreak = LineBreak::Lf;
    entry.caret = 1234567;
    entry.text += std::wstring(1, L'\0') + L"\xD83D\xDE00";  // a NUL and a surrogate pair stay as they are
    const std::string bytes = EncodeJournalEntry(entry);
    const auto back = DecodeJournalEntry(bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->name, entry.name);
    EXPECT_TRUE(back->hasFile);
    EXPECT_FALSE(back->wordWrap);
    EXPECT_TRUE(back->readOnly);
    EXPECT_EQ(back->coding, TextCoding::Utf8Bom);
    EXPECT_EQ(back->lineBreak, LineBreak::Lf);
    EXPECT_EQ(back->caret, 1234567);
    EXPECT_EQ(back->windowNumber, 3);
    EXPECT_EQ(back->text, entry.text);
    const auto empty = DecodeJournalEntry(EncodeJournalEntry(Entry(L"Безымянный 1.txt", false, 0, L"")));
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->text, L"");
}

TEST(JournalEntry, CutDamagedAndForeignBytesAreRefused) {
    const std::string bytes = EncodeJournalEntry(Entry(L"C:\\a.txt", true, 0));
    for (size_t cut = 0; cut < bytes.size(); ++cut)
        EXPECT_FALSE(DecodeJournalEntry(bytes.substr(0, cut))) << "cut at " << cut;
    for (size_t at = 0; at < bytes.size(); ++at) {
        std::string damaged = bytes;
        damaged[at] = static_cast<char>(damaged[at] ^ 0x01);
        EXPECT_FALSE(DecodeJournalEntry(damaged)) << "bit flipped at " << at;
    }
    EXPECT_FALSE(DecodeJournalEntry(bytes + "x")) << "trailing bytes";
    EXPECT_FALSE(DecodeJournalEntry("PK\x03\x04 a zip file, not ours"));
    EXPECT_FALSE(DecodeJournalEntry(EncodeJournalEntry(Entry(L"", false, 0)))) << "no name";
}

TEST(JournalEntry, RestorePlanFillsOpenWindowsAndMovesTheUntitledCounter) {
    const std::wstring prefix = L"Безымянный ";
    const std::vector<JournalEntry> entries = {
        Entry(L"C:\\site\\b.html", true, 4),
        Entry(L"Безымянный 7.html", false, 2),
        Entry(L"C:\\SITE\\A.HTML", true, 1),
        Entry(L"Безымянный 3.txt", false, 0),
        Entry(L"C:\\gone.txt", true, 3),
    };
    const JournalRestorePlan plan = PlanJournalRestore(entries, {L"C:\\other.css", L"c:\\site\\a.html"}, prefix, 2);
    ASSERT_EQ(plan.steps.size(), 5u);
    const std::vector<size_t> order = {3, 2, 1, 4, 0};  // by window number
    for (size_t k = 0; k < order.size(); ++k) EXPECT_EQ(plan.steps[k].entry, order[k]);
    EXPECT_EQ(plan.steps[1].existingWindow, 1) << "the desktop opened a.html already (names compared without case)";
    for (const size_t k : {0u, 2u, 3u, 4u}) EXPECT_EQ(plan.steps[k].existingWindow, -1);
    EXPECT_EQ(plan.untitledCounter, 7);
    EXPECT_EQ(PlanJournalRestore(entries, {}, prefix, 12).untitledCounter, 12) << "never moves back";

    EXPECT_EQ(UntitledNumber(L"Безымянный 12.html", prefix), 12);
    EXPECT_EQ(UntitledNumber(L"Безымянный .html", prefix), std::nullopt);
    EXPECT_EQ(UntitledNumber(L"C:\\Безымянный 3.txt", prefix), std::nullopt);
    EXPECT_EQ(UntitledNumber(L"Безымянный 99999999999999.txt", prefix).value_or(0) > 0, true) << "no overflow";
}

}  // namespace
}  // namespace quillon
