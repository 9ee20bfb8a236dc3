// Configuration key names: every getter loads its name by number as a title
// and hands out a copy in the one key-name buffer.
#include <iterator>
#include "ferromes.h"
#include "text_buffers.h"

namespace {
char g_key_name[ferromes::kKeyNameBufferSize];

// Loads the name through the title buffer (the message buffer is emptied) and
// copies it, cut to the buffer at a whole character, into the key-name buffer.
LPSTR key_name(UINT number) {
    MyLoadString(0, number);
    ferromes::copy_whole_characters(g_key_name, sizeof g_key_name, GetLoadStrTitle());
    return g_key_name;
}

LPSTR empty_key_name() {
    g_key_name[0] = '\0';
    return g_key_name;
}

// The name at `index` of a table of string numbers; 0 entries and indexes
// outside the table give the empty name.
template <std::size_t N>
LPSTR key_name_at(const UINT (&numbers)[N], int index) {
    if (index < 0 || std::size_t(index) >= N || numbers[index] == 0) return empty_key_name();
    return key_name(numbers[index]);
}
}  // namespace

#define FERROMES_DEFINE_KEY_NAME_GETTER(name, number) \
    LPSTR WINAPI name() { return key_name(number); }
FERROMES_PLAIN_KEY_NAME_GETTERS(FERROMES_DEFINE_KEY_NAME_GETTER)
#undef FERROMES_DEFINE_KEY_NAME_GETTER

LPSTR WINAPI GetStartDirectoryString(int flag) { return key_name(flag == 0 ? 3410 : 3411); }

LPSTR WINAPI GetFilecolorString(int index) {
    static const UINT numbers[] = {3519, 3520, 3414};
    return key_name_at(numbers, index);
}

LPSTR WINAPI GetStartingSortString(int index) {
    static const UINT numbers[] = {3443, 3444};
    return key_name_at(numbers, index);
}

LPSTR WINAPI GetToolIconSizeString(int index) {
    static const UINT numbers[] = {3461, 3462};
    return key_name_at(numbers, index);
}

LPSTR WINAPI GetResoucesString(int index) {
    static const UINT numbers[] = {3464, 3465, 3466, 3467};
    return key_name_at(numbers, index);
}

LPSTR WINAPI GetWinUtilityString(int index) {
    static const UINT numbers[] = {3470, 3471};
    return key_name_at(numbers, index);
}

LPSTR WINAPI GetIconFileModeString(int index) {
    static const UINT numbers[] = {3486, 3487, 3488, 3489, 3566};
    return key_name_at(numbers, index);
}

LPSTR WINAPI GetDirBoundaryString(int index) {
    static const UINT numbers[] = {3490, 3491};
    return key_name_at(numbers, index);
}

// Column boundaries of the file list. The display mode picks a row: any odd
// mode and mode 0 row 0, mode 2 row 1, mode 4 row 2; only the full layout
// (row 2) has boundaries beyond the first column.
LPSTR WINAPI GetFileBoundaryString(int mode, int column) {
    static const UINT table[3][6] = {
        {3497, 0, 0, 0, 0, 0},
        {3498, 0, 0, 0, 0, 0},
        {3492, 3499, 3493, 3494, 3495, 3496},
    };
    int row;
    if ((mode & 1) != 0 || mode == 0)
        row = 0;
    else if (mode == 2)
        row = 1;
    else if (mode == 4)
        row = 2;
    else
        return empty_key_name();
    return key_name_at(table[row], column);
}

LPSTR WINAPI GetFileManString(int index) {
    static const UINT numbers[] = {3429, 3503, 3504, 3505, 3506, 3507, 3508, 3509, 3510, 3532, 3543, 3552, 3572};
    return key_name_at(numbers, index);
}

LPSTR WINAPI GetSortingDisabledAtStartingString(int index) {
    static const UINT numbers[] = {3541, 3542};
    return key_name_at(numbers, index);
}

LPSTR WINAPI GetNotAskDeleteFolderString(int value) { return key_name(value == 1 ? 3564 : 3565); }
