// Toolbars.dll through its export: the versions and toolbar numbers it answers,
// the bitmaps' sizes, the missing hot pictures of the Find toolbar, and the
// colours of the mapped and composite bitmaps.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "toolbar_images_api.h"
#include "win32_guards.h"
#include "win_test_support.h"

namespace quillon {
namespace {

class ToolbarImages : public ::testing::Test {
protected:
    void SetUp() override {
        library_ = Library((test::ModuleFolder() + kToolbarsLibrary).c_str());
        images = library_.Find<GetToolbarImagesFn>(kGetToolbarImagesExport);
        ASSERT_TRUE(images);
    }
    Library library_;
    GetToolbarImagesFn images = nullptr;
};

SIZE SizeOf(HBITMAP bitmap) {
    BITMAP info{};
    GetObjectW(bitmap, sizeof info, &info);
    return {info.bmWidth, info.bmHeight};
}

// The pixel at (x, y) as COLORREF.
COLORREF PixelOf(HBITMAP bitmap, int x, int y) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const COLORREF colour = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteDC(dc);
    return colour;
}

TEST_F(ToolbarImages, OtherVersionsAndToolbarNumbersTouchNothing) {
    HBITMAP untouched = reinterpret_cast<HBITMAP>(0x1234);
    HBITMAP normal = untouched, hot = untouched, disabled = untouched;
    EXPECT_EQ(images(2, 0, &normal, &hot, &disabled), 1);
    EXPECT_EQ(images(0, 0, &normal, &hot, &disabled), -1);
    EXPECT_EQ(images(1, 5, &normal, &hot, &disabled), 5);
    EXPECT_EQ(images(1, -1, &normal, &hot, &disabled), -1);
    EXPECT_EQ(normal, untouched);
    EXPECT_EQ(hot, untouched);
    EXPECT_EQ(disabled, untouched);
}

TEST_F(ToolbarImages, EachToolbarGetsItsPicturesInStrips) {
    struct Case { int toolbar; int normal, disabled; bool hasHot; };
    const Case cases[] = {{0, 112, 64, true}, {1, 96, 96, true}, {2, 144, 144, true}, {3, 272, 272, true},
                          {4, 64, 64, false}};
    for (const Case& c : cases) {
        HBITMAP normal = nullptr, hot = nullptr, disabled = nullptr;
        EXPECT_EQ(images(1, c.toolbar, &normal, &hot, &disabled), 0);
        ASSERT_TRUE(normal && disabled) << "toolbar " << c.toolbar;
        EXPECT_EQ(SizeOf(normal).cx, c.normal) << "toolbar " << c.toolbar;
        EXPECT_EQ(SizeOf(normal).cy, 16);
        EXPECT_EQ(SizeOf(disabled).cx, c.disabled) << "toolbar " << c.toolbar;
        EXPECT_EQ(hot != nullptr, c.hasHot) << "toolbar " << c.toolbar;
        if (hot) {
            EXPECT_EQ(SizeOf(hot).cx, c.normal);
        }
        // Every picture stands on magenta; the caller owns the bitmaps.
        for (int picture = 0; picture < c.normal / 16; ++picture) {
            int magenta = 0;
            for (int x = 0; x < 16; ++x)
                for (int y = 0; y < 16; ++y) magenta += PixelOf(normal, picture * 16 + x, y) == RGB(255, 0, 255);
            EXPECT_GT(magenta, 0) << "toolbar " << c.toolbar << " picture " << picture;
        }
        for (HBITMAP bitmap : {normal, hot, disabled}) {
            if (bitmap) {
                EXPECT_TRUE(DeleteObject(bitmap));
            }
        }
    }
}

// The system colours are set to ones no picture holds (the usual button text is
// black, which black mapped to black could not tell from no mapping at all),
// and given back afterwards.
TEST_F(ToolbarImages, MappedColoursFollowTheSystemColours) {
    const int elements[] = {COLOR_BTNTEXT, COLOR_HOTLIGHT, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT};
    const COLORREF odd[] = {RGB(1, 2, 3), RGB(4, 5, 6), RGB(7, 8, 9), RGB(10, 11, 12)};
    COLORREF saved[4] = {};
    for (int i = 0; i < 4; ++i) saved[i] = GetSysColor(elements[i]);
    ASSERT_TRUE(SetSysColors(4, elements, odd));
    HBITMAP normal = nullptr, hot = nullptr, disabled = nullptr;
    images(1, 3, &normal, &hot, &disabled);
    SetSysColors(4, elements, saved);
    // Somewhere in the digits' half the black became the button-text colour
    // (the hot one in the hot pictures), and the disabled pictures carry only
    // the shadow and highlight colours.
    const auto holds = [](HBITMAP bitmap, COLORREF colour) {
        for (int x = 112; x < 272; ++x)
            for (int y = 0; y < 16; ++y)
                if (PixelOf(bitmap, x, y) == colour) return true;
        return false;
    };
    EXPECT_TRUE(holds(normal, odd[0]));
    EXPECT_FALSE(holds(normal, RGB(0, 0, 0))) << "no black left unmapped";
    EXPECT_TRUE(holds(hot, odd[1]));
    bool shadow = false;
    for (int x = 0; x < 272; ++x)
        for (int y = 0; y < 16; ++y) {
            const COLORREF c = PixelOf(disabled, x, y);
            shadow = shadow || c == odd[2];
            ASSERT_TRUE(c == RGB(255, 0, 255) || c == odd[2] || c == odd[3]) << x << "," << y;
        }
    EXPECT_TRUE(shadow);
    for (HBITMAP bitmap : {normal, hot, disabled}) DeleteObject(bitmap);
}

}  // namespace
}  // namespace quillon
