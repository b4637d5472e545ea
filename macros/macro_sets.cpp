#include "macro_sets.h"

#include "typed_stream.h"

namespace quillon {

namespace {
MacroKeyLists& KeyLists() {
    static MacroKeyLists lists;
    return lists;
}
}  // namespace

TMacrosList& UserMacros() {
    static TMacrosList macros;
    return macros;
}

TMacrosList& FormatMacros() {
    static TMacrosList macros;
    return macros;
}

const MacroKeyLists& UserKeyLists() { return KeyLists(); }
void RebuildUserKeyLists() { KeyLists() = BuildKeyLists(UserMacros()); }

bool ApplyStoredMacros(TMacrosList& macros, const storage::MacroValues& values) {
    // A stored number that is no sort method leaves the set as it is.
    if (values.sortMethod && *values.sortMethod <= static_cast<std::uint32_t>(SortMethod::Fixed))
        macros.SetSortMethod(static_cast<SortMethod>(*values.sortMethod));
    bool whole = true;
    if (values.macros) {
        try {
            macros.ReadMacroSet(*values.macros);
        } catch (const StreamError&) {
            whole = false;
        }
        if (values.modified) macros.SetModified(*values.modified);
    }
    return whole;
}

}  // namespace quillon
