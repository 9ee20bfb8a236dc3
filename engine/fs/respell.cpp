#include "frame/respell.h"
#include <windows.h>
#include <cstring>
#include "frame/text.h"
#include "fs/path_spelling.h"

namespace ferro {
// The character-set setting decides the spelling: with bit 4 the long form,
// otherwise the conversion that the setting itself names.
void respell_as_stored(char* path, std::size_t size) {
    constexpr std::size_t kPathSize = 520;
    if (!path || size == 0 || !path[0] || std::strlen(path) >= kPathSize) return;
    char work[kPathSize];
    lstrcpynA(work, path, sizeof work);
    const int setting = IsWhatCharacterSet();
    LPCSTR stored = (setting & 4) ? GetReformed95PathNameFromOS(work, 8, 1) : ConvertWin95CharacterSet(work, setting, 1);
    if (stored && std::strlen(stored) < size) lstrcpynA(path, stored, static_cast<int>(size));
}
}  // namespace ferro
