// Exports of the small file functions: read a whole file into a memory
// block, write or append a text to a file, copy one file into another
// through memory. Errors are those of the file-system layer (Get_nERRNO,
// errno).
#pragma once
#include <windows.h>

extern "C" {
// Creates or truncates `path` (a read-only file is made writable first) and
// writes `length` bytes of `text` (its zero-terminated length for 0; nothing
// for a null text). Returns 1 when the file was opened and every byte
// written. *flagsOut (when given) gets bit 0 when the file could not be
// opened and bit 1 when the write failed. With handleOut the file stays open
// and its handle is stored there (INVALID_HANDLE_VALUE when it could not be
// opened); otherwise it is closed. The file then gets `attributes`, or for -1
// the attributes it had before (when it existed). The stored error and errno
// are those of the open or the write.
LONG WINAPI SaveFile(LPCSTR path, LPCSTR text, DWORD attributes, DWORD length, LPDWORD flagsOut,
                     HANDLE* handleOut);
// Writes `length` bytes of `text` (the zero-terminated length for 0) at the
// current position of the open `handle`. 1 when every byte was written; 0
// for an empty path, a null text or a failed write.
LONG WINAPI AppendFile(LPCSTR path, LPCSTR text, DWORD length, HANDLE handle);
// Closes *handle when it is an open handle and sets it to
// INVALID_HANDLE_VALUE. Returns 1 when a handle was closed.
LONG WINAPI DisableAppendFileAndCloseHandle(HANDLE* handle);
// Reads the whole file (shared for reading and writing) into a new movable,
// zero-initialised block one byte longer than what was read, so the text is
// always terminated. *sizeOut gets the bytes read. A file of 4 GiB or more is
// read as far as 0xFFFFFFFE bytes. Returns the block, or 0 on any failure
// (*sizeOut 0, the error stored).
HGLOBAL WINAPI OpenReadOnlyFile(LPCSTR path, ULONGLONG* sizeOut);
// The locked address of such a block (null for 0).
LPSTR WINAPI GlobalLockForOpenReadOnlyFile(HGLOBAL block);
// Unlocks (as often as it is locked) and frees the block. Returns 1, or 0 for 0.
LONG WINAPI CloseReadOnlyFile(HGLOBAL block);
// Reads `source` whole and writes it to `target` with SaveFile (attributes as
// there). The block is handed to *blockOut when given, else freed. Returns 1
// when the target was written, 0 when the source could not be read or the
// target not written.
LONG WINAPI SaveOneFileToAnotherFile(LPCSTR source, LPCSTR target, DWORD attributes, HGLOBAL* blockOut);
}
