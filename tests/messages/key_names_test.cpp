// Configuration key names: every getter, its exact name, the index rules and
// the buffers the getters share with message loading.
#include <gtest/gtest.h>
#include <windows.h>
#include <iterator>
#include <string>
#include "ferromes.h"

namespace {
struct PlainGetter { const char* getter; LPSTR(WINAPI* fn)(); const char* name; };

// Every getter without argument, with the name it must return (spelling
// mistakes of the stored names included).
const PlainGetter kPlainGetters[] = {
    {"GetDisplayFontString", GetDisplayFontString, "DisplayFont"},
    {"GetViewerFontString", GetViewerFontString, "ViewerFont"},
    {"GetBatchString", GetBatchString, "Batch"},
    {"GetUpperCaseString", GetUpperCaseString, "UpperCase"},
    {"GetNoAnimatedIconString", GetNoAnimatedIconString, "NoAnimatedIcon"},
    {"GetIconizedString", GetIconizedString, "Iconized"},
    {"GetBkcolorString", GetBkcolorString, "Bkcolor"},
    {"GetRapidCopyString", GetRapidCopyString, "RapidCopy"},
    {"GetWINJOS2String", GetWINJOS2String, "WINJOS2"},
    {"GetCDROMNotCheckedString", GetCDROMNotCheckedString, "CDROM-NotChecked"},
    {"GetEditorString", GetEditorString, "Editor"},
    {"GetMultiFileString", GetMultiFileString, "MultiFile"},
    {"GetBkcolorRGBString", GetBkcolorRGBString, "BkcolorRGB"},
    {"GetCharcolorRGBString", GetCharcolorRGBString, "CharcolorRGB"},
    {"GetBkCharcolorRGBString", GetBkCharcolorRGBString, "BkCharcolorRGB"},
    {"GetExtensioncolorString", GetExtensioncolorString, "Extcolor"},
    {"GetUsercolorString", GetUsercolorString, "Usercolor"},
    {"GetPifFileString", GetPifFileString, "PifFile"},
    {"GetRbuttonString", GetRbuttonString, "Rbutton"},
    {"GetNotAlteredByDblClkString", GetNotAlteredByDblClkString, "NotAlteredByDblClk"},
    {"GetIconicReducedTitleString", GetIconicReducedTitleString, "IconicReducedTitle"},
    {"GetShortMenuString", GetShortMenuString, "ShortMenu"},
    {"GetDriveWithVolumeNameString", GetDriveWithVolumeNameString, "DriveWithVolumeName"},
    {"GetBackGroundIconReadingString", GetBackGroundIconReadingString, "BackGroundIconReading"},
    {"GetIgnoreEmbeddedArchiverString", GetIgnoreEmbeddedArchiverString, "IgnoreEmbeddedArchiver"},
    {"GetDisplyedFirstString", GetDisplyedFirstString, "DisplyedFirst"},
    {"GetLbuttonUsageString", GetLbuttonUsageString, "LbuttonUsage"},
    {"GetDirectoryMoveString", GetDirectoryMoveString, "DirectoryMove"},
    {"GetFileSelectionString", GetFileSelectionString, "FileSelection"},
    {"GetSpeedyCopyString", GetSpeedyCopyString, "SpeedyCopy"},
    {"GetIconExeString", GetIconExeString, "IconExe"},
    {"GetNoIconCaptionString", GetNoIconCaptionString, "NoIconCaption"},
    {"GetNoMouseUsageCaptionString", GetNoMouseUsageCaptionString, "NoMouseUsageCaption"},
    {"GetNoDLLMessageString", GetNoDLLMessageString, "NoDLLMessage"},
    {"GetNoBatchMessageString", GetNoBatchMessageString, "NoBatchMessage"},
    {"GetDetailedString", GetDetailedString, "Detailed"},
    {"GetSimplifiedFileIconString", GetSimplifiedFileIconString, "SimplifiedFileIcon"},
    {"GetDirChangeByFerroString", GetDirChangeByFerroString, "DirChangeByFerro"},
    {"GetReadAllIconsString", GetReadAllIconsString, "ReadAllIcons"},
    {"GetDirSearchNoShiftString", GetDirSearchNoShiftString, "DirSearchNoShift"},
    {"GetSearchString", GetSearchString, "Search"},
    {"GetKeyAssignString", GetKeyAssignString, "KeyAssign"},
    {"GetTextTypeString", GetTextTypeString, "TextType"},
    {"GettopListString", GettopListString, "toplist"},
    {"GetbottomListString", GetbottomListString, "bottomlist"},
    {"GetleftListString", GetleftListString, "leftlist"},
    {"GetrightListString", GetrightListString, "rightlist"},
    {"GettopString", GettopString, "top"},
    {"GetbottomString", GetbottomString, "bottom"},
    {"GetleftString", GetleftString, "left"},
    {"GetrightString", GetrightString, "right"},
    {"GetWordWrapString", GetWordWrapString, "WordWrap"},
    {"GetFavoriteDirString", GetFavoriteDirString, "FavoriteDir"},
    {"GetFunctionKeyString", GetFunctionKeyString, "FunctionKey"},
    {"GetCommandsString", GetCommandsString, "Commands"},
    {"GetToolIconString", GetToolIconString, "ToolIcons"},
    {"GetHideExtraIconRgnString", GetHideExtraIconRgnString, "HideExtraIconRgn"},
    {"GetGDICritialString", GetGDICritialString, "LowestGDI"},
    {"GetCheckDiskForUnpackString", GetCheckDiskForUnpackString, "CheckDisk"},
    {"GetRapidUnpackingString", GetRapidUnpackingString, "RapidUnpacking"},
    {"GetRapidUnpackingDblclkFileString", GetRapidUnpackingDblclkFileString, "DblclkFile"},
    {"GetRapidUnpackingDropFileString", GetRapidUnpackingDropFileString, "DropFile"},
    {"GetRapidUnpackingQuitString", GetRapidUnpackingQuitString, "QuitFromFerro"},
    {"GetRapidUnpackingDirInDesktopString", GetRapidUnpackingDirInDesktopString, "OpenInDesktop"},
    {"GetRapidUnpackingDirString", GetRapidUnpackingDirString, "Dirname"},
    {"GetFerroSizeString", GetFerroSizeString, "Size"},
    {"GetDirTreeSizeString", GetDirTreeSizeString, "DirTreeSize"},
    {"GetViewerSizeString", GetViewerSizeString, "ViewrSize"},
    {"GetFilesString", GetFilesString, "Files"},
    {"GetExtensionsString", GetExtensionsString, "Extensions"},
    {"GetArchiversString", GetArchiversString, "Archivers"},
    {"GetOuterFormatString", GetOuterFormatString, "OuterFormat"},
    {"GetOuterDiskCopyString", GetOuterDiskCopyString, "OuterDiskCopy"},
    {"GetVariedNameWidthString", GetVariedNameWidthString, "VariedNameWidth"},
    {"GetVariedDirWidthString", GetVariedDirWidthString, "VariedDirWidth"},
    {"GetWinFilemanString", GetWinFilemanString, "FileManager"},
    {"GetFerroExeString", GetFerroExeString, "FERRO.EXE"},
    {"GetShowClipBrdString", GetShowClipBrdString, "ShowClipBrd"},
    {"GetNameNotReformedString", GetNameNotReformedString, "NameNotReformed"},
    {"GetHomeDirectoryString", GetHomeDirectoryString, "Home"},
    {"GetShiftHomeDirectoryString", GetShiftHomeDirectoryString, "HomeExtra"},
    {"GetFileColorCommonString", GetFileColorCommonString, "FileColorCommon"},
    {"GetActiveMainMenuString", GetActiveMainMenuString, "ActiveMenu"},
    {"GetTrackPopupString", GetTrackPopupString, "TrackedMenu"},
    {"GetTrackFileSelectedString", GetTrackFileSelectedString, "FileSelected"},
    {"GetTrackFileString", GetTrackFileString, "File"},
    {"GetTrackDirSelectedString", GetTrackDirSelectedString, "DirectorySelected"},
    {"GetTrackDirString", GetTrackDirString, "Directory"},
    {"GetTrackCurDirString", GetTrackCurDirString, "CurDirectory"},
    {"GetDisableAutoExeCheckedString", GetDisableAutoExeCheckedString, "DisableCheckAutoExe"},
    {"GetSelectedTgtDirFirstString", GetSelectedTgtDirFirstString, "SelectedTgtDirFirst"},
    {"GetDriveDialogAttachedString", GetDriveDialogAttachedString, "DriveDialogAttached"},
    {"GetCurrentDirDiscardedString", GetCurrentDirDiscardedString, "DiscardCurdirName"},
    {"GetExistenceCheckedDisabledAtStartingString", GetExistenceCheckedDisabledAtStartingString, "NoExistenceChecked"},
    {"GetArchiverDllCheckedDisabledAtStartingString", GetArchiverDllCheckedDisabledAtStartingString, "NoArchiverDllChecked"},
    {"GetIconRelatedToFerroString", GetIconRelatedToFerroString, "IconRelatedToFerro"},
    {"GetAlwaysReadIconString", GetAlwaysReadIconString, "AlwaysReadIcon"},
    {"GetArchiveIconsBySystemString", GetArchiveIconsBySystemString, "ArchiveIconsBySystem"},
    {"GetFileOption1String", GetFileOption1String, "Option1"},
    {"GetFileOption2String", GetFileOption2String, "Option2"},
    {"GetFirstListedFileNameForPakedFileString", GetFirstListedFileNameForPakedFileString, "FirstListedFileNameForPakedFile"},
    {"GetNetSubFolderInsideCheckedString", GetNetSubFolderInsideCheckedString, "NetSubFolderInsideChecked"},
    {"GetDisableEndFerroMessageString", GetDisableEndFerroMessageString, "DisableEndFerroMessage"},
    {"GetSHFileOperationSelectedString", GetSHFileOperationSelectedString, "SHFileOperationSelected"},
    {"GetNetworkDisabledString", GetNetworkDisabledString, "NetworkDisabled"},
    {"GetNewBkBaseColorNumberString", GetNewBkBaseColorNumberString, "NewBkBaseColorNumber"},
    {"GetNewMessageInCopyDoneString", GetNewMessageInCopyDoneString, "NewMessageInCopyDone"},
    {"GetMessageOfEmptyFolderOnceString", GetMessageOfEmptyFolderOnceString, "MessageOfEmptyFolderOnce"},
    {"GetExcludedFilesString", GetExcludedFilesString, "ExcludedFiles"},
    {"GetAlwaysDisplayCopyFloatOptString", GetAlwaysDisplayCopyFloatOptString, "AlwaysDisplayCopyFloatOpt"},
    {"GetMessageOfCopyOptOnceString", GetMessageOfCopyOptOnceString, "MessageOfCopyOptOnce"},
    {"GetMessageRapidDirListOnceString", GetMessageRapidDirListOnceString, "MessageRapidDirListOnce"},
    {"GetMessageNetworkRelatedOperationForIconsOnceString", GetMessageNetworkRelatedOperationForIconsOnceString, "MessageNetworkRelatedOperationForIconsOnce"},
    {"GetExecutedByWindowSystemOffString", GetExecutedByWindowSystemOffString, "ExecutedByWindowSystemOffString"},
    {"GetShellcmmandString", GetShellcmmandString, "Shellcmmand"},
    {"GetHideFolderBoxString", GetHideFolderBoxString, "HideFolderBox"},
    {"GetBkcolorRGBAutoString", GetBkcolorRGBAutoString, "BkcolorRGBAuto"},
    {"GetErrorMessageSuppressedForUnpackString", GetErrorMessageSuppressedForUnpackString, "NoErrorMesForUnpack"},
    {"GetNetworkSearchDisabledAtStartingString", GetNetworkSearchDisabledAtStartingString, "NetworkSearchDisabled"},
    {"GetMessageNetworkSkippedOnceString", GetMessageNetworkSkippedOnceString, "MessageNetworkSkippedOnce"},
    {"GetMessageSelectShellCmdDlgOnceString", GetMessageSelectShellCmdDlgOnceString, "MessageSelectShellCmdDlgOnceString"},
    {"GetFolderTreeOptionNumString", GetFolderTreeOptionNumString, "FolderTreeOptionNum"},
    {"GetSelectedItemsDisplayedString", GetSelectedItemsDisplayedString, "SelectedItemsDisplayed"},
    {"GetSearchTimerSelectedString", GetSearchTimerSelectedString, "SearchTimerSelected"},
    {"GetMessageSearchTimerOnceString", GetMessageSearchTimerOnceString, "MessageSearchTimerOnce"},
    {"GetMaxFileNumberString", GetMaxFileNumberString, "MaxFileNumber"},
    {"GetMaxDirNumberString", GetMaxDirNumberString, "MaxFolderNumber"},
    {"GetOpenExeAutomaticString", GetOpenExeAutomaticString, "OpenExeAutomatic"},
    {"GetReadDisableToUpdateFromRegistryString", GetReadDisableToUpdateFromRegistryString, "ReadDisableToUpdate"},
    {"GetShowOnceAlertSynchroChangeTgtDirString", GetShowOnceAlertSynchroChangeTgtDirString, "OnceSynchroChangeTgtDir"},
    {"GetOnceDropDragDisabledInVistaString", GetOnceDropDragDisabledInVistaString, "OnceDropDragDisabledInVista"},
};
}  // namespace

