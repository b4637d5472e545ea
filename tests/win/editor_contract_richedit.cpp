#include "contract/editor_contract.h"
#include "rich_edit_control.h"
#include "win_test_support.h"

namespace quillon {

INSTANTIATE_TEST_SUITE_P(Wine, EditorContract,
                         ::testing::Values(EditorFactory{"RichEdit", [] {
                             return std::unique_ptr<EditorControl>(new RichEditControl(test::HostWindow(), 100));
                         }},
                                           // Every change of two or more lines made by rebuilding the control,
                                           // as large changes are under Wine.
                                           EditorFactory{"RichEditRebuild", [] {
                                               auto control = std::make_unique<RichEditControl>(test::HostWindow(), 100);
                                               control->SetRebuildThreshold(2);
                                               return std::unique_ptr<EditorControl>(std::move(control));
                                           }},
                                           // Every line question asked of the control, as on Windows.
                                           EditorFactory{"RichEditControlLines", [] {
                                               auto control = std::make_unique<RichEditControl>(test::HostWindow(), 100);
                                               control->SetOwnLineIndex(false);
                                               return std::unique_ptr<EditorControl>(std::move(control));
                                           }}),
                         EditorFactoryName);

}  // namespace quillon
