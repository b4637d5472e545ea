#include "prompts.h"

namespace quillon {

namespace {
PromptAnswerer& CurrentAnswerer() {
    static PromptAnswerer answerer;
    return answerer;
}

std::vector<PromptAnswer> ButtonAnswers(PromptButtons buttons) {
    using A = PromptAnswer;
    switch (buttons) {
    case PromptButtons::Ok: return {A::Ok};
    case PromptButtons::OkCancel: return {A::Ok, A::Cancel};
    case PromptButtons::YesNo: return {A::Yes, A::No};
    case PromptButtons::YesNoCancel: return {A::Yes, A::No, A::Cancel};
    case PromptButtons::AbortRetryIgnore: return {A::Abort, A::Retry, A::Ignore};
    case PromptButtons::RetryCancel: return {A::Retry, A::Cancel};
    }
    return {A::Ok};
}
}  // namespace

PromptAnswer DefaultAnswer(const PromptRequest& request) {
    const auto answers = ButtonAnswers(request.buttons);
    const auto index = static_cast<size_t>(request.defaultButton);
    return index < answers.size() ? answers[index] : answers.front();
}

std::wstring PromptText(const PromptRequest& request) {
    return FormatText(ResourceString(request.stringId), request.args);
}

PromptAnswer ShowPrompt(const PromptRequest& request) {
    const PromptAnswerer& answerer = CurrentAnswerer();
    return answerer ? answerer(request) : SystemPrompt(request);
}

PromptAnswerer SetPromptAnswerer(PromptAnswerer answerer) {
    PromptAnswerer previous = std::move(CurrentAnswerer());
    CurrentAnswerer() = std::move(answerer);
    return previous;
}

ScriptedPrompts::ScriptedPrompts(std::deque<PromptAnswer> answers) : answers_(std::move(answers)) {
    previous_ = SetPromptAnswerer([this](const PromptRequest& request) {
        seen_.push_back(request);
        if (answers_.empty()) return DefaultAnswer(request);
        const PromptAnswer answer = answers_.front();
        answers_.pop_front();
        return answer;
    });
}

ScriptedPrompts::~ScriptedPrompts() { SetPromptAnswerer(std::move(previous_)); }

std::vector<int> ScriptedPrompts::SeenIds() const {
    std::vector<int> ids;
    for (const auto& request : seen_) ids.push_back(request.stringId);
    return ids;
}

}  // namespace quillon
