// Exports of the file types: what kind of file a name denotes (program,
// text, other), the user's text extensions, the programs the registry
// associates with a file, and the association of an extension with a
// program. Texts are code-page-932 bytes; command texts and paths are
// bounded by 520 bytes.
//
// A command entry is one text: the program, a tab, its options, a blank,
// "^" and the registry key it came from, then "|" and the verb key when
// known. Lists of entries are NUL-separated and end with one more NUL.
#pragma once
#include <windows.h>

extern "C" {
// ---- Kinds of files (the flags SetBatExcutable / SetPifExcutable are option flags)
// The two flags from / into two check boxes whose identifiers `controls`
// lists (bat, pif). 1, or 0 without a dialog or list.
LONG WINAPI SetExcutableFlagsByCheckBox(HWND dialog, const int* controls);
LONG WINAPI SendExcutableFlagsIntoCheckBox(HWND dialog, const int* controls);
// The text extensions (20 of at most 3 bytes each).
LONG WINAPI SetClearTxtCount();
// 1 when added; 0 when 20 are there or the extension is empty or longer than 3 bytes.
LONG WINAPI SetTxtType(LPCSTR extension);
LPCSTR WINAPI GetTxtType(LONG index);  // "" beyond the count
// 0 program, 1 text, 5 other (also for null).
LONG WINAPI FindFileExtType(LPCSTR extension);
LONG WINAPI IsFileExt(LONG code);       // 1 for 1
LONG WINAPI IsDirectoryExt(LONG code);  // the code for 2, 3, 4, else 0
// exe com bat pif lnk cmd (quotation marks removed, without regard to case);
// bat and pif follow their flags.
LONG WINAPI IsExcutableExt(LPCSTR extension);
LONG WINAPI _IsExcutableExtDefinedByOS(LPCSTR name);
// name + "." + the program extension of slot `index` into `out` (520 bytes)
// for a name without a period; 1 when written.
LONG WINAPI AddExecutableExt(LPCSTR name, LPSTR out, LONG index);
// The open-file dialog's filter for programs (buffer: 520 bytes).
LPSTR WINAPI GetExcutablCommandForFileOpen(LPSTR buffer, LONG withShortcuts);
// The shell's type name of the file (flag non-zero: the file need not
// exist), else its extension followed by "ﾌｧｲﾙ". A module buffer.
LPCSTR WINAPI GetIconOrExtTypeFromFileName(LPCSTR name, LONG flag);

// ---- Command entries
// Rewrites a registry command in `command` (520 bytes) into an entry; its
// length, or 0 when it would not fit (the command is left as it was).
LONG WINAPI ArrangeExefileWithOptionSeparated(LPCSTR key, LPSTR command, DWORD type, LPCSTR verb);
// Splits an entry in place; returns the program.
LPSTR WINAPI GetExecuteFileName(LPSTR entry, LPSTR* program, LPSTR* options, LPSTR* key, LPSTR* verb);
// The entries of the programs the registry associates with the file, in
// `buffer` (null: a temporary one); the number of types that gave entries.
LONG WINAPI IsFileRelatedByRegistry(LPSTR buffer, DWORD size, LPCSTR name);
// FindExecutable: its error (32 or less) as it is, -1 when the program it
// names does not exist, else its result with the program in the buffer.
LONG WINAPI IsFileRelatedByFindExecutable(LPSTR buffer, DWORD size, LPCSTR name, LONG mode);
// Associates an extension with a program (see the notes of the file types).
LONG WINAPI SetAssociatedExtForExecuteFileInRegistry(LPCSTR program, LPCSTR option, LPCSTR extensionKey,
                                                      LPCSTR typeName, LONG force);
LONG WINAPI myWriteFileExtensionSystemProfileString(LPCSTR ignored, LPCSTR extension, LPCSTR program,
                                                    LPCSTR ignored2);
// Registered extensions from `index` on: the first with commands of the
// selected verbs goes into `buffer` (its type, then its entries); its name
// into extensionOut (520 bytes), 1 into *foundOut. Returns the index to go
// on from, -1 at the end.
LONG WINAPI myDirectGetFileExtensionSystemProfileString(LPSTR buffer, DWORD size, LONG index, LPSTR extensionOut,
                                                        LONG* foundOut);
LONG WINAPI myGetFileExtensionSystemProfileString(LPSTR buffer, DWORD size, LONG index, LPSTR extensionOut,
                                                  LONG* foundOut);
// The commands of one file for the product's own dialogs: entries, or the
// registry's commands as they are with noArrange; the file's type into
// `work` (520 bytes, may be null). The number of commands.
LONG WINAPI IsFileRelatedByRegistryForFerro(LPSTR buffer, DWORD size, LPCSTR name, LONG noArrange, LPSTR work);
LONG WINAPI FreeRegKeyMemory();

// ---- Verbs
// The verb table used when reading commands: "open", "edit", "read", "new",
// "add" (index 0 to 4; others give "").
LPCSTR WINAPI GetCommandNameInRegistry(LONG index);
// The shell-command table of the association dialog, rows 0 to 10: the
// verb, and its selected and default flags through the pointers. Rows 11 on
// give null and -1 through selectedOut.
LPCSTR WINAPI GetShellCommandNameInRegistry(LONG index, LONG* selectedOut, LONG* defaultOut);
LONG WINAPI SetCommandNameInRegistry(LPCSTR verb, LONG value);
LONG WINAPI SpecifyShellCommandInRegistry(LPCSTR verb);
LONG WINAPI SaveShellCommandInTemp();
LONG WINAPI RecoverShellCommandFromTemp();
LONG WINAPI IsShellCommandInRegistryAltered();
LONG WINAPI RecoverCommandNameInRegistry();
LONG WINAPI IsShellCmdSetBySystem(LPCSTR verb);
// The first "open as..." in the text (without regard to case), or null.
LPSTR WINAPI FindOpenShellCommandDefault(LPCSTR text);
}
