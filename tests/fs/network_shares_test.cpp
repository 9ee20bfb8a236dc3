#include <gtest/gtest.h>
#include <windows.h>
#include <wininet.h>
#include <set>
#include <string>
#include "frame/error_box_fixture.h"
#include "frame/error_state.h"
#include "frame/message_pump.h"
#include "fs/disk_free.h"
#include "fs/dos_files.h"
#include "fs/dos_find.h"
#include "fs/dos_folders.h"
#include "fs/dos_names.h"
#include "fs/dos_times.h"
#include "fs/network.h"
#include "fs/path_spelling.h"
#include "support/message_box_recorder.h"
#include "support/share_link.h"
#include "support/sjis.h"
#include "support/temp_folder.h"

using ferro_test::MessageBoxRecorder;
using error_test::message;
using ferro_test::sjis;
using ferro_test::TempFolder;
using ferro_test::WineLink;

namespace {
std::set<std::string> names_in(const std::string& pattern) {
    std::set<std::string> names;
    HANDLE h = nullptr;
    WIN32_FIND_DATAA record;
    for (int r = my_Dos_findfirst(&h, pattern.c_str(), &record); r == 0; r = my_Dos_findnext(&h, &record))
        if (std::string(record.cFileName) != "." && std::string(record.cFileName) != "..") names.insert(record.cFileName);
    Close_my_Dos_find(&h);
    return names;
}

// A share \\FERROSRV\DATA on a temporary folder holding a.txt and 表\ソ.txt.
class ShareTest : public testing::Test {
protected:
    void SetUp() override {
        tmp_.file("a.txt", "abc");
        tmp_.file(sjis("表\\ソ.txt"), "x");
        ASSERT_TRUE(link_.ok()) << "the share link could not be made";
    }
    TempFolder tmp_;
    WineLink link_ = WineLink::share("ferrosrv", "data", tmp_.path());
};
}  // namespace

// ---- The file-system layer on both spellings of a share
TEST_F(ShareTest, TheFileLayerWorksOnBothForms) {
    for (const std::string& share : {std::string("\\\\FERROSRV\\DATA"), std::string("\\:\\WG\\FERROSRV\\DATA")}) {
        EXPECT_EQ(names_in(share + "\\*.*"), (std::set<std::string>{"a.txt", sjis("表")})) << share;
        EXPECT_EQ(names_in(share + sjis("\\表\\*.*")), std::set<std::string>{sjis("ソ.txt")}) << share;
        HANDLE h = myOpen((share + "\\a.txt").c_str(), GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, DWORD(-1));
        ASSERT_NE(h, INVALID_HANDLE_VALUE) << share;
        char text[8] = {};
        EXPECT_EQ(my_lRead(h, text, sizeof text), 3);
        myClose(h);
        EXPECT_STREQ(text, "abc");
        std::string copy = share;
        EXPECT_EQ(IsDirectoryAttribute(copy.data()), 4) << "the share is a folder";
        EXPECT_EQ(myMkdir((share + "\\new").c_str()), 0) << share;
        EXPECT_TRUE(ferro_test::exists(tmp_ / "new"));
        EXPECT_EQ(myRmdir((share + "\\new").c_str()), 0);
        DosDiskFree clusters;
        ULONGLONG sizes[3];
        EXPECT_EQ(my_Dos_getdiskfree((share + "\\a.txt").c_str(), &clusters, sizes), 0) << share;
        EXPECT_GT(sizes[1], 0u);
    }
    // Re-spelling keeps the form given, with the names as stored.
    std::string browsing = "\\:\\WG\\FERROSRV\\DATA\\A.TXT";
    EXPECT_STREQ(GetReformed95PathNameFromOS(browsing.data(), 8, 0), "\\:\\WG\\FERROSRV\\DATA\\a.txt");
    EXPECT_TRUE(myGetNetVolumeInformation("\\\\FERROSRV\\DATA"));
    // A share that goes away is not found.
    ASSERT_TRUE(link_.remove());
    EXPECT_TRUE(names_in("\\\\FERROSRV\\DATA\\*.*").empty());
    EXPECT_FALSE(IsFileDirExist("\\\\FERROSRV\\DATA\\a.txt"));
}

