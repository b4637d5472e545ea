#include "handoff.h"

#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

#include "assist_api.h"
#include "codepage.h"
#include "win32_files.h"
#include "win32_guards.h"

namespace quillon {

namespace {
// The command line's arguments after the program's name, as narrow names.
std::vector<std::string> CommandLineNames() {
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> names;
    if (!args) return names;
    for (int i = 1; i < count && static_cast<int>(names.size()) < kMaxHandedArguments; ++i)
        names.push_back(TextToBytes(args[i], CodePage::Ansi));
    LocalFree(args);
    return names;
}
}  // namespace

void HandOffCommandLine() {
    std::vector<std::string> names = CommandLineNames();
    if (names.empty()) return;
    Library assist(ProgramFolderFile(kAssistLibrary).c_str());
    auto process = assist.Find<ProcessFileListFn>(kProcessFileListExport);
    if (!process) return;
    std::vector<char*> pointers;
    for (auto& name : names) pointers.push_back(name.data());
    process(pointers.data(), static_cast<int>(pointers.size()));
}

}  // namespace quillon
