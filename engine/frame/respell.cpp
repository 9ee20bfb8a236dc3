#include "frame/respell.h"
#include <windows.h>
#include <string>

namespace ferro {
void respell_as_stored(char* path, std::size_t size) {
    if (!path || size == 0 || !path[0]) return;
    std::string copy(path);
    DWORD n = GetLongPathNameA(copy.c_str(), path, static_cast<DWORD>(size));
    if (n == 0 || n >= size) lstrcpynA(path, copy.c_str(), static_cast<int>(size));  // keep the given spelling
}
}  // namespace ferro
