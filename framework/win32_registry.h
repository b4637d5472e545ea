// The real registry behind the Registry interface.
#pragma once

#include "registry.h"

namespace quillon {

class WindowsRegistry final : public Registry {
public:
    std::unique_ptr<RegistryKey> Open(RegistryRoot root, std::wstring_view path) override;
    std::unique_ptr<RegistryKey> Create(RegistryRoot root, std::wstring_view path) override;
    bool DeleteTree(RegistryRoot root, std::wstring_view path) override;
};

}  // namespace quillon
