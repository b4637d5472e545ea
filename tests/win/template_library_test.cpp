// Template.dll read as the program reads it: mapped as data, its directory,
// the title and description strings, and the texts' exact bytes.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "codepage.h"
#include "template_list.h"
#include "win32_files.h"
#include "win32_guards.h"
#include "win_test_support.h"

namespace quillon {
namespace {

std::string Resource(HMODULE library, int id) { return std::string(RcData(library, id).value_or("")); }

std::string Text(HMODULE library, int id) {
    wchar_t buffer[1024] = {};
    LoadStringW(library, static_cast<UINT>(id), buffer, 1024);
    return TextToBytes(buffer, CodePage::Win1251);
}

TEST(TemplateLibrary, DirectoryStringsAndTextsAsShipped) {
    Library library = Library::AsData((test::ModuleFolder() + L"Template.dll").c_str());
    ASSERT_TRUE(library);
    const auto directory = ParseTemplateDirectory(Resource(library.Handle(), 1));
    ASSERT_TRUE(directory);
    ASSERT_EQ(directory->size(), 13u);
    const int texts[] = {10, 11, 12, 13, 14, 15, 21, 16, 17, 22, 18, 19, 20};
    for (size_t i = 0; i < 13; ++i) {
        EXPECT_EQ((*directory)[i].textId, texts[i]) << i;
        EXPECT_EQ((*directory)[i].reserved, 0);
    }
    EXPECT_EQ(Text(library.Handle(), (*directory)[0].titleId), "HTML 4.0 Strict DTD|.html");
    EXPECT_EQ(Text(library.Handle(), (*directory)[3].titleId), "\xC4\xEE\xEA\xF3\xEC\xE5\xED\xF2 XML|.xml");
    EXPECT_EQ(Text(library.Handle(), (*directory)[12].descriptionId),
              TextToBytes(L"Загрузить шаблон заголовка C++", CodePage::Win1251));

    EXPECT_EQ(Resource(library.Handle(), 13), "<?xml version=\"1.0\" encoding=\"windows-1251\" ?>")
        << "46 bytes, no line break";
    for (int id = 10; id <= 22; ++id) {
        const std::string text = Resource(library.Handle(), id);
        ASSERT_FALSE(text.empty()) << id;
        EXPECT_EQ(text.find('\0'), std::string::npos) << id;
        for (size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1))
            ASSERT_TRUE(at > 0 && text[at - 1] == '\r') << "CR LF in text " << id;
        EXPECT_NE(text.back(), '\n') << id;
    }
    EXPECT_NE(Resource(library.Handle(), 12).find(TextToBytes(L"фреймы", CodePage::Win1251)), std::string::npos)
        << "Windows-1251 bytes";
    EXPECT_TRUE(Resource(library.Handle(), 19).starts_with("#include <>\r\n#include \"\"\r\n\r\n//---"));
    EXPECT_EQ(Resource(library.Handle(), 20), "#if !defined(_H)\r\n#define _H\r\n\r\n\r\n\r\n#endif // _H");
}

}  // namespace
}  // namespace quillon
