// The host's commands: menu item identifiers, and the commands of the twelve
// function-key slots in slot order.
#pragma once
#include <windows.h>

namespace ferrolan {
enum Command : WORD {
    kCmdNone = 0,
    kCmdOpen = 40001, kCmdView, kCmdEdit, kCmdOpenWith, kCmdShortcut, kCmdPrint,
    kCmdCopy, kCmdMove, kCmdDelete, kCmdRename, kCmdAttributes, kCmdMakeFolder,
    kCmdPack, kCmdUnpack, kCmdPackOrUnpack, kCmdExit,
    kCmdUpFolder, kCmdRefresh, kCmdSync, kCmdSameFolder, kCmdSwapPanes, kCmdAddFavourite, kCmdHistoryBack,
    kCmdSortName, kCmdSortExtension, kCmdSortSize, kCmdSortDate, kCmdSortReverse,
    kCmdMarkAll, kCmdMarkInvert, kCmdMarkNone,
    kCmdFind, kCmdGrep, kCmdOutput,
    kCmdKeyOrder, kCmdIniSettings, kCmdDownload, kCmdNewerVersion, kCmdAbout, kCmdKeyList,
    kCmdErrorListInEditor,
    // Menus filled when they open: programs of a file, favourites, history.
    kCmdProgramFirst = 41000, kCmdProgramLast = 41099,
    kCmdFavouriteFirst = 41100, kCmdFavouriteLast = 41199,
    kCmdHistoryFirst = 41200, kCmdHistoryLast = 41399,
};

// The command of each function-key slot (F1 to F12 in the default order).
inline constexpr Command kSlotCommands[12] = {
    kCmdKeyList, kCmdRename, kCmdView, kCmdEdit, kCmdCopy, kCmdMove,
    kCmdMakeFolder, kCmdDelete, kCmdAttributes, kCmdFind, kCmdPackOrUnpack, kCmdSync,
};
}  // namespace ferrolan
