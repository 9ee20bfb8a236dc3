// Inside ferromes: the sizes of the shared text buffers and the one bounded
// copy that every buffer write goes through.
#pragma once
#include <cstddef>
#include "frame/mbcs.h"

namespace ferromes {
inline constexpr std::size_t kTextBufferSize = 1040;  // message and title: 1039 bytes and the NUL
inline constexpr std::size_t kKeyNameBufferSize = 64;  // longest key name is 42 bytes
inline constexpr char kFailedText[] = "<Failed>";

// Copies the NUL-terminated code-page-932 text `from` into `to` (capacity
// bytes, at least 1) and terminates it. A text that does not fit is cut at the
// last whole character: a double-byte character is never split. Returns the
// length written.
inline std::size_t copy_whole_characters(char* to, std::size_t capacity, const char* from) {
    std::size_t length = 0;
    while (from[length] != '\0') {
        const std::size_t step = ferro::mbcs::char_size(from + length);
        if (length + step > capacity - 1) break;
        length += step;
    }
    for (std::size_t i = 0; i < length; ++i) to[i] = from[i];
    to[length] = '\0';
    return length;
}
}  // namespace ferromes
