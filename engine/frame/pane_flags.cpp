// Option flags indexed by pane, by sort type and by list.
#include "frame/option_flags.h"

namespace {
enum Pane { kSource = 0, kTarget = 1 };
LONG g_upper_dir_exist[2];
LONG g_this_root_dir[2];
LONG g_self_directory[2];

Pane pane_to_set(LONG selector) { return (selector & 2) ? kSource : kTarget; }
Pane pane_to_get(LONG selector) { return (selector & 3) ? kSource : kTarget; }

constexpr int kSortTypes = 3;
LONG g_keep_scroll_position[kSortTypes];
LONG g_increased[kSortTypes];

LONG set_by_sort_type(LONG (&slots)[kSortTypes], LONG value, LONG selector) {
    LONG index = GetOrderedTypeSelected(selector);
    return index < 0 ? 0 : slots[index] = value;
}
LONG get_by_sort_type(const LONG (&slots)[kSortTypes], LONG selector) {
    LONG index = GetOrderedTypeSelected(selector);
    return index < 0 ? 0 : slots[index];
}

constexpr int kLists = 3;
LONG g_file_dir_which[kLists];
LONG g_sort_which[kLists];

bool is_list(LONG index) { return index >= 0 && index < kLists; }

constexpr int kCopyOperations = 16;
LONG g_copy_opt_type[kCopyOperations];
}  // namespace

LONG WINAPI SetUpperDirExist(LONG value, LONG selector) { return g_upper_dir_exist[pane_to_set(selector)] = value; }
LONG WINAPI GetUpperDirExist(LONG selector) { return g_upper_dir_exist[pane_to_get(selector)]; }
LONG WINAPI SetThisRootDir(LONG value, LONG selector) { return g_this_root_dir[pane_to_set(selector)] = value; }
LONG WINAPI IsThisRootDir(LONG selector) { return g_this_root_dir[pane_to_get(selector)]; }
LONG WINAPI SetSelfDirectory(LONG value, LONG selector) { return g_self_directory[pane_to_set(selector)] = value; }
LONG WINAPI GetSelfDirectory(LONG selector) { return g_self_directory[pane_to_get(selector)]; }
LONG WINAPI CopySrcToTgtUpperDir() { return g_upper_dir_exist[kTarget] = g_upper_dir_exist[kSource]; }
LONG WINAPI CopySrcToTgRootDir() { return g_this_root_dir[kTarget] = g_this_root_dir[kSource]; }

LONG WINAPI GetOrderedTypeSelected(LONG selector) {
    if (selector & 1) return 2;
    if (selector & 2) return 0;
    if (selector & 4) return 1;
    return -1;
}

LONG WINAPI KeepScrollPosition(LONG value, LONG selector) { return set_by_sort_type(g_keep_scroll_position, value, selector); }
LONG WINAPI IsKeepScrollPosition(LONG selector) { return get_by_sort_type(g_keep_scroll_position, selector); }
LONG WINAPI SetIncreased(LONG value, LONG selector) { return set_by_sort_type(g_increased, value, selector); }
LONG WINAPI GetIncreased(LONG selector) { return get_by_sort_type(g_increased, selector); }

LONG WINAPI SetFileDirWhich(LONG value, LONG index) { return is_list(index) ? g_file_dir_which[index] = value : 0; }
LONG WINAPI GetFileDirWhich(LONG index) { return is_list(index) ? g_file_dir_which[index] : 0; }
LONG* WINAPI GetFileDirWhichPTR() { return g_file_dir_which; }
LONG WINAPI SetSortWhich(LONG value, LONG index) { return is_list(index) ? g_sort_which[index] = value : 0; }
LONG WINAPI GetSortWhich(LONG index) { return is_list(index) ? g_sort_which[index] : 0; }
LONG* WINAPI GetSortWhichPTR() { return g_sort_which; }

LONG WINAPI SetCopyOptType(LONG index, LONG value) {
    return index >= 0 && index < kCopyOperations ? g_copy_opt_type[index] = value : -1;
}
LONG WINAPI GetCopyOptType(LONG index) { return index >= 0 && index < kCopyOperations ? g_copy_opt_type[index] : 0; }
