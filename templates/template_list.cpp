#include "template_list.h"

#include <algorithm>
#include <utility>

#include "typed_stream.h"

namespace quillon {

namespace {

std::int32_t ReadInt32(std::string_view bytes, size_t at) {
    std::uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i) value |= static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[at + i])) << (8 * i);
    return static_cast<std::int32_t>(value);
}

// An entry filled from a directory record: the title cut at its first "|".
std::unique_ptr<CTemplateItem> FromRecord(const TemplateRecord& record) {
    auto item = std::make_unique<CTemplateItem>();
    const size_t bar = record.title.find('|');
    item->Title = record.title.substr(0, bar);
    if (bar != std::string::npos) item->Ext = record.title.substr(bar + 1);
    item->Description = record.description;
    item->Id = record.textId;
    item->Reserved = record.reserved;
    return item;
}

char Lower(char c) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 'A' && u <= 'Z') return static_cast<char>(u + 32);
    if (u >= 0xC0 && u <= 0xDF) return static_cast<char>(u + 32);  // Cyrillic in Windows-1251
    if (u == 0xA8) return static_cast<char>(0xB8);                  // Ё
    return c;
}

}  // namespace

std::string TemplateExtension(std::string_view fileName) {
    const size_t dot = fileName.find_last_of('.');
    const size_t slash = fileName.find_last_of("\\/");
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) return {};
    std::string ext(fileName.substr(dot));
    std::transform(ext.begin(), ext.end(), ext.begin(), Lower);
    return ext == ".htm" ? ".html" : ext;
}

void CTemplateItem::SetFileName(const char* name) {
    FileName = name ? name : "";
    Ext = TemplateExtension(FileName);
}

std::optional<std::vector<TemplateRecord>> ParseTemplateDirectory(std::string_view bytes) {
    if (bytes.size() < 4) return std::nullopt;
    const std::int32_t count = ReadInt32(bytes, 0);
    if (count < 0 || static_cast<size_t>(count) > (bytes.size() - 4) / 16) return std::nullopt;
    std::vector<TemplateRecord> records;
    for (std::int32_t i = 0; i < count; ++i) {
        const size_t at = 4 + static_cast<size_t>(i) * 16;
        records.push_back({ReadInt32(bytes, at), ReadInt32(bytes, at + 4), ReadInt32(bytes, at + 8),
                           ReadInt32(bytes, at + 12), {}, {}});
    }
    return records;
}

CTemplateItemInterface* CTemplateList::Add() {
    items_.push_back(std::make_unique<CTemplateItem>());
    return items_.back().get();
}

CTemplateItem* CTemplateList::Item(std::int32_t index) {
    return const_cast<CTemplateItem*>(std::as_const(*this).Item(index));
}

const CTemplateItem* CTemplateList::Item(std::int32_t index) const {
    return index >= 0 && index < Count() ? items_[static_cast<size_t>(index)].get() : nullptr;
}

void CTemplateList::Delete(std::int32_t index) {
    if (Item(index)) items_.erase(items_.begin() + index);
}

std::int32_t CTemplateList::IndexOf(CTemplateItemInterface* item) {
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i].get() == item) return static_cast<std::int32_t>(i);
    return -1;
}

void CTemplateList::MoveUp(std::int32_t index) {
    if (Item(index) && Item(index - 1)) std::swap(items_[static_cast<size_t>(index - 1)], items_[static_cast<size_t>(index)]);
}

void CTemplateList::MoveDown(std::int32_t index) {
    if (Item(index) && Item(index + 1)) std::swap(items_[static_cast<size_t>(index)], items_[static_cast<size_t>(index + 1)]);
}

void CTemplateList::Move(std::int32_t from, std::int32_t to) {
    if (!Item(from) || !Item(to)) return;
    auto item = std::move(items_[static_cast<size_t>(from)]);
    items_.erase(items_.begin() + from);
    items_.insert(items_.begin() + to, std::move(item));
}

void CTemplateList::Read(const std::string* stored, const std::vector<TemplateRecord>* directory) {
    std::vector<bool> seen(directory ? directory->size() : 0, false);
    // Built-ins the stored list did not name come after its own entries, also
    // when the stored bytes break off.
    const auto appendMissing = [&] {
        for (size_t i = 0; i < seen.size(); ++i)
            if (!seen[i]) items_.push_back(FromRecord((*directory)[i]));
    };
    try {
        if (stored) ReadStored(*stored, directory, seen);
    } catch (const StreamError&) {
        appendMissing();
        throw;
    }
    appendMissing();
}

void CTemplateList::ReadStored(const std::string& stored, const std::vector<TemplateRecord>* directory,
                               std::vector<bool>& seen) {
    TypedReader reader(stored);
    reader.Signature();
    DefaultIndex = reader.Integer();
    reader.ListBegin();
    while (!reader.AtListEnd()) {
        auto item = std::make_unique<CTemplateItem>();
        item->Visible = reader.Flag();
        if (reader.Flag()) {
            const std::int32_t id = reader.Integer();
            if (id == 0) {
                item->Title = "-";
                item->Id = 0;
                items_.push_back(std::move(item));
                continue;
            }
            if (!directory) continue;
            for (size_t i = 0; i < directory->size(); ++i)
                if ((*directory)[i].textId == id) {
                    auto builtIn = FromRecord((*directory)[i]);
                    builtIn->Visible = item->Visible;
                    items_.push_back(std::move(builtIn));
                    seen[i] = true;
                    break;
                }
            continue;
        }
        item->Title = reader.String();
        item->Description = reader.String();
        const std::string fileName = reader.String();
        item->SetFileName(fileName.c_str());
        item->Reserved = reader.Integer();
        items_.push_back(std::move(item));
    }
    reader.ListEnd();
}

std::string CTemplateList::Write() const {
    TypedWriter writer;
    writer.Signature();
    writer.Integer(DefaultIndex);
    writer.ListBegin();
    for (const auto& item : items_) {
        writer.Flag(item->Visible);
        writer.Flag(item->Id >= 0);
        if (item->Id >= 0) {
            writer.Integer(item->Id);
        } else {
            writer.String(item->Title);
            writer.String(item->Description);
            writer.String(item->FileName);
            writer.Integer(item->Reserved);
        }
    }
    writer.ListEnd();
    return writer.Bytes();
}

bool IsTemplateSeparator(const CTemplateItem& item) { return item.Id == 0 || item.Title == "-"; }

std::vector<std::int32_t> TemplateMenuRows(const CTemplateList& list) {
    std::vector<std::int32_t> rows;
    bool separatorPending = false;
    for (std::int32_t i = 0; i < list.Count(); ++i) {
        const CTemplateItem& item = *list.Item(i);
        if (!item.Visible) continue;
        if (IsTemplateSeparator(item)) {
            separatorPending = !rows.empty();
            continue;
        }
        if (separatorPending) rows.push_back(kTemplateMenuSeparator);
        separatorPending = false;
        rows.push_back(i);
    }
    return rows;
}

}  // namespace quillon
