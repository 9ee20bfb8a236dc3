// Exports of update.dll: whether a newer version of the product is published
// on the maker's site, the installer's address and its opening in the
// browser, the check on a worker thread polled from the host's timer. The
// library also carries its own copy progress box (progress/progress_box.h).
//
// The check: the update page (item 8) is read through ferro32's page reader;
// its "[Update]" line names the installer, "YY-NNN" in that name its version.
// Results: 0 nothing to do (or an error that was reported), -2 not newer, 6/2
// newer/not newer with the answer-only option, 1 or -1 newer with the
// installer's address kept (-1 where the platform opens it itself).
#pragma once
#include <windows.h>

extern "C" {
LONG WINAPI dllOnUpdateToNewerVersonAtCommand(UINT titleId, LPCSTR titleArgument, LONG reserved, HGLOBAL* memoryOut,
                                              HWND c1, UINT_PTR c2, LONG_PTR c3, LONG_PTR c4, DWORD* c5);
LONG WINAPI dllOnUpdateToNewerVersonAtCommandInThread(UINT titleId, LPCSTR titleArgument);
LONG WINAPI dllIsUpdateToNewerVersonActive();
LONG WINAPI dllTerminateThreadUpdateToNewerVersonOnTimer();
LONG WINAPI dllCloseThreadUpdateToNewerVerson();
LONG WINAPI dllGetResultOnUpdateToNewerVersonAtCommand(LONG value);
LONG WINAPI dllExecuteNewVersionInstaller(LONG flags);
HGLOBAL* WINAPI dllGetNewVersionMemory();
LONG WINAPI dllFreeNewVersionMemory();
LONG WINAPI dllGetVersionNumberForUpdateToNewerVerson(LPCSTR versionText);
LONG WINAPI dllGetAlwaysUpdatedForSameVersion(LPCSTR versionText);
LONG WINAPI dllSetItemsForUpdate(const LONG_PTR* record, LONG enabled);
LONG WINAPI dllSetUpdateToNewerVersonOptions(LONG a, LONG b, LONG c, LONG flags);
LONG WINAPI dllSetAddMessageOnlyOnOutputWindowAPIForUpdate(void(WINAPI* function)(LONG_PTR, LPCSTR, LONG_PTR),
                                                           LONG_PTR value);
LONG WINAPI dllSetQuitProcessOnClose(LONG value);
LONG WINAPI dllSetDoNotUseThread(LONG value);
LONG WINAPI dllSetDoNotUseCounterFile(LONG value);
LONG WINAPI dllSetBaseFolderForUpdate(LONG value);
LONG WINAPI dllSetGetWin32FindData(LONG value);
LONG WINAPI dllSetGetWin32FindDataForFileChecked(LONG value);
LONG WINAPI dllSetNewVersionInstallToCancel(LONG value);
LONG WINAPI dllSetNewerVersionFound(LONG value);
LONG WINAPI dllIsNewVersionInstallToCancel();
LONG WINAPI dllIsNewerVersionFound();
LPSTR WINAPI dllSetFileFonudInInternet(LPCSTR name);
LPSTR WINAPI dllGetFileFonudInInternet();
}
