// Exports that match names against the simple patterns of the library:
// extensions and base names (copy-exclusion lists), star patterns (filters of
// the host) and the percent keywords of command macros.
#pragma once
#include <windows.h>

extern "C" {
// The name's extension compared with `extension` without case; false when
// the name has none.
BOOL WINAPI IsExtMatched(LPCSTR name, LPCSTR extension);
// The extension (a trailing quotation mark removed, a leading one skipped)
// compared with `wanted` without case.
BOOL WINAPI IsExtMatchedWithDefautExt(LPCSTR extension, LPCSTR wanted);
// The name without quotation marks, cut at its last period, compared with
// `base` without case: the name when they match, else null (also for a name
// without a period).
LPSTR WINAPI IsNameMatched(LPCSTR name, LPCSTR base);
// Splits a star pattern in place (each star that ends an item becomes a NUL)
// into the zeroed array `items`: a null first entry when the pattern begins
// with a star, then each text that a star follows; text after the last star
// is not an item. The array needs room for strlen(pattern) / 2 + 2 entries.
// Returns the number of entries written (the leading null counts).
int WINAPI GetItemsInWildCards(LPSTR* items, LPSTR pattern);
// True for an empty name or an empty item list; otherwise whether the items
// are found in order, without case, each after the previous one (the first at
// the start of the name unless the list begins with a null entry).
BOOL WINAPI HitItemsInWildCards(LPCSTR name, LPSTR* items);
// Removes the command-line keywords %I %L %l %* %9 ... %1 (bare, then in
// double quotation marks) and | from the name. 1 when anything was removed (a
// name that was only a keyword is emptied); 0 when nothing was, or the name
// holds no "%".
int WINAPI NameIsWildCardOnly(LPSTR name);
}
