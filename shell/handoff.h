// The program's own command line handed to Assist.dll, which opens the files
// in the running editor (the first instance after its desktop, or the one a
// second start finds).
#pragma once

namespace quillon {

inline constexpr int kMaxHandedArguments = 50;

// Hands the program's own arguments (at most 50) to Assist.dll, when it is there.
void HandOffCommandLine();

}  // namespace quillon