// ---- Listing network levels: Wine has no network provider
TEST(NetworkListing, LevelsWithoutAProviderReportTheirErrorAndNeverHang) {
    for (const char* level : {"\\:\\*.*", "\\:\\WG\\*.*", "\\:\\WG\\NOSUCHSRV\\*.*", "\\\\NOSUCHSRV\\*.*"}) {
        MessageBoxRecorder boxes;
        boxes.answer(IDOK);
        SetProcessNetErrorHandlerDone(0);
        Set_nNetworkERRNO(0);
        ResetFoundNetworkDrive();
        HANDLE h = reinterpret_cast<HANDLE>(1);
        WIN32_FIND_DATAA record;
        const DWORD start = GetTickCount();
        const int result = my_Dos_findfirst(&h, level, &record);
        EXPECT_LT(GetTickCount() - start, 5000u) << level;
        EXPECT_EQ(result, kNetListFailed) << level;
        EXPECT_EQ(h, nullptr);
        EXPECT_EQ(Is_my_Dos_findfirst_withnet_done(), -2);
        EXPECT_EQ(Get_nNetworkERRNO(), DWORD(ERROR_NO_NETWORK)) << level;
        EXPECT_EQ(GetNetworkDriveStatus(), kNetListFailed);
        ASSERT_EQ(boxes.boxes().size(), 1u) << level;
        EXPECT_EQ(boxes.boxes()[0].caption, message(8300));
        EXPECT_NE(boxes.boxes()[0].text.find(message(8302)), std::string::npos);
        EXPECT_EQ(my_Dos_findnext(&h, &record), 1);
    }
    SetProcessNetErrorHandlerDone(0);
    Set_nNetworkERRNO(0);
    // An unreachable share is a plain path: its search fails at once.
    HANDLE h = nullptr;
    WIN32_FIND_DATAA record;
    EXPECT_NE(my_Dos_findfirst(&h, "\\\\NOSUCHSRV\\SHARE\\*.*", &record), 0);
    EXPECT_EQ(my_Dos_findfirst_withnet(&h, "C:\\*.*", &record), kNetListNotNetwork);
    EXPECT_EQ(my_Dos_findfirst_withnet(&h, "\\\\SRV\\SHARE\\*.*", &record), kNetListFolder);
}

TEST(NetworkListing, AStopOrARefreshShowsNoBox) {
    MessageBoxRecorder boxes;  // none expected
    ResetCancellingFlags(0);
    SetPeekFlagForNetSearching(1);
    SetStopExecutingFlag(1);
    HANDLE h = nullptr;
    WIN32_FIND_DATAA record;
    EXPECT_EQ(my_Dos_findfirst_withnet(&h, "\\:\\WG\\*.*", &record), kNetListStopped);
    EXPECT_EQ(RefreshCurrentNetworkFolder("\\:\\WG\\*.*"), 32) << "stopped";
    ResetCancellingFlags(0);
    SetProcessNetErrorHandlerDone(0);
    EXPECT_EQ(RefreshCurrentNetworkFolder("\\:\\WG\\*.*"), 0) << "failed quietly";
    EXPECT_EQ(IsWithoutNetworkErrorMessage(), 0) << "the setting is back";
    EXPECT_STREQ(GetSpecifiedNetFolder(), "\\:\\WG");
    EXPECT_TRUE(boxes.boxes().empty());
    SetProcessNetErrorHandlerDone(0);
    Set_nNetworkERRNO(0);
    EXPECT_EQ(FreeFoundNetworkDriveMemory(), 1);
}

// ---- Watching the panes' folders
namespace {
// Polls the watches (at most five seconds) until one reports; its filter.
LONG wait_for_change(LONG& pane) {
    for (int i = 0; i < 250; ++i) {
        const LONG filter = CatchTheChangeNotification(0, &pane);
        if (filter >= 0) return filter;
    }
    return -1;
}

void other_process(const std::string& command) { ASSERT_TRUE(ferro_test::run_program("cmd.exe /c " + command)); }

void drain() {
    LONG pane = 0;
    while (CatchTheChangeNotification(0, &pane) >= 0) {
    }
}
}  // namespace

