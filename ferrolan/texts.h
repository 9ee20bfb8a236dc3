// The window host's texts: every word a user reads comes from the message
// library by number (menus, labels, questions, status lines).
#pragma once
#include <windows.h>
#include <string>

namespace ferrolan {
// The text of a string number (code page 932); "" for 0.
std::string text(UINT id);
// The text of a string number with printf-style arguments filled in.
std::string format(UINT id, ...);
// A number with a comma after every group of three digits.
std::string grouped(ULONGLONG number);

// String numbers of the host's texts.
namespace ids {
// Menu titles and items.
constexpr UINT kMove = 3600, kCopy = 3601, kDelete = 3602, kRename = 3603, kAttributes = 3604,
               kMakeFolder = 3605, kView = 3606, kEdit = 3607, kOpen = 3608, kPrograms = 3609,
               kOpenWith = 3610, kShortcut = 3611, kPrint = 3612, kPack = 3613, kUnpack = 3614, kExit = 3615,
               kFileMenu = 3616, kFolderMenu = 3617, kUpFolder = 3618, kRefresh = 3619, kSync = 3620,
               kFavourites = 3621, kHistory = 3622, kSameFolder = 3623, kSortMenu = 3624, kSortName = 3625,
               kSortExtension = 3626, kSortSize = 3627, kSortDate = 3628, kSortReverse = 3629, kMarkMenu = 3630,
               kMarkAll = 3631, kMarkInvert = 3632, kMarkNone = 3633, kSearchMenu = 3634, kFind = 3635,
               kGrep = 3636, kOutput = 3637, kToolsMenu = 3638, kKeyOrder = 3639, kIniSettings = 3640,
               kDownload = 3641, kHelpMenu = 3642, kNewerVersion = 3643, kAbout = 3644, kKeyList = 3645,
               kAddFavourite = 3646, kHistoryBack = 3647, kErrorListInEditor = 3648, kSwapPanes = 3649,
               kOrganiseFavourites = 3663, kHistoryForward = 3664, kHistoryList = 3665;
// Function-key bar labels of the twelve command slots.
constexpr UINT kSlotLabels = 3650;
// Questions, titles, labels and status lines.
constexpr UINT kAskCopy = 33232, kAskMove = 33233, kAskDelete = 33234, kAskTrash = 33235, kExists = 33236,
               kNewName = 33237, kNewFolder = 33238, kArchiveName = 33239, kUnpackInto = 33240,
               kAddress = 33241, kCopyTitle = 33242, kMoveTitle = 33243, kDeleteTitle = 33244,
               kRenameTitle = 33245, kAttributesTitle = 33246, kMakeFolderTitle = 33247, kPackTitle = 33248,
               kUnpackTitle = 33249, kSearchTitle = 33250, kSyncTitle = 33251, kPaneStatus = 33252,
               kMarkStatus = 33253, kFreeSpace = 33254, kCopying = 33255, kDone = 33256, kNothingMarked = 33257,
               kSameFolderRefused = 33258, kIntoItself = 33259, kOutputTitle = 33260, kFound = 33261,
               kNoArchiver = 33262, kArchiverError = 33263, kSettingsToIni = 33264, kSettingsToRegistry = 33265,
               kKeyListTitle = 33266, kAskSync = 33267, kMoving = 33268, kNotAnArchive = 33269,
               kDeleting = 33270, kAboutText = 33271, kSearching = 33272, kErrorListTitle = 33275;
// Key names of the host's own settings: the file specification of the left
// pane (and, one number on, of the right pane).
constexpr UINT kSpecKey = 33276;
constexpr UINT kNotRenamed = 33278, kAttributesNotSet = 33279, kChosenCount = 33280;
constexpr UINT kDownloadTitle = 33281, kNewerVersionTitle = 33282, kNewerFound = 33283, kNotNewer = 33284;
// Texts the library has for its own use that the host shows too.
constexpr UINT kProductName = 1000;         // "Ferrolan"
constexpr UINT kProductVersion = 7000;      // the product's title with its version
constexpr UINT kFailedFiles = 1143;         // "失敗ﾌｧｲﾙあり(ｴﾗｰ表)"
constexpr UINT kNotCopiedFiles = 33051;     // "複写移動できなかったﾌｧｲﾙあり([ｴﾗｰ表])"
constexpr UINT kDiskAccessTitle = 8012;     // "ﾃﾞｨｽｸｱｸｾｽ・ｴﾗｰ"
constexpr UINT kNoSuchFolder = 9012;        // "指定ﾌｫﾙﾀﾞは存在しません"
constexpr UINT kChangeFolderTitle = 9013;   // "ﾌｫﾙﾀﾞ変更"
constexpr UINT kNoIni = 33179;              // "\n...にFERRO.INIがありません。\nﾚｼﾞｽﾄﾘの設定を使います。"
constexpr UINT kIniTitle = 1008;            // "Ferrolan:初期化ﾌｧｲﾙ"
}  // namespace ids
}  // namespace ferrolan
