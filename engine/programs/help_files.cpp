// The product's help: the help file and opening it at a context number, as
// HTML help (bound at run time) or classic help.
#include <cstring>
#include "frame/places.h"
#include "programs/launch.h"

namespace {
constexpr std::size_t kPathSize = 520;
constexpr const char* kHelpNames[] = {"Ferrolan.chm", "Ferrolan.hlp"};
constexpr UINT kDisplayTopic = 0x0000;  // HH_DISPLAY_TOPIC
constexpr UINT kHelpContext = 0x000f;   // HH_HELP_CONTEXT

using HtmlHelpFn = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);

bool is_file(const char* path) {
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool is_html_help(const char* path) {
    std::size_t n = std::strlen(path);
    return n >= 4 && lstrcmpiA(path + n - 4, ".chm") == 0;
}
}  // namespace

LPSTR WINAPI FindHelpFile(LPSTR out) {
    if (!out) return nullptr;
    const char* saved = GetFerroHelp();
    if (saved && *saved && std::strlen(saved) < kPathSize && is_file(saved)) return std::strcpy(out, saved);
    for (const char* name : kHelpNames)
        if (GetFileNameInFerroDir(out, name) && is_file(out)) return out;
    *out = '\0';
    return nullptr;
}

LONG WINAPI GetAppropriateHelpFile(LPSTR out) {
    if (!FindHelpFile(out)) return 0;
    return is_html_help(out) ? 1 : 2;
}

LONG WINAPI myShowHelpFile(HWND window, DWORD context) {
    char file[kPathSize];
    switch (GetAppropriateHelpFile(file)) {
    case 1: {
        // The help viewer's library stays loaded: its window lives in it.
        static HMODULE viewer = LoadLibraryA("hhctrl.ocx");
        auto html_help = viewer ? reinterpret_cast<HtmlHelpFn>(GetProcAddress(viewer, "HtmlHelpA")) : nullptr;
        if (!html_help) return 0;
        return html_help(window, file, context ? kHelpContext : kDisplayTopic, context) ? 1 : 0;
    }
    case 2:
        return WinHelpA(window, file, context ? HELP_CONTEXT : HELP_CONTENTS, context) ? 1 : 0;
    default:
        return 0;
    }
}
