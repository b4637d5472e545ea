#include "journal_entry.h"

#include <algorithm>

#include "text_case.h"

namespace quillon {

namespace {

constexpr char kMagic[4] = {'Q', 'L', 'N', 'J'};
constexpr std::uint32_t kVersion = 1;
constexpr std::uint32_t kHasFile = 1, kWordWrap = 2, kReadOnly = 4;
// More than any document the editor control holds (2^31 bytes).
constexpr std::uint32_t kMaxUnits = 0x40000000;

void PutU32(std::string& out, std::uint32_t value) {
    for (int k = 0; k < 4; ++k) out.push_back(static_cast<char>((value >> (8 * k)) & 0xFF));
}

void PutUnits(std::string& out, std::wstring_view text) {
    const size_t at = out.size();
    out.resize(at + 2 * text.size());
    for (size_t k = 0; k < text.size(); ++k) {
        const auto unit = static_cast<std::uint32_t>(text[k]) & 0xFFFF;
        out[at + 2 * k] = static_cast<char>(unit & 0xFF);
        out[at + 2 * k + 1] = static_cast<char>(unit >> 8);
    }
}

void PutText(std::string& out, std::wstring_view text) {
    PutU32(out, static_cast<std::uint32_t>(text.size()));
    PutUnits(out, text);
}

std::uint32_t Fnv1a(std::string_view bytes, std::uint32_t hash = 2166136261u) {
    for (const char ch : bytes) hash = (hash ^ static_cast<unsigned char>(ch)) * 16777619u;
    return hash;
}

class Reader {
public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}
    bool U32(std::uint32_t& value) {
        if (bytes_.size() - at_ < 4) return false;
        value = 0;
        for (int k = 0; k < 4; ++k) value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes_[at_ + k])) << (8 * k);
        at_ += 4;
        return true;
    }
    bool Text(std::wstring& text) {
        std::uint32_t units = 0;
        if (!U32(units) || units > kMaxUnits || (bytes_.size() - at_) / 2 < units) return false;
        text.resize(units);
        for (size_t k = 0; k < units; ++k)
            text[k] = static_cast<wchar_t>(static_cast<unsigned char>(bytes_[at_ + 2 * k]) |
                                           (static_cast<unsigned char>(bytes_[at_ + 2 * k + 1]) << 8));
        at_ += 2 * static_cast<size_t>(units);
        return true;
    }
    size_t At() const { return at_; }

private:
    std::string_view bytes_;
    size_t at_ = 0;
};

}  // namespace

std::string JournalEntryEncoder::Head(const JournalEntry& entry, size_t textLength) {
    std::string out(kMagic, 4);
    PutU32(out, kVersion);
    PutU32(out, (entry.hasFile ? kHasFile : 0) | (entry.wordWrap ? kWordWrap : 0) | (entry.readOnly ? kReadOnly : 0));
    PutU32(out, StoredCoding(entry.coding));
    PutU32(out, static_cast<std::uint32_t>(entry.lineBreak));
    PutU32(out, static_cast<std::uint32_t>(entry.caret));
    PutU32(out, static_cast<std::uint32_t>(entry.windowNumber));
    PutText(out, entry.name);
    PutU32(out, static_cast<std::uint32_t>(textLength));
    hash_ = Fnv1a(out, hash_);
    return out;
}

std::string JournalEntryEncoder::Piece(std::wstring_view piece) {
    std::string out;
    PutUnits(out, piece);
    hash_ = Fnv1a(out, hash_);
    return out;
}

std::string JournalEntryEncoder::Tail() {
    std::string out;
    PutU32(out, hash_);
    return out;
}

std::string EncodeJournalEntry(const JournalEntry& entry) {
    JournalEntryEncoder encoder;
    std::string out = encoder.Head(entry, entry.text.size());
    out += encoder.Piece(entry.text);
    out += encoder.Tail();
    return out;
}

std::optional<JournalEntry> DecodeJournalEntry(std::string_view bytes) {
    if (bytes.size() < 4 || bytes.compare(0, 4, std::string_view(kMagic, 4)) != 0) return std::nullopt;
    Reader reader(bytes.substr(4));
    std::uint32_t version = 0, flags = 0, coding = 0, lineBreak = 0, caret = 0, number = 0, sum = 0;
    JournalEntry entry;
    if (!reader.U32(version) || version != kVersion || !reader.U32(flags) || flags > 7 || !reader.U32(coding) ||
        coding > 4 || !reader.U32(lineBreak) || lineBreak > 2 || !reader.U32(caret) || !reader.U32(number) ||
        !reader.Text(entry.name) || entry.name.empty() || !reader.Text(entry.text))
        return std::nullopt;
    const size_t summed = 4 + reader.At();
    if (!reader.U32(sum) || 4 + reader.At() != bytes.size() || sum != Fnv1a(bytes.substr(0, summed)))
        return std::nullopt;
    entry.hasFile = flags & kHasFile;
    entry.wordWrap = flags & kWordWrap;
    entry.readOnly = flags & kReadOnly;
    entry.coding = CodingFromStored(coding);
    entry.lineBreak = static_cast<LineBreak>(lineBreak);
    entry.caret = static_cast<std::int32_t>(caret);
    entry.windowNumber = static_cast<std::int32_t>(number);
    return entry;
}

std::optional<int> UntitledNumber(std::wstring_view name, std::wstring_view prefix) {
    if (prefix.empty() || name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) return std::nullopt;
    long long number = 0;
    size_t k = prefix.size();
    for (; k < name.size() && name[k] >= L'0' && name[k] <= L'9' && number < 1000000000; ++k)
        number = number * 10 + (name[k] - L'0');
    if (k == prefix.size()) return std::nullopt;
    return static_cast<int>(number);
}

JournalRestorePlan PlanJournalRestore(const std::vector<JournalEntry>& entries, const std::vector<std::wstring>& openNames,
                                      std::wstring_view untitledPrefix, int untitledCounter) {
    JournalRestorePlan plan;
    plan.untitledCounter = untitledCounter;
    std::vector<size_t> order(entries.size());
    for (size_t k = 0; k < order.size(); ++k) order[k] = k;
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return entries[a].windowNumber < entries[b].windowNumber; });
    std::vector<bool> taken(openNames.size(), false);
    for (const size_t k : order) {
        const JournalEntry& entry = entries[k];
        JournalRestoreStep step{k, -1};
        if (entry.hasFile) {
            const std::wstring lowered = LowerText(entry.name);
            for (size_t w = 0; w < openNames.size(); ++w)
                if (!taken[w] && LowerText(openNames[w]) == lowered) {
                    step.existingWindow = static_cast<int>(w);
                    taken[w] = true;
                    break;
                }
        } else if (const auto number = UntitledNumber(entry.name, untitledPrefix)) {
            plan.untitledCounter = std::max(plan.untitledCounter, *number);
        }
        plan.steps.push_back(step);
    }
    return plan;
}

}  // namespace quillon
