// The library the shell bindings come from. Program launch has a checking
// loader for libraries (IsAPISuppotedByDll, which also reports a library's
// version); until it is part of the engine the library is loaded here, and
// this is the one place that changes when it is.
#include "settings/settings_internal.h"

namespace ferro::settings {
HMODULE load_shell_library() { return LoadLibraryA("SHELL32.DLL"); }

void release_shell_library(HMODULE shell) {
    if (shell) FreeLibrary(shell);
}
}  // namespace ferro::settings
