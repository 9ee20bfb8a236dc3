// Program places: folders and names the host and the other parts ask for.
#include <cstring>
#include <string_view>
#include "frame/mbcs.h"
#include "frame/memory_blocks.h"
#include "frame/paths.h"
#include "frame/places.h"
#include "frame/places_internal.h"
#include "frame/respell.h"

namespace {
constexpr std::size_t kPathSize = 520;
char g_ferro_dir[kPathSize];
char g_newer_exe_file[kPathSize];
char g_home_override[2][kPathSize];  // 0 the Windows folder, 1 the system folder
MemoryTag g_help;
char g_empty[1];
constexpr char kOptionSign[] = " < ";
}  // namespace

LPSTR WINAPI SaveFerroDir(LPCSTR path) {
    if (!path) path = "";
    if (std::strlen(path) >= kPathSize) return nullptr;
    lstrcpynA(g_ferro_dir, path, kPathSize);
    return g_ferro_dir;
}

LPSTR WINAPI GetFerroDir() { return g_ferro_dir; }

// The program folder joined with a name; an absolute name stands alone.
LPSTR WINAPI GetFileNameInFerroDir(LPSTR out, LPCSTR name) {
    if (!out) return nullptr;
    if (!name || !*name) {
        lstrcpynA(out, g_ferro_dir, kPathSize);
        return out;
    }
    if (std::strlen(name) >= kPathSize) {
        out[0] = '\0';
        return nullptr;
    }
    // The join reads the folder from a buffer it may change: hand it a copy.
    char folder[kPathSize];
    lstrcpynA(folder, g_ferro_dir, kPathSize);
    if (_myGetFullPathName(out, folder, name) == 0 && !IsRootDirIncluded(name)) {
        out[0] = '\0';
        return nullptr;
    }
    return out;
}

LPSTR WINAPI SaveFerroHelp(LPCSTR path) { return GetMemoryTag(&g_help, path); }

LPSTR WINAPI GetFerroHelp() {
    if (g_help.pointer) return g_help.pointer;
    g_empty[0] = '\0';  // a caller may have written into it
    return g_empty;
}

LPCSTR WINAPI GetFerroTitle() { return "Ferrolan"; }
LPCSTR WINAPI GetFerroUpdateSubDirectory() { return "Update"; }
LPSTR WINAPI GetFerroNewerExeFile() { return g_newer_exe_file; }

LONG WINAPI SaveHomeDirectory(HWND, LPCSTR path, LONG which) {
    if (which != 0 && which != 1) return 0;
    if (!path) path = "";
    if (std::strlen(path) >= kPathSize) return 0;
    lstrcpynA(g_home_override[which], path, kPathSize);
    return 1;
}

LONG WINAPI GetHomeDirectory(LPSTR out, UINT size, LONG which) {
    if (!out || size == 0) return 0;
    out[0] = '\0';
    if (which != 0 && which != 1) return 0;
    char found[kPathSize] = {};
    const bool overridden = g_home_override[which][0] != '\0';
    if (overridden)
        lstrcpynA(found, g_home_override[which], kPathSize);
    else if (which == 0)
        GetWindowsDirectoryA(found, kPathSize);
    else
        GetSystemDirectoryA(found, kPathSize);
    found[kPathSize - 1] = '\0';
    ferro::respell_as_stored(found, kPathSize);
    if (std::strlen(found) >= size) return 0;
    lstrcpynA(out, found, static_cast<int>(size));
    return overridden ? 1 : 0;
}

LPCSTR WINAPI GetOptSgn() { return kOptionSign; }
LONG WINAPI GetOptSgnInCharcter() { return static_cast<unsigned char>(kOptionSign[1]); }

LPSTR WINAPI ExtractOptions(LPSTR text) {
    if (!text) return nullptr;
    constexpr std::string_view sign(kOptionSign);
    const std::string_view all(text);
    for (std::size_t i = 0; i < all.size(); i += ferro::mbcs::char_size(text + i)) {
        if (all.compare(i, sign.size(), sign) == 0) {
            text[i] = '\0';
            return text + i + sign.size();
        }
    }
    return nullptr;
}

namespace ferro {
void free_program_places() { FreeMemoryTag(&g_help); }
}  // namespace ferro