// ---- Getters without argument

TEST(KeyNames, EveryPlainGetterReturnsItsName) {
    EXPECT_EQ(131u, std::size(kPlainGetters));
    for (const PlainGetter& g : kPlainGetters) {
        MyLoadString(1096, 1008);
        LPSTR name = g.fn();
        EXPECT_STREQ(g.name, name) << g.getter;
        // loaded as a title: the message buffer emptied, the title buffer holding the name
        EXPECT_STREQ("", GetLoadStrMessage()) << g.getter;
        EXPECT_STREQ(g.name, GetLoadStrTitle()) << g.getter;
    }
}

TEST(KeyNames, AllGettersShareOneBuffer) {
    LPSTR first = GetDisplayFontString();
    EXPECT_STREQ("DisplayFont", first);
    LPSTR second = GetViewerFontString();
    EXPECT_EQ(first, second);
    EXPECT_STREQ("ViewerFont", first);  // the first name is gone
    EXPECT_EQ(first, GetFileBoundaryString(2, 1));
    EXPECT_EQ(first, GetResoucesString(0));
    // the key-name buffer is neither the message nor the title buffer
    EXPECT_NE(first, GetLoadStrMessage());
    EXPECT_NE(first, GetLoadStrTitle());
}

TEST(KeyNames, NamesWithoutGetterAreLoadedByNumber) {
    const struct { UINT number; const char* name; } rows[] = {
        {3398, "ResourceCmd"}, {3399, "DosNameAsExplorer"}, {3523, "AlwaysReadSystemExe"}};
    for (const auto& row : rows) {
        EXPECT_EQ(0u, MyLoadString(0, row.number));
        EXPECT_STREQ(row.name, GetLoadStrTitle());
    }
}

