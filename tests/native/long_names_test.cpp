#include <gtest/gtest.h>

#include <map>
#include <string>

#include "long_names.h"

namespace quillon {
namespace {

TEST(LongNames, EachPartIsLookedUpUpToTheDriveOrTheShare) {
    const std::map<std::string, std::string> disk = {
        {"C:\\PROGRA~1", "Program Files"},
        {"C:\\PROGRA~1\\SITE", "Site"},
        {"C:\\PROGRA~1\\SITE\\INDEX~1.HTM", "index page.html"},
        {"\\\\server\\share\\DOCUME~1", "Documents"},
        {"\\\\server\\share\\DOCUME~1\\A~1.TXT", "a long.txt"},
        {"D:\\gone\\FILE~1.TXT", "file one.txt"},
    };
    const auto find = [&](const std::string& path) -> std::optional<std::string> {
        const auto it = disk.find(path);
        if (it == disk.end()) return std::nullopt;
        return it->second;
    };
    EXPECT_EQ(LongNameByLookup("C:\\PROGRA~1\\SITE\\INDEX~1.HTM", find), "C:\\Program Files\\Site\\index page.html");
    EXPECT_EQ(LongNameByLookup("\\\\server\\share\\DOCUME~1\\A~1.TXT", find), "\\\\server\\share\\Documents\\a long.txt");
    EXPECT_EQ(LongNameByLookup("C:\\PROGRA~1\\NOFILE.TXT", find), "") << "the file itself is not there";
    EXPECT_EQ(LongNameByLookup("D:\\gone\\FILE~1.TXT", find), "D:\\file one.txt")
        << "a folder that cannot be looked up gives no name";
}

}  // namespace
}  // namespace quillon
