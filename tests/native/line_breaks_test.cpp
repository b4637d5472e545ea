#include <gtest/gtest.h>

#include <random>
#include <string>

#include "line_breaks.h"

namespace quillon {
namespace {

// Every answer of the index against counting in the text itself.
void ExpectMatches(const LineBreaks& index, const std::wstring& text, const std::string& where) {
    ASSERT_EQ(index.Length(), static_cast<int>(text.size())) << where;
    int line = 0, start = 0;
    for (int i = 0; i <= static_cast<int>(text.size()); ++i) {
        ASSERT_EQ(index.LineOf(i), line) << where << " at " << i;
        ASSERT_EQ(index.LineStart(line), start) << where << " line " << line;
        if (i < static_cast<int>(text.size()) && text[static_cast<size_t>(i)] == L'\r') {
            ++line;
            start = i + 1;
        }
    }
    EXPECT_EQ(index.Lines(), line + 1) << where;
    EXPECT_EQ(index.LineStart(line + 1), -1) << where;
    EXPECT_EQ(index.LineStart(-1), -1) << where;
}

TEST(LineBreaks, FollowsReplacementsAnywhereInTheText) {
    struct Case {
        std::wstring text;
        int start, removed;
        std::wstring inserted;
    };
    const std::vector<Case> cases = {
        {L"", 0, 0, L""},
        {L"", 0, 0, L"\r"},
        {L"a\rb", 1, 1, L""},             // joining two lines
        {L"a\rb", 1, 0, L"\r\r"},         // splitting before a break
        {L"a\rb\rc", 0, 5, L"x"},         // everything
        {L"a\rb\rc", 2, 1, L"\rq\r"},     // a line replaced by three
        {L"\r\r\r", 3, 0, L"end\r"},      // at the very end
        {L"ab\rcd", 1, 3, L"Z"},          // a break inside the removed part
        {L"ab\rcd", 99, 5, L"\r"},        // positions past the end are clamped
    };
    for (const Case& c : cases) {
        LineBreaks index;
        index.Reset(c.text);
        std::wstring text = c.text;
        ExpectMatches(index, text, "reset");
        index.Replace(c.start, c.removed, c.inserted);
        const size_t start = std::min<size_t>(static_cast<size_t>(c.start), text.size());
        text.replace(start, std::min<size_t>(static_cast<size_t>(c.removed), text.size() - start), c.inserted);
        ExpectMatches(index, text, "replace at " + std::to_string(c.start));
    }
}

TEST(LineBreaks, StaysExactThroughManyRandomChanges) {
    std::mt19937 random(20261210);
    LineBreaks index;
    std::wstring text = L"one\rtwo\r\rthree";
    index.Reset(text);
    const std::wstring pieces[] = {L"", L"\r", L"x", L"\r\r", L"ab\rc", L"\rz"};
    for (int step = 0; step < 2000; ++step) {
        const int start = static_cast<int>(random() % (text.size() + 1));
        const int removed = static_cast<int>(random() % 4);
        const std::wstring& inserted = pieces[random() % std::size(pieces)];
        index.Replace(start, removed, inserted);
        text.replace(static_cast<size_t>(start), static_cast<size_t>(removed), inserted);
        if (text.size() > 400) {
            text.erase(0, 200);
            index.Replace(0, 200, L"");
        }
        ExpectMatches(index, text, "step " + std::to_string(step));
        if (HasFatalFailure()) return;
    }
}

}  // namespace
}  // namespace quillon
