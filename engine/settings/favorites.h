// Exports of the favourite folders and the folder history.
//
// Favourites: 35 slots (0 to 34), each a memory block holding one entry
// text, the list ending at the first empty slot. An entry is a folder,
// optionally followed by a tab and a target folder; in menu texts the tab
// is shown as ">". The menu text of entry i is "&C " ... "&Z " for 0 to 23,
// "&0 " ... "&9 " for 24 to 33, and two blanks for 34, followed by the
// entry. A second table keeps the list as it was at start-up.
//
// History: a doubly linked list of the folders visited, newest first, with
// a current node for back and forward; at most kHistoryLimit nodes (the
// oldest go first).
#pragma once
#include <windows.h>

enum : LONG {
    kFavoriteSlots = 35,
    kHistoryLimit = 1000,
    // Menu command of favourite entry i: kFavoriteCommand + i. The host's
    // favourite menu holds three fixed items, one of them kFavoriteMenuAnchor,
    // followed by the entries.
    kFavoriteCommand = 0x7D00,
    kFavoriteMenuAnchor = 0x7D40,
};

// A node of the history: four words.
struct HistoryNode {
    HGLOBAL self;          // the node's own block
    HGLOBAL folder;        // the block holding the folder path
    HistoryNode* older;    // the next older node
    HistoryNode* newer;    // the next newer node
};
#ifndef _WIN64
static_assert(sizeof(HistoryNode) == 16, "four 32-bit words");
#endif

