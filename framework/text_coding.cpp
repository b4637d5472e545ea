#include "text_coding.h"

#include <cstring>

#include "codepage.h"
#include "text_lines.h"

namespace quillon {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16Mark = "\xFF\xFE";
constexpr size_t kDeclarationReach = 2048;

bool StartsWith(std::string_view bytes, std::string_view prefix) {
    return bytes.size() >= prefix.size() && bytes.compare(0, prefix.size(), prefix) == 0;
}

// Bytes from i on up to the first one of 0x80 or above, eight at a time.
size_t SkipAscii(const unsigned char* data, size_t i, size_t size) {
    while (i + 8 <= size) {
        std::uint64_t word;
        std::memcpy(&word, data + i, 8);
        if (word & 0x8080808080808080ull) break;
        i += 8;
    }
    while (i < size && data[i] < 0x80) ++i;
    return i;
}

// One UTF-8 sequence at i (whose first byte is 0x80 or above): its code point
// and length, or a length of 0 when it is not well-formed.
struct Sequence {
    std::uint32_t point = 0;
    size_t length = 0;
};

Sequence ReadSequence(const unsigned char* data, size_t i, size_t size) {
    const unsigned char lead = data[i];
    size_t length = 0;
    std::uint32_t point = 0;
    std::uint32_t least = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, point = lead & 0x1F, least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, point = lead & 0x0F, least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, point = lead & 0x07, least = 0x10000;
    } else {
        return {};
    }
    if (size - i < length) return {};
    for (size_t k = 1; k < length; ++k) {
        const unsigned char next = data[i + k];
        if ((next & 0xC0) != 0x80) return {};
        point = (point << 6) | (next & 0x3F);
    }
    if (point < least || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) return {};
    return {point, length};
}

std::optional<std::wstring> DecodeUtf8(std::string_view bytes) {
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t size = bytes.size();
    std::wstring text(size, L'\0');
    size_t out = 0;
    size_t i = 0;
    while (i < size) {
        const size_t ascii = SkipAscii(data, i, size);
        for (; i < ascii; ++i) text[out++] = static_cast<wchar_t>(data[i]);
        if (i == size) break;
        const Sequence sequence = ReadSequence(data, i, size);
        if (!sequence.length) return std::nullopt;
        if (sequence.point < 0x10000) {
            text[out++] = static_cast<wchar_t>(sequence.point);
        } else {
            // A four-byte sequence always has room for its two UTF-16 units.
            const std::uint32_t v = sequence.point - 0x10000;
            text[out++] = static_cast<wchar_t>(0xD800 + (v >> 10));
            text[out++] = static_cast<wchar_t>(0xDC00 + (v & 0x3FF));
        }
        i += sequence.length;
    }
    text.resize(out);
    return text;
}

std::optional<std::wstring> DecodeUtf16(std::string_view bytes) {
    if (bytes.size() % 2) return std::nullopt;
    std::wstring text(bytes.size() / 2, L'\0');
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    for (size_t k = 0; k < text.size(); ++k)
        text[k] = static_cast<wchar_t>(data[2 * k] | (data[2 * k + 1] << 8));
    return text;
}

// A code point of the text at k (a surrogate pair read as one, a lone
// surrogate as U+FFFD) and the units it takes.
std::uint32_t PointAt(std::wstring_view text, size_t& k) {
    const auto unit = static_cast<std::uint32_t>(text[k++]);
    if (unit >= 0xD800 && unit <= 0xDBFF && k < text.size()) {
        const auto low = static_cast<std::uint32_t>(text[k]);
        if (low >= 0xDC00 && low <= 0xDFFF) {
            ++k;
            return 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
        }
    }
    if ((unit >= 0xD800 && unit <= 0xDFFF) || unit > 0x10FFFF) return 0xFFFD;
    return unit;
}

