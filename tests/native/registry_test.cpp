#include <gtest/gtest.h>

#include "registry.h"

namespace quillon {
namespace {

constexpr wchar_t kKey[] = L"\\Software\\Brindle\\Quillon";

TEST(MemoryRegistry, ValuesRoundTripAndTypesAreKept) {
    MemoryRegistry registry;
    EXPECT_EQ(registry.Open(RegistryRoot::CurrentUser, kKey), nullptr);
    auto key = registry.Create(RegistryRoot::CurrentUser, kKey);
    ASSERT_TRUE(key);
    EXPECT_TRUE(key->WriteString(L"FontName", L"Courier New"));
    EXPECT_TRUE(key->WriteDword(L"FontSize", 11));
    EXPECT_TRUE(key->WriteBinary(L"Position", Bytes{1, 2, 3}));

    auto again = registry.Open(RegistryRoot::CurrentUser, L"software\\BRINDLE\\quillon\\");
    ASSERT_TRUE(again);
    EXPECT_EQ(again->ReadString(L"fontname"), L"Courier New");
    EXPECT_EQ(again->ReadDword(L"FontSize"), 11u);
    EXPECT_EQ(again->ReadBinary(L"Position"), (Bytes{1, 2, 3}));
    // A value of another type reads as absent but is told apart from a missing one.
    EXPECT_EQ(again->ReadDword(L"FontName"), std::nullopt);
    EXPECT_EQ(again->ReadString(L"FontSize"), std::nullopt);
    EXPECT_EQ(again->TypeOf(L"FontName"), ValueType::String);
    EXPECT_EQ(again->TypeOf(L"Nothing"), ValueType::Missing);
    EXPECT_TRUE(again->DeleteValue(L"FontName"));
    EXPECT_EQ(again->TypeOf(L"FontName"), ValueType::Missing);
    // The keys above were made on the way.
    EXPECT_TRUE(registry.Open(RegistryRoot::CurrentUser, L"Software\\Brindle"));
    EXPECT_FALSE(registry.Open(RegistryRoot::LocalMachine, kKey));
}

TEST(MemoryRegistry, DamagedValuesReadAsAbsent) {
    MemoryRegistry registry;
    registry.PutRaw(RegistryRoot::CurrentUser, kKey, L"ShortDword", ValueType::Dword, Bytes{1, 2});
    registry.PutRaw(RegistryRoot::CurrentUser, kKey, L"Odd", ValueType::Other, Bytes{9});
    auto key = registry.Open(RegistryRoot::CurrentUser, kKey);
    ASSERT_TRUE(key);
    EXPECT_EQ(key->ReadDword(L"ShortDword"), std::nullopt);
    EXPECT_EQ(key->TypeOf(L"Odd"), ValueType::Other);
    EXPECT_EQ(key->ReadBinary(L"Odd"), std::nullopt);
}

TEST(MemoryRegistry, DeleteTreeTakesEverythingBelowAndFailedWritesSayFalse) {
    MemoryRegistry registry;
    ASSERT_TRUE(registry.Create(RegistryRoot::CurrentUser, L"Software\\Brindle\\Quillon\\CoolBars\\Bar1"));
    ASSERT_TRUE(registry.Create(RegistryRoot::CurrentUser, L"Software\\Brindle\\QuillonOther"));
    EXPECT_TRUE(registry.DeleteTree(RegistryRoot::CurrentUser, kKey));
    EXPECT_FALSE(registry.Open(RegistryRoot::CurrentUser, L"Software\\Brindle\\Quillon\\CoolBars"));
    EXPECT_FALSE(registry.Open(RegistryRoot::CurrentUser, kKey));
    EXPECT_TRUE(registry.Open(RegistryRoot::CurrentUser, L"Software\\Brindle\\QuillonOther"));

    auto key = registry.Create(RegistryRoot::CurrentUser, kKey);
    registry.SetWritesFail(true);
    EXPECT_FALSE(key->WriteDword(L"Window State", 1));
    EXPECT_EQ(key->TypeOf(L"Window State"), ValueType::Missing);
    EXPECT_FALSE(registry.Create(RegistryRoot::CurrentUser, L"Software\\New"));
}

}  // namespace
}  // namespace quillon
