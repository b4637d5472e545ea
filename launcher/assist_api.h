// The export of Assist.dll that hands file names to the running editor,
// starting it when none runs: ordinal 1, the callee removes the arguments.
// The names are narrow, in the system code page.
#pragma once

namespace quillon {

// The result is pointer-sized and always null; callers ignore it.
using ProcessFileListFn = void*(__stdcall*)(char** names, int count);
inline constexpr char kProcessFileListExport[] = "ProcessFileList";
inline constexpr int kProcessFileListOrdinal = 1;
inline constexpr wchar_t kAssistLibrary[] = L"Assist.dll";

}  // namespace quillon
