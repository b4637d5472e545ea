// Text in shared pieces against a plain string, edit by edit.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "chunked_text.h"

namespace quillon {
namespace {

TEST(ChunkedText, EveryEditAgreesWithAPlainStringAndSnapshotsStayAsTaken) {
    std::mt19937 random(20261211);
    ChunkedText chunked;
    std::wstring plain;
    const std::wstring big(3 * ChunkedText::kPiece + 17, L'б');
    chunked.Append(big);
    plain = big;
    std::vector<std::pair<ChunkedText::Snapshot, std::wstring>> taken;
    for (int step = 0; step < 3000; ++step) {
        const size_t start = plain.empty() ? 0 : random() % (plain.size() + 1);
        size_t removed = 0;
        std::wstring inserted;
        switch (random() % 6) {
        case 0: inserted = L"x"; break;                                             // typing
        case 1: removed = 1; break;                                                 // a deletion
        case 2: removed = random() % (2 * ChunkedText::kPiece); break;              // across pieces
        case 3: inserted.assign(random() % (3 * ChunkedText::kPiece), L'\r'); break;  // a large paste
        case 4: removed = random() % 40, inserted = L"замена"; break;
        default: chunked.Append(L"end"), plain += L"end"; break;
        }
        chunked.Replace(start, removed, inserted);
        plain.replace(std::min(start, plain.size()), removed, inserted);
        ASSERT_EQ(chunked.Length(), plain.size()) << "step " << step;
        if (step % 97 == 0) {
            ASSERT_EQ(ChunkedText::Join(chunked.Share()), plain) << "step " << step;
            taken.emplace_back(chunked.Share(), plain);
        }
    }
    for (const auto& [snapshot, text] : taken) EXPECT_EQ(ChunkedText::Join(snapshot), text);
    chunked.Replace(0, plain.size(), L"");
    EXPECT_EQ(chunked.Length(), 0u);
    EXPECT_TRUE(chunked.Share().empty());
    chunked.Replace(5, 3, L"вставка");
    EXPECT_EQ(ChunkedText::Join(chunked.Share()), L"вставка") << "clamped to the empty text";
}

}  // namespace
}  // namespace quillon
