#include "text_case.h"

namespace quillon {

bool SameTextIgnoringCase(std::wstring_view a, std::wstring_view b) {
    return a.size() == b.size() && LowerText(a) == LowerText(b);
}

}  // namespace quillon
