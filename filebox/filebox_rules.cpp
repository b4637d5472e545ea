#include "filebox_rules.h"

#include <algorithm>

namespace quillon::filebox {

namespace {

char FoldAscii(char ch) { return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch; }

bool SameText(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return FoldAscii(x) == FoldAscii(y); });
}

// Position of the extension in the list, or -1.
int Find(const std::vector<std::string>& list, std::string_view extension) {
    for (size_t i = 0; i < list.size(); ++i)
        if (SameText(list[i], extension)) return static_cast<int>(i);
    return -1;
}

bool IsAbsolute(std::string_view name) {
    return (!name.empty() && name[0] == '\\') || (name.size() >= 4 && name[1] == ':' && name[2] == '\\');
}

}  // namespace

std::vector<std::string> SplitList(std::string_view list) {
    list = list.substr(0, std::min(list.size(), kListBufferChars - 1));
    std::vector<std::string> entries;
    size_t start = 0;
    while (start < list.size() && entries.size() < kMaxListEntries) {
        const size_t bar = list.find('|', start);
        if (bar == std::string_view::npos) {
            entries.emplace_back(list.substr(start));
            break;
        }
        entries.emplace_back(list.substr(start, bar - start));
        start = bar + 1;
    }
    return entries;
}

std::optional<std::string> ExtensionOf(std::string_view fileName) {
    const size_t slash = fileName.find_last_of('\\');
    const std::string_view last = slash == std::string_view::npos ? fileName : fileName.substr(slash + 1);
    const size_t dot = last.find_last_of('.');
    if (dot == std::string_view::npos) return std::nullopt;
    return std::string(last.substr(dot + 1));
}

FileKind FileParamsFor(std::string_view fileName, const ExtensionTable& table) {
    const auto extension = ExtensionOf(fileName);
    if (!extension) return {true, false};
    return {Find(table.tagCommands, *extension) >= 0, Find(table.browsable, *extension) >= 0};
}

bool DefWordWrapFor(std::string_view fileName, const ExtensionTable& table) {
    const auto extension = ExtensionOf(fileName);
    return !extension || Find(table.noWrap, *extension) < 0;
}

int DefaultFilterFor(std::string_view fileName, const ExtensionTable& table) {
    const auto extension = ExtensionOf(fileName);
    if (!extension) return -1;
    const int position = Find(table.saveFilter, *extension);
    if (position < 0) return -1;
    // "html" and "htm" share the first filter, so every later position is its index.
    return position == 0 ? 1 : position;
}

std::string FolderOfName(std::string_view fullName) {
    const size_t slash = fullName.find_last_of('\\');
    return slash == std::string_view::npos ? std::string() : std::string(fullName.substr(0, slash));
}

OpenFilesList BuildOpenFilesList(std::string_view buffer, size_t bufferSize, size_t folderSize) {
    // The strings up to the first empty one (the double NUL).
    std::vector<std::string_view> parts;
    size_t start = 0;
    while (start < buffer.size()) {
        const size_t end = std::min(buffer.find('\0', start), buffer.size());
        if (end == start) break;
        parts.push_back(buffer.substr(start, end - start));
        start = end + 1;
    }
    OpenFilesList result;
    if (parts.empty()) {
        result.folderFits = folderSize > 0;
        return result;
    }
    const std::string_view first = parts.front();
    if (parts.size() == 1) {
        result.list = std::string(first.substr(0, bufferSize > 0 ? std::min(first.size(), bufferSize - 1) : 0));
        result.folder = FolderOfName(first);
    } else {
        result.folder = std::string(first);
        const bool endsWithSlash = !first.empty() && first.back() == '\\';
        for (size_t i = 1; i < parts.size(); ++i) {
            std::string name;
            if (!IsAbsolute(parts[i])) {
                name = result.folder;
                if (!endsWithSlash) name += '\\';
            }
            name += parts[i];
            name += '\r';
            if (result.list.size() + name.size() + 1 > bufferSize) {
                result.dropped = parts.size() - i;
                break;
            }
            result.list += name;
        }
    }
    result.folderFits = result.folder.size() + 1 <= folderSize;
    return result;
}

}  // namespace quillon::filebox
