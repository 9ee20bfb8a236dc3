// Lists of strings separated by NUL bytes (ended by an empty string), and
// moves of a string inside its 520-byte buffer.
#include <cstring>
#include "frame/text.h"
#include "frame/text_internal.h"

using namespace ferro;

int WINAPI ItemTotalNumberSeparetedByZero(LPCSTR list) {
    if (!list) return 0;
    int count = 0;
    for (const char* p = list; *p; p += std::strlen(p) + 1) ++count;
    return count;
}

int WINAPI StrLenSeparetedByZero(LPCSTR list) {
    if (!list) return 0;
    if (!*list) return 1;
    const char* p = list;
    while (*p) p += std::strlen(p) + 1;
    return static_cast<int>(p - list);
}

// An empty list may be a single NUL byte: only that byte is read, and the
// copy gets both of its final NUL bytes.
int WINAPI MoveMemorySeparetedByZero(LPSTR to, LPCSTR from) {
    if (!to || !from) return 0;
    if (!*from) {
        to[0] = to[1] = '\0';
        return 2;
    }
    int size = StrLenSeparetedByZero(from) + 1;
    std::memmove(to, from, static_cast<std::size_t>(size));
    return size;
}

int WINAPI CopyForward(LPSTR s, int count) {
    if (!s) return 0;
    std::size_t len = std::strlen(s);
    if (count <= 0) return static_cast<int>(len);
    std::size_t n = static_cast<std::size_t>(count);
    if (n >= len) {
        *s = '\0';
        return 0;
    }
    std::memmove(s, s + n, len - n + 1);
    return static_cast<int>(len - n);
}

// Refuses (0, nothing moved) when the moved string would not fit in 520 bytes.
int WINAPI CopyBackward(LPSTR s, int count) {
    if (!s) return 0;
    std::size_t len = std::strlen(s);
    if (count <= 0) return static_cast<int>(len);
    std::size_t n = static_cast<std::size_t>(count);
    if (len + n > text::kPathMax) return 0;
    std::memmove(s + n, s, len + 1);
    return static_cast<int>(len + n);
}
