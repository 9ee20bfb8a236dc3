// The state of a copy run: copied total, share modes, the attribute given to
// targets, the speedy-copy and ignore-errors switches, the copied flags and
// the saved size of the next file, and the count of folders still to copy.
#include "fileops/copy.h"
#include "fileops/copy_internal.h"
#include "fileops/folders.h"

namespace {
constexpr DWORD kShareReadWrite = FILE_SHARE_READ | FILE_SHARE_WRITE;  // 3

ULONGLONG g_copied_total;
DWORD g_share_modes[2];
LONG g_target_attribute = -1;
LONG g_target_attribute_mode = 2;
LONG g_speedy_copy;
LONG g_ignore_errors;
LONG g_folder_not_created;
LONG g_copied_flags;
ULONGLONG g_saved_file_size;
LONG g_last_result;
LONG g_remaining_folders;

bool is_share_index(LONG index) { return index == 0 || index == 1; }
}  // namespace

namespace ferro::fileops {
DWORD share_mode(int index) { return g_share_modes[index]; }
LONG target_attribute() { return g_target_attribute; }
bool speedy_copy() { return g_speedy_copy != 0; }
bool ignore_errors() { return g_ignore_errors != 0; }
ULONGLONG saved_file_size() { return g_saved_file_size; }
void add_copied(ULONGLONG bytes) { g_copied_total += bytes; }
void mark_file_copied() { g_copied_flags |= 0x1; }
void set_last_result(LONG result) { g_last_result = result; }
LONG last_result() { return g_last_result; }
}  // namespace ferro::fileops

LONG WINAPI ResetCopiedTotalSize() {
    g_copied_total = 0;
    return 0;
}

LONG WINAPI AddCopiedTotalSize(DWORD low, DWORD high) {
    g_copied_total += (static_cast<ULONGLONG>(high) << 32) | low;
    return static_cast<LONG>(g_copied_total >> 32);
}

ULONGLONG WINAPI GetCopiedTotalSize() { return g_copied_total; }

LONG WINAPI SetSharedModeForCopyFile(LONG index, LONG on) {
    if (!is_share_index(index)) return 0;
    g_share_modes[index] = on ? kShareReadWrite : 0;
    return static_cast<LONG>(g_share_modes[index]);
}

LONG WINAPI IsSharedModeForCopyFile(LONG index) { return is_share_index(index) && g_share_modes[index] != 0; }

LONG WINAPI SetTgtAttributeInCopyFile(LONG value) { return g_target_attribute = value; }
LONG WINAPI GetTgtAttributeInCopyFile() { return g_target_attribute; }
LONG WINAPI HowSetTgtAttributeInCopyFile(LONG value) { return g_target_attribute_mode = value; }
LONG WINAPI HowGetTgtAttributeInCopyFile() { return g_target_attribute_mode; }
LONG WINAPI SetSpeedyCopyAtCopyingFunction(LONG value) { return g_speedy_copy = value; }
LONG WINAPI SetIgnoreErrorsForMyCopyFile(LONG value) { return g_ignore_errors = value; }
LONG WINAPI SetFolderNotCreatedForMyCopyFile(LONG value) { return g_folder_not_created = value; }
LONG WINAPI IsFolderNotCreatedForMyCopyFile() { return g_folder_not_created; }
LONG WINAPI SetSomeFilesCopiedSuccessifully(LONG value) { return g_copied_flags = value; }
LONG WINAPI IsSomeFilesCopiedSuccessifully() { return g_copied_flags; }

LONG WINAPI SaveFileSizeForCopyFile(DWORD low, DWORD high) {
    g_saved_file_size = (static_cast<ULONGLONG>(high) << 32) | low;
    return static_cast<LONG>(low);
}

LONG WINAPI SetNumberOfRemainingDirectoryForCopying(LONG count) { return g_remaining_folders = count; }
LONG WINAPI GetNumberOfRemainingDirectoryForCopying() { return g_remaining_folders; }
