#include "win32_registry.h"

#include <windows.h>

#include "win32_guards.h"

namespace quillon {

namespace {

HKEY RootKey(RegistryRoot root) {
    return root == RegistryRoot::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

// RegOpenKeyExW does not like a leading backslash ("\Software\...").
std::wstring SubPath(std::wstring_view path) {
    while (!path.empty() && path.front() == L'\\') path.remove_prefix(1);
    return std::wstring(path);
}

class WindowsKey final : public RegistryKey {
public:
    explicit WindowsKey(RegKeyHandle key) : key_(std::move(key)) {}

    ValueType TypeOf(std::wstring_view name) const override {
        DWORD type = 0;
        if (RegQueryValueExW(key_.Get(), std::wstring(name).c_str(), nullptr, &type, nullptr, nullptr) != ERROR_SUCCESS)
            return ValueType::Missing;
        switch (type) {
        case REG_SZ: return ValueType::String;
        case REG_DWORD: return ValueType::Dword;
        case REG_BINARY: return ValueType::Binary;
        default: return ValueType::Other;
        }
    }
    std::optional<std::wstring> ReadString(std::wstring_view name) const override {
        auto raw = ReadRaw(name, REG_SZ);
        if (!raw) return std::nullopt;
        std::wstring text(raw->size() / 2, L'\0');
        if (!text.empty()) memcpy(text.data(), raw->data(), text.size() * 2);
        while (!text.empty() && text.back() == L'\0') text.pop_back();
        return text;
    }
    std::optional<std::uint32_t> ReadDword(std::wstring_view name) const override {
        auto raw = ReadRaw(name, REG_DWORD);
        if (!raw || raw->size() != 4) return std::nullopt;
        std::uint32_t value = 0;
        memcpy(&value, raw->data(), 4);
        return value;
    }
    std::optional<Bytes> ReadBinary(std::wstring_view name) const override {
        return ReadRaw(name, REG_BINARY);
    }
    bool WriteString(std::wstring_view name, std::wstring_view value) override {
        const std::wstring text(value);
        return Write(name, REG_SZ, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    }
    bool WriteDword(std::wstring_view name, std::uint32_t value) override {
        return Write(name, REG_DWORD, &value, sizeof value);
    }
    bool WriteBinary(std::wstring_view name, const Bytes& value) override {
        return Write(name, REG_BINARY, value.data(), value.size());
    }
    bool DeleteValue(std::wstring_view name) override {
        return RegDeleteValueW(key_.Get(), std::wstring(name).c_str()) == ERROR_SUCCESS;
    }

private:
    std::optional<Bytes> ReadRaw(std::wstring_view name, DWORD wanted) const {
        const std::wstring valueName(name);
        for (int attempt = 0; attempt < 3; ++attempt) {
            DWORD type = 0, size = 0;
            if (RegQueryValueExW(key_.Get(), valueName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
                type != wanted)
                return std::nullopt;
            Bytes data(size);
            const LONG rc = RegQueryValueExW(key_.Get(), valueName.c_str(), nullptr, &type, data.data(), &size);
            if (rc == ERROR_MORE_DATA) continue;  // grew between the two calls
            if (rc != ERROR_SUCCESS || type != wanted) return std::nullopt;
            data.resize(size);
            return data;
        }
        return std::nullopt;
    }
    bool Write(std::wstring_view name, DWORD type, const void* data, size_t size) {
        return RegSetValueExW(key_.Get(), std::wstring(name).c_str(), 0, type,
                              static_cast<const BYTE*>(data), static_cast<DWORD>(size)) == ERROR_SUCCESS;
    }

    RegKeyHandle key_;
};

}  // namespace

std::unique_ptr<RegistryKey> WindowsRegistry::Open(RegistryRoot root, std::wstring_view path) {
    RegKeyHandle key;
    if (RegOpenKeyExW(RootKey(root), SubPath(path).c_str(), 0, KEY_READ | KEY_WRITE, key.Put()) != ERROR_SUCCESS) {
        // A key we may read but not write is still worth reading.
        if (RegOpenKeyExW(RootKey(root), SubPath(path).c_str(), 0, KEY_READ, key.Put()) != ERROR_SUCCESS)
            return nullptr;
    }
    return std::make_unique<WindowsKey>(std::move(key));
}

std::unique_ptr<RegistryKey> WindowsRegistry::Create(RegistryRoot root, std::wstring_view path) {
    RegKeyHandle key;
    if (RegCreateKeyExW(RootKey(root), SubPath(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_READ | KEY_WRITE, nullptr, key.Put(), nullptr) != ERROR_SUCCESS)
        return nullptr;
    return std::make_unique<WindowsKey>(std::move(key));
}

bool WindowsRegistry::DeleteTree(RegistryRoot root, std::wstring_view path) {
    const LONG rc = RegDeleteTreeW(RootKey(root), SubPath(path).c_str());
    if (rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND) {
        RegDeleteKeyW(RootKey(root), SubPath(path).c_str());
        RegKeyHandle probe;
        return RegOpenKeyExW(RootKey(root), SubPath(path).c_str(), 0, KEY_READ, probe.Put()) != ERROR_SUCCESS;
    }
    return false;
}

}  // namespace quillon
