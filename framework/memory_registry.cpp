#include <cwctype>
#include <map>

#include "registry.h"

namespace quillon {

namespace {

std::wstring Fold(std::wstring_view s) {
    std::wstring out(s);
    for (auto& ch : out) ch = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(ch)));
    return out;
}

// "\A\\B\" and "a\b" name the same key.
std::wstring KeyPath(RegistryRoot root, std::wstring_view path) {
    std::wstring out = root == RegistryRoot::CurrentUser ? L"hkcu" : L"hklm";
    std::wstring part;
    auto flush = [&] {
        if (!part.empty()) out += L'\\' + Fold(part);
        part.clear();
    };
    for (const wchar_t ch : path) {
        if (ch == L'\\') flush();
        else part.push_back(ch);
    }
    flush();
    return out;
}

struct Value {
    ValueType type = ValueType::Missing;
    Bytes data;
};

}  // namespace

struct MemoryRegistry::Store {
    std::map<std::wstring, std::map<std::wstring, Value>> keys;
    bool writesFail = false;
};

namespace {

class MemoryKey final : public RegistryKey {
public:
    MemoryKey(std::shared_ptr<MemoryRegistry::Store> store, std::wstring path)
        : store_(std::move(store)), path_(std::move(path)) {}

    ValueType TypeOf(std::wstring_view name) const override {
        const Value* value = Find(name);
        return value ? value->type : ValueType::Missing;
    }
    std::optional<std::wstring> ReadString(std::wstring_view name) const override {
        const Value* value = Find(name);
        if (!value || value->type != ValueType::String) return std::nullopt;
        std::wstring text;
        for (size_t i = 0; i + 1 < value->data.size(); i += 2)
            text.push_back(static_cast<wchar_t>(value->data[i] | (value->data[i + 1] << 8)));
        while (!text.empty() && text.back() == L'\0') text.pop_back();
        return text;
    }
    std::optional<std::uint32_t> ReadDword(std::wstring_view name) const override {
        const Value* value = Find(name);
        if (!value || value->type != ValueType::Dword || value->data.size() != 4) return std::nullopt;
        return value->data[0] | (value->data[1] << 8) | (value->data[2] << 16) |
               (static_cast<std::uint32_t>(value->data[3]) << 24);
    }
    std::optional<Bytes> ReadBinary(std::wstring_view name) const override {
        const Value* value = Find(name);
        if (!value || value->type != ValueType::Binary) return std::nullopt;
        return value->data;
    }
    bool WriteString(std::wstring_view name, std::wstring_view text) override {
        Bytes data;
        for (const wchar_t ch : text) {
            data.push_back(static_cast<std::uint8_t>(ch & 0xFF));
            data.push_back(static_cast<std::uint8_t>((ch >> 8) & 0xFF));
        }
        data.push_back(0);
        data.push_back(0);
        return Put(name, {ValueType::String, std::move(data)});
    }
    bool WriteDword(std::wstring_view name, std::uint32_t v) override {
        return Put(name, {ValueType::Dword, Bytes{static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
                                                  static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24)}});
    }
    bool WriteBinary(std::wstring_view name, const Bytes& data) override {
        return Put(name, {ValueType::Binary, data});
    }
    bool DeleteValue(std::wstring_view name) override {
        auto key = store_->keys.find(path_);
        if (key == store_->keys.end() || store_->writesFail) return false;
        return key->second.erase(Fold(name)) > 0;
    }

private:
    const Value* Find(std::wstring_view name) const {
        auto key = store_->keys.find(path_);
        if (key == store_->keys.end()) return nullptr;
        auto value = key->second.find(Fold(name));
        return value == key->second.end() ? nullptr : &value->second;
    }
    bool Put(std::wstring_view name, Value value) {
        auto key = store_->keys.find(path_);
        if (key == store_->keys.end() || store_->writesFail) return false;
        key->second[Fold(name)] = std::move(value);
        return true;
    }

    std::shared_ptr<MemoryRegistry::Store> store_;
    std::wstring path_;
};

}  // namespace

MemoryRegistry::MemoryRegistry() : store_(std::make_shared<Store>()) {}
MemoryRegistry::~MemoryRegistry() = default;

std::unique_ptr<RegistryKey> MemoryRegistry::Open(RegistryRoot root, std::wstring_view path) {
    const std::wstring key = KeyPath(root, path);
    if (!store_->keys.count(key)) return nullptr;
    return std::make_unique<MemoryKey>(store_, key);
}

std::unique_ptr<RegistryKey> MemoryRegistry::Create(RegistryRoot root, std::wstring_view path) {
    const std::wstring key = KeyPath(root, path);
    if (!store_->keys.count(key)) {
        if (store_->writesFail) return nullptr;
        for (size_t pos = key.find(L'\\'); pos != std::wstring::npos; pos = key.find(L'\\', pos + 1))
            store_->keys[key.substr(0, pos)];
        store_->keys[key];
    }
    return std::make_unique<MemoryKey>(store_, key);
}

bool MemoryRegistry::DeleteTree(RegistryRoot root, std::wstring_view path) {
    const std::wstring key = KeyPath(root, path);
    if (store_->writesFail) return !store_->keys.count(key);
    const std::wstring below = key + L'\\';
    for (auto it = store_->keys.begin(); it != store_->keys.end();) {
        if (it->first == key || it->first.compare(0, below.size(), below) == 0) it = store_->keys.erase(it);
        else ++it;
    }
    return true;
}

void MemoryRegistry::PutRaw(RegistryRoot root, std::wstring_view path, std::wstring_view name,
                            ValueType type, const Bytes& data) {
    const bool fail = store_->writesFail;
    store_->writesFail = false;
    Create(root, path);
    store_->writesFail = fail;
    store_->keys[KeyPath(root, path)][Fold(name)] = Value{type, data};
}

void MemoryRegistry::SetWritesFail(bool fail) { store_->writesFail = fail; }

}  // namespace quillon
