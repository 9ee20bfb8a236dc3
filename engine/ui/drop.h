// Exports of dragging and dropping files: receiving the shell's WM_DROPFILES
// drops, judging the window under the cursor as a drop target, and dropping
// the host's own names onto another window.
#pragma once
#include <windows.h>

extern "C" {
// ---- Receiving
// Reads a drop into `names` (memory-block handles, one per slot; `limit`
// slots) and `kinds` (may be null: 1 missing, 2 file, 4 folder). The drop is
// finished in every case. A name of 520 bytes or more is reported and its
// slot left as it was. An empty string ends the names when there is a slot
// for it. Returns 0 (no name, or a drop block that is malformed: too small,
// a list offset outside it or a list without its end), 1 (all taken) or -1
// (more names than slots: the last slot is emptied).
LONG WINAPI ReceiveDropFiles(HWND owner, LONG reserved, HDROP drop, HGLOBAL* names, LONG* kinds, LONG limit);
LONG WINAPI GetDroppedTotal();
LONG WINAPI SetDroppedTotal(LONG total);
// `mask` when the last drop had an item of any of its kinds, else 0.
LONG WINAPI GetDroppedType(LONG mask);
// x in the low, y in the high 32 bits.
ULONGLONG WINAPI GetPointAtDropFiles();
LONG WINAPI SetPointAtDropFiles(LONG x, LONG y);
// 1 and a box when `name` is `limit` bytes or longer (no box with `quiet`), else 0.
LONG WINAPI IsShowErrorOfFileAndFolderLength(LPCSTR name, LONG limit, LONG quiet);

// ---- The host's own windows (99 at most)
// Append a zero-terminated array of handles / one handle; handles beyond the
// 99th are refused. Return the number of handles appended.
LONG WINAPI SetOurWindowHandles(const HWND* list);
LONG WINAPI SetEachOurWindowHandles(HWND window);

// ---- Dropping onto another window
// Judges the window at the cursor point of the previous call (then records
// the current one): 1 one of the host's windows (or a child of one), 2 a
// window that accepts files (or the child of one), 0 none.
LONG WINAPI IsDropAllowed();
LONG WINAPI IsDropSetAllowed();
HWND WINAPI GethWndDrop();
// Drops `count` names (memory-block handles, each freed) onto the recorded
// target; names without a yen mark are joined to `baseDir`. Returns 1, or 0
// when the drop block could not be had.
LONG WINAPI DropFile(HWND owner, HGLOBAL* names, LPCSTR baseDir, LONG count);
}
