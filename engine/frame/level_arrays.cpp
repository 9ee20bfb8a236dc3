// The per-level arrays (sort numbers and folder depths) and their limits.
#include <cstdio>
#include "ferromes.h"
#include "frame/option_flags.h"
#include "frame/owner_window.h"

namespace {
constexpr LONG kLastLevel = 30000;  // the arrays hold indexes 0 to 30000
constexpr UINT kLimitTitle = 7009;
constexpr UINT kLimitExceeded = 7010;

struct LevelArray {
    LONG limit = kLastLevel;
    LONG values[kLastLevel + 1] = {};
};
LevelArray g_sorted;
LevelArray g_deep_level;

void show_limit_exceeded(LONG limit) {
    char text[1040 + 16];
    MyLoadString(kLimitExceeded, kLimitTitle);
    std::snprintf(text, sizeof text, GetLoadStrMessage(), static_cast<int>(limit));
    MessageBoxA(GetValidWindowsHandle(nullptr), text, GetLoadStrTitle(), MB_OK | MB_ICONEXCLAMATION);
}

LONG set_level(LevelArray& array, LONG index, LONG value) {
    if (index < 0) return -1;
    if (index > array.limit) {
        show_limit_exceeded(array.limit);
        return -1;
    }
    return array.values[index] = value;
}

LONG get_level(const LevelArray& array, LONG index) {
    return index >= 0 && index <= kLastLevel ? array.values[index] : 0;
}

LONG set_limit(LevelArray& array, LONG limit) {
    return array.limit = limit < 0 ? 0 : limit > kLastLevel ? kLastLevel : limit;
}
}  // namespace

LONG WINAPI SetNumberSORTED(LONG index, LONG value) { return set_level(g_sorted, index, value); }
LONG WINAPI GetNumberSORTED(LONG index) { return get_level(g_sorted, index); }
LONG WINAPI SetNumberDEEPLevel(LONG index, LONG value) { return set_level(g_deep_level, index, value); }
LONG WINAPI GetNumberDEEPLevel(LONG index) { return get_level(g_deep_level, index); }

LONG WINAPI ClearnDEEPLevel() {
    for (LONG& v : g_deep_level.values) v = 0;
    return 0;
}

LONG WINAPI SetMaxNumberSORTED(LONG limit) { return set_limit(g_sorted, limit); }
LONG WINAPI GetMaxNumberSORTED() { return g_sorted.limit; }
LONG WINAPI SetMaxNumberDEEPLevel(LONG limit) { return set_limit(g_deep_level, limit); }
LONG WINAPI GetMaxNumberDEEPLevel() { return g_deep_level.limit; }
