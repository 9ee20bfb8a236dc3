// Exports of shortcut files: ".lnk" files read and written through the
// shell's own link object (COM initialised by InitializeSHFunctionByOLE),
// ".pif" files read as bytes, the shortcut dialog, and the batch tool that
// replaces one folder name by another inside many shortcuts (target, working
// folder, icon location and, on request, the argument string) with a report.
// Texts are code-page-932 bytes; every path buffer is 520 bytes.
#pragma once
#include <windows.h>

// Outcome bits of GetLnkExeName (and of the functions built on it).
enum : LONG {
    kLinkNoExtension = 0x10,      // the path has no extension
    kLinkOtherType = 0x20,        // neither ".lnk" nor ".pif": not read
    kLinkEmpty = 0x200,           // empty path, or the shortcut names no target
    kLinkPifUnreadable = 0x1000,  // a ".pif" file that is empty, too short or unreadable
    kLinkIconMissing = 0x8000,    // the icon location names no usable file
    kLinkUnresolved = 0x10000,    // the shell could not resolve the link
    kLinkUnreadable = 0x20000,    // the file could not be loaded as a shortcut
    kLinkNotWritten = 0x40000,    // the shortcut could not be written
    kLinkNoPersist = 0x80000,     // no IPersistFile
    kLinkNoObject = 0x100000,     // no link object (COM not initialised?)
};

// Search conditions of the folder replacement (SearchConditionsForShortCut).
enum : LONG {
    kMatchFront = 0x01,       // the old text stands at the start of the path
    kMatchEnd = 0x02,         // the old text stands at the end of the path
    kMatchFolderUnit = 0x08,  // front and end matches only at folder boundaries
    kMatchYenOnly = 0x10,     // only texts holding a yen mark are touched
    kMatchAll = 0x20,         // every occurrence anywhere
    kMatchCase = 0x40,        // letters compared with regard to case
    kMatchAllFolderUnit = 0x80,  // all-occurrences matches only at folder boundaries
};

// Bit of the replace flags (ReplaceSpeifiedStringForShortCut, GetItemsForShortCut).
enum : LONG {
    kReplaceMode = 0x1,       // GetItemsForShortCut replaces instead of filling a dialog
    kReplaceSimulate = 0x80,  // report what would change, write nothing
};

