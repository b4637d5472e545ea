// Relay.exe: a program without a window that passes its arguments (at most 50,
// in order) to Assist.dll's ProcessFileList, which hands them to the running
// editor or starts it; with no arguments it only makes sure the editor runs.
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "assist_api.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // Assist is taken from beside Relay, never from the current folder.
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string library(path);
    library = library.substr(0, library.find_last_of('\\')) + "\\Assist.dll";
    HMODULE assist = LoadLibraryExA(library.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (!assist) return 0;
    const auto process = reinterpret_cast<quillon::ProcessFileListFn>(
        reinterpret_cast<void*>(GetProcAddress(assist, MAKEINTRESOURCEA(quillon::kProcessFileListOrdinal))));
    if (process) {
        std::vector<char*> names;
        for (int i = 1; i < __argc && names.size() < 50; ++i) names.push_back(__argv[i]);
        process(names.data(), static_cast<int>(names.size()));
    }
    FreeLibrary(assist);
    return 0;
}