extern "C" {
// ---- Favourite table
// `text` (and with a separator character the part after its first one,
// stored after a tab) in the stored spelling, then AddGlobalHandleForFavoriteDir.
LONG WINAPI AddFavoriteDir(HWND owner, LPCSTR text, LONG separator);
// Stores the text in the first empty slot and empties the next one. The
// index after the new entry, or 0 when nothing was added (an equal entry
// without regard to case, a full table, an empty text, or a folder or target
// of 520 bytes or more).
LONG WINAPI AddGlobalHandleForFavoriteDir(HWND owner, LPCSTR text);
// Stores the text at `index` and empties the slot after it; 1, or 0 for a
// bad index or text.
LONG WINAPI SaveGlobalHandleForFavoriteDir(HWND owner, LONG index, LPCSTR text);
// The same in the start-up table.
LONG WINAPI SaveGlobalHandleForFavoriteDirAtStarting(HWND owner, LONG index, LPCSTR text);
LONG WINAPI IsFavoriteDirAlreadyThere(LPCSTR text);
LONG WINAPI GetTotalNumberOfFavoriteDir();
// The locked entry, null for an empty slot; unlock with Close.
LPSTR WINAPI OpenGlobalHandleForFavoriteDir(LONG index);
LONG WINAPI CloseGlobalHandleForFavoriteDir(LONG index);
// Splits entry `index` into folderOut and targetOut (520 bytes each, may be
// null). Bit 1: the folder exists; bit 2: the target exists. When one named
// there is missing and `window` is given, the user is asked whether to
// remove the entry: removed, -1 (the menu rebuilt).
LONG WINAPI GetDirectoryNameFromGlobalHandleForFavoriteDir(HWND window, LPSTR folderOut, LPSTR targetOut, LONG index);
// With a folder: removes the entries whose folder is it or lies below it
// (roots stay) and drops targets that are it or lie below it. Without: drops
// the targets that do not exist. 1 when the table changed.
LONG WINAPI DeleteDirectoryNameInGlobalHandleForFavoriteDir(HWND ignored, LPCSTR folder);
// Entries (folder and target) that are oldName or lie below it get newName
// with the rest of their path. 1 when the table changed.
LONG WINAPI RenameDirectoryNameInGlobalHandleForFavoriteDir(HWND owner, LPCSTR newName, LPCSTR oldName);
// The case rule of a renamed branch (RenameSubdirForCaseSensitive) applied
// to every entry at or below newName; entries take the spelling stored.
LONG WINAPI RenameAllSubFoldesInGlobalHandleForFavoriteDir(HWND owner, LPCSTR newName, LONG mode);

// ---- Menu
// The favourite menu (`window`'s menu popup holding kFavoriteMenuAnchor, or
// `window` itself when it is a menu): its items after the first three are
// replaced by the entries. The number of entries added.
LONG WINAPI SetFavoriteDirectoriesInMenu(HWND window);
// The table rebuilt from the menu's texts; the slots after them emptied.
LONG WINAPI RecoverGlobalHandleForFavoriteDir(HWND owner);
LONG WINAPI IsFavoriteDirAltered();
LONG WINAPI IsFavoriteDirDifferentWithMenu(HMENU menu);
// The tab shown as ">" and back (the first one, in place); return text.
LPSTR WINAPI SetDisplayTgtFavoriteDirStartingSign(LPSTR text);
LPSTR WINAPI SetTgtFavoriteDirStartingSign(LPSTR text);
LPSTR WINAPI GetPointerForTgtFavoriteDirSign(LPCSTR text);         // the tab, or null
LPSTR WINAPI GetDisplayPointerForTgtFavoriteDirSign(LPCSTR text);  // the ">", or null
// The entry inside a menu text of entry `index` (after its prefix).
LPSTR WINAPI GetFavoriteDirectoryName(LPSTR text, LONG index);
LONG WINAPI SetFavoriteDirMovedInsideMenu(LONG value);
LONG WINAPI IsFavoriteDirMovedInsideMenu();
LONG WINAPI SetFavoriteDirDeleted(LONG value);
LONG WINAPI IsFavoriteDirDeleted();  // deleted or moved
// The folders (combo box) or the entries as shown (list box) of the table;
// the number added.
LONG WINAPI FillInDirectoryComboBoxByFavoriteDir(HWND dialog, int control, LPCSTR current);
LONG WINAPI FillInFavoriteDiretcoryBox(HWND dialog, int control);
// The dialog "OpenFavoriteDirList": the list reordered, entries removed, the
// current folder (with the target folder) added. IDOK when the table was
// replaced, IDCANCEL.
INT_PTR WINAPI OpenFavoriteDirListDialog(HWND window, LPCSTR current, LPCSTR target);
LONG WINAPI FreeFavoriteMemory();

// ---- History
LONG WINAPI EnableHistoryDirectory(LONG value);        // initially 1
LONG WINAPI DisableSaveInHistoryDirectory(LONG value);  // non-zero suspends recording
// Records a visit: the newest node when it already holds the folder, else a
// new node at the head, made current. While disabled or suspended: the
// switch value.
HistoryNode* WINAPI SaveHistoryDirectory(HWND owner, LPCSTR folder);
LONG WINAPI IsPrevHistoryDirectoryEnable();
LONG WINAPI IsNextHistoryDirectoryEnable();
// Moves the current node and copies its folder (520 bytes); with no such
// neighbour the buffer is emptied. 1 when moved.
LONG WINAPI GetPrevHistoryDirectory(LPSTR buffer);
LONG WINAPI GetNextHistoryDirectory(LPSTR buffer);
LONG WINAPI IsPrevFolderThere();
LONG WINAPI IsNextFolderThere(LONG older);
// Removes the nodes of the folder and below it (a root entry stays when the
// folder is a root). The number removed.
LONG WINAPI DeleteInHistoryDirectory(LPCSTR folder);
LONG WINAPI RenameInHistoryDirectory(HWND owner, LPCSTR newName, LPCSTR oldName);
LONG WINAPI RenameAllSubFoldesInHistoryDirectory(HWND owner, LPCSTR newName, LONG mode);
// The dialog "OpenHistoryFolders": the folders newest first; the chosen one
// becomes current and is copied to folderOut (520 bytes). IDOK or IDCANCEL.
INT_PTR WINAPI OpenHistoryFoldersDialog(HWND window, LPSTR folderOut, LONG left, LONG top, LONG flags, LPARAM reserved);
LONG WINAPI FreeHistoryDirectoryPointer();
}
