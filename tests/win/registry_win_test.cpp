#include <windows.h>

#include <gtest/gtest.h>

#include "win32_registry.h"

namespace quillon {
namespace {

constexpr wchar_t kTestKey[] = L"\\Software\\Brindle\\QuillonTest";

class RealRegistry : public ::testing::Test {
protected:
    void SetUp() override { registry.DeleteTree(RegistryRoot::CurrentUser, kTestKey); }
    void TearDown() override { registry.DeleteTree(RegistryRoot::CurrentUser, kTestKey); }
    WindowsRegistry registry;
};

TEST_F(RealRegistry, ValuesKeepTheirTypesAndBytes) {
    EXPECT_EQ(registry.Open(RegistryRoot::CurrentUser, kTestKey), nullptr);
    auto key = registry.Create(RegistryRoot::CurrentUser, std::wstring(kTestKey) + L"\\CoolBars");
    ASSERT_TRUE(key);
    EXPECT_TRUE(key->WriteString(L"FontName", L"Courier New Кириллица"));
    EXPECT_TRUE(key->WriteDword(L"FontSize", 0x01020304));
    EXPECT_TRUE(key->WriteBinary(L"Position", Bytes{0, 1, 2, 255}));
    key.reset();

    // What another program reads with the registry API itself.
    HKEY raw = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Brindle\\QuillonTest\\CoolBars", 0, KEY_READ, &raw),
              ERROR_SUCCESS);
    DWORD type = 0, value = 0, size = sizeof value;
    EXPECT_EQ(RegQueryValueExW(raw, L"FontSize", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(value, 0x01020304u);
    BYTE bytes[8] = {};
    size = sizeof bytes;
    EXPECT_EQ(RegQueryValueExW(raw, L"Position", nullptr, &type, bytes, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(size, 4u);
    RegCloseKey(raw);

    auto again = registry.Open(RegistryRoot::CurrentUser, std::wstring(kTestKey) + L"\\CoolBars");
    ASSERT_TRUE(again);
    EXPECT_EQ(again->ReadString(L"FontName"), L"Courier New Кириллица");
    EXPECT_EQ(again->ReadBinary(L"Position"), (Bytes{0, 1, 2, 255}));
    EXPECT_EQ(again->ReadDword(L"FontName"), std::nullopt);
    EXPECT_EQ(again->TypeOf(L"FontName"), ValueType::String);
    EXPECT_EQ(again->TypeOf(L"Missing"), ValueType::Missing);
}

TEST_F(RealRegistry, DeleteTreeRemovesSubkeys) {
    ASSERT_TRUE(registry.Create(RegistryRoot::CurrentUser, std::wstring(kTestKey) + L"\\A\\B"));
    EXPECT_TRUE(registry.DeleteTree(RegistryRoot::CurrentUser, kTestKey));
    EXPECT_EQ(registry.Open(RegistryRoot::CurrentUser, kTestKey), nullptr);
    EXPECT_TRUE(registry.DeleteTree(RegistryRoot::CurrentUser, kTestKey));
}

}  // namespace
}  // namespace quillon
