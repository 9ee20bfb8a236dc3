#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "frame/error_box_fixture.h"
#include "frame/error_state.h"
#include "frame/message_pump.h"
#include "frame/paths.h"
#include "fs/network.h"
#include "programs/error_report.h"
#include "support/guarded_buffer.h"
#include "support/message_box_recorder.h"
#include "support/sjis.h"

using ferro_test::GuardedBuffer;
using ferro_test::MessageBoxRecorder;
using error_test::message;
using ferro_test::sjis;

// ---- Levels: a share has one level in both forms
TEST(NetworkLevel, BothFormsGiveTheSameLevelToTheSameResource) {
    struct Row { const char* path; DWORD type; } rows[] = {
        {"C:\\x", 0},
        {"\\:", 0x1},
        {"\\:\\", 0x2 | 0x4},
        {"\\:\\WG", 0x2},
        {"\\:\\WG\\SRV", 0x8 | 0x200},
        {"\\:\\WG\\SRV\\SHARE", 0x10 | 0x200 | 0x400},
        {"\\:\\WG\\SRV\\SHARE\\d", 0x20 | 0x200 | 0x400},
        {"\\:\\WG\\SRV\\SHARE\\d\\e", 0x20 | 0x40 | 0x200 | 0x400},
        {"\\:\\WG\\SRV\\*.*", 0x10 | 0x80 | 0x200 | 0x400},
        {"\\\\", 0x1 | 0x100},
        {"\\\\SRV", 0x8 | 0x100},
        {"\\\\SRV\\SHARE", 0x10 | 0x100 | 0x400},
        {"\\\\SRV\\SHARE\\d", 0x20 | 0x100 | 0x400},
        {"\\\\SRV\\SHARE\\d\\e", 0x20 | 0x40 | 0x100 | 0x400},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(GetDriveMyNetworkFolderType(row.path), row.type) << row.path;
        EXPECT_EQ(IsDriveAtMostCompterLevel(row.path), row.type & 11) << row.path;
    }
    // A trail byte 0x5C inside a name is no level.
    EXPECT_EQ(GetDriveMyNetworkFolderType(sjis("\\\\表\\ソ").c_str()), 0x10u | 0x100 | 0x400);
    Set_errno(5);
    EXPECT_EQ(access_network("\\\\SRV\\SHARE"), 0x10u | 0x100 | 0x400);
    EXPECT_EQ(Get_errno(), 0);
}

TEST(NetworkLevel, TheNetworkOffSwitchHidesNetworkPaths) {
    SetNetworkDisabledByApplication(TRUE);
    EXPECT_FALSE(IsDriveMyNetwork("\\\\SRV\\SHARE"));
    EXPECT_FALSE(IsDriveMyNetwork("\\:\\WG\\SRV"));
    EXPECT_EQ(GetDriveMyNetworkFolderType("\\\\SRV\\SHARE"), 0u);
    SetNetworkDisabledByApplication(FALSE);
    EXPECT_TRUE(IsDriveMyNetwork("\\\\SRV\\SHARE"));
}

// ---- Browsing form to system form and back
TEST(NetworkNames, TheBrowsingFormReadsAsTheSystemFormAndComesBack) {
    // saved_sign: 1 converted, -1 used as it stands, 0 no file-system name
    struct Row { std::string path; DWORD server_types; std::string system; int saved_sign; } rows[] = {
        {"\\:\\WG\\SRV\\SHARE\\d", 0, "\\\\SRV\\SHARE\\d", 1},
        {sjis("\\:\\表\\SRV\\SHARE\\*.*"), 0, "\\\\SRV\\SHARE\\*.*", 1},  // a network name ending in 0x5C
        {"\\:\\WG\\SRV\\SHARE", 0, "", 0},
        {"\\:\\WG\\SRV\\SHARE", 1024, "\\\\SRV\\SHARE", 1},
        {"\\:\\WG\\SRV\\SHARE", 48, "\\\\SRV\\SHARE", 1},
        {"\\:\\WG\\SRV", 0, "", 0},
        {"\\:\\WG", 0x2, "\\:\\WG", -1},
        {"\\\\SRV\\SHARE\\d", 0, "\\\\SRV\\SHARE\\d", -1},
        {"\\\\SRV\\*.*", 0, "", 0},
        {"\\\\SRV", 0, "", 0},
        {"C:\\d", 0, "C:\\d", -1},
    };
    for (const Row& row : rows) {
        AddServerFolderTypeForMakeNetworkFolderName(0);
        AddServerFolderTypeForMakeNetworkFolderName(row.server_types);
        std::string buffer = row.path;
        int saved = 12345;
        const char* fs = MakeNetworkFolderName(buffer.data(), &saved);
        EXPECT_EQ(saved > 0 ? 1 : saved < 0 ? -1 : 0, row.saved_sign) << row.path;
        if (saved != 0) {
            EXPECT_EQ(std::string(fs), row.system) << row.path;
        }
        EXPECT_EQ(RecoverNetworkFolderName(const_cast<char*>(fs), saved), saved > 0 ? 1 : 0);
        EXPECT_EQ(buffer, row.path) << "given back as it was";
    }
    AddServerFolderTypeForMakeNetworkFolderName(0);
}