// ---- Getters with an index

namespace {
struct IndexCase {
    const char* getter;
    LPSTR(WINAPI* fn)(int);
    int index;
    const char* name;  // "" = the empty name
};

const IndexCase kIndexCases[] = {
    {"GetStartDirectoryString", GetStartDirectoryString, 0, "StartDirectory"},
    {"GetStartDirectoryString", GetStartDirectoryString, 1, "StartDirectory_Target"},
    {"GetStartDirectoryString", GetStartDirectoryString, 5, "StartDirectory_Target"},
    {"GetStartDirectoryString", GetStartDirectoryString, -1, "StartDirectory_Target"},
    {"GetFilecolorString", GetFilecolorString, 0, "SrcDircolor"},
    {"GetFilecolorString", GetFilecolorString, 1, "TgtDircolor"},
    {"GetFilecolorString", GetFilecolorString, 2, "Filecolor"},
    {"GetFilecolorString", GetFilecolorString, 3, ""},
    {"GetFilecolorString", GetFilecolorString, -1, ""},
    {"GetStartingSortString", GetStartingSortString, 0, "StartingSort"},
    {"GetStartingSortString", GetStartingSortString, 1, "StartingDirSort"},
    {"GetStartingSortString", GetStartingSortString, 2, ""},
    {"GetToolIconSizeString", GetToolIconSizeString, 0, "ToolIconSize"},
    {"GetToolIconSizeString", GetToolIconSizeString, 1, "DirTreeIconSize"},
    {"GetToolIconSizeString", GetToolIconSizeString, 2, ""},
    {"GetResoucesString", GetResoucesString, 0, "MemOnTitle"},
    {"GetResoucesString", GetResoucesString, 1, "UserOnTitle"},
    {"GetResoucesString", GetResoucesString, 2, "GdiOnTitle"},
    {"GetResoucesString", GetResoucesString, 3, "SysOnTitle"},
    {"GetResoucesString", GetResoucesString, 4, ""},
    {"GetResoucesString", GetResoucesString, -1, ""},
    {"GetResoucesString", GetResoucesString, 0x7fffffff, ""},
    {"GetWinUtilityString", GetWinUtilityString, 0, "Utilities"},
    {"GetWinUtilityString", GetWinUtilityString, 1, "Iconfiles"},
    {"GetWinUtilityString", GetWinUtilityString, 2, ""},
    {"GetIconFileModeString", GetIconFileModeString, 0, "Size"},
    {"GetIconFileModeString", GetIconFileModeString, 1, "Date"},
    {"GetIconFileModeString", GetIconFileModeString, 2, "Time"},
    {"GetIconFileModeString", GetIconFileModeString, 3, "Save"},
    {"GetIconFileModeString", GetIconFileModeString, 4, "ReducedYear"},
    {"GetIconFileModeString", GetIconFileModeString, 5, ""},
    {"GetDirBoundaryString", GetDirBoundaryString, 0, "Boundary0"},
    {"GetDirBoundaryString", GetDirBoundaryString, 1, "Boundary1"},
    {"GetDirBoundaryString", GetDirBoundaryString, 2, ""},
    {"GetFileManString", GetFileManString, 0, "LbuttonUsage"},
    {"GetFileManString", GetFileManString, 1, "CopybyCtrl"},
    {"GetFileManString", GetFileManString, 2, "MoveByShift"},
    {"GetFileManString", GetFileManString, 3, "CopyOrMove"},
    {"GetFileManString", GetFileManString, 4, "DirChangeByClick"},
    {"GetFileManString", GetFileManString, 5, "OnlyOneFile"},
    {"GetFileManString", GetFileManString, 6, "KeySelection"},
    {"GetFileManString", GetFileManString, 7, "TrashActive"},
    {"GetFileManString", GetFileManString, 8, "RmenuDisabled"},
    {"GetFileManString", GetFileManString, 9, "ShiftPressedSwapped"},
    {"GetFileManString", GetFileManString, 10, "DirDisplayedInFileList"},
    {"GetFileManString", GetFileManString, 11, "SHFileOperationSelected"},
    {"GetFileManString", GetFileManString, 12, "NotRepaintedByMouseWheelScrolling"},
    {"GetFileManString", GetFileManString, 13, ""},
    {"GetSortingDisabledAtStartingString", GetSortingDisabledAtStartingString, 0, "NoFileSorting"},
    {"GetSortingDisabledAtStartingString", GetSortingDisabledAtStartingString, 1, "NoDirSorting"},
    {"GetSortingDisabledAtStartingString", GetSortingDisabledAtStartingString, 2, ""},
    {"GetNotAskDeleteFolderString", GetNotAskDeleteFolderString, 1, "NotAskDeleteFolderDone"},
    {"GetNotAskDeleteFolderString", GetNotAskDeleteFolderString, 0, "NotAskDeleteFolderPassed"},
    {"GetNotAskDeleteFolderString", GetNotAskDeleteFolderString, 2, "NotAskDeleteFolderPassed"},
    {"GetNotAskDeleteFolderString", GetNotAskDeleteFolderString, -1, "NotAskDeleteFolderPassed"},
};
}  // namespace

