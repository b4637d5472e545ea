// The contract of EditorControl as one table of cases, run natively against
// MemoryEditor and under Wine against the rich edit wrapper. A difference of the
// real control shows up here as a failing row.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "editor_control.h"

namespace quillon {

struct EditorFactory {
    const char* name;
    std::function<std::unique_ptr<EditorControl>()> make;
};

inline std::string EditorFactoryName(const ::testing::TestParamInfo<EditorFactory>& info) {
    return info.param.name;
}

class EditorContract : public ::testing::TestWithParam<EditorFactory> {
protected:
    void SetUp() override { editor = GetParam().make(); ASSERT_TRUE(editor); }
    std::unique_ptr<EditorControl> editor;
};

}  // namespace quillon