TEST(ChangeWatch, ChangesOfAnotherProcessAreSeenAndTheLibrarysOwnAreCounted) {
    TempFolder tmp;
    EXPECT_EQ(SetWatchDirectory("\\\\SRV\\SHARE", 0x1 | 0x8), 0) << "network folders are not watched";
    EXPECT_EQ(SetWatchDirectory(tmp.path().c_str(), 0x2), 1) << "without 0x8 nothing is opened";
    EXPECT_EQ(IsNotificationActive(), 0);
    ASSERT_EQ(SetWatchDirectory(tmp.path().c_str(), 0x2 | 0x8), 1);
    EXPECT_EQ(IsNotificationActive(), 1);
    for (const std::string& command : {"echo x> " + tmp / "made.txt", "ren " + tmp / "made.txt" + " renamed.txt",
                                       "del " + tmp / "renamed.txt"}) {
        other_process(command);
        LONG pane = 0;
        EXPECT_EQ(wait_for_change(pane), 0) << command << ": a change of names";
        EXPECT_EQ(pane, 2);
        drain();
    }
    // A change the library makes is counted, so that the host can pass over it.
    DisableChangeNotify(0);
    ASSERT_EQ(myMkdir((tmp / "own").c_str()), 0);
    LONG pane = 0;
    EXPECT_GE(wait_for_change(pane), 0);
    EXPECT_EQ(IsDisableChangeNotify(), 1);
    EXPECT_EQ(IsDisableChangeNotify(), 0);
    drain();
    // The panes swap their watches.
    SwapSrcAndTgtDirectoryChangeNotification();
    other_process("echo x> " + tmp / "swapped.txt");
    EXPECT_EQ(wait_for_change(pane), 0);
    EXPECT_EQ(pane, 1);
    EXPECT_EQ(EndWatchDirectory(0x10), 1);
    EXPECT_EQ(IsNotificationActive(), 0);
    EXPECT_EQ(CatchTheChangeNotification(0, &pane), -1);
}

TEST(ChangeWatch, AWatchEndsWhenItsFolderOrDriveGoesAway) {
    TempFolder tmp;
    const std::string watched = tmp.folder("watched");
    auto drive = WineLink::drive('Q', tmp.folder("drive"));
    ASSERT_TRUE(drive.ok());
    ASSERT_EQ(SetWatchDirectory(watched.c_str(), 0x1 | 0x8), 1);
    ASSERT_EQ(SetWatchDirectory("Q:\\", 0x2 | 0x8), 1);
    ASSERT_TRUE(ferro_test::remove_outside(watched));
    ASSERT_TRUE(drive.remove());
    std::set<LONG> ended;
    for (int i = 0; i < 250 && ended.size() < 2; ++i) {
        LONG pane = 0;
        if (CatchTheChangeNotification(0, &pane) >= 0) ended.insert(pane);
    }
    EXPECT_EQ(ended, (std::set<LONG>{1, 2}));
    EXPECT_EQ(IsNotificationActive(), 0) << "both watches ended";
    LONG pane = 0;
    EXPECT_EQ(CatchTheChangeNotification(0, &pane), -1);
    EndWatchDirectory(0x10);
}

// ---- Presence of the network and the internet
TEST(NetworkPresence, TheAnswersFollowTheirRules) {
    const bool metric = GetSystemMetrics(SM_NETWORK) & 1;
    DWORD flags = 0;
    const bool connected = InternetGetConnectedState(&flags, 0) && (flags & 7);
    EXPECT_EQ(IsNetworkThereInSystemMetric(), metric ? 1 : 0);
    EXPECT_EQ(IsInternetAvailable(), metric && connected ? 1 : 0);
    SetNotRealTimeDetectionForNetworkThere(0);
    const LONG real = IsNetworkThereInNetdrv();
    EXPECT_EQ(real, IsInternetAvailable());
    SetNotRealTimeDetectionForNetworkThere(1);
    EXPECT_EQ(IsNetworkThereInNetdrv(), real) << "the last result";
    SetNotRealTimeDetectionForNetworkThere(0);
}

TEST(NetworkPresence, TheNoticeIsShownOnceForTheNetwork) {
    MessageBoxRecorder boxes;
    boxes.keep_pictures("network-notice");
    SetShowNoticeForNetworkWhenBrowsed(2);
    EXPECT_EQ(ShowNoticeForNetworkWhenBrowsed(nullptr, "C:\\x"), 1);
    EXPECT_TRUE(boxes.boxes().empty());
    boxes.answer(IDOK);
    EXPECT_EQ(ShowNoticeForNetworkWhenBrowsed(nullptr, "\\:\\WG"), 1);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].caption, message(8300));
    EXPECT_NE(boxes.boxes()[0].text.find(sjis("ﾈｯﾄﾜｰｸﾌｫﾙﾀﾞを開きます。")), std::string::npos);
    EXPECT_EQ(IsShowNoticeForNetworkWhenBrowsed(), -1);
    EXPECT_EQ(ShowNoticeForNetworkWhenBrowsed(nullptr, "\\:\\WG"), 1);
    EXPECT_EQ(boxes.boxes().size(), 1u) << "once";
    SetShowNoticeForNetworkWhenBrowsed(0);
}
