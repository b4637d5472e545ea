#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "window_list.h"

namespace quillon {
namespace {

const void* W(int n) { return reinterpret_cast<const void*>(static_cast<intptr_t>(1000 + n)); }

WindowList Opened(int count) {
    WindowList list({L"(нет окна)", L"%s|Активизировать окно с файлом \"%s\""});
    for (int n = 0; n < count; ++n) {
        EXPECT_EQ(list.Register(W(n), L"caption"), n);
        list.NameChanged(n, L"f" + std::to_wstring(n) + L".html", L"C:\\site\\f" + std::to_wstring(n) + L".html");
    }
    return list;
}

std::vector<std::wstring> Captions(const WindowList& list) {
    std::vector<std::wstring> captions;
    for (const auto& button : list.Buttons()) captions.push_back(button.caption);
    return captions;
}

TEST(WindowList, ClosingAWindowMovesTheLaterOnesAndTheirButtonsDown) {
    WindowList list = Opened(3);
    EXPECT_EQ(list.Buttons()[2].hint, L"f2.html|Активизировать окно с файлом \"C:\\site\\f2.html\"");
    list.Activated(2);
    list.Unregister(0, false);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.At(0), W(1));
    EXPECT_EQ(list.NumberOf(W(2)), 1);
    EXPECT_EQ(list.Buttons()[0].caption, L"f1.html");
    EXPECT_EQ(list.Buttons()[1].caption, L"f2.html");
    EXPECT_EQ(list.Buttons()[1].hint, L"f2.html|Активизировать окно с файлом \"C:\\site\\f2.html\"");
    const WindowButtonState& freed = list.Buttons()[2];
    EXPECT_EQ(freed.caption, L"(нет окна)");
    EXPECT_EQ(freed.hint, L"");
    EXPECT_FALSE(freed.enabled);
    EXPECT_FALSE(freed.pressed);
    EXPECT_TRUE(list.Buttons()[1].enabled);
}

TEST(WindowList, WindowsPastTheTenthHaveNoButtonAndMoveIntoTheLastOne) {
    WindowList list = Opened(12);
    for (const auto& button : list.Buttons()) EXPECT_TRUE(button.enabled);
    list.Activated(3);
    EXPECT_TRUE(list.Buttons()[3].pressed);
    list.Activated(11);
    for (const auto& button : list.Buttons()) EXPECT_FALSE(button.pressed);
    list.Unregister(0, false);
    EXPECT_EQ(list.Buttons()[9].caption, L"f10.html") << "the window that was number 10";
    EXPECT_EQ(list.Buttons()[8].caption, L"f9.html");
    for (const auto& button : list.Buttons()) EXPECT_TRUE(button.enabled) << "eleven windows still fill them";
    list.Unregister(10, false);
    list.Unregister(9, false);
    EXPECT_EQ(list.Count(), 9);
    EXPECT_FALSE(list.Buttons()[9].enabled);
    EXPECT_EQ(list.Buttons()[9].caption, L"(нет окна)");
}

TEST(WindowList, NothingChangesWhileTheProgramCloses) {
    WindowList list = Opened(3);
    const auto before = Captions(list);
    list.Unregister(0, true);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(Captions(list), before);
    list.Unregister(7, false);  // no such window
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.NumberOf(W(99)), -1);
}

}  // namespace
}  // namespace quillon
