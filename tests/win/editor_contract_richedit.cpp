#include "contract/editor_contract.h"
#include "rich_edit_control.h"
#include "win_test_support.h"

namespace quillon {

INSTANTIATE_TEST_SUITE_P(Wine, EditorContract,
                         ::testing::Values(EditorFactory{"RichEdit", [] {
                             return std::unique_ptr<EditorControl>(new RichEditControl(test::HostWindow(), 100));
                         }}),
                         EditorFactoryName);

}  // namespace quillon
