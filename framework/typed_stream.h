// The typed-value stream of stored lists (macro sets, the template list): the
// signature "TPF0", then values that each begin with a one-byte type code;
// integers little-endian. The writer picks the smallest code for an integer
// and the short string code below 256 bytes; the reader checks every code and
// throws StreamError at the first one that is not due or at an early end.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quillon {

enum class TypeCode : std::uint8_t {
    EndOfList = 0x00,
    ListBegin = 0x01,
    Int8 = 0x02,
    Int16 = 0x03,
    Int32 = 0x04,
    ShortString = 0x06,
    False = 0x08,
    True = 0x09,
    LongString = 0x0C,
};

inline constexpr std::string_view kStreamSignature = "TPF0";

struct StreamError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class TypedWriter {
public:
    void Signature() { bytes_ += kStreamSignature; }
    void ListBegin() { Code(TypeCode::ListBegin); }
    void ListEnd() { Code(TypeCode::EndOfList); }
    void Integer(std::int32_t value);
    void String(std::string_view value);
    void Flag(bool value) { Code(value ? TypeCode::True : TypeCode::False); }
    // A character: a short string of length 1.
    void Char(char value) { String(std::string_view(&value, 1)); }

    const std::string& Bytes() const { return bytes_; }

private:
    void Code(TypeCode code) { bytes_ += static_cast<char>(code); }
    std::string bytes_;
};

class TypedReader {
public:
    explicit TypedReader(std::string_view bytes) : bytes_(bytes) {}

    void Signature();
    void ListBegin() { Expect(TypeCode::ListBegin); }
    void ListEnd() { Expect(TypeCode::EndOfList); }
    // Whether the next value is the end of a list (it is not read).
    bool AtListEnd() const;
    std::int32_t Integer();
    // A short or a long string, whichever code stands there.
    std::string String();
    // True exactly for the code of true; any other single byte is false.
    bool Flag() { return Byte() == static_cast<std::uint8_t>(TypeCode::True); }
    // Exactly a short string of length 1.
    char Char();

    size_t Position() const { return position_; }
    bool AtEnd() const { return position_ == bytes_.size(); }

private:
    std::uint8_t Byte();
    std::string_view Take(size_t count);
    std::uint32_t Unsigned(size_t size);
    void Expect(TypeCode code);
    std::string_view bytes_;
    size_t position_ = 0;
};

}  // namespace quillon
