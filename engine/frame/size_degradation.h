// The size sequence of an allocation that degrades instead of failing: one
// byte less while the size is below 256, 255 bytes less from 256 up
// (300, 45, 44, 43, ... 1). Kept apart so that the sequence can be checked
// without making the platform refuse memory.
#pragma once
#include <windows.h>

namespace ferro {
constexpr DWORD next_smaller_size(DWORD size) { return size < 256 ? size - 1 : size - 255; }

// Calls try_size(size) with `size` and then with each smaller size of the
// sequence until it returns true; returns the size that succeeded, 0 when none
// did (or `size` was 0).
template <class TrySize>
DWORD degrade_until(DWORD size, TrySize&& try_size) {
    for (; size != 0; size = next_smaller_size(size))
        if (try_size(size)) return size;
    return 0;
}
}  // namespace ferro
