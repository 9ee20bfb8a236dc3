// Exports of the network folders: the two spellings of a network path and
// their level, the conversions between them, the network settings, the
// network error box, whether the network and the internet are there, the
// listing of network levels through the find functions, and the watching of
// the two panes' folders for changes.
//
// Network paths (recognised by IsDriveMyNetwork unless the application has
// switched the network off):
//   browsing form  \:\NETWORK\COMPUTER\SHARE\folders   (NETWORK: domain or workgroup)
//   system form    \\COMPUTER\SHARE\folders            (UNC)
#pragma once
#include <windows.h>
#include <winnetwk.h>

// Bits of the level type of a network path. n counts the levels below the
// network itself; the system form starts at the computer (n = 2), so that a
// share has the same level in both forms.
enum : DWORD {
    kNetLevelNetwork = 0x1,     // n = 0: the network itself
    kNetLevelName = 0x2,        // n = 1: a domain or workgroup
    kNetLevelRoot = 0x4,        // with 0x2: the root form "\:\"
    kNetLevelComputer = 0x8,    // n = 2
    kNetLevelShare = 0x10,      // n = 3
    kNetLevelFolder = 0x20,     // n >= 4: a folder inside a share
    kNetLevelDeep = 0x40,       // n >= 5
    kNetLevelWildcard = 0x80,   // the path holds "*" or "?"
    kNetLevelSystem = 0x100,    // system form
    kNetLevelConvertible = 0x200,  // browsing form naming a computer or below
    kNetLevelInShare = 0x400,   // n >= 3: a share or a folder in it
};

// Result word of a network listing (GetNetworkDriveStatus keeps the last).
enum : LONG {
    kNetListEntries = 0x1,   // the level holds entries
    kNetListFailed = 0x2,    // the listing failed; the error was reported
    kNetListNotNetwork = 0x4,  // the path is no network path
    kNetListStopped = 0x8,   // stopped, abandoned with the Insert key, or timed out
    kNetListFolder = 0x10,   // the path has a file-system name: list it as a folder
    kNetListEmpty = 0x20,    // the level holds nothing
};

