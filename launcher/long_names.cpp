#include "long_names.h"

namespace quillon {

std::string LongNameByLookup(const std::string& path,
                             const std::function<std::optional<std::string>(const std::string&)>& find) {
    const auto last = find(path);
    if (!last) return {};
    std::string result = *last;
    if (path.find('\\') == std::string::npos) return result;
    const bool network = path.size() >= 2 && path[0] == '\\' && path[1] == '\\';
    std::string rest = path;
    while (true) {
        const size_t slash = rest.find_last_of('\\');
        if (slash == std::string::npos) break;
        rest.resize(slash);
        if (rest.size() == 2) break;  // a drive such as "C:"
        const auto part = find(rest);
        if (!part) {
            if (network) break;  // the server and share: kept as written
            continue;
        }
        result = *part + "\\" + result;
    }
    return rest + "\\" + result;
}

}  // namespace quillon
