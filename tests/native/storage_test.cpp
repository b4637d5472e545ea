#include <gtest/gtest.h>

#include "recent_names.h"

#include <cstring>

#include "prompts.h"
#include "storage.h"

namespace quillon::storage {
namespace {

const ScreenRect kWorkArea{0, 0, 1280, 1000};

bool WrapByKind(const std::wstring& name) { return name.size() < 4 || name.substr(name.size() - 4) != L".css"; }

TEST(Storage, FirstStartGivesTheDefaults) {
    MemoryRegistry registry;
    EXPECT_FALSE(LoadPlacement(registry, kWorkArea));
    EXPECT_EQ(LoadDocumentState(registry), 2);
    const EditorOptions options = LoadOptions(registry);
    EXPECT_FALSE(options.FullNames);
    EXPECT_TRUE(options.HtmlExt);
    EXPECT_TRUE(options.Autoindent);
    EXPECT_TRUE(options.SmartTab);
    EXPECT_FALSE(options.WordSelect);
    EXPECT_TRUE(options.BackupCopies);
    const FileboxDialogState dialogs = LoadDialogState(registry);
    EXPECT_EQ(dialogs.openFilter, 1);
    EXPECT_EQ(dialogs.saveFilter, 1);
    EXPECT_EQ(dialogs.openFolder[0], '\0');
    EditorOptions font;
    font.FontName = L"stale";
    LoadFont(registry, font);
    EXPECT_EQ(font.FontName, L"");
    EXPECT_EQ(font.FontSize, 0);
    for (const auto& entry : LoadRecentFiles(registry, WrapByKind)) {
        EXPECT_EQ(entry.FileName, L"");
        EXPECT_TRUE(entry.WordWrap);
    }
}

TEST(Storage, EveryValueRoundTripsWithItsTypeAndLayout) {
    MemoryRegistry registry;
    SavePlacement(registry, {{10, 20, 810, 620}, 2});
    ASSERT_TRUE(SaveDocumentState(registry, 0));
    EditorOptions options;
    options.FullNames = true;
    options.Autoindent = false;
    options.WordSelect = true;
    options.BackupCopies = false;
    options.FontName = L"Lucida Console";
    options.FontSize = 12;
    ASSERT_TRUE(SaveOptions(registry, options));
    ASSERT_TRUE(SaveFont(registry, options));
    FileboxDialogState dialogs;
    dialogs.openFilter = 7;
    dialogs.saveFilter = 6;
    std::strcpy(dialogs.openFolder.data(), "C:\\site");
    std::strcpy(dialogs.saveFolder.data(), "C:\\css");
    ASSERT_TRUE(SaveDialogState(registry, dialogs));

    auto key = registry.Open(RegistryRoot::CurrentUser, kRootKey);
    ASSERT_TRUE(key);
    EXPECT_EQ(key->ReadBinary(L"Position")->size(), 20u);
    EXPECT_EQ(key->ReadBinary(L"FileboxDlg")->size(), 528u);
    EXPECT_EQ(key->TypeOf(L"HTMLExt"), ValueType::Dword);
    EXPECT_EQ(key->TypeOf(L"FontName"), ValueType::String);
    EXPECT_EQ(key->ReadDword(L"Window State"), 0u);

    const auto placement = LoadPlacement(registry, kWorkArea);
    ASSERT_TRUE(placement);
    EXPECT_EQ(placement->rect.left, 10);
    EXPECT_EQ(placement->rect.bottom, 620);
    EXPECT_EQ(placement->state, 2);
    EXPECT_EQ(LoadDocumentState(registry), 0);
    const EditorOptions back = LoadOptions(registry);
    EXPECT_TRUE(back.FullNames);
    EXPECT_FALSE(back.Autoindent);
    EXPECT_TRUE(back.WordSelect);
    EXPECT_FALSE(back.BackupCopies);
    EditorOptions font;
    LoadFont(registry, font);
    EXPECT_EQ(font.FontName, L"Lucida Console");
    EXPECT_EQ(font.FontSize, 12);
    const FileboxDialogState dialogsBack = LoadDialogState(registry);
    EXPECT_EQ(dialogsBack.openFilter, 7);
    EXPECT_EQ(dialogsBack.saveFilter, 6);
    EXPECT_STREQ(dialogsBack.openFolder.data(), "C:\\site");
    EXPECT_STREQ(dialogsBack.saveFolder.data(), "C:\\css");
}

TEST(Storage, HtmlExtIsWrittenButNeverReadBack) {
    MemoryRegistry registry;
    EditorOptions options;
    options.HtmlExt = false;
    ASSERT_TRUE(SaveOptions(registry, options));
    EXPECT_EQ(registry.Open(RegistryRoot::CurrentUser, kRootKey)->ReadDword(L"HTMLExt"), 0u);
    EXPECT_TRUE(LoadOptions(registry).HtmlExt);
}

TEST(Storage, BadStoredDataGivesTheDefaults) {
    MemoryRegistry registry;
    const auto put = [&](const wchar_t* name, ValueType type, Bytes data) {
        registry.PutRaw(RegistryRoot::CurrentUser, kRootKey, name, type, data);
    };
    put(L"Position", ValueType::Binary, Bytes(16, 1));               // truncated
    put(L"Window State", ValueType::String, Bytes{'2', 0});          // wrong type
    put(L"FullNames", ValueType::String, Bytes{'1', 0, 0, 0});       // wrong type
    put(L"SmartTab", ValueType::Dword, Bytes{0, 0, 0, 0});           // a good one among them
    put(L"FileboxDlg", ValueType::Binary, Bytes(527, 0x41));         // one byte short
    put(L"FontName", ValueType::String, Bytes{'A', 0, 0, 0});
    put(L"FontSize", ValueType::String, Bytes{'9', 0, 0, 0});        // wrong type
    EXPECT_FALSE(LoadPlacement(registry, kWorkArea));
    EXPECT_EQ(LoadDocumentState(registry), 2);
    const EditorOptions options = LoadOptions(registry);
    EXPECT_FALSE(options.FullNames);
    EXPECT_FALSE(options.SmartTab);
    EXPECT_TRUE(options.Autoindent);
    EXPECT_EQ(LoadDialogState(registry).openFilter, 1);
    EditorOptions font;
    LoadFont(registry, font);
    EXPECT_EQ(font.FontName, L"");

    // A folder stored without its terminator is cut, never read past.
    FileboxDialogState full;
    full.openFolder.fill('x');
    Bytes raw(sizeof full);
    std::memcpy(raw.data(), &full, sizeof full);
    put(L"FileboxDlg", ValueType::Binary, raw);
    EXPECT_EQ(std::strlen(LoadDialogState(registry).openFolder.data()), 259u);
}

TEST(Storage, PlacementOutsideTheWorkAreaIsIgnored) {
    MemoryRegistry registry;
    SavePlacement(registry, {{2000, 100, 2600, 500}, 0});  // on a monitor that is gone
    EXPECT_FALSE(LoadPlacement(registry, kWorkArea));
    SavePlacement(registry, {{-100, -50, 20, 30}, 0});     // reaching in at a corner
    EXPECT_TRUE(LoadPlacement(registry, kWorkArea));
}

void PutEntry(MemoryRegistry& registry, int i, const std::wstring& name, bool complete = true) {
    auto key = registry.Create(RegistryRoot::CurrentUser, std::wstring(kRootKey) + L"\\MRU\\File" + std::to_wstring(i));
    key->WriteString(L"FileName", name);
    key->WriteDword(L"ReadOnly", 1);
    key->WriteDword(L"Position", 42);
    key->WriteDword(L"WordWrap", 0);
    if (complete) key->WriteDword(L"DosText", 1);
}

using test::Names;

TEST(Storage, RecentFilesLoadByTheirRules) {
    {
        // File0, File1 and File3: entries 0, 1 and 3; the missing key is skipped.
        MemoryRegistry registry;
        PutEntry(registry, 0, L"C:\\a.html");
        PutEntry(registry, 1, L"C:\\b.css");
        PutEntry(registry, 3, L"C:\\d.txt");
        const RecentFiles files = LoadRecentFiles(registry, WrapByKind);
        EXPECT_EQ(Names(files), (std::vector<std::wstring>{L"C:\\a.html", L"C:\\b.css", L"", L"C:\\d.txt", L"", L"",
                                                           L"", L"", L"", L""}));
        EXPECT_TRUE(files[0].ReadOnly);
        EXPECT_EQ(files[0].Position, 42);
        EXPECT_FALSE(files[0].WordWrap);
        EXPECT_EQ(files[0].Coding, 1u);
    }
    {
        // An empty File2 ends the reading: File3 is not consulted.
        MemoryRegistry registry;
        PutEntry(registry, 0, L"C:\\a.html");
        PutEntry(registry, 1, L"C:\\b.html");
        PutEntry(registry, 2, L"");
        PutEntry(registry, 3, L"C:\\d.txt");
        EXPECT_EQ(LoadRecentFiles(registry, WrapByKind)[3].FileName, L"");
    }
    {
        // A value that cannot be read: the name stays, the rest takes the fallbacks.
        MemoryRegistry registry;
        PutEntry(registry, 0, L"C:\\style.css", false);
        PutEntry(registry, 1, L"C:\\page.html", false);
        const RecentFiles files = LoadRecentFiles(registry, WrapByKind);
        EXPECT_EQ(files[0].FileName, L"C:\\style.css");
        EXPECT_FALSE(files[0].ReadOnly);
        EXPECT_EQ(files[0].Position, 0);
        EXPECT_FALSE(files[0].WordWrap);  // by kind: css does not wrap
        EXPECT_TRUE(files[1].WordWrap);
        EXPECT_EQ(files[1].Coding, 0u);
    }
    {
        // A DWORD where the name belongs reads as no name: nothing is loaded.
        MemoryRegistry registry;
        registry.PutRaw(RegistryRoot::CurrentUser, std::wstring(kRootKey) + L"\\MRU\\File0", L"FileName",
                        ValueType::Dword, Bytes{1, 0, 0, 0});
        PutEntry(registry, 1, L"C:\\b.html");
        EXPECT_EQ(LoadRecentFiles(registry, WrapByKind)[1].FileName, L"");
    }
}

TEST(Storage, RecentFilesRoundTripAllTenEntries) {
    MemoryRegistry registry;
    RecentFiles files{};
    files[0] = {L"C:\\Документы\\a.html", true, 17, false, 1};
    files[1] = {L"C:\\b.txt", false, 0, true, 4};
    ASSERT_TRUE(SaveRecentFiles(registry, files));
    EXPECT_TRUE(registry.Open(RegistryRoot::CurrentUser, std::wstring(kRootKey) + L"\\MRU\\File9"));
    const RecentFiles back = LoadRecentFiles(registry, WrapByKind);
    EXPECT_EQ(back[0].FileName, files[0].FileName);
    EXPECT_TRUE(back[0].ReadOnly);
    EXPECT_EQ(back[0].Position, 17);
    EXPECT_FALSE(back[0].WordWrap);
    EXPECT_EQ(back[0].Coding, 1u);
    EXPECT_EQ(back[1].FileName, L"C:\\b.txt");
    EXPECT_EQ(back[1].Coding, 4u) << "a UTF-16 document's coding in the same value";
    EXPECT_EQ(back[2].FileName, L"");
}

TEST(Storage, BandValuesAreNamedByBandAndOnlyBinaryOnesAreRead) {
    MemoryRegistry registry;
    EXPECT_FALSE(LoadBandValue(registry, 0)) << "no key yet";
    ASSERT_TRUE(SaveBandValues(registry, {{3, Bytes{1, 2}}, {0, Bytes(12, 7)}}));
    EXPECT_EQ(LoadBandValue(registry, 3), (Bytes{1, 2}));
    EXPECT_EQ(LoadBandValue(registry, 0), Bytes(12, 7));
    EXPECT_FALSE(LoadBandValue(registry, 1));
    registry.PutRaw(RegistryRoot::CurrentUser, std::wstring(kRootKey) + L"\\CoolBars", L"2", ValueType::Dword,
                    Bytes{1, 0, 0, 0});
    EXPECT_FALSE(LoadBandValue(registry, 2)) << "a value of another type";
}

TEST(Storage, FailedWritesShowTheirOneMessageAndPlacementIsSilent) {
    MemoryRegistry registry;
    registry.SetWritesFail(true);
    ScriptedPrompts script;
    EXPECT_FALSE(SaveDocumentState(registry, 2));
    EXPECT_FALSE(SaveOptions(registry, EditorOptions{}));
    EXPECT_FALSE(SaveDialogState(registry, FileboxDialogState{}));
    EXPECT_FALSE(SaveFont(registry, EditorOptions{}));
    EXPECT_FALSE(SaveRecentFiles(registry, RecentFiles{}));
    EXPECT_FALSE(SaveMacroValues(registry, "TPF0\x01", 0, false));
    EXPECT_FALSE(SaveBandValues(registry, {{0, Bytes(12)}, {1, Bytes(12)}}));
    SavePlacement(registry, {});
    EXPECT_EQ(script.SeenIds(), (std::vector<int>{118, 123, 124, 145, 120, 126, 121}))
        << "one message for the band layout, however many bands";
    for (const auto& request : script.Seen()) EXPECT_EQ(request.icon, PromptIcon::Error);
}

}  // namespace
}  // namespace quillon::storage
