// The program's DDE server: service = the program's file name up to its first
// dot ("Scrivo"), topic "OpenFiles"; an execute request names one file.
#pragma once

#include <windows.h>

#include <ddeml.h>

#include <functional>
#include <string>
#include <string_view>

namespace quillon {

class DdeServer {
public:
    using ExecuteHandler = std::function<void(std::wstring_view command)>;
    // Registers the service; a process has one server, so a second one stays idle.
    explicit DdeServer(ExecuteHandler onExecute);
    ~DdeServer();
    DdeServer(const DdeServer&) = delete;
    DdeServer& operator=(const DdeServer&) = delete;

    bool Running() const { return instance_ != 0; }
    // The service name: the program's file name cut before its first dot.
    static std::wstring ServiceName();

private:
    static HDDEDATA CALLBACK Callback(UINT type, UINT, HCONV, HSZ topic, HSZ, HDDEDATA data, ULONG_PTR, ULONG_PTR);
    DWORD instance_ = 0;
    ExecuteHandler onExecute_;
};

}  // namespace quillon
