// Memory blocks (movable, zero-initialised global memory handles holding a
// string, a list of strings or an array of records), memory tags, the
// temporary block shared with the host, and the memory-failure state.
#pragma once
#include <windows.h>

// A caller-owned record that keeps a block together with its locked address
// and the length of its string (or the size of the block).
struct MemoryTag {
    HGLOBAL handle;  // the block, 0 if none
    LPSTR pointer;   // its locked address, 0 if not locked
    DWORD length;    // string length without the NUL, or block size in bytes
};
#ifndef _WIN64
static_assert(sizeof(MemoryTag) == 12, "three 32-bit words");
#endif

extern "C" {
// Allocates `size` bytes when `handle` is 0, else resizes the block; both
// movable and zero-initialised. Returns the handle or 0 (the old block then
// stays as it was).
HGLOBAL WINAPI GetGlobalHandle(HGLOBAL handle, DWORD size);
// Stores a copy of `text` (with its NUL) in the block, allocating it when
// `handle` is 0. Returns the handle, or 0 after the memory-failure report.
// A null text stores nothing and returns `handle`.
HGLOBAL WINAPI SaveToGlobalMemory(HWND window, HGLOBAL handle, LPCSTR text);
// Appends `text` to the string the block holds (a zero handle gives a block of
// exactly length + 1 bytes). Returns the possibly moved handle, or 0 after the
// memory-failure report. A null text appends nothing and returns `handle`.
HGLOBAL WINAPI AddToGlobalMemory(HWND window, HGLOBAL handle, LPCSTR text);

// String pointers: *handle is a block, `locked` its current locked address (0
// when it is not locked). With a null text the current address is returned
// unchanged. Otherwise the block is unlocked, the text stored (Get) or
// appended (Add), and the block locked again; its new address is returned. A
// block that cannot be locked is freed and *handle cleared (null returned); if
// storing fails, the old block is locked again and its address returned.
LPSTR WINAPI GetStringPointer(HGLOBAL* handle, LPSTR locked, LPCSTR text);
LPSTR WINAPI AddStringPointer(HGLOBAL* handle, LPSTR locked, LPCSTR text);
// Unlocks the block, sizes it to `size` bytes (allocating it when *handle is
// 0), retrying with smaller sizes (one byte less below 256, 255 less from 256
// up) until one succeeds, and locks it. Writes the size obtained to *actual
// (0 on failure) and returns the locked address, or null: for a size of 0 (the
// block is left unlocked), or when the block cannot be locked (it is freed and
// *handle cleared).
LPSTR WINAPI GetStringPointerBySize(HGLOBAL* handle, LPSTR locked, DWORD size, DWORD* actual);
// Unlocks the block when `locked` is set and frees it. Returns 1, or 0 for a
// zero handle.
LONG WINAPI FreeStringPointer(HGLOBAL handle, LPSTR locked);

// Memory tags: the same operations through a tag. Get and Add set the length
// to the length of the string the block then holds; BySize sets it to the size
// obtained. All return the tag's new pointer.
LPSTR WINAPI AddMemoryTag(MemoryTag* tag, LPCSTR text);
LPSTR WINAPI GetMemoryTag(MemoryTag* tag, LPCSTR text);
LPSTR WINAPI GetMemoryTagBySize(MemoryTag* tag, DWORD size, DWORD* actual);
// Unlocks (when the pointer is set) and frees the tag's block and zeroes all
// three words. Returns 1, or 0 when the tag holds no block.
LONG WINAPI FreeMemoryTag(MemoryTag* tag);

// The temporary block: one module-level block for passing a string list to
// the host.
HGLOBAL WINAPI Get_ghTempMemory();
HGLOBAL WINAPI Set_ghTempMemory(HGLOBAL handle);
// Append to or store into the temporary block; return its new handle, or 0
// after a memory failure (the block is then kept as it was).
HGLOBAL WINAPI AddToGlobal_ghTempMemory(HWND window, LPCSTR text);
HGLOBAL WINAPI SaveToGlobal_ghTempMemory(HWND window, LPCSTR text);
LPSTR WINAPI GlobalLock_ghTemp();     // null when there is no block
LONG WINAPI GlobalUnlock_ghTemp();

// 1 after a memory failure was reported: later failures close without a box.
LONG WINAPI SetGlobalMemError(LONG value);
LONG WINAPI IsGlobalMemError();
// Texts 8061 and 8060, loaded into the title buffer of ferromes.
LPSTR WINAPI GetGlobalLockTitleByLoadStringTitle();
LPSTR WINAPI GetAlertMemoryLockByLoadStringTitle();
}
