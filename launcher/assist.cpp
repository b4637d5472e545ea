// Assist.dll: turns file names into their long forms and hands them to the
// running editor in one copy-data message, then asks it to come to the front;
// starts the editor when none runs.
#include <windows.h>

#include <string>
#include <vector>

#include "assist_api.h"
#include "long_names.h"

namespace {

constexpr int kPlace = 260;  // bytes for one long name with its terminator
constexpr ULONG_PTR kCopyDataFileList = 0x7FFD;
constexpr UINT kMsgActivateInstance = 0x7FFF;
constexpr char kEditorClass[] = "THtmlScrivoForm";

HMODULE g_module = nullptr;

std::string Text(int id) {
    char text[512] = {};
    LoadStringA(g_module, static_cast<UINT>(id), text, sizeof text);
    return text;
}

void Report(HWND owner, const std::string& message) {
    MessageBoxA(owner, message.c_str(), Text(2).c_str(), MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}

std::string EditorPath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(g_module, path, MAX_PATH);
    std::string beside(path);
    beside = beside.substr(0, beside.find_last_of('\\')) + "\\Scrivo.exe";
    if (GetFileAttributesA(beside.c_str()) != INVALID_FILE_ATTRIBUTES) return beside;
    char registered[kPlace] = {};
    DWORD size = sizeof registered - 1;
    DWORD type = 0;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Scrivo.exe", 0,
                      KEY_READ, &key) != ERROR_SUCCESS)
        return {};
    const LONG read = RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(registered), &size);
    RegCloseKey(key);
    return read == ERROR_SUCCESS && type == REG_SZ ? std::string(registered) : std::string();
}

// Starts the editor without file names and waits until it is idle; its window or null.
// The command line names the program quoted: a folder with spaces ("Program Files")
// would otherwise reach the editor as file names.
HWND StartEditor() {
    std::string path = EditorPath();
    std::string command = "\"" + path + "\"";
    STARTUPINFOA startup{sizeof startup};
    PROCESS_INFORMATION process{};
    if (path.empty() || !CreateProcessA(path.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                        &startup, &process)) {
        Report(nullptr, Text(1));
        return nullptr;
    }
    WaitForInputIdle(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return FindWindowA(kEditorClass, nullptr);
}

// The long form of one name, at most 260 bytes with its terminator; empty when it cannot be had.
std::string LongName(const char* name) {
    std::string path = name;
    if (path.find('\\') == std::string::npos) {
        char full[kPlace] = {};
        const DWORD length = GetFullPathNameA(name, kPlace, full, nullptr);
        if (length == 0 || length >= kPlace) return {};
        path = full;
    }
    using LongPathFn = DWORD(WINAPI*)(LPCSTR, LPSTR, DWORD);
    const auto longPath = reinterpret_cast<LongPathFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetLongPathNameA")));
    if (longPath) {
        char result[kPlace] = {};
        const DWORD length = longPath(path.c_str(), result, kPlace);
        return length == 0 || length >= kPlace ? std::string() : std::string(result);
    }
    const std::string found = quillon::LongNameByLookup(path, [](const std::string& part) -> std::optional<std::string> {
        WIN32_FIND_DATAA data{};
        HANDLE search = FindFirstFileA(part.c_str(), &data);
        if (search == INVALID_HANDLE_VALUE) return std::nullopt;
        FindClose(search);
        return std::string(data.cFileName);
    });
    return found.size() < kPlace ? found : std::string();
}

}  // namespace

extern "C" __declspec(dllexport) void* __stdcall ProcessFileList(char** names, int count) {
    try {
        HWND editor = FindWindowA(kEditorClass, nullptr);
        if (!editor) editor = StartEditor();
        if (!editor) return nullptr;
        std::string list;
        list.reserve(static_cast<size_t>(count > 0 ? count : 0) * kPlace + 1);
        for (int i = 0; i < count; ++i) {
            if (!names || !names[i]) continue;
            const std::string name = LongName(names[i]);
            if (name.empty()) {
                std::string message = Text(3);
                const size_t at = message.find("%s");
                if (at != std::string::npos) message.replace(at, 2, names[i]);
                Report(editor, message);
                continue;
            }
            list += name;
            list += '\r';
        }
        if (list.empty()) return nullptr;
        COPYDATASTRUCT data{kCopyDataFileList, static_cast<DWORD>(list.size() + 1), list.data()};
        SendMessageA(editor, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
        SendMessageA(editor, kMsgActivateInstance, 0, 0);
    } catch (...) {
        // Nothing crosses the export.
    }
    return nullptr;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}
