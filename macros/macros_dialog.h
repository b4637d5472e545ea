// "Макросы": the modal dialog in which the user edits the user macro set —
// adds, renames, deletes and clears macros, edits a macro's text, flags and
// key (with key conflicts resolved on the spot), chooses the sort order, and
// opens and saves macro set files (.qlm). The key lists are rebuilt when it
// closes; storing the set is the caller's.
#pragma once

#include <functional>

#include "edit_host.h"
#include "filebox_api.h"

namespace quillon {

// The file dialog Open and Save run (save: the save dialog); tests put their
// own answer here, filling the buffer as the dialog would. Empty: Filebox's.
std::function<int(FileDialogRequest&, bool save)>& MacroSetDialogRunner();

// Shows the dialog modally over the host's main window, on UserMacros().
void ShowMacrosDialog(EditHost& host);

// The customize function both file dialogs get: the .qlm filter and
// extension, one file, no read-only box, the current folder left alone.
void __stdcall CustomizeMacroSetDialog(FileDialogRequest* request, OPENFILENAMEA* setup);

}  // namespace quillon