extern "C" {
// CoInitialize(null): once before any shortcut work. The COM result.
LONG WINAPI InitializeSHFunctionByOLE();

// ---- Reading and writing
// Reads the shortcut `path` (520 bytes) and writes its target back into
// `path`. Each further argument that is not null receives that field: the
// working folder, the arguments, the description (520 bytes each), the show
// command, the icon location (520 bytes) and its index. Unless the
// no-resolve switch is set, a broken link is repaired by the shell first.
// Returns the outcome bits (0: read, target in `path`).
LONG WINAPI GetLnkExeName(HWND owner, LPSTR path, LPSTR workingFolder, LPSTR arguments, LPSTR description,
                          int* showCommand, LPSTR iconLocation, int* iconIndex);
// Writes the shortcut `link` (a complete file written beside it replaces it,
// so a failure leaves the old one as it was). Null or empty fields are left
// out; a show command of 0 is the normal window. 0 when written, else the
// outcome bits (kLinkNotWritten with the stored error).
LONG WINAPI SetLnkExeName(HWND owner, LPCSTR link, LPCSTR target, LPCSTR arguments, LPCSTR description,
                          LPCSTR workingFolder, int showCommand, LPCSTR iconLocation, int iconIndex);
// GetLnkExeName on a copy of `path`; the target is copied back into `path`.
LONG WINAPI IsOriginalLinkedNameExecutable(HWND owner, LPSTR path, LPSTR workingFolder, LPSTR arguments);
// The attributes of the target found by the last read.
DWORD WINAPI GetFileAttributeFromShortCut();

// ---- Texts handed between the dialogs and the shortcut functions
// Stores `text` (at most 519 bytes) in slot 0 or 1, the Windows folder put
// into its placeholder form; returns the kept text (null for a bad slot or
// a longer text, the slot then unchanged).
LPSTR WINAPI SaveLinkInfo(LPCSTR text, LONG slot);
LPSTR WINAPI GetLinkInfo(LONG slot);  // "" when empty
LPSTR WINAPI SaveIconFileName(LPCSTR text);
LPSTR WINAPI GetIconFileName();
// Frees both slots and the icon file name. Returns 1.
LONG WINAPI ClearShortcutFile();

// ---- Switches (each returns its value)
LONG WINAPI SetNoResolveTechnique(LONG flag);
LONG WINAPI SetNoErrorMessageAtLinkedFileInfomation(LONG flag);

// ---- The folder replacement
// The old and new folder texts (259 bytes each at most; null keeps one).
// 1 when stored, 0 when a text is too long (nothing changed).
LONG WINAPI SetOldAndNewDirectoryForShortCut(LPCSTR oldFolder, LPCSTR newFolder);
LONG WINAPI SearchConditionsForShortCut(LONG mask);
// Non-zero: the argument string of a shortcut is searched too.
LONG WINAPI ReplaceItemOfOptionForShortCut(LONG flag);
// 1 when the last replacement changed something.
LONG WINAPI IsReplaceDirectoryNameDone();
// The OR of the replacements of a batch; setting it (0 before a batch) also
// starts a new report.
LONG WINAPI GetSomeAreReplacedAtShortcut();
LONG WINAPI SetSomeAreReplacedAtShortcut(LONG value);
// The dialog's field controls: shortcut name, target, arguments, icon,
// working folder, show command, description. Returns 1.
LONG WINAPI SetItemsIdForShortcut(int name, int target, int arguments, int icon, int workingFolder, int showCommand,
                                  int description);
// The controls that show the state of the target and icon: size, attributes,
// target picture, icon picture. Returns 1.
LONG WINAPI SetItemsErrorIdForShortcut(int size, int attributes, int targetPicture, int iconPicture);
// Without kReplaceMode: fills the field controls of `window` from the
// shortcut `path`. With it: applies the folder replacement to the fields
// and writes the shortcut back unless kReplaceSimulate is set, noting every
// change (and failure) in the error report list. The optional out-buffers
// (520 bytes) receive the fields as they are afterwards. The outcome bits.
LONG WINAPI GetItemsForShortCut(HWND window, LPCSTR path, LONG flags, LPSTR target, LPSTR workingFolder,
                                LPSTR arguments, LPSTR iconLocation);
// Slot 1 = path; the replacement of GetItemsForShortCut; the replaced flag
// joins the some-replaced flag. The outcome bits.
LONG WINAPI ReplaceSpeifiedStringForShortCut(HWND owner, LPCSTR path, LONG flags, LONG reserved);

// ---- Dialogs
// The shortcut dialog "OpenShortcut" on `path` (a shortcut to change, or a
// target to make one for). flags 0x20, or 0, read without resolving. The
// dialog's result: IDOK (written), IDCANCEL, or 2298 (end everything); -1
// when the dialog could not be made (the stored error tells why).
INT_PTR WINAPI ShortCutDialog(HWND owner, LPCSTR path, LONG flags, LPARAM extra);
// 1 when the last ShortCutDialog created the shortcut's folder.
LONG WINAPI IsDirCreatedForShortCut();
// The batch tool's dialog "OpenRenameShortcut" over `folder`; IDOK after a
// run, IDCANCEL, -1 when it could not be made. The report is shown in the
// editor when anything changed.
INT_PTR WINAPI RenameShortcutDialog(HWND owner, LPCSTR folder, LPCSTR oldFolder, LPCSTR newFolder);
// The batch tool's kept folders and options below the product's registry key.
LONG WINAPI SaveOutputDirForRenameSc(LPCSTR folder, LPCSTR oldFolder, LPCSTR newFolder, LONG options);
// The kept folder number `which` (0 the searched folder, 1 old, 2 new) into
// `buffer` (520 bytes); 1 when one was kept.
LONG WINAPI GetFolderFromRegistry(LPSTR buffer, LONG which);
// The kept options (search conditions in the low word, replace-option-string
// 0x10000, simulation 0x800000), or `def` when none were kept.
LONG WINAPI GetOptionsFromRegistry(LONG def);
}
