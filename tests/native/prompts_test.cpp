#include <gtest/gtest.h>

#include "platform_portable.h"
#include "prompts.h"

namespace quillon {
namespace {

TEST(Prompts, ScriptAnswersInOrderAndRecordsRequests) {
    SetResourceString(110, L"Файл \"%s\" был изменен.\r\nСохранить изменения?");
    ScriptedPrompts script({PromptAnswer::No, PromptAnswer::Cancel});
    PromptRequest save{110, {L"a.txt"}, L"", PromptIcon::Warning, PromptButtons::YesNoCancel};
    EXPECT_EQ(ShowPrompt(save), PromptAnswer::No);
    EXPECT_EQ(ShowPrompt(save), PromptAnswer::Cancel);
    // An exhausted script takes the default button.
    PromptRequest backup{151, {L"b"}, L"", PromptIcon::Warning, PromptButtons::AbortRetryIgnore, 1};
    EXPECT_EQ(ShowPrompt(backup), PromptAnswer::Retry);
    EXPECT_EQ(script.SeenIds(), (std::vector<int>{110, 110, 151}));
    EXPECT_EQ(PromptText(script.Seen()[0]), L"Файл \"a.txt\" был изменен.\r\nСохранить изменения?");
}

TEST(Prompts, ScriptsNestAndRestoreThePreviousAnswerer) {
    ScriptedPrompts outer({PromptAnswer::Yes});
    {
        ScriptedPrompts inner({PromptAnswer::No});
        EXPECT_EQ(ShowPrompt({1, {}, L"", PromptIcon::None, PromptButtons::YesNo}), PromptAnswer::No);
    }
    EXPECT_EQ(ShowPrompt({2, {}, L"", PromptIcon::None, PromptButtons::YesNo}), PromptAnswer::Yes);
    EXPECT_EQ(outer.SeenIds(), std::vector<int>{2});
}

}  // namespace
}  // namespace quillon
