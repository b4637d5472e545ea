// The names of a recent-files list, in order, for comparing whole lists.
#pragma once

#include <string>
#include <vector>

#include "edit_rules.h"

namespace quillon::test {

inline std::vector<std::wstring> Names(const RecentFiles& files) {
    std::vector<std::wstring> names;
    for (const auto& entry : files) names.push_back(entry.FileName);
    return names;
}

}  // namespace quillon::test
