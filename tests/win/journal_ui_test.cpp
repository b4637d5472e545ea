// The recovery journal on the real windows: entries that follow the typing,
// and a start after a run that died with unsaved changes.
#include <windows.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "command_table.h"
#include "editor_ui_fixture.h"
#include "journal.h"
#include "prompts.h"
#include "storage.h"

namespace quillon {
namespace {

class JournalUi : public EditorUi {
protected:
    void SetUp() override {
        EditorUi::SetUp();
        journalFolder = folder + L"journal";
        DestroyWindow(frame);
        test::PumpMessages();
        Start();
    }
    // A start of the program over the same registry and journal folder, idle
    // after its first activation (the desktop and the journal restored).
    void Start() {
        SharedDocumentState() = DocumentState{};
        form = THtmlScrivoForm::Create(GetModuleHandleW(nullptr), {SW_SHOWNORMAL, &registry, journalFolder});
        ASSERT_TRUE(form);
        frame = form->Frame();
        SetActiveWindow(frame);
        test::PumpMessages();
    }
    // The run dies: whatever its journal holds stays, as after a kill. (The
    // window is closed afterwards only to free it; its removals are undone.)
    void Die() {
        ASSERT_TRUE(form->Journal());
        form->Journal()->Flush();
        std::map<std::wstring, std::string> kept;
        for (const auto& entry : std::filesystem::directory_iterator(journalFolder))
            if (entry.path().extension() == L".qlj") kept[entry.path().wstring()] = *ReadWholeFile(entry.path().wstring());
        for (TEditForm* document : form->Documents()) document->Editor().SetModified(false);
        DestroyWindow(frame);
        test::PumpMessages();
        for (const auto& [path, bytes] : kept) ASSERT_TRUE(WriteFileSafely(path, bytes).ok);
    }
    std::vector<std::wstring> Entries() {
        form->Journal()->Flush();
        std::vector<std::wstring> entries;
        for (const auto& entry : std::filesystem::directory_iterator(journalFolder))
            if (entry.path().extension() == L".qlj") entries.push_back(entry.path().wstring());
        return entries;
    }
    // Waits (pumping the timers) until the journal holds this many entries.
    bool EntriesBecome(size_t count) {
        return test::WaitFor([&] { return Entries().size() == count; }, std::chrono::seconds(15));
    }
    std::optional<JournalEntry> EntryOf(const std::wstring& name) {
        for (const std::wstring& path : Entries())
            if (auto entry = DecodeJournalEntry(ReadWholeFile(path).value_or("")); entry && entry->name == name) return entry;
        return std::nullopt;
    }
    TEditForm* DocumentNamed(const std::wstring& name) {
        for (TEditForm* document : form->Documents())
            if (document->FileName() == name) return document;
        return nullptr;
    }
    std::wstring journalFolder;
};

TEST_F(JournalUi, TypingIsJournaledAndTheEntryGoesWithTheSaveTheUndoAndTheClose) {
    const std::wstring page = Put(L"page.html", "<p>old</p>");
    form->Files().OpenNamedFiles({page});
    TEditForm* titled = Active();
    titled->Editor().SetSelStart(3);
    titled->Editor().ReplaceSel(L"новый ✓ ");
    TEditForm* untitled = form->Files().NewDocument(L".txt");
    untitled->Editor().ReplaceSel(L"набранный текст");
    EXPECT_TRUE(Entries().empty()) << "nothing before the pause after typing";
    ASSERT_TRUE(EntriesBecome(2));
    const auto entry = EntryOf(page);
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->text, L"<p>новый ✓ old</p>");
    EXPECT_TRUE(entry->hasFile);
    EXPECT_EQ(entry->caret, 11);
    const auto typed = EntryOf(untitled->FileName());
    ASSERT_TRUE(typed);
    EXPECT_FALSE(typed->hasFile);
    EXPECT_EQ(typed->text, L"набранный текст");
    EXPECT_EQ(typed->name, L"Безымянный 1.txt");