extern "C" {
// ---- Level and spellings
DWORD WINAPI GetDriveMyNetworkFolderType(LPCSTR path);
// Clears errno, keeps and returns the level type.
DWORD WINAPI access_network(LPCSTR path);
// The level type ANDed with 11: the network, a domain or a computer.
DWORD WINAPI IsDriveAtMostCompterLevel(LPCSTR path);
// The system form of a browsing-form path, inside the same string (a pointer
// into `path`). *saved (may be null) receives the overwritten byte (> 0,
// give it back with RecoverNetworkFolderName), the negated first byte when
// the path is used as it stands, or 0 when it has no file-system name.
LPSTR WINAPI MakeNetworkFolderName(LPSTR path, LPINT saved);
// Puts the byte back; 0 when `saved` is below 1.
LONG WINAPI RecoverNetworkFolderName(LPSTR position, LONG saved);
// Level types that MakeNetworkFolderName also converts: 0 clears them, any
// other value is added. Returns the types now set.
DWORD WINAPI AddServerFolderTypeForMakeNetworkFolderName(DWORD mask);
// While non-zero the system form is not turned into the browsing form.
LONG WINAPI NoCovertBetweenSystemNetworkAndMyNetwork(LONG value);
// System form to browsing form in place (a 520-byte buffer): 1 converted,
// 0 not a system-form path (conversion off, or the result would not fit),
// -1 no network name known.
LONG WINAPI ConvertNetworkServerNameIntoOrdinaryFolderName(LPSTR path);
// Browsing form of a share or below back to the system form: 1, else 0.
LONG WINAPI RecoverNetworkServerNameFromOrdinaryFolderName(LPSTR path);
// Replaces the browsing-form path that begins `start` bytes into `path` (a
// leading quotation mark kept) by its system form in place; 1 when it did.
// The system form is also kept in GetCorrectedNetworkFolderNameInString().
LONG WINAPI CorrectedNetworkFolderName(LPSTR path, LONG start);
// The spelling of a network level the file system cannot spell: 1 with the
// path as given in `out` (520 bytes) for a level above the folders of a
// share, -1 for a path that cannot be handled, 0 for the caller to spell.
LONG WINAPI myGet95PathNameFromNetOS(LPCSTR path, LONG mode, LPSTR out);

// ---- Settings (each Set returns what it stored)
// (The network-off switch, SetNetworkDisabledByApplication, is among the path functions.)
LONG WINAPI SetWithoutNetworkErrorMessage(LONG value);
LONG WINAPI IsWithoutNetworkErrorMessage();
// With a null path stores `on`; otherwise `on` for a share or below, else 0.
LONG WINAPI SetWithNetworkDeniedErrorMessage(LPCSTR path, LONG on);
LONG WINAPI SetNetworkFolderSearching(LONG value);
LONG WINAPI IsNetworkFolderSearching();
LONG WINAPI SetPeekFlagForNetSearching(LONG value);
// While the peek flag is set: whether StopExecuting reports a stop; else 0.
LONG WINAPI StopExecutingForNetworkSearching();
DWORD WINAPI Set_nNetworkERRNO(DWORD error);
DWORD WINAPI Get_nNetworkERRNO();
LONG WINAPI SetProcessNetErrorHandlerDone(LONG value);
LONG WINAPI SetNetworkDriveStatus(LONG value);
LONG WINAPI GetNetworkDriveStatus();
LONG WINAPI SetShowNoticeForNetworkWhenBrowsed(LONG value);
LONG WINAPI IsShowNoticeForNetworkWhenBrowsed();
LONG WINAPI SetNotRealTimeDetectionForNetworkThere(LONG value);
// Keeps a network path (its length; 0 for another path or one over 519 bytes).
LONG WINAPI SetGetExtraNetDriveInformation(LPCSTR path);
// Copies at most size - 1 bytes of it (whole characters); its length, 0 when empty.
LONG WINAPI GetGetExtraNetDriveInformation(LPSTR buffer, LONG size);
// 520-byte buffers: the network folder listed last, its comment, the network
// volume name (the name of the network when no domain is in use), the
// system form made by CorrectedNetworkFolderName.
LPSTR WINAPI GetSpecifiedNetFolder();
LPSTR WINAPI GetNetNetComment();
LPSTR WINAPI GetNetVolumeName();
LPSTR WINAPI GetCorrectedNetworkFolderNameInString();

// ---- Errors
LONG WINAPI IsNetworkErrorOccured(DWORD error);
LONG WINAPI IsNetworkPasswordErrorOccured(DWORD error);
// Reports a network error (the saved one for -1) in a box under "ﾈｯﾄﾜｰｸ" and
// in the error report list; the resource of a listing (may be null) is named
// first. Returns the error reported, 0 when nothing was.
DWORD WINAPI ProcessNetErrorHandler(HWND window, DWORD error, LPCSTR path, const NETRESOURCEA* context);
// Whether an operation may act on the path: the level type (1 for a path
// that is no network path) when it may, 0 when not (after the box 8310 when
// showMessage is set). A share (0x10) counts only when it exists.
DWORD WINAPI NetFileManipulationAllowed(LPCSTR path, DWORD allowedTypes, LONG showMessage);

// ---- Presence
LONG WINAPI IsNetworkThereInSystemMetric();
LONG WINAPI IsInternetAvailable();
LONG WINAPI IsNetworkThereInNetdrv();
// Shows the notice dialog once for a network path while the setting is 2. 1.
LONG WINAPI ShowNoticeForNetworkWhenBrowsed(HWND window, LPCSTR path);

// ---- Listing of network levels (the find functions call these)
// 0 when an entry (a folder: the level's next resource) was written into the
// record; otherwise the listing result word (4 for a path that is no network
// path, 0x10 for a path to list as a folder). `finder` receives a non-zero
// marker while entries remain.
LONG WINAPI my_Dos_findfirst_withnet(HANDLE* finder, LPCSTR path, WIN32_FIND_DATAA* record);
// 0 when an entry was written; 1 at the end (finder becomes 0).
LONG WINAPI my_Dos_findnext_withnet(HANDLE* finder, WIN32_FIND_DATAA* record);
// The level the next my_Dos_findnext_withnet continues in (read again from
// its start when it is not the level listed last). 1, or 0 for a path that
// is no network path.
LONG WINAPI my_Dos_findnext_withnet_path(LPCSTR path);
// Lists the level again without error boxes: 4096 when it holds entries,
// else (result & 8) * 4.
LONG WINAPI RefreshCurrentNetworkFolder(LPCSTR path);
LONG WINAPI FreeFoundNetworkDriveMemory();
LONG WINAPI ResetFoundNetworkDrive();

// ---- Watching the panes' folders (pane selector: 0x1 first pane, 0x2 second)
// Ends the pane's watch; with bit 0x8 of `pane` watches `path`. 0 for a
// network path and when a watch could not be opened (told once per drive).
LONG WINAPI SetWatchDirectory(LPCSTR path, LONG pane);
// Ends the watch of the pane (both with bit 0x10). Returns 1.
LONG WINAPI EndWatchDirectory(LONG pane);
// The filter index (0 names, 1 folders, 2 attributes, 3 size, 4 last write)
// of the first change seen, its pane selector in *paneOut; -1 when none.
// `pane` 0x1 or 0x2 looks at that pane only, any other value at both.
LONG WINAPI CatchTheChangeNotification(LONG pane, LPLONG paneOut);
LONG WINAPI SwapSrcAndTgtDirectoryChangeNotification();
// The counter of changes the library made itself (see the file-system layer).
LONG WINAPI DisableChangeNotify(LONG on);
LONG WINAPI IsDisableChangeNotify();
LONG WINAPI SetForceToDisableChangeNotify(LONG value);
LONG WINAPI IsForceToDisableChangeNotify();
LONG WINAPI IsNotificationActive();
LONG WINAPI SetDisableItemNotify(LONG value);
LONG WINAPI IsDisableItemNotify();
// 1 on the first call of a run for the pane (0 or 1), 2 once `seconds` have
// passed since, else 0; a non-positive counter ends the run (0).
LONG WINAPI CheckTimePassed(LONG counter, double seconds, LONG pane);
}

namespace ferro::fs::net {
// A network listing started by my_Dos_findfirst_withnet ends: 1 when one was open.
int findclose_withnet(HANDLE* finder);
// Volume name (14 bytes) and file-system name (51 bytes) of a share root;
// false when the path is not a share or cannot be reached.
bool net_volume_information(const char* root, char* name, char* file_system);
// Closes every watch (at unload).
void end_all_watches();
}  // namespace ferro::fs::net
