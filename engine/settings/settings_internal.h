// Inside the places part of the settings: what its files share. Not exported.
#pragma once
#include <windows.h>
#include <cstddef>

namespace ferro::settings {
// SHELL32.DLL for the shell bindings, and its release (shell_library.cpp).
HMODULE load_shell_library();
void release_shell_library(HMODULE shell);

// The stored path of folder `number` into `path` (520 bytes); false when
// none is stored (special_folders.cpp).
bool stored_folder(int number, char* path);
// Frees the path and label blocks and clears the active flags.
void free_special_folders();

// The per-user copy of `path` below "VirtualStore" into `out` (520 bytes);
// false when the local application data folder is not known or the result
// would not fit (redirect_folders.cpp).
bool redirect_copy_of(char* out, const char* path);
}  // namespace ferro::settings
