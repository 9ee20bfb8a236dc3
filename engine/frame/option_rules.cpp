// Option flags with rules of their own beyond storing a value.
#include "frame/option_flags.h"

namespace {
LONG g_char_selected;
LONG g_saved_select_arc;
constexpr LONG kResourceOrder[] = {0, 1, 2, 3, -1};

bool low_bytes_differ(LONG a, LONG b) { return (a & 0xff) != (b & 0xff); }
}  // namespace

LONG WINAPI SetCharSELECTED(LONG bits) {
    if (bits & 1)
        g_char_selected = 1;
    else if (bits & 2)
        g_char_selected = 2;
    else if (bits & 4)
        g_char_selected = 4;
    return g_char_selected;
}

LONG WINAPI GetCharSELECTED() { return g_char_selected; }

LONG WINAPI IsDirSortingDisabledAtStartingAltered() {
    return low_bytes_differ(ferro::flags::DirSortingDisabledAtStarting, ferro::flags::DirSortingDisabledAtStarting0);
}

LONG WINAPI IsFileSortingDisabledAtStartingAltered() {
    return low_bytes_differ(ferro::flags::FileSortingDisabledAtStarting, ferro::flags::FileSortingDisabledAtStarting0);
}

LONG WINAPI SetNonArchivedFileUsed() {
    g_saved_select_arc = ferro::flags::SELECT_ARC;
    ferro::flags::SELECT_ARC = 0;
    return g_saved_select_arc;
}

LONG WINAPI RecovernArchivedFileUsed() { return ferro::flags::SELECT_ARC = g_saved_select_arc; }

LONG WINAPI GetGDI_DEFAULT() { return 10; }

LONG WINAPI GetResourseOrderedNumber(LONG i) {
    return i >= 0 && i < LONG(sizeof kResourceOrder / sizeof kResourceOrder[0]) ? kResourceOrder[i] : -1;
}

LONG WINAPI GetOrderedShortLong(LONG value) { return (~value >> 2) & 1; }

LONG WINAPI ResetMouseTracking() {
    ferro::flags::MOUSETRACK = 0;
    ReleaseCapture();
    return 0;
}
