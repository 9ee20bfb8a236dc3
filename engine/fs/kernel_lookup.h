// The 64-bit kernel functions that older systems lack: looked up by name in
// KERNEL32.DLL once per process, with 32-bit fallbacks. The operations take
// the function table as an argument, so that the fallbacks run (and are
// tested) with an empty table exactly as on a system without the functions.
#pragma once
#include <windows.h>

namespace ferro::fs {
struct Kernel64 {
    BOOL(WINAPI* get_file_size_ex)(HANDLE, PLARGE_INTEGER) = nullptr;
    BOOL(WINAPI* set_file_pointer_ex)(HANDLE, LARGE_INTEGER, PLARGE_INTEGER, DWORD) = nullptr;
    BOOL(WINAPI* get_disk_free_space_ex)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER) = nullptr;
};

// The table of the running system, looked up on the first call.
const Kernel64& kernel64();

inline Kernel64 resolve_kernel64(HMODULE kernel) {
    Kernel64 k;
    if (!kernel) return k;
    k.get_file_size_ex = reinterpret_cast<decltype(k.get_file_size_ex)>(GetProcAddress(kernel, "GetFileSizeEx"));
    k.set_file_pointer_ex =
        reinterpret_cast<decltype(k.set_file_pointer_ex)>(GetProcAddress(kernel, "SetFilePointerEx"));
    k.get_disk_free_space_ex =
        reinterpret_cast<decltype(k.get_disk_free_space_ex)>(GetProcAddress(kernel, "GetDiskFreeSpaceExA"));
    return k;
}

// The distance the 32-bit fallback moves: the low part alone, clamped to
// 0x7FFFFFFE when it cannot be expressed in 31 bits. A negative 32-bit
// distance (high part -1, low part negative) stays what it is.
inline LONG fallback_distance(LONG low, LONG high) {
    if (high == -1 && low < 0) return low;
    if (high != 0 || static_cast<DWORD>(low) >= 0x7FFFFFFFu) return 0x7FFFFFFE;
    return low;
}

// Moves the file pointer by high:low from `origin`; the new position in *to.
inline bool seek_file(const Kernel64& k, HANDLE h, LONG low, LONG high, DWORD origin, LONGLONG* to) {
    if (k.set_file_pointer_ex) {
        LARGE_INTEGER distance, moved;
        distance.LowPart = static_cast<DWORD>(low);
        distance.HighPart = high;
        if (!k.set_file_pointer_ex(h, distance, &moved, origin)) return false;
        if (to) *to = moved.QuadPart;
        return true;
    }
    SetLastError(ERROR_SUCCESS);
    LONG distance = fallback_distance(low, high);
    LONG moved_high = distance < 0 ? -1 : 0;  // the 32-bit distance, sign-extended
    DWORD moved = SetFilePointer(h, distance, &moved_high, origin);
    if (moved == INVALID_SET_FILE_POINTER && GetLastError() != ERROR_SUCCESS) return false;
    if (to) *to = (static_cast<LONGLONG>(moved_high) << 32) | moved;
    return true;
}

inline bool file_position(const Kernel64& k, HANDLE h, LONGLONG* at) { return seek_file(k, h, 0, 0, FILE_CURRENT, at); }

inline bool file_size(const Kernel64& k, HANDLE h, LONGLONG* size) {
    if (k.get_file_size_ex) {
        LARGE_INTEGER n;
        if (!k.get_file_size_ex(h, &n)) return false;
        *size = n.QuadPart;
        return true;
    }
    SetLastError(ERROR_SUCCESS);
    DWORD high = 0;
    DWORD low = GetFileSize(h, &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != ERROR_SUCCESS) return false;
    *size = (static_cast<LONGLONG>(high) << 32) | low;
    return true;
}

// {available to the caller, total, total free}; false when the function is
// missing or fails.
inline bool disk_free_space_ex(const Kernel64& k, const char* root, ULONGLONG sizes[3]) {
    if (!k.get_disk_free_space_ex) return false;
    ULARGE_INTEGER available, total, free;
    if (!k.get_disk_free_space_ex(root, &available, &total, &free)) return false;
    sizes[0] = available.QuadPart;
    sizes[1] = total.QuadPart;
    sizes[2] = free.QuadPart;
    return true;
}
}  // namespace ferro::fs
