// Exports that turn command templates into command lines and start
// programs: the command macros, the launch records and settings, the starts
// by CreateProcess and through the shell, the user's editor, the stored
// commands and their dialogs, the probe of a system library's version and
// the product's help. Texts are code-page-932 bytes.
#pragma once
#include <windows.h>
#include "frame/program_windows.h"

extern "C" {
// ---- Command macros
// Replaces the macros of `commandTemplate` (the command character followed
// by C, X, P, D, K, or M, T, TA at which the template is cut for the caller
// to append the selected files) and writes the command line to `output`
// (520 bytes) without leading spaces. Returns the flags of the macros met;
// -1 (output emptied) when the template or the result does not fit in 519 bytes.
LONG WINAPI ExpandKeywords(HWND window, LPCSTR commandTemplate, LPCSTR fileName, LPSTR output, int commandChar);
// `*position` points at a command character: when a macro letter other than
// K follows, the pointer moves past the macro and the result is 2048 when a
// quotation mark follows it, else 1; otherwise the pointer becomes null and
// the result is 0.
LONG WINAPI IsCommandCharacterStartingFromCmdChar(LPSTR* position);
// Automatic quotation of macro values with spaces: off for a positive value.
LONG WINAPI SetNoAuto95QuotationForMacroExpansion(LONG value);
LONG WINAPI IsNoAuto95QuotationForMacroExpansion();
// The characters allowed in command macros, kept in a memory block.
LPSTR WINAPI InitEffectiveCharctersForCommandMacro();
LPSTR WINAPI SaveEffectiveCharctersForCommandMacro(HWND owner, LPCSTR text);

// ---- Launch records
// 1 when the start failed: word 1 is 0 or -1.
LONG WINAPI IsWinExecOnError(LaunchRecord record);
// All words 0 / words 1 and 2 -1 and the rest 0 / words 1 and 2 1 and the
// rest 0 (a start without a process of its own). Each returns the record.
LaunchRecord* WINAPI GetInitializedHandleForWinExec(LaunchRecord* record);
LaunchRecord* WINAPI GetDummyErrorHandleForWinExec(LaunchRecord* record);
LaunchRecord* WINAPI GetDummySuccessHandleForWinExec(LaunchRecord* record);

// ---- Launch settings (each setter returns what it stored)
// Extra creation flags; every start adds CREATE_DEFAULT_ERROR_MODE and NORMAL_PRIORITY_CLASS.
DWORD WINAPI SetFlagForCreateProcess(DWORD flags);
// The environment block (strings ended by an empty one) for the next start
// only; null clears it. Returns 1 when kept, 0 when cleared or out of memory.
LONG WINAPI SetEnvironmentForWinExec(LPCSTR block);
// 0 no wait, -1 until the program ends (handling messages), else that many
// milliseconds once.
LONG WINAPI WaitForSingleObjectForWinExec(LONG milliseconds);
// 1 ends a running wait of -1 (each such wait starts with 0).
LONG WINAPI SetToQuitWaitForSingleObjectInWinExec(LONG value);
LONG WINAPI IsWaitForSingleObjectLoopTerminated();
typedef void(CALLBACK* AfterLaunchHook)(const PROCESS_INFORMATION* information);
// Called after every successful start, before any wait.
AfterLaunchHook WINAPI SetWinExecAfterCreateProcessAPI(AfterLaunchHook hook);
// The handles and identifiers of the last start (handles 0 once a wait closed them).
PROCESS_INFORMATION* WINAPI GetProcessInfoFromCreateProcess();

// ---- Starting programs. Each fills and returns `record`; the process and
// thread handles in it belong to the caller, except after a wait of -1,
// which closes them (words 1 and 2 are then 1).
// Starts the command line with CreateProcess; waits as set.
LaunchRecord* WINAPI myWinExec(LaunchRecord* record, HWND window, LPCSTR commandLine, int show);
// Starts the file with its parameters through the shell's "runas" verb.
LaunchRecord* WINAPI myWinExecRequireAdministrator(LaunchRecord* record, HWND window, LPCSTR file,
                                                   LPCSTR parameters, int show);
// Starts the program of `programBlock` with the options of `optionsBlock`
// (memory blocks, either may be 0), quoting a program that holds a space and
// trying once more unquoted when that fails; reports a failure in a box.
// With `keepLast` 0 the two become the last command.
LaunchRecord* WINAPI myExecuteExeFile(LaunchRecord* record, HWND window, int show, LONG keepLast,
                                      HGLOBAL programBlock, HGLOBAL optionsBlock);
LaunchRecord* WINAPI myExecuteExeFileRequireAdministrator(LaunchRecord* record, HWND window, int show,
                                                          LONG keepLast, HGLOBAL programBlock,
                                                          HGLOBAL optionsBlock);
// Stores the program (quoted when the options hold a space) and the options
// in two new memory blocks for myExecuteExeFile. Returns 1, or 0 when out
// of memory (nothing stored).
LONG WINAPI SetExcuteExeFileAndOptionsWith95Quotation(HWND owner, LPCSTR program, LPCSTR options,
                                                      HGLOBAL* programBlock, HGLOBAL* optionsBlock);
// The last command: program and options with a space between into
// `buffer` (520 bytes); null (buffer emptied) when there is none or it does
// not fit.
LPSTR WINAPI GetCommandStringInExecuteExeFile(LPSTR buffer);
// Pointers to the program and the options of the last command (valid until
// the next start or FreeExcuteExeFile). 1 when there is one.
LONG WINAPI GetCommandAndOptionInExecuteExeFile(LPSTR* program, LPSTR* options);
LONG WINAPI FreeExcuteExeFile();

// ---- The user's editor
LPSTR WINAPI SetEditor(HWND owner, LPCSTR command);
LPSTR WINAPI Get_lpEditor();
LPSTR WINAPI GetGlobalLockEditor();
LONG WINAPI SetGlobalUnlockEditor();
LONG WINAPI FreeEditor();
// Opens the file in the editor ("notepad.exe" when none is set).
LaunchRecord* WINAPI ExecuteEditor(LaunchRecord* record, HWND window, LPCSTR file);

// ---- Other starts
// Finds a top-level window whose title holds one of the first `count` (at
// most ten) NUL-separated names and ends its program; `record` (may be null)
// gets the window and its identifiers. 1 when it did.
LONG WINAPI TermintetExecuteFileByWinExec(LaunchRecord* record, LPCSTR names, int count);
// The shell's execute function: a window of the started program, or the
// shell's result when the program has no window of that instance (both not
// 0); 0 after the program-start box.
HWND WINAPI ShellExecuteWithError(HWND window, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR folder,
                                  int show);
// The running program's folder into `folder` (520 bytes) and its file name
// into `name` (520 bytes, may be null). Returns `folder`, or null.
LPSTR WINAPI GetExecutedDirectory(LPSTR name, LPSTR folder);
// The module of a system library ("KERNEL32.DLL" and "COMCTL32.DLL" from
// the loaded ones, any other loaded here). With `major` and `minor` its
// version (DllGetVersion): stored through them, or, with `result`, compared
// with the version they hold (1 at least that, -1 lower) and then stored.
// *result gets 1, -1 or 0. Returns the module when a version was had (or
// none was asked for), else 0.
HMODULE WINAPI IsAPISuppotedByDll(LPCSTR library, DWORD* major, DWORD* minor, LONG* result);
// Frees the library that IsAPISuppotedByDll loaded; 1 when there was one.
LONG WINAPI FreeAPISuppotedByDll();

// ---- Stored commands and the command-macro dialogs
// Reads the stored commands (at most 26) from the profile's current section:
// "command" or "command<second>first:second". Returns the last entry's
// second number, or the reading result when the section holds none.
LONG WINAPI ReadCommandStrings(HWND owner);
// Writes every stored command under the keys "A", "B", ... of the section.
// Returns the number written.
LONG WINAPI SetCommandStrings(HKEY hive, LPCSTR section);
// Mode -1 runs stored command `index` (asking for its extra options first
// when its first number is not 0); another mode takes item `index` of the
// dialog's command list (2100) and enables control 2107 when it is a
// command. 1 when nothing was run or the run succeeded.
LONG WINAPI ExecuteCmdExe(HWND dialog, int index, int mode);
LONG WINAPI FreeMacroCommandHandle();
// The command-macro dialog for the first selected file of the temporary
// block, which is emptied afterwards. 1 when a command was run.
LONG WINAPI CommandMacro(HWND window);

// ---- The product's help
// The help file: the one saved with SaveFerroHelp when it exists, else
// "Ferrolan.chm" or "Ferrolan.hlp" in the program folder, into `out` (520
// bytes). Returns `out`, or null (emptied) when there is none.
LPSTR WINAPI FindHelpFile(LPSTR out);
// As FindHelpFile: 1 for HTML help, 2 for classic help, 0 none.
LONG WINAPI GetAppropriateHelpFile(LPSTR out);
// Opens the help at the context number (0: its contents). 1 when opened.
LONG WINAPI myShowHelpFile(HWND window, DWORD context);
}