TEST(NetworkNames, SystemFormToBrowsingFormFitsItsBufferAndRoundTrips) {
    GuardedBuffer path(520);
    path.assign("\\\\SRV\\SHARE\\d");
    const LONG converted = ConvertNetworkServerNameIntoOrdinaryFolderName(path);
    ASSERT_NE(converted, 0);
    if (converted == 1) {  // a network name is known on this machine
        EXPECT_EQ(std::string(path.str()).substr(0, 3), "\\:\\");
        EXPECT_EQ(std::string(path.str()).substr(path.str().size() - 12), "\\SRV\\SHARE\\d");
        EXPECT_EQ(RecoverNetworkServerNameFromOrdinaryFolderName(path), 1);
        EXPECT_EQ(path.str(), "\\\\SRV\\SHARE\\d");
        // A path that would not fit is left alone.
        const std::string longest = "\\\\SRV\\" + std::string(513, 'x');
        path.assign(longest);
        EXPECT_EQ(ConvertNetworkServerNameIntoOrdinaryFolderName(path), 0);
        EXPECT_EQ(path.str(), longest);
    }
    NoCovertBetweenSystemNetworkAndMyNetwork(1);
    path.assign("\\\\SRV\\SHARE");
    EXPECT_EQ(ConvertNetworkServerNameIntoOrdinaryFolderName(path), 0);
    NoCovertBetweenSystemNetworkAndMyNetwork(0);
    path.assign("\\:\\WG\\SRV");  // above the shares: not turned back
    EXPECT_EQ(RecoverNetworkServerNameFromOrdinaryFolderName(path), 0);
}

TEST(NetworkNames, CorrectionKeepsTheQuotationMarkAndStartsWhereAsked) {
    std::string line = "run \"\\:\\WG\\SRV\\SHARE\\a b\\x.txt\"";
    EXPECT_EQ(CorrectedNetworkFolderName(line.data(), 4), 1);
    EXPECT_EQ(std::string(line.c_str()), "run \"\\\\SRV\\SHARE\\a b\\x.txt\"");
    EXPECT_STREQ(GetCorrectedNetworkFolderNameInString(), line.c_str());
    std::string local = "C:\\x", tiny = "\\:";
    EXPECT_EQ(CorrectedNetworkFolderName(local.data(), 0), 0);
    EXPECT_EQ(CorrectedNetworkFolderName(tiny.data(), 0), 0);
}

// ---- Settings
TEST(NetworkSettings, KeptValuesFollowTheirRules) {
    EXPECT_EQ(SetWithNetworkDeniedErrorMessage(nullptr, 1), 1);
    EXPECT_EQ(SetWithNetworkDeniedErrorMessage("\\\\SRV\\SHARE", 1), 1);
    EXPECT_EQ(SetWithNetworkDeniedErrorMessage("\\\\SRV", 1), 0);
    EXPECT_EQ(SetWithNetworkDeniedErrorMessage(nullptr, 0), 0);

    EXPECT_EQ(SetGetExtraNetDriveInformation("C:\\x"), 0);
    const std::string kept = sjis("\\\\SRV\\表");
    EXPECT_EQ(SetGetExtraNetDriveInformation(kept.c_str()), LONG(kept.size()));
    GuardedBuffer small(8);  // room for 7 bytes: the 表 would be split
    EXPECT_EQ(GetGetExtraNetDriveInformation(small, 8), 6);
    EXPECT_EQ(small.str(), "\\\\SRV\\");

    // The counter of the library's own changes.
    DisableChangeNotify(0);
    DisableChangeNotify(1);
    DisableChangeNotify(1);
    EXPECT_EQ(IsDisableChangeNotify(), 2);
    EXPECT_EQ(IsDisableChangeNotify(), 1);
    EXPECT_EQ(IsDisableChangeNotify(), 0);

    // The stop of a network search is read only while its peek flag is set.
    ResetCancellingFlags(0);
    SetStopExecutingFlag(1);
    EXPECT_EQ(StopExecutingForNetworkSearching(), 0);
    SetPeekFlagForNetSearching(1);
    EXPECT_EQ(StopExecutingForNetworkSearching(), 1);
    ResetCancellingFlags(0);
}

TEST(NetworkSettings, TheTimerOfAPaneCountsFromItsFirstCall) {
    EXPECT_EQ(CheckTimePassed(1, 0.3, 0), 1);
    EXPECT_EQ(CheckTimePassed(1, 0.3, 0), 0);
    EXPECT_EQ(CheckTimePassed(1, 0.3, 1), 1) << "each pane on its own";
    Sleep(350);
    EXPECT_EQ(CheckTimePassed(1, 0.3, 0), 2);
    EXPECT_EQ(CheckTimePassed(0, 0.3, 0), 0);
    EXPECT_EQ(CheckTimePassed(1, 0.3, 0), 1) << "a new run";
    EXPECT_EQ(CheckTimePassed(1, 0.3, 2), 0);
    CheckTimePassed(0, 0, 0), CheckTimePassed(0, 0, 1);
}

