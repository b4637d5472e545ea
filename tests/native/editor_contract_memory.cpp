#include "contract/editor_contract.h"
#include "memory_editor.h"

namespace quillon {

INSTANTIATE_TEST_SUITE_P(Memory, EditorContract,
                         ::testing::Values(EditorFactory{"MemoryEditor", [] {
                             return std::unique_ptr<EditorControl>(new MemoryEditor());
                         }}),
                         EditorFactoryName);

}  // namespace quillon
