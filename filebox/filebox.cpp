// Filebox.dll: the open and save dialogs, the document kinds and the rules by
// extension.
//
// Buffers are never written past their end:
// - GetOpenFilesList builds the list of full names in a scratch buffer and
//   copies back only whole names that fit, with the NUL, into bufferSize bytes;
//   the names that do not fit are left out (cut at a whole name).
// - The folder buffer is taken to be 260 bytes, as every caller gives. A folder
//   that does not fit, with its NUL, is not written: the buffer keeps what it had.
// - GetNewFileIDs copies at most bufferSize - 1 characters and the NUL.
// - Null pointers to the rule exports mean "no extension"; a null request makes
//   a dialog export answer 0 (or do nothing).
#define FILEBOX_BUILDING
#include "filebox_api.h"

#include <array>
#include <string>

#include "filebox_rules.h"

using namespace quillon::filebox;

namespace {

HINSTANCE g_instance = nullptr;

std::string LoadText(int id, size_t chars) {
    std::string text(chars, '\0');
    const int n = LoadStringA(g_instance, static_cast<UINT>(id), text.data(), static_cast<int>(chars));
    text.resize(n > 0 ? static_cast<size_t>(n) : 0);
    return text;
}

// A "|"-separated filter list as the dialog wants it: NUL-separated, double NUL at the end.
std::array<char, kListBufferChars + 1> LoadFilter(int id) {
    std::array<char, kListBufferChars + 1> filter{};
    const std::string text = LoadText(id, kListBufferChars);
    for (size_t i = 0; i < text.size(); ++i) filter[i] = text[i] == '|' ? '\0' : text[i];
    return filter;
}

const ExtensionTable& Table() {
    static bool loaded = false;
    static ExtensionTable table;
    if (!loaded) {
        table.browsable = SplitList(LoadText(kBrowsableExtensions, kListBufferChars));
        table.tagCommands = SplitList(LoadText(kTagExtensions, kListBufferChars));
        table.noWrap = SplitList(LoadText(kNoWrapExtensions, kListBufferChars));
        table.saveFilter = SplitList(LoadText(kSaveFilterExtensions, kListBufferChars));
        loaded = true;
    }
    return table;
}

std::string_view NameOrEmpty(const char* name) { return name ? std::string_view(name) : std::string_view(); }

// Copies text with its NUL into a buffer of `size` bytes when it fits; false otherwise.
bool CopyIfFits(char* buffer, size_t size, const std::string& text) {
    if (!buffer || text.size() + 1 > size) return false;
    memcpy(buffer, text.c_str(), text.size() + 1);
    return true;
}

struct Dialog {
    OPENFILENAMEA setup{};
    std::array<char, kListBufferChars + 1> filter{};
    std::string title;
};

// The set-up both dialogs share. x86_64 Windows is always of the NT line from
// version 5 on: the extended set-up size and resizable dialogs always apply.
void Prepare(Dialog& dialog, FileDialogRequest* request, int filterId, int titleId, DWORD flags) {
    dialog.filter = LoadFilter(filterId);
    dialog.title = LoadText(titleId, 128);
    OPENFILENAMEA& setup = dialog.setup;
    setup.lStructSize = sizeof setup;
    setup.hwndOwner = request->owner;
    setup.hInstance = g_instance;
    setup.lpstrFilter = dialog.filter.data();
    setup.nFilterIndex = request->filterIndex > 0 ? static_cast<DWORD>(request->filterIndex) : 1;
    setup.lpstrFile = request->fileBuffer;
    setup.nMaxFile = static_cast<DWORD>(request->bufferSize);
    setup.lpstrInitialDir = request->folder && *request->folder ? request->folder : nullptr;
    setup.lpstrTitle = request->title ? request->title : dialog.title.c_str();
    setup.Flags = flags | OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_ENABLESIZING;
}

bool Usable(const FileDialogRequest* request) {
    return request && request->fileBuffer && request->bufferSize > 0;
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        g_instance = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

FILEBOX_API int __stdcall OpenFiles(FileDialogRequest* request) {
    if (!Usable(request)) return 0;
    Dialog dialog;
    request->fileBuffer[0] = '\0';
    Prepare(dialog, request, kOpenFilter, kOpenTitle, OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST);
    if (request->customize) request->customize(request, &dialog.setup);
    const BOOL ok = GetOpenFileNameA(&dialog.setup);
    if (ok) {
        request->filterIndex = static_cast<std::int32_t>(dialog.setup.nFilterIndex);
        request->readOnly = (dialog.setup.Flags & OFN_READONLY) ? 1 : 0;
    }
    return ok ? 1 : 0;
}

FILEBOX_API void __stdcall GetOpenFilesList(FileDialogRequest* request) {
    if (!Usable(request)) return;
    const size_t size = static_cast<size_t>(request->bufferSize);
    const OpenFilesList result = BuildOpenFilesList(std::string_view(request->fileBuffer, size), size,
                                                    static_cast<size_t>(kFileboxFolderSize));
    if (result.folderFits) CopyIfFits(request->folder, kFileboxFolderSize, result.folder);
    CopyIfFits(request->fileBuffer, size, result.list);
}

FILEBOX_API int __stdcall SaveFiles(FileDialogRequest* request) {
    if (!Usable(request)) return 0;
    Dialog dialog;
    // Keep the proposed name whole and terminated within the buffer.
    request->fileBuffer[request->bufferSize - 1] = '\0';
    Prepare(dialog, request, kSaveFilter, kSaveTitle,
            OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOREADONLYRETURN);
    // Present but empty: a name typed without extension gets the selected filter's.
    dialog.setup.lpstrDefExt = "";
    if (request->customize) request->customize(request, &dialog.setup);
    const BOOL ok = GetSaveFileNameA(&dialog.setup);
    if (ok) {
        request->filterIndex = static_cast<std::int32_t>(dialog.setup.nFilterIndex);
        CopyIfFits(request->folder, kFileboxFolderSize, FolderOfName(request->fileBuffer));
    }
    return ok ? 1 : 0;
}

FILEBOX_API int __stdcall GetDefaultFilter(const char* fileName) {
    return DefaultFilterFor(NameOrEmpty(fileName), Table());
}

FILEBOX_API std::uint8_t __stdcall GetFileParams(FileParams* params) {
    if (!params) return 0;
    const FileKind kind = FileParamsFor(NameOrEmpty(params->fileName), Table());
    params->tagCommands = kind.tagCommands ? 1 : 0;
    params->browsable = kind.browsable ? 1 : 0;
    return params->browsable;
}

FILEBOX_API std::uint8_t __stdcall GetDefWordWrap(const char* fileName) {
    return DefWordWrapFor(NameOrEmpty(fileName), Table()) ? 1 : 0;
}

FILEBOX_API int __stdcall GetNewFileIDs(char* buffer, int bufferSize) {
    if (!buffer || bufferSize <= 0) return 0;
    // A size of zero would make LoadStringA hand out a pointer instead of text.
    const int n = LoadStringA(g_instance, kDocumentKinds, buffer, bufferSize);
    if (n <= 0) buffer[0] = '\0';
    return n > 0 ? n : 0;
}