// ---- Errors
TEST(NetworkErrors, ClassesOfErrors) {
    for (DWORD e : {50u, 53u, 58u, 67u, 86u, 1203u, 1222u, 2250u, 4100u}) EXPECT_TRUE(IsNetworkErrorOccured(e)) << e;
    for (DWORD e : {0u, 2u, 3u, 5u, 51u, 1208u}) EXPECT_FALSE(IsNetworkErrorOccured(e)) << e;
    EXPECT_TRUE(IsNetworkPasswordErrorOccured(58));
    EXPECT_TRUE(IsNetworkPasswordErrorOccured(86));
    EXPECT_FALSE(IsNetworkPasswordErrorOccured(5));
}

TEST(NetworkErrors, OneBoxPerErrorWithItsLineAndTheSystemText) {
    struct Row { DWORD error; LONG denied; UINT line; } rows[] = {  // line 0: none
        {ERROR_PATH_NOT_FOUND, 0, 8305}, {86, 0, 8301},   {1222, 0, 8302}, {8, 0, 8303},
        {ERROR_ACCESS_DENIED, 1, 8307},  {ERROR_ACCESS_DENIED, 0, 0},       {53, 0, 8314},
        {1208, 0, 8304},                 {ERROR_INVALID_FUNCTION, 0, 8304},
    };
    ReleaseOutputFileMemoryHandle();
    for (const Row& row : rows) {
        MessageBoxRecorder boxes;
        boxes.answer(IDOK);
        SetProcessNetErrorHandlerDone(0);
        SetWithNetworkDeniedErrorMessage(nullptr, row.denied);
        NETRESOURCEA context = {};
        char remote[] = "\\\\SRV\\SHARE";
        context.lpRemoteName = remote;
        EXPECT_EQ(ProcessNetErrorHandler(nullptr, row.error, "\\\\SRV\\SHARE\\d", &context), row.error);
        ASSERT_EQ(boxes.boxes().size(), 1u) << row.error;
        const auto& box = boxes.boxes()[0];
        EXPECT_EQ(box.caption, message(8300));
        EXPECT_EQ(box.style, UINT(MB_OK | MB_ICONEXCLAMATION));
        EXPECT_EQ(box.text.rfind("[SRV] in \\\\SRV\\SHARE\\d", 0), 0u) << box.text;
        if (row.line) EXPECT_NE(box.text.find("\n\n" + message(row.line)), std::string::npos) << row.error;
        else EXPECT_EQ(box.text.find(message(8307)), std::string::npos);
        EXPECT_NE(box.text.find("\n\nWindows>>"), std::string::npos) << row.error;
        // Done: the same situation stays quiet until the flag is cleared.
        EXPECT_EQ(ProcessNetErrorHandler(nullptr, row.error, "x", nullptr), 0u);
    }
    SetWithNetworkDeniedErrorMessage(nullptr, 0);
    ASSERT_NE(GetOutputFileList(), nullptr);
    EXPECT_NE(std::string(GetOutputFileList()).find(message(8302)), std::string::npos);
    ReleaseOutputFileMemoryHandle();

    MessageBoxRecorder quiet;  // no box expected below
    SetProcessNetErrorHandlerDone(0);
    EXPECT_EQ(ProcessNetErrorHandler(nullptr, 0, "x", nullptr), 0u);
    Set_nNetworkERRNO(0);
    EXPECT_EQ(ProcessNetErrorHandler(nullptr, DWORD(-1), "x", nullptr), 0u) << "-1 reads the kept error";
    SetWithoutNetworkErrorMessage(1);
    EXPECT_EQ(ProcessNetErrorHandler(nullptr, 1222, "x", nullptr), 0u);
    SetWithoutNetworkErrorMessage(0);
    EXPECT_TRUE(quiet.boxes().empty());
}

TEST(NetworkErrors, OperationsAboveTheSharesAreRefusedWithTheirBox) {
    MessageBoxRecorder boxes;
    EXPECT_EQ(NetFileManipulationAllowed("C:\\x", 0, 1), 1u);
    EXPECT_EQ(NetFileManipulationAllowed("\\\\SRV\\SHARE\\d", 0x20, 1), 0x20u | 0x100 | 0x400);
    EXPECT_EQ(NetFileManipulationAllowed("\\:\\WG\\SRV", 0x20, 0), 0u);
    EXPECT_TRUE(boxes.boxes().empty());
    boxes.answer(IDOK);
    EXPECT_EQ(NetFileManipulationAllowed("\\\\NOSUCHSRV\\SHARE", 0x10, 1), 0u) << "a share that is not there";
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, message(8310));
    EXPECT_EQ(boxes.boxes()[0].caption, message(8300));
}
