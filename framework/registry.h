// Registry keys behind an interface: the real registry on Windows, a map in
// memory for the tests. Reads never throw: a missing value and a value of
// another type are told apart by ValueType and give nullopt from the readers.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillon {

enum class RegistryRoot { CurrentUser, LocalMachine };
enum class ValueType { Missing, String, Dword, Binary, Other };

using Bytes = std::vector<std::uint8_t>;

class RegistryKey {
public:
    virtual ~RegistryKey() = default;
    virtual ValueType TypeOf(std::wstring_view name) const = 0;
    virtual std::optional<std::wstring> ReadString(std::wstring_view name) const = 0;
    virtual std::optional<std::uint32_t> ReadDword(std::wstring_view name) const = 0;
    virtual std::optional<Bytes> ReadBinary(std::wstring_view name) const = 0;
    // Writers answer false when the system refused the write.
    virtual bool WriteString(std::wstring_view name, std::wstring_view value) = 0;
    virtual bool WriteDword(std::wstring_view name, std::uint32_t value) = 0;
    virtual bool WriteBinary(std::wstring_view name, const Bytes& value) = 0;
    virtual bool DeleteValue(std::wstring_view name) = 0;
};

class Registry {
public:
    virtual ~Registry() = default;
    // Opens an existing key for reading and writing; null when it does not exist.
    virtual std::unique_ptr<RegistryKey> Open(RegistryRoot root, std::wstring_view path) = 0;
    // Opens the key, creating it and the keys above it when missing; null on failure.
    virtual std::unique_ptr<RegistryKey> Create(RegistryRoot root, std::wstring_view path) = 0;
    // Deletes the key with everything below it; true when it is gone afterwards.
    virtual bool DeleteTree(RegistryRoot root, std::wstring_view path) = 0;
};

// The registry in memory. Key paths and value names compare without regard to
// case, as in the real registry.
class MemoryRegistry final : public Registry {
public:
    MemoryRegistry();
    ~MemoryRegistry() override;
    std::unique_ptr<RegistryKey> Open(RegistryRoot root, std::wstring_view path) override;
    std::unique_ptr<RegistryKey> Create(RegistryRoot root, std::wstring_view path) override;
    bool DeleteTree(RegistryRoot root, std::wstring_view path) override;

    // Puts a value of any type and raw content, as a damaged or foreign store would hold it.
    void PutRaw(RegistryRoot root, std::wstring_view path, std::wstring_view name,
                ValueType type, const Bytes& data);
    // Makes every later write fail (a full or locked registry).
    void SetWritesFail(bool fail);

    struct Store;

private:
    std::shared_ptr<Store> store_;
};

}  // namespace quillon
