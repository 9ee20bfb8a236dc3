// Environment names in stored paths, both ways: stored texts may hold a
// placeholder such as %SystemRoot% where the Windows folder stands, so that
// they stay right when the system lives elsewhere. ReplaceSystemRoot (an
// export, places.h) expands the placeholders; shortcut texts take the
// placeholder form before they are kept.
#pragma once
#include <windows.h>
#include <cstring>
#include "frame/mbcs.h"
#include "frame/places.h"

namespace ferro::settings {
inline constexpr char kSystemRootPlaceholder[] = "%SystemRoot%";

// Puts the placeholder in place of the Windows folder (GetHomeDirectory,
// which follows the host's override) where `text` (a buffer of `size` bytes)
// begins with it, after an optional quotation mark, as a whole folder.
// False when the text does not begin with it or the result would not fit.
inline bool put_system_root_placeholder(char* text, std::size_t size) {
    char windows[520];
    GetHomeDirectory(windows, sizeof windows, 0);
    std::size_t folder = std::strlen(windows);
    while (folder > 3 && mbcs::ends_with(windows, folder, '\\')) windows[--folder] = '\0';
    if (!text || folder == 0) return false;
    char* start = text[0] == '"' ? text + 1 : text;
    const std::size_t length = std::strlen(start);
    if (length < folder || (start[folder] != '\0' && start[folder] != '\\')) return false;
    if (folder > 0 && mbcs::lead_at(start, folder - 1)) return false;
    if (CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, start, static_cast<int>(folder), windows,
                       static_cast<int>(folder)) != CSTR_EQUAL)
        return false;
    const std::size_t placeholder = sizeof kSystemRootPlaceholder - 1;
    if (static_cast<std::size_t>(start - text) + length - folder + placeholder >= size) return false;
    std::memmove(start + placeholder, start + folder, length - folder + 1);
    std::memcpy(start, kSystemRootPlaceholder, placeholder);
    return true;
}
}  // namespace ferro::settings
