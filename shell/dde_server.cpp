#include "dde_server.h"

#include <ddeml.h>

#include <cstring>

#include "codepage.h"
#include "edit_rules.h"

namespace quillon {

namespace {

constexpr char kDdeTopic[] = "OpenFiles";
// DDEML callbacks carry no context of their own: the one server of the process.
DdeServer* g_server = nullptr;
DWORD g_instance = 0;

std::wstring ExecuteText(HDDEDATA data) {
    const DWORD size = DdeGetData(data, nullptr, 0, 0);
    std::string bytes(size, '\0');
    if (size) DdeGetData(data, reinterpret_cast<LPBYTE>(bytes.data()), size, 0);
    // A Unicode client's command arrives as UTF-16.
    if (bytes.size() >= 2 && bytes[1] == '\0' && bytes[0] != '\0') {
        std::wstring text(bytes.size() / 2, L'\0');
        std::memcpy(text.data(), bytes.data(), text.size() * 2);
        return text.substr(0, text.find(L'\0'));
    }
    return BytesToText(bytes.substr(0, bytes.find('\0')), CodePage::Ansi);
}

}  // namespace

std::wstring DdeServer::ServiceName() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::wstring name = NameWithoutFolder(path);
    return name.substr(0, name.find(L'.'));
}

DdeServer::DdeServer(ExecuteHandler onExecute) : onExecute_(std::move(onExecute)) {
    if (g_server) return;
    DWORD instance = 0;
    if (DdeInitializeA(&instance, Callback, APPCLASS_STANDARD | CBF_SKIP_ALLNOTIFICATIONS, 0) != DMLERR_NO_ERROR) return;
    instance_ = g_instance = instance;
    g_server = this;
    const std::string service = TextToBytes(ServiceName(), CodePage::Ansi);
    HSZ serviceName = DdeCreateStringHandleA(instance_, service.c_str(), CP_WINANSI);
    DdeNameService(instance_, serviceName, nullptr, DNS_REGISTER);
    DdeFreeStringHandle(instance_, serviceName);
}

DdeServer::~DdeServer() {
    if (!instance_) return;
    DdeNameService(instance_, nullptr, nullptr, DNS_UNREGISTER);
    DdeUninitialize(instance_);
    g_server = nullptr;
    g_instance = 0;
}

HDDEDATA CALLBACK DdeServer::Callback(UINT type, UINT, HCONV, HSZ topic, HSZ, HDDEDATA data, ULONG_PTR, ULONG_PTR) {
    if (!g_server) return nullptr;
    char name[64] = {};
    switch (type) {
    case XTYP_CONNECT:
        DdeQueryStringA(g_instance, topic, name, sizeof name, CP_WINANSI);
        return reinterpret_cast<HDDEDATA>(static_cast<INT_PTR>(lstrcmpiA(name, kDdeTopic) == 0));
    case XTYP_EXECUTE:
        try {
            g_server->onExecute_(ExecuteText(data));
        } catch (...) {
            return reinterpret_cast<HDDEDATA>(DDE_FNOTPROCESSED);
        }
        return reinterpret_cast<HDDEDATA>(DDE_FACK);
    default: return nullptr;
    }
}

}  // namespace quillon