void AppendBreak(std::u16string& out, LineBreak lineBreak) {
    if (lineBreak != LineBreak::Lf) out.push_back(u'\r');
    if (lineBreak != LineBreak::Cr) out.push_back(u'\n');
}

void AppendBreak(std::string& out, LineBreak lineBreak) {
    if (lineBreak != LineBreak::Lf) out.push_back('\r');
    if (lineBreak != LineBreak::Cr) out.push_back('\n');
}

std::string EncodeUtf8(std::wstring_view text, LineBreak lineBreak, bool mark) {
    std::string out;
    out.reserve(text.size() + text.size() / 2 + 4);
    if (mark) out.append(kUtf8Mark);
    for (size_t k = 0; k < text.size();) {
        const std::uint32_t point = PointAt(text, k);
        if (point == '\r') {
            AppendBreak(out, lineBreak);
        } else if (point < 0x80) {
            out.push_back(static_cast<char>(point));
        } else if (point < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (point >> 6)));
            out.push_back(static_cast<char>(0x80 | (point & 0x3F)));
        } else if (point < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (point >> 12)));
            out.push_back(static_cast<char>(0x80 | ((point >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (point & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (point >> 18)));
            out.push_back(static_cast<char>(0x80 | ((point >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((point >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (point & 0x3F)));
        }
    }
    return out;
}

// UTF-16 keeps every unit as it is, a lone surrogate included: the file had it.
std::string EncodeUtf16(std::wstring_view text, LineBreak lineBreak) {
    std::u16string units;
    units.reserve(text.size() + text.size() / 16);
    for (const wchar_t ch : text) {
        const auto unit = static_cast<std::uint32_t>(ch);
        if (unit == '\r') {
            AppendBreak(units, lineBreak);
        } else if (unit > 0xFFFF) {  // a wide character wider than UTF-16 (never on Windows)
            const std::uint32_t v = (unit > 0x10FFFF ? 0xFFFD : unit) - 0x10000;
            units.push_back(static_cast<char16_t>(0xD800 + (v >> 10)));
            units.push_back(static_cast<char16_t>(0xDC00 + (v & 0x3FF)));
        } else {
            units.push_back(static_cast<char16_t>(unit));
        }
    }
    std::string out(kUtf16Mark);
    out.resize(2 + units.size() * 2);
    for (size_t k = 0; k < units.size(); ++k) {
        out[2 + 2 * k] = static_cast<char>(units[k] & 0xFF);
        out[2 + 2 * k + 1] = static_cast<char>(units[k] >> 8);
    }
    return out;
}

char LowerAscii(char ch) { return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch; }

bool IsSpace(char ch) { return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n' || ch == '\f'; }

size_t SkipSpaces(std::string_view text, size_t i) {
    while (i < text.size() && IsSpace(text[i])) ++i;
    return i;
}

std::optional<TextCoding> CodingOfName(std::string_view name) {
    if (name == "utf-8" || name == "utf8") return TextCoding::Utf8;
    if (name == "windows-1251" || name == "cp1251" || name == "x-cp1251") return TextCoding::Windows;
    if (name == "cp866" || name == "ibm866") return TextCoding::Dos;
    return std::nullopt;
}

// The value after "=" at i (quoted with either quote, or bare); empty when the
// text ends before the value does.
std::string_view ValueAt(std::string_view text, size_t i) {
    i = SkipSpaces(text, i);
    if (i >= text.size() || text[i] != '=') return {};
    i = SkipSpaces(text, i + 1);
    if (i >= text.size()) return {};
    const char quote = text[i];
    if (quote == '"' || quote == '\'') {
        const size_t end = text.find(quote, i + 1);
        if (end == std::string_view::npos) return {};
        return text.substr(i + 1, end - i - 1);
    }
    size_t end = i;
    while (end < text.size() && !IsSpace(text[end]) && text[end] != '>' && text[end] != ';' && text[end] != '"' &&
           text[end] != '\'' && text[end] != '/')
        ++end;
    if (end == text.size()) return {};  // cut by the reach of the search
    return text.substr(i, end - i);
}

// "charset" inside a meta tag's text, as the attribute itself or inside content="...; charset=...".
std::optional<TextCoding> MetaCharset(std::string_view tag) {
    for (size_t at = tag.find("charset"); at != std::string_view::npos; at = tag.find("charset", at + 1)) {
        std::string_view value = ValueAt(tag, at + 7);
        // Inside content="text/html; charset=utf-8" the value ends at its quote.
        const size_t stop = value.find_first_of(" \t\r\n;\"'");
        if (stop != std::string_view::npos) value = value.substr(0, stop);
        if (const auto coding = CodingOfName(value)) return coding;
    }
    return std::nullopt;
}

}  // namespace

std::uint32_t StoredCoding(TextCoding coding) {
    switch (coding) {
    case TextCoding::Windows: return 0;
    case TextCoding::Dos: return 1;
    case TextCoding::Utf8: return 2;
    case TextCoding::Utf8Bom: return 3;
    case TextCoding::Utf16: return 4;
    }
    return 0;
}

TextCoding CodingFromStored(std::uint32_t stored) {
    switch (stored) {
    case 0: return TextCoding::Windows;
    case 2: return TextCoding::Utf8;
    case 3: return TextCoding::Utf8Bom;
    case 4: return TextCoding::Utf16;
    default: return TextCoding::Dos;
    }
}

std::optional<TextCoding> DeclaredCoding(std::string_view bytes) {
    std::string head(bytes.substr(0, kDeclarationReach));
    for (char& ch : head) ch = LowerAscii(ch);
    const std::string_view text = head;
    // A style sheet's own rule stands first in it, exactly so.
    for (const std::string_view rule : {"@charset \"", "@charset '"}) {
        if (StartsWith(text, rule)) {
            const size_t end = text.find(rule.back(), rule.size());
            if (end != std::string_view::npos) return CodingOfName(text.substr(rule.size(), end - rule.size()));
            return std::nullopt;
        }
    }
    // The XML declaration opens its document, maybe after blank space.
    const size_t first = SkipSpaces(text, 0);
    if (text.compare(first, 5, "<?xml") == 0) {
        const size_t end = text.find("?>", first);
        const std::string_view declaration = text.substr(first, end == std::string_view::npos ? text.npos : end - first);
        for (size_t at = declaration.find("encoding"); at != std::string_view::npos;
             at = declaration.find("encoding", at + 1)) {
            if (at > 0 && !IsSpace(declaration[at - 1])) continue;
            const std::string_view value = ValueAt(declaration, at + 8);
            if (!value.empty()) return CodingOfName(value);
        }
    }
    for (size_t at = text.find("<meta"); at != std::string_view::npos; at = text.find("<meta", at + 1)) {
        const size_t end = text.find('>', at);
        if (end == std::string_view::npos) break;  // cut at the end of the reach
        if (const auto coding = MetaCharset(text.substr(at + 5, end + 1 - at - 5))) return coding;
    }
    return std::nullopt;
}

Utf8Form ClassifyUtf8(std::string_view bytes) {
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t size = bytes.size();
    bool multiByte = false;
    size_t i = 0;
    while (true) {
        i = SkipAscii(data, i, size);
        if (i == size) break;
        const Sequence sequence = ReadSequence(data, i, size);
        if (!sequence.length) return Utf8Form::Invalid;
        multiByte = true;
        i += sequence.length;
    }
    return multiByte ? Utf8Form::MultiByte : Utf8Form::Ascii;
}

TextCoding DetectCoding(std::string_view bytes) {
    if (StartsWith(bytes, kUtf8Mark))
        return ClassifyUtf8(bytes.substr(kUtf8Mark.size())) != Utf8Form::Invalid ? TextCoding::Utf8Bom
                                                                                 : TextCoding::Windows;
    if (StartsWith(bytes, kUtf16Mark)) return bytes.size() % 2 == 0 ? TextCoding::Utf16 : TextCoding::Windows;
    // The bytes are read to their end only where the answer depends on them.
    if (const auto declared = DeclaredCoding(bytes)) {
        if (*declared != TextCoding::Utf8) return *declared;
        return ClassifyUtf8(bytes) != Utf8Form::Invalid ? TextCoding::Utf8 : TextCoding::Windows;
    }
    return ClassifyUtf8(bytes) == Utf8Form::MultiByte ? TextCoding::Utf8 : TextCoding::Windows;
}

std::optional<std::wstring> DecodeText(std::string_view bytes, TextCoding coding) {
    switch (coding) {
    case TextCoding::Windows: return BytesToText(bytes, CodePage::Ansi);
    case TextCoding::Dos: return BytesToText(bytes, CodePage::Oem);
    case TextCoding::Utf8: return DecodeUtf8(bytes);
    case TextCoding::Utf8Bom:
        if (!StartsWith(bytes, kUtf8Mark)) return std::nullopt;
        return DecodeUtf8(bytes.substr(kUtf8Mark.size()));
    case TextCoding::Utf16:
        if (!StartsWith(bytes, kUtf16Mark)) return std::nullopt;
        return DecodeUtf16(bytes.substr(kUtf16Mark.size()));
    }
    return std::nullopt;
}

LineBreak FindLineBreak(std::wstring_view text) {
    bool lf = false, cr = false, crlf = false;
    for (size_t k = text.find_first_of(L"\r\n"); k != std::wstring_view::npos; k = text.find_first_of(L"\r\n", k + 1)) {
        if (text[k] == L'\n') {
            lf = true;
        } else if (k + 1 < text.size() && text[k + 1] == L'\n') {
            crlf = true;
            ++k;
        } else {
            cr = true;
        }
        if (crlf || (lf && cr)) return LineBreak::CrLf;
    }
    if (lf) return LineBreak::Lf;
    if (cr) return LineBreak::Cr;
    return LineBreak::CrLf;
}

DecodedFile DecodeFile(std::string_view bytes, std::optional<TextCoding> stored) {
    DecodedFile file;
    // DOS from an entry reads the bytes as DOS text, whatever they look like.
    file.coding = stored == TextCoding::Dos ? TextCoding::Dos : DetectCoding(bytes);
    if (stored && IsUtf8(*stored) && !IsUnicode(file.coding) && !StartsWith(bytes, kUtf8Mark) &&
        ClassifyUtf8(bytes) != Utf8Form::Invalid) {
        // Kept as UTF-8 although the bytes alone would not say so (ASCII only,
        // or a declaration of another coding): the user chose it.
        file.coding = TextCoding::Utf8;
    }
    if (auto text = DecodeText(bytes, file.coding)) {
        file.text = std::move(*text);
    } else {
        file.coding = TextCoding::Windows;
        file.text = BytesToText(bytes, CodePage::Ansi);
    }
    if (IsUnicode(file.coding)) file.lineBreak = FindLineBreak(file.text);
    return file;
}

std::string EncodeText(std::wstring_view text, TextCoding coding, LineBreak lineBreak) {
    switch (coding) {
    case TextCoding::Windows: return ExpandLineBreaks(TextToBytes(text, CodePage::Ansi));
    case TextCoding::Dos: return ExpandLineBreaks(TextToBytes(text, CodePage::Oem));
    case TextCoding::Utf8: return EncodeUtf8(text, lineBreak, false);
    case TextCoding::Utf8Bom: return EncodeUtf8(text, lineBreak, true);
    case TextCoding::Utf16: return EncodeUtf16(text, lineBreak);
    }
    return {};
}

bool CodingHolds(std::wstring_view text, TextCoding coding) {
    if (IsUnicode(coding)) return true;
    return PageHolds(text, coding == TextCoding::Dos ? CodePage::Oem : CodePage::Ansi);
}

}  // namespace quillon
