// Every binary the project ships carries the one version of the build.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "quillon_version.h"
#include "win_test_support.h"

namespace quillon {
namespace {

std::wstring Value(const std::vector<char>& block, const wchar_t* name) {
    wchar_t* text = nullptr;
    UINT length = 0;
    const std::wstring path = std::wstring(L"\\StringFileInfo\\041904E3\\") + name;
    if (!VerQueryValueW(block.data(), path.c_str(), reinterpret_cast<void**>(&text), &length) || !text) return {};
    return text;
}

TEST(VersionResource, EveryBinaryCarriesTheProductAndTheOneVersion) {
    const std::wstring version = L"" QUILLON_VERSION_TEXT;
    for (const wchar_t* binary : {L"Scrivo.exe", L"Relay.exe", L"Filebox.dll", L"Assist.dll", L"Toolbars.dll", L"Template.dll",
                                   L"Stencil.dll"}) {
        const std::wstring path = test::BinFolder() + binary;
        const DWORD size = GetFileVersionInfoSizeW(path.c_str(), nullptr);
        ASSERT_GT(size, 0u) << "no version resource in " << std::string(path.begin(), path.end());
        std::vector<char> block(size);
        ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, block.data()));
        EXPECT_EQ(Value(block, L"ProductName"), L"Quillon");
        EXPECT_EQ(Value(block, L"CompanyName"), L"Brindle");
        EXPECT_EQ(Value(block, L"FileVersion"), version);
        EXPECT_EQ(Value(block, L"OriginalFilename"), binary);
        EXPECT_FALSE(Value(block, L"FileDescription").empty());
        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
        EXPECT_EQ(fixed->dwFileVersionMS, static_cast<DWORD>(MAKELONG(QUILLON_VERSION_MINOR, QUILLON_VERSION_MAJOR)));
        EXPECT_EQ(HIWORD(fixed->dwFileVersionLS), QUILLON_VERSION_PATCH);
    }
}

}  // namespace
}  // namespace quillon
