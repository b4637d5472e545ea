// The template list: built-in templates (texts in Template.dll), file
// templates and separators in the user's order, with the default one. Stencil
// edits the list through the two interfaces of template_interfaces.h; the
// classes here add no virtual member to them.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "template_interfaces.h"

namespace quillon {

// The extension a file template gives its documents: from the last dot, lower
// case, ".htm" read as ".html"; empty without a dot.
std::string TemplateExtension(std::string_view fileName);

class CTemplateItem final : public CTemplateItemInterface {
public:
    const char* GetTitle() override { return Title.c_str(); }
    void SetTitle(const char* title) override { Title = title ? title : ""; }
    const char* GetDescription() override { return Description.c_str(); }
    void SetDescription(const char* text) override { Description = text ? text : ""; }
    const char* GetFileName() override { return FileName.c_str(); }
    void SetFileName(const char* name) override;
    std::int32_t GetId() override { return Id; }
    void SetId(std::int32_t id) override { Id = id; }
    std::int32_t GetReserved() override { return Reserved; }
    void SetReserved(std::int32_t value) override { Reserved = value; }
    const char* GetExt() override { return Ext.c_str(); }
    bool GetVisible() override { return Visible; }
    void SetVisible(bool visible) override { Visible = visible; }

    // Windows-1251 text.
    std::string Title, Description, FileName, Ext;
    std::int32_t Id = -10;  // < 0 file template, 0 separator, > 0 the built-in's text id
    std::int32_t Reserved = 0;
    bool Visible = true;
};

// One record of Template.dll's directory (RCDATA 1), with its strings loaded.
struct TemplateRecord {
    std::int32_t titleId = 0, descriptionId = 0, textId = 0, reserved = 0;
    std::string title;        // "caption|.ext"
    std::string description;
};

// The directory's records; nothing when the bytes are not a whole directory
// (a count, then that many records of four int32).
std::optional<std::vector<TemplateRecord>> ParseTemplateDirectory(std::string_view bytes);

class CTemplateList final : public CTemplateListInterface {
public:
    CTemplateItemInterface* Add() override;
    void Delete(std::int32_t index) override;
    std::int32_t GetCount() override { return Count(); }
    CTemplateItemInterface* GetItem(std::int32_t index) override { return Item(index); }
    std::int32_t IndexOf(CTemplateItemInterface* item) override;
    void MoveUp(std::int32_t index) override;
    void MoveDown(std::int32_t index) override;
    void Move(std::int32_t from, std::int32_t to) override;
    std::int32_t GetDefault() override { return DefaultIndex; }
    void SetDefault(std::int32_t index) override { DefaultIndex = index; }

    CTemplateItem* Item(std::int32_t index);
    const CTemplateItem* Item(std::int32_t index) const;
    std::int32_t Count() const { return static_cast<std::int32_t>(items_.size()); }
    void Clear() { items_.clear(); }
    std::int32_t DefaultIndex = 0;

    // The stored form: entries from it, merged with the directory (built-ins
    // by id, unknown ids dropped, missing built-ins appended in directory
    // order); without stored bytes, the built-ins alone. Throws StreamError at
    // damaged bytes, with the entries read before it kept.
    void Read(const std::string* stored, const std::vector<TemplateRecord>* directory);
    std::string Write() const;

private:
    void ReadStored(const std::string& stored, const std::vector<TemplateRecord>* directory, std::vector<bool>& seen);
    std::vector<std::unique_ptr<CTemplateItem>> items_;
};

// A separator line of the menus: the list editor's separators (id 0) and a title "-".
bool IsTemplateSeparator(const CTemplateItem& item);

// The rows of the template menus: the indices of the ticked entries in list
// order, kTemplateMenuSeparator for a separator line; a separator never stands
// first, last or beside another.
inline constexpr std::int32_t kTemplateMenuSeparator = -1;
std::vector<std::int32_t> TemplateMenuRows(const CTemplateList& list);

}  // namespace quillon
