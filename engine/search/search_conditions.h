// Exports of the file search by conditions: name text, last-write time,
// size and attributes tested on each entry of the wildcard walk, and the
// found-files list that records where each searched name was found.
#pragma once
#include <windows.h>

// A node of the found-files list: each lives in its own locked block.
struct FoundFileNode {
    FoundFileNode* next;  // null at the end
    HGLOBAL own;          // the block of this node
    DWORD reserved;
    HGLOBAL name_block;   // the block of the name
    LPSTR name;           // the searched name; the full path once found
    LONG found;           // 0 not yet, 1 found
};
#ifndef _WIN64
static_assert(sizeof(FoundFileNode) == 24, "six 32-bit words");
#endif

extern "C" {
// ---- Conditions (each setter returns its first argument)
// A copy of `text`; null or empty switches the name condition off.
LPCSTR WINAPI SetSearchedNameInFileName(LPCSTR text);
// 0 between from and to (inclusive), 1 not later than from, 2 not earlier
// than from; -1 off.
LONG WINAPI SetTypeSearchedTimeInFileName(LONG kind);
DWORD WINAPI SetFromSearchedTimeInFileName(DWORD low, DWORD high);  // local file time
DWORD WINAPI SetToSearchedTimeInFileName(DWORD low, DWORD high);
// 0 at least the limit, 1 at most the limit; -1 off.
LONG WINAPI SetTypeSearchedSizeInFileName(LONG kind);
DWORD WINAPI SetSearchedSizeInFileName(DWORD low, DWORD high);
// Attribute bits that must all be present (0x80 also matches an entry
// without attribute bits); 0 off.
DWORD WINAPI SetTypeSearchedAttrInFileName(DWORD mask);
// The attributes the walk's attribute-change mode gives to every entry.
DWORD WINAPI SetChangeAttrInFileName(DWORD attributes);

// 1 the entry matches, 0 it does not, -1 every searched name of the
// found-files list has now been found. The entry is in the walk's current
// folder.
LONG WINAPI MatchedSearchConditions(WIN32_FIND_DATAA record);
// 1 when any condition is switched on.
LONG WINAPI IsMatchedSearchConditions();
// The from-time, to-time and size limit (two words each, low first) and the
// mask, into the out-arguments that are not null. Returns 1.
LONG WINAPI GetAllItemsForSearchedFile(DWORD* fromOut, DWORD* toOut, DWORD* sizeOut, DWORD* maskOut);
// Frees the name text and switches every condition off. Returns -1.
LONG WINAPI ReleaseSearchedNameInFileName();

// ---- Found-files list
// Rebuilds the list from `names` (NUL-terminated names ended by an empty
// one; only the first with onlyFirst). Returns the number of nodes.
LONG WINAPI SetSearchedFileFound(LPCSTR names, LONG onlyFirst);
// Frees the list and clears the current full path. Returns 1.
LONG WINAPI FreeAllocateFoundFiles();
// The first node's name, or the current full path when the list is empty.
LPSTR WINAPI GetSearchedFileFound();
FoundFileNode* WINAPI GetHeadOfSearchedFileFoundPointer();
FoundFileNode* WINAPI GetNextOfSearchedFileFoundPointer(FoundFileNode* node);
LPSTR WINAPI GetSearchedFileFoundFromPointer(FoundFileNode* node);
LONG WINAPI GetBoolSearchedFileFoundFromPointer(FoundFileNode* node);
// 1 when the list is empty or every node is found (or begins with a yen mark).
LONG WINAPI IsAllSearchedFullPathFileFound();
// 1 when some node not beginning with a yen mark is found.
LONG WINAPI IsSomeOfSearchedFullPathFileFound();
// -2 no list; 0 no unfound node has the file name of `path`; otherwise the
// first such node takes `path` and is found: -1 when all are now found, 1
// when not.
LONG WINAPI SetSearchedFullPathFileFound(LPCSTR path);
}
