// The long form of a file name when the system has no long-path function: the
// path's parts looked up one by one from the file up to the drive (or to the
// server and share of a network path).
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace quillon {

// find(path) gives the long name of the path's last part, or nothing when it
// does not exist. Empty when the file itself is not found. An intermediate
// folder that cannot be looked up contributes no name.
std::string LongNameByLookup(const std::string& path,
                             const std::function<std::optional<std::string>(const std::string&)>& find);

}  // namespace quillon
