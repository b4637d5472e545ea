// What the native build has in place of the system: no message boxes (a prompt
// takes its default button) and a string table that the tests fill.
#include <map>

#include "platform_portable.h"
#include "prompts.h"

namespace quillon {

namespace {
std::map<int, std::wstring>& Strings() {
    static std::map<int, std::wstring> strings;
    return strings;
}
}  // namespace

PromptAnswer SystemPrompt(const PromptRequest& request) { return DefaultAnswer(request); }

std::wstring ResourceString(int id) {
    auto it = Strings().find(id);
    return it == Strings().end() ? std::wstring() : it->second;
}

void SetResourceString(int id, std::wstring text) { Strings()[id] = std::move(text); }

}  // namespace quillon
