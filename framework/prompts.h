// Every message box of the program goes through ShowPrompt. The system answerer
// loads the text from the string table and shows a message box; tests install a
// scripted answerer and look at the requests it saw.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "text_format.h"

namespace quillon {

enum class PromptIcon { None, Error, Warning, Information, Question };
enum class PromptButtons { Ok, OkCancel, YesNo, YesNoCancel, AbortRetryIgnore, RetryCancel };
enum class PromptAnswer { Ok, Cancel, Yes, No, Abort, Retry, Ignore };

inline constexpr wchar_t kApplicationTitle[] = L"Quillon";

struct PromptRequest {
    int stringId = 0;
    std::vector<FormatArg> args;
    std::wstring caption;  // empty: the application title
    PromptIcon icon = PromptIcon::None;
    PromptButtons buttons = PromptButtons::Ok;
    int defaultButton = 0;  // 0-based among the buttons
    void* owner = nullptr;  // owner window; null: the active window
};

using PromptAnswerer = std::function<PromptAnswer(const PromptRequest&)>;

PromptAnswer ShowPrompt(const PromptRequest& request);
// The message as the user reads it: the string formatted with the arguments.
std::wstring PromptText(const PromptRequest& request);

// Installs an answerer; an empty one restores the system's. Returns the previous one.
PromptAnswerer SetPromptAnswerer(PromptAnswerer answerer);

// The platform's own answerer (a message box on Windows).
PromptAnswer SystemPrompt(const PromptRequest& request);

// Answers prompts from a script, in order, and records what was asked. An
// exhausted script answers with the request's default button. Installed for its
// lifetime.
class ScriptedPrompts {
public:
    explicit ScriptedPrompts(std::deque<PromptAnswer> answers = {});
    ~ScriptedPrompts();
    ScriptedPrompts(const ScriptedPrompts&) = delete;
    ScriptedPrompts& operator=(const ScriptedPrompts&) = delete;

    void Push(PromptAnswer answer) { answers_.push_back(answer); }
    const std::vector<PromptRequest>& Seen() const { return seen_; }
    std::vector<int> SeenIds() const;
    void Clear() { seen_.clear(); }

private:
    std::deque<PromptAnswer> answers_;
    std::vector<PromptRequest> seen_;
    PromptAnswerer previous_;
};

// The answer a request's default button stands for.
PromptAnswer DefaultAnswer(const PromptRequest& request);

}  // namespace quillon
