// The two shell functions that not every platform has, bound at run time
// from SHELL32.DLL. The operations take the bindings as an argument, so that
// the paths without them run (and are tested) with empty bindings exactly as
// on a system that lacks the functions.
#pragma once
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

namespace ferro::settings {
struct ShellBindings {
    HRESULT(WINAPI* folder_location)(HWND, int, LPITEMIDLIST*) = nullptr;  // SHGetSpecialFolderLocation
    int(WINAPI* file_operation)(LPSHFILEOPSTRUCTA) = nullptr;              // SHFileOperation
};

// The bindings of the running process as CheckSHFunctions found them (empty
// before it ran).
const ShellBindings& shell_bindings();

inline ShellBindings resolve_shell(HMODULE shell) {
    ShellBindings b;
    if (!shell) return b;
    b.folder_location =
        reinterpret_cast<decltype(b.folder_location)>(GetProcAddress(shell, "SHGetSpecialFolderLocation"));
    b.file_operation = reinterpret_cast<decltype(b.file_operation)>(GetProcAddress(shell, "SHFileOperation"));
    return b;
}

// The path of the shell's special folder `csidl` into `path` (MAX_PATH bytes
// at least); false when the function is not bound or the shell has none.
inline bool shell_folder_path(const ShellBindings& b, int csidl, char* path) {
    path[0] = '\0';
    if (!b.folder_location || csidl < 0) return false;
    LPITEMIDLIST items = nullptr;
    if (FAILED(b.folder_location(GetDesktopWindow(), csidl, &items)) || !items) return false;
    const bool found = SHGetPathFromIDListA(items, path) && path[0] != '\0';
    CoTaskMemFree(items);
    if (!found) path[0] = '\0';
    return found;
}

// The shell's file operation, or 0 when it is not bound.
inline int shell_file_operation(const ShellBindings& b, LPSHFILEOPSTRUCTA operation) {
    return b.file_operation && operation ? b.file_operation(operation) : 0;
}
}  // namespace ferro::settings
