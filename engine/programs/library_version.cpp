// Whether a system library is there and which version it reports.
#include <shlwapi.h>
#include "programs/launch.h"

namespace {
HMODULE g_loaded;  // the library loaded here, until FreeAPISuppotedByDll

bool always_loaded(LPCSTR library) {
    return lstrcmpiA(library, "KERNEL32.DLL") == 0 || lstrcmpiA(library, "COMCTL32.DLL") == 0;
}
}  // namespace

HMODULE WINAPI IsAPISuppotedByDll(LPCSTR library, DWORD* major, DWORD* minor, LONG* result) {
    if (result) *result = 0;
    if (!library || !*library) return nullptr;
    HMODULE module;
    if (always_loaded(library)) {
        module = GetModuleHandleA(library);
    } else {
        FreeAPISuppotedByDll();
        module = g_loaded = LoadLibraryA(library);
    }
    if (!module || !major || !minor) return module;
    auto get_version = reinterpret_cast<DLLGETVERSIONPROC>(GetProcAddress(module, "DllGetVersion"));
    DLLVERSIONINFO version{};
    version.cbSize = sizeof version;
    if (!get_version || FAILED(get_version(&version))) return nullptr;
    if (result) {
        DWORD wanted = MAKELONG(*minor, *major);
        DWORD found = MAKELONG(version.dwMinorVersion, version.dwMajorVersion);
        *result = found >= wanted ? 1 : -1;
    }
    *major = version.dwMajorVersion;
    *minor = version.dwMinorVersion;
    return module;
}

LONG WINAPI FreeAPISuppotedByDll() {
    if (!g_loaded) return 0;
    FreeLibrary(g_loaded);
    g_loaded = nullptr;
    return 1;
}
