// Writes a seed corpus for the stream readers' fuzz targets: valid macro set
// and desktop streams, the same cut short, and macro sets with bytes garbled.
//   make_seeds <folder>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "desktop_stream.h"
#include "journal_entry.h"
#include "macro_model.h"
#include "template_list.h"
#include "toolbar_model.h"

namespace {

void Put(const std::string& folder, const std::string& name, const std::string& bytes) {
    std::ofstream(folder + "/" + name, std::ios::binary) << bytes;
}

std::string ExampleSet(int macros) {
    quillon::TMacrosList set;
    for (int i = 0; i < macros; ++i) {
        quillon::TMacrosItem& macro = set.AddMacro();
        macro.SetName("macro " + std::to_string(i));
        macro.SetDescription(i % 2 ? "" : "a description");
        macro.SetText(i == 2 ? std::string(300, 'x') : "<p>|^</p>\r\n");
        macro.SetDefault(i == 1);
        macro.SetAutoindent(i % 3 == 0);
        macro.SetPrefixK(i % 2 == 0);
        macro.SetKey(i == 0 ? ' ' : static_cast<char>('A' + i));
    }
    return set.WriteMacroSet();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::string folder = argv[1];
    for (const int macros : {0, 1, 3}) {
        const std::string valid = ExampleSet(macros);
        const std::string tag = std::to_string(macros);
        Put(folder, "valid-" + tag, valid);
        for (size_t cut = 0; cut < valid.size(); cut += 7) Put(folder, "cut-" + tag + "-" + std::to_string(cut), valid.substr(0, cut));
        for (size_t at = 0; at < valid.size(); at += 11) {
            std::string garbled = valid;
            garbled[at] = static_cast<char>(garbled[at] ^ 0x5A);
            Put(folder, "garbled-" + tag + "-" + std::to_string(at), garbled);
        }
    }
    // Desktop streams: none, one and three records, and the three cut short.
    std::string desktop;
    quillon::EndDesktop(desktop);
    Put(folder, "desktop-empty", desktop);
    desktop.clear();
    for (int i = 1; i <= 3; ++i) {
        quillon::DesktopRecord record;
        record.fileName = "C:\\site\\page" + std::to_string(i) + ".html";
        record.order = i == 2 ? -i : i;
        record.state = i == 3 ? 1 : 0;
        quillon::AppendDesktopRecord(desktop, record);
    }
    std::string ended = desktop;
    quillon::EndDesktop(ended);
    Put(folder, "desktop-three", ended);
    for (size_t cut = 0; cut < desktop.size(); cut += 9) Put(folder, "desktop-cut-" + std::to_string(cut), desktop.substr(0, cut));
    // Template lists: the built-ins alone, and one with a separator and a file template.
    {
        const std::vector<quillon::TemplateRecord> directory = {{1, 2, 10, 0, "A|.html", "a"}, {3, 4, 11, 0, "B", "b"}};
        quillon::CTemplateList list;
        list.Read(nullptr, &directory);
        Put(folder, "templates-builtin", list.Write());
        list.Add();
        list.Item(2)->Id = 0;
        list.Add();
        list.Item(3)->SetFileName("C:\\site\\page.htm");
        list.Item(3)->Title = "page";
        const std::string mixed = list.Write();
        Put(folder, "templates-mixed", mixed);
        for (size_t cut = 0; cut < mixed.size(); cut += 5) Put(folder, "templates-cut-" + std::to_string(cut), mixed.substr(0, cut));
    }
    // Band records: the five of the first start.
    for (int band = 0; band < quillon::kToolbarCount; ++band) {
        const auto& row = quillon::BandRows()[static_cast<size_t>(band)];
        const auto bytes = quillon::EncodeBandRecord({band, row.width, row.newRow, true});
        Put(folder, "band-" + std::to_string(band), std::string(bytes.begin(), bytes.end()));
    }
    // Files being opened: each mark, each kind of declaration, UTF-8 whole and cut.
    Put(folder, "file-utf8-mark", "\xEF\xBB\xBF<p>\xd0\x9f\xd1\x80\xd0\xb8</p>\r\n");
    Put(folder, "file-utf16", std::string("\xFF\xFE<\0p\0>\0\x1f\x04\r\0\n\0", 14));
    Put(folder, "file-meta", "<html><head><meta charset=\"utf-8\"></head><body>\xe2\x9c\x93</body>");
    Put(folder, "file-http-equiv",
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">\xcf\xf0\xe8");
    Put(folder, "file-xml", "<?xml version='1.0' encoding='ibm866'?>\n<a>\x8f\xb0</a>");
    Put(folder, "file-css", "@charset \"UTF-8\";\nbody { content: \"\xe2\x86\x92\"; }");
    Put(folder, "file-utf8-cut", "\xd0\x9f\xd1\x80\xf0\x9f\x98");
    // Journal entries: a titled and an untitled document.
    {
        quillon::JournalEntry entry;
        entry.name = L"C:\\site\\page.html";
        entry.hasFile = true;
        entry.text = L"<p>\x041f\x0440\x0438\x0432\x0435\x0442</p>\r";
        entry.coding = quillon::TextCoding::Utf8;
        Put(folder, "journal-titled", quillon::EncodeJournalEntry(entry));
        entry.name = L"\x0411\x0435\x0437\x044b\x043c\x044f\x043d\x043d\x044b\x0439 2.txt";
        entry.hasFile = false;
        entry.text = L"typed";
        Put(folder, "journal-untitled", quillon::EncodeJournalEntry(entry));
    }
    return 0;
}
