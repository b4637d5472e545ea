#include "desktop_stream.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace quillon {

namespace {

void PutInt(std::string& out, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) out += static_cast<char>((bits >> (8 * i)) & 0xFF);
}

class Reader {
public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}
    std::optional<std::int32_t> Int() {
        if (bytes_.size() - position_ < 4) return std::nullopt;
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i)
            value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes_[position_ + i])) << (8 * i);
        position_ += 4;
        return static_cast<std::int32_t>(value);
    }
    std::optional<std::string_view> Bytes(size_t count) {
        if (bytes_.size() - position_ < count) return std::nullopt;
        const std::string_view taken = bytes_.substr(position_, count);
        position_ += count;
        return taken;
    }

private:
    std::string_view bytes_;
    size_t position_ = 0;
};

std::optional<DesktopRecord> ReadRecord(Reader& in, std::int32_t nameLength) {
    const auto name = in.Bytes(static_cast<size_t>(nameLength));
    if (!name) return std::nullopt;
    std::int32_t fields[10];
    for (std::int32_t& field : fields) {
        const auto value = in.Int();
        if (!value) return std::nullopt;
        field = *value;
    }
    DesktopRecord record;
    record.fileName = std::string(name->substr(0, name->find('\0')));
    record.left = fields[0];
    record.top = fields[1];
    record.width = fields[2];
    record.height = fields[3];
    record.state = fields[4] & 0xFF;
    record.order = fields[5];
    record.readOnly = fields[6] != 0;
    record.caret = fields[7];
    record.wordWrap = fields[8] != 0;
    record.coding = fields[9];
    return record;
}

}  // namespace

void AppendDesktopRecord(std::string& stream, const DesktopRecord& record) {
    PutInt(stream, static_cast<std::int32_t>(record.fileName.size() + 1));
    stream += record.fileName;
    stream += '\0';
    for (const std::int32_t value : {record.left, record.top, record.width, record.height, record.state, record.order,
                                     std::int32_t{record.readOnly}, record.caret, std::int32_t{record.wordWrap},
                                     record.coding})
        PutInt(stream, value);
}

void EndDesktop(std::string& stream) { PutInt(stream, 0); }

std::vector<DesktopRecord> ParseDesktop(std::string_view stream) {
    std::vector<DesktopRecord> records;
    Reader in(stream);
    while (true) {
        const auto nameLength = in.Int();
        if (!nameLength || *nameLength <= 0) break;
        auto record = ReadRecord(in, *nameLength);
        if (!record) break;
        records.push_back(std::move(*record));
    }
    return records;
}

std::vector<DesktopRecord> RestoreOrder(std::vector<DesktopRecord> records) {
    std::stable_sort(records.begin(), records.end(), [](const DesktopRecord& a, const DesktopRecord& b) {
        return std::llabs(a.order) < std::llabs(b.order);
    });
    return records;
}

}  // namespace quillon