TEST(KeyNames, IndexGettersPickByTheirRules) {
    for (const IndexCase& c : kIndexCases) {
        GetDisplayFontString();  // leaves a name in the buffer
        EXPECT_STREQ(c.name, c.fn(c.index)) << c.getter << "(" << c.index << ")";
    }
}

// ---- GetFileBoundaryString: mode to row, then the 3x6 table

TEST(KeyNames, FileBoundaryTable) {
    // rows: 0 (odd modes and 0), 1 (mode 2), 2 (mode 4)
    const char* const table[3][6] = {
        {"Boundary7", "", "", "", "", ""},
        {"Boundary8", "", "", "", "", ""},
        {"Boundary2", "Boundary9", "Boundary3", "Boundary4", "Boundary5", "Boundary6"},
    };
    const struct { int mode, row; } modes[] = {{0, 0}, {1, 0}, {3, 0}, {5, 0}, {-1, 0}, {2, 1}, {4, 2}};
    for (const auto& m : modes) {
        for (int column = 0; column < 6; ++column) {
            GetDisplayFontString();
            EXPECT_STREQ(table[m.row][column], GetFileBoundaryString(m.mode, column))
                << "mode " << m.mode << " column " << column;
        }
    }
}

TEST(KeyNames, FileBoundaryOutsideTheTable) {
    // modes and columns outside the table give the empty name
    EXPECT_STREQ("", GetFileBoundaryString(6, 0));
    EXPECT_STREQ("", GetFileBoundaryString(-2, 0));
    EXPECT_STREQ("", GetFileBoundaryString(4, 6));
    EXPECT_STREQ("", GetFileBoundaryString(4, -1));
}
