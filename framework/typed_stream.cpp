#include "typed_stream.h"

namespace quillon {

void TypedWriter::Integer(std::int32_t value) {
    size_t size = 4;
    if (value >= -128 && value <= 127) {
        Code(TypeCode::Int8);
        size = 1;
    } else if (value >= -32768 && value <= 32767) {
        Code(TypeCode::Int16);
        size = 2;
    } else {
        Code(TypeCode::Int32);
    }
    const auto bits = static_cast<std::uint32_t>(value);
    for (size_t i = 0; i < size; ++i) bytes_ += static_cast<char>((bits >> (8 * i)) & 0xFF);
}

void TypedWriter::String(std::string_view value) {
    if (value.size() < 256) {
        Code(TypeCode::ShortString);
        bytes_ += static_cast<char>(value.size());
    } else {
        Code(TypeCode::LongString);
        const auto size = static_cast<std::uint32_t>(value.size());
        for (size_t i = 0; i < 4; ++i) bytes_ += static_cast<char>((size >> (8 * i)) & 0xFF);
    }
    bytes_ += value;
}

std::uint8_t TypedReader::Byte() {
    if (position_ >= bytes_.size()) throw StreamError("the stream ends early");
    return static_cast<std::uint8_t>(bytes_[position_++]);
}

std::string_view TypedReader::Take(size_t count) {
    if (count > bytes_.size() - position_) throw StreamError("the stream ends early");
    const std::string_view taken = bytes_.substr(position_, count);
    position_ += count;
    return taken;
}

std::uint32_t TypedReader::Unsigned(size_t size) {
    const std::string_view raw = Take(size);
    std::uint32_t value = 0;
    for (size_t i = 0; i < size; ++i) value |= static_cast<std::uint32_t>(static_cast<std::uint8_t>(raw[i])) << (8 * i);
    return value;
}

void TypedReader::Expect(TypeCode code) {
    if (Byte() != static_cast<std::uint8_t>(code)) throw StreamError("unexpected type code");
}

void TypedReader::Signature() {
    if (Take(kStreamSignature.size()) != kStreamSignature) throw StreamError("no stream signature");
}

bool TypedReader::AtListEnd() const {
    if (position_ >= bytes_.size()) throw StreamError("the stream ends early");
    return static_cast<std::uint8_t>(bytes_[position_]) == static_cast<std::uint8_t>(TypeCode::EndOfList);
}

std::int32_t TypedReader::Integer() {
    switch (static_cast<TypeCode>(Byte())) {
    case TypeCode::Int8: return static_cast<std::int8_t>(Unsigned(1));
    case TypeCode::Int16: return static_cast<std::int16_t>(Unsigned(2));
    case TypeCode::Int32: return static_cast<std::int32_t>(Unsigned(4));
    default: throw StreamError("an integer is due");
    }
}

std::string TypedReader::String() {
    switch (static_cast<TypeCode>(Byte())) {
    case TypeCode::ShortString: return std::string(Take(Unsigned(1)));
    case TypeCode::LongString: return std::string(Take(Unsigned(4)));
    default: throw StreamError("a string is due");
    }
}

char TypedReader::Char() {
    if (Byte() != static_cast<std::uint8_t>(TypeCode::ShortString) || Byte() != 1) throw StreamError("a character is due");
    return static_cast<char>(Byte());
}

}  // namespace quillon
