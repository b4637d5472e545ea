// How a document's text is stored in its file: the Windows or the DOS code
// page, UTF-8 (with or without its byte-order mark) or UTF-16 little endian
// with its mark. The editor holds UTF-16 whatever the file holds; these
// routines turn a file's bytes into that text and back.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quillon {

enum class TextCoding { Windows, Dos, Utf8, Utf8Bom, Utf16 };

inline bool IsUnicode(TextCoding coding) { return coding >= TextCoding::Utf8; }
inline bool IsUtf8(TextCoding coding) { return coding == TextCoding::Utf8 || coding == TextCoding::Utf8Bom; }

// How the lines of a file end. Single-byte files are always written with CR LF;
// a UTF file is written the way it was found when all its line breaks agreed.
enum class LineBreak { CrLf, Lf, Cr };

// The number a recent-files entry ("DosText") and a desktop record keep: 0 and
// 1 as a single-byte document always had them (Windows, DOS), 2 UTF-8, 3 UTF-8
// with its mark, 4 UTF-16. Any other number reads as DOS, as any nonzero flag did.
std::uint32_t StoredCoding(TextCoding coding);
TextCoding CodingFromStored(std::uint32_t stored);

// The coding a declaration in the first 2 KB names: <meta charset=...>, the
// charset of <meta http-equiv="Content-Type" content="...">, encoding="..." of
// <?xml ...?> and @charset "..."; at the start of a style sheet; any case,
// either quote. UTF-8 gives Utf8, windows-1251 and cp1251 Windows, cp866 and
// ibm866 Dos; anything else, or no declaration, nothing.
std::optional<TextCoding> DeclaredCoding(std::string_view bytes);

// Whether the bytes are well-formed UTF-8 (no overlong forms, no surrogates,
// nothing past U+10FFFF, no sequence cut at the end) and whether they hold
// any sequence of more than one byte.
enum class Utf8Form { Invalid, Ascii, MultiByte };
Utf8Form ClassifyUtf8(std::string_view bytes);

// The coding of a file's bytes: a byte-order mark decides; otherwise a
// declaration; otherwise bytes that are valid UTF-8 with at least one
// multi-byte sequence are UTF-8; otherwise Windows. A coding whose bytes do
// not decode cleanly (a cut UTF-16 unit, broken UTF-8 after a mark or a
// declaration) gives Windows: such a file keeps every byte as it is.
TextCoding DetectCoding(std::string_view bytes);

// The text of bytes in a coding (the mark dropped); nothing when the bytes are
// not of that coding. Line breaks are left as they are.
std::optional<std::wstring> DecodeText(std::string_view bytes, TextCoding coding);

struct DecodedFile {
    TextCoding coding = TextCoding::Windows;
    std::wstring text;  // line breaks as in the file
    LineBreak lineBreak = LineBreak::CrLf;
};

// A file's bytes as a document. A stored coding (of a recent-files entry or a
// desktop record) is kept where it applies: DOS always, a UTF coding when the
// bytes are of it (the mark's own coding wins); without one, DetectCoding.
DecodedFile DecodeFile(std::string_view bytes, std::optional<TextCoding> stored = std::nullopt);

// How the line breaks of a text agree: Lf or Cr when every one is a lone LF or
// a lone CR (and there is one), CrLf otherwise.
LineBreak FindLineBreak(std::wstring_view text);

// The editor's text (CR as line break) as the file's bytes, the mark included.
// Single-byte codings write CR LF and '?' for a character the page lacks,
// exactly as they always have.
std::string EncodeText(std::wstring_view text, TextCoding coding, LineBreak lineBreak = LineBreak::CrLf);

// Whether every character of the text has its place in the coding.
bool CodingHolds(std::wstring_view text, TextCoding coding);

}  // namespace quillon
