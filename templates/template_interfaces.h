// The template list as Stencil.dll sees it: two interfaces whose virtual slots
// are the contract between the two binaries, so their order never changes and
// neither class has any other virtual member (not even a destructor).
#pragma once

#include <cstdint>

namespace quillon {

class CTemplateItemInterface {
public:
    virtual const char* GetTitle() = 0;                 // 0
    virtual void SetTitle(const char* title) = 0;       // 1
    virtual const char* GetDescription() = 0;           // 2
    virtual void SetDescription(const char* text) = 0;  // 3
    virtual const char* GetFileName() = 0;              // 4
    virtual void SetFileName(const char* name) = 0;     // 5
    virtual std::int32_t GetId() = 0;                   // 6
    virtual void SetId(std::int32_t id) = 0;            // 7
    virtual std::int32_t GetReserved() = 0;             // 8
    virtual void SetReserved(std::int32_t value) = 0;   // 9
    virtual const char* GetExt() = 0;                   // 10
    virtual bool GetVisible() = 0;                      // 11
    virtual void SetVisible(bool visible) = 0;          // 12

protected:
    ~CTemplateItemInterface() = default;
};

class CTemplateListInterface {
public:
    virtual CTemplateItemInterface* Add() = 0;                              // 0
    virtual void Delete(std::int32_t index) = 0;                            // 1
    virtual std::int32_t GetCount() = 0;                                    // 2
    virtual CTemplateItemInterface* GetItem(std::int32_t index) = 0;        // 3
    virtual std::int32_t IndexOf(CTemplateItemInterface* item) = 0;         // 4
    virtual void MoveUp(std::int32_t index) = 0;                            // 5
    virtual void MoveDown(std::int32_t index) = 0;                          // 6
    virtual void Move(std::int32_t from, std::int32_t to) = 0;              // 7
    virtual std::int32_t GetDefault() = 0;                                  // 8
    virtual void SetDefault(std::int32_t index) = 0;                        // 9

protected:
    ~CTemplateListInterface() = default;
};

}  // namespace quillon
