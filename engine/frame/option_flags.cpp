// The accessors of the option-flag table.
#include "frame/option_flags.h"

namespace ferro::flags {
#define FLAG(name, kind, initial) FERRO_FLAG_TYPE_##kind name = initial;
#include "frame/option_flags.def"
#undef FLAG
}  // namespace ferro::flags

namespace {
LONG add_bits(LONG& flag, LONG bits) { return flag |= bits; }

LONG add_count(LONG& flag, LONG count) {
    return flag = static_cast<LONG>(static_cast<ULONG>(flag) + static_cast<ULONG>(count));
}

// A negative argument takes its magnitude's bits away (when any of them is
// set) and returns the magnitude.
LONG add_or_clear_bits(LONG& flag, LONG bits) {
    if (bits >= 0) return flag |= bits;
    const ULONG magnitude = 0u - static_cast<ULONG>(bits);
    if (static_cast<ULONG>(flag) & magnitude) flag = static_cast<LONG>(static_cast<ULONG>(flag) & ~magnitude);
    return static_cast<LONG>(magnitude);
}
}  // namespace

#define FERRO_SET(n) LONG WINAPI Set##n(LONG value) { return ferro::flags::n = value; }
#define FERRO_READ(prefix, n) LONG WINAPI prefix##n() { return ferro::flags::n; }
#define FERRO_FLAG_DEFINE_IS(n) FERRO_SET(n) FERRO_READ(Is, n)
#define FERRO_FLAG_DEFINE_GET(n) FERRO_SET(n) FERRO_READ(Get, n)
#define FERRO_FLAG_DEFINE_OR(n) FERRO_FLAG_DEFINE_GET(n) \
    LONG WINAPI Add##n(LONG bits) { return add_bits(ferro::flags::n, bits); }
#define FERRO_FLAG_DEFINE_SUM(n) FERRO_FLAG_DEFINE_GET(n) \
    LONG WINAPI Add##n(LONG count) { return add_count(ferro::flags::n, count); }
#define FERRO_FLAG_DEFINE_SIGNED_OR(n) FERRO_FLAG_DEFINE_GET(n) \
    LONG WINAPI Add##n(LONG bits) { return add_or_clear_bits(ferro::flags::n, bits); }
#define FERRO_FLAG_DEFINE_TOGGLE(n) FERRO_FLAG_DEFINE_IS(n) \
    LONG WINAPI Toggle##n() { return ferro::flags::n = !ferro::flags::n; }
#define FERRO_FLAG_DEFINE_PARAM(n) \
    LPARAM WINAPI Set##n(LPARAM value) { return ferro::flags::n = value; } \
    LPARAM WINAPI Get##n() { return ferro::flags::n; }
#define FERRO_FLAG_DEFINE_SHOW(n) \
    LONG WINAPI Show##n(LONG value) { return ferro::flags::n = value; } FERRO_READ(Get, n)
#define FERRO_FLAG_DEFINE_ISWHAT(n) FERRO_SET(n) FERRO_READ(IsWhat, n)
#define FERRO_FLAG_DEFINE_SET(n) FERRO_SET(n)

#define FLAG(name, kind, initial) FERRO_FLAG_DEFINE_##kind(name)
#include "frame/option_flags.def"
#undef FLAG