    // Undone back to the saved text: the entry goes at once.
    SendMessageW(form->DocumentArea(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(titled->Handle()), 0);
    Command(kCmdUndo);
    EXPECT_EQ(titled->Editor().Text(), L"<p>old</p>");
    EXPECT_EQ(Entries().size(), 1u);
    // Typed again and saved (UTF-8, asked): the entry goes with the save.
    titled->Editor().ReplaceSel(L"✓");
    titled->JournalNow();
    // Right after the undo the editor's copy of the text is being read again
    // while the program is idle: the entry follows it.
    EXPECT_TRUE(EntriesBecome(2));
    {
        ScriptedPrompts script({PromptAnswer::Yes});
        Command(kCmdSave);
    }
    EXPECT_FALSE(EntryOf(page));
    // Closed without saving: the entry goes.
    {
        ScriptedPrompts script({PromptAnswer::No});
        SendMessageW(untitled->Handle(), WM_CLOSE, 0, 0);
        test::PumpMessages();
        EXPECT_EQ(script.SeenIds(), std::vector<int>{110});
    }
    EXPECT_TRUE(Entries().empty());
}

TEST_F(JournalUi, AStartAfterARunThatDiedRestoresTheTypedTextsWhenTheUserAgrees) {
    const std::string original = "<p>\xd0\xb4\xd0\xb0</p>\n";  // UTF-8, LF
    const std::wstring page = Put(L"page.html", original);
    const std::wstring other = Put(L"other.css", "a {}");
    form->Files().OpenNamedFiles({page, other});
    // The desktop of an earlier exit holds page.html.
    form->SaveState();
    SendMessageW(frame, WM_CLOSE, 0, 0);
    test::PumpMessages();
    Start();
    ASSERT_EQ(form->Documents().size(), 2u);

    TEditForm* titled = DocumentNamed(page);
    ASSERT_TRUE(titled);
    titled->Editor().SetSelStart(3);
    titled->Editor().ReplaceSel(L"→ ");
    titled->JournalNow();
    form->Files().NewDocument(L".html");  // Безымянный 1.html, left empty
    TEditForm* untitled = form->Files().NewDocument(L".html");
    untitled->Editor().ReplaceSel(L"<h1>Заголовок</h1>");
    untitled->JournalNow();
    const std::wstring untitledName = untitled->FileName();
    ASSERT_EQ(untitledName, L"Безымянный 2.html");
    Die();
    // An entry cut by the power going, beside them.
    ASSERT_TRUE(WriteFileSafely(journalFolder + L"\\entry-1-1-9.qlj", "QLNJ\x01\0\0").ok);

    ScriptedPrompts script({PromptAnswer::Yes, PromptAnswer::Ok});
    Start();
    ASSERT_EQ(script.SeenIds(), (std::vector<int>{206, 207}));
    EXPECT_EQ(script.Seen()[0].caption, L"Quillon");
    EXPECT_EQ(script.Seen()[0].buttons, PromptButtons::YesNo);
    EXPECT_NE(PromptText(script.Seen()[0]).find(L"(2)"), std::wstring::npos) << "names how many can come back";

    ASSERT_EQ(form->Documents().size(), 3u) << "page.html and other.css from the desktop, and the untitled one";
    TEditForm* restored = DocumentNamed(page);
    ASSERT_TRUE(restored);
    EXPECT_EQ(restored->Editor().Text(), L"<p>→ да</p>\r") << "the journal's text in the window the desktop opened";
    EXPECT_TRUE(restored->Editor().Modified());
    EXPECT_EQ(restored->Coding(), TextCoding::Utf8);
    EXPECT_EQ(restored->Editor().SelStart(), 5);
    EXPECT_EQ(ReadWholeFile(page), original) << "nothing saved behind the user's back";
    TEditForm* back = DocumentNamed(untitledName);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->Editor().Text(), L"<h1>Заголовок</h1>");
    EXPECT_TRUE(back->Editor().Modified());
    EXPECT_TRUE(back->IsUntitledName());
    EXPECT_EQ(form->Files().NewDocument(L".txt")->FileName(), L"Безымянный 3.txt") << "the counter moved past";

    // The old run's entries are gone; the restored documents have entries of this run.
    EXPECT_EQ(Entries().size(), 2u);
    EXPECT_TRUE(EntryOf(page));
    // Saved, the restored page writes the journal's text in its coding.
    SendMessageW(form->DocumentArea(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(restored->Handle()), 0);
    Command(kCmdSave);
    EXPECT_EQ(ReadWholeFile(page), std::string("<p>\xe2\x86\x92 \xd0\xb4\xd0\xb0</p>\n"));
}

TEST_F(JournalUi, NoDeletesTheEntriesAndTheNextStartAsksNothing) {
    TEditForm* untitled = form->Files().NewDocument(L".txt");
    untitled->Editor().ReplaceSel(L"typed");
    untitled->JournalNow();
    Die();
    {
        ScriptedPrompts script({PromptAnswer::No});
        Start();
        EXPECT_EQ(script.SeenIds(), std::vector<int>{206});
        EXPECT_TRUE(form->Documents().empty());
        EXPECT_TRUE(Entries().empty());
    }
    // A normal exit with everything saved leaves nothing to ask about either.
    form->Files().NewDocument(L".txt")->Editor().ReplaceSel(L"saved later");
    form->Documents()[0]->JournalNow();
    {
        ScriptedPrompts script({PromptAnswer::No});
        form->SaveState();
        SendMessageW(frame, WM_CLOSE, 0, 0);
        test::PumpMessages();
        EXPECT_EQ(script.SeenIds(), std::vector<int>{110});
    }
    ScriptedPrompts script;
    Start();
    EXPECT_TRUE(script.SeenIds().empty());
}

TEST_F(JournalUi, ASecondProgramNeverTouchesTheJournalOfTheRunningOne) {
    TEditForm* untitled = form->Files().NewDocument(L".txt");
    untitled->Editor().ReplaceSel(L"typed");
    untitled->JournalNow();
    ASSERT_EQ(Entries().size(), 1u);
    DocumentJournal second(journalFolder);
    EXPECT_FALSE(second.Open()) << "the running one holds the folder";
    EXPECT_TRUE(second.ReadLeftovers().files.empty());
    EXPECT_EQ(Entries().size(), 1u);
}

}  // namespace
}  // namespace quillon
