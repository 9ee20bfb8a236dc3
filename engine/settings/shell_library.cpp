// The library the shell bindings come from, through program launch's
// checking loader (which also reports the library's version).
#include "programs/launch.h"
#include "settings/settings_internal.h"

namespace ferro::settings {
HMODULE load_shell_library() {
    DWORD major = 0, minor = 0;
    HMODULE shell = IsAPISuppotedByDll("SHELL32.DLL", &major, &minor, nullptr);
    // A shell without a version function still binds.
    return shell ? shell : IsAPISuppotedByDll("SHELL32.DLL", nullptr, nullptr, nullptr);
}

void release_shell_library(HMODULE shell) {
    if (shell) FreeAPISuppotedByDll();
}
}  // namespace ferro::settings
