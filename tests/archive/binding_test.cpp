#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <vector>
#include "archive/archiver.h"
#include "archive/program_folder.h"
#include "support/message_box_recorder.h"
#include "support/sjis.h"
#include "support/temp_folder.h"

using ferro_test::MessageBoxRecorder;
using ferro_test::sjis;

namespace {

using Lookup = FARPROC(WINAPI*)(LONG, LONG);
const Lookup kLookups[] = {
#define ARCHIVER_FUNCTION(name, suffix, rule) func##name,
#include "archive/archiver_functions.def"
#undef ARCHIVER_FUNCTION
};

// A folder first on the search path holding the tar library, an older lzh
// library, a newer cab library, an ish library without its command function
// and an unzip "library" that is a text file; nothing for zip packing and arj.
class Binding : public testing::Test {
protected:
    void SetUp() override {
        const std::string stand_ins = program_folder() + "\\..\\archive-stand-ins\\";
        for (const char* name : {"UNLHA32.dll", "CAB32.dll", "ISH32.dll"})
            ASSERT_TRUE(CopyFileA((stand_ins + name).c_str(), (folder_ / name).c_str(), FALSE)) << name;
        ASSERT_TRUE(CopyFileA((program_folder() + "\\TAR32.dll").c_str(), (folder_ / "TAR32.DLL").c_str(), FALSE));
        folder_.file("UNZIP32.DLL", "not a library");
        char path[32768];
        const DWORD n = GetEnvironmentVariableA("PATH", path, sizeof path);
        path_ = n && n < sizeof path ? path : "";
        SetEnvironmentVariableA("PATH", (folder_.path() + ";" + path_).c_str());
        SetPackOrUnpack(0);
    }
    void TearDown() override {
        FreeArchiverDllFunction();
        SetEnvironmentVariableA("PATH", path_.c_str());
        SetEnvironmentVariableA("FERRO_ARCHIVER_PAGE", nullptr);
    }
    // Loads every slot, answering the box of missing libraries with No.
    void load() {
        MessageBoxRecorder boxes;
        boxes.answer(IDNO);
        ASSERT_EQ(0, FindArchiverDllFunction(nullptr, "R"));
    }
    ferro_test::TempFolder folder_;
    std::string path_;
};

TEST_F(Binding, MissingLibrariesAreReportedInOneBox) {
    MessageBoxRecorder boxes;
    boxes.answer(IDNO);
    EXPECT_EQ(0, FindArchiverDllFunction(nullptr, sjis("\nインストールしますか？").c_str()));
    ASSERT_EQ(1u, boxes.boxes().size());
    EXPECT_EQ(sjis("DLLのﾁｪｯｸ"), boxes.boxes()[0].caption);
    EXPECT_EQ("ZIP32J.DLL ISH32.DLL UNZIP32.DLL UNARJ32J.DLL  " + sjis(" を利用できません。\nインストールしますか？"),
              boxes.boxes()[0].text);
    EXPECT_EQ(UINT(MB_YESNO | MB_ICONEXCLAMATION), boxes.boxes()[0].style & (MB_TYPEMASK | MB_ICONMASK));
    EXPECT_EQ(0, IsQuitToInstallCaldix());
    // Without a report text nothing is shown.
    EXPECT_EQ(0, FindArchiverDllFunction(nullptr, nullptr));
    EXPECT_EQ(1u, boxes.boxes().size());
}

TEST_F(Binding, YesGoesToTheInstallerPage) {
    SetEnvironmentVariableA("FERRO_ARCHIVER_PAGE", (folder_ / "no such page.html").c_str());
    MessageBoxRecorder boxes;
    boxes.answer(IDYES);
    boxes.answer_all(IDOK);  // the page cannot be opened here: the program-start error box
    FindArchiverDllFunction(nullptr, "");
    EXPECT_EQ(1, IsQuitToInstallCaldix());
}

TEST_F(Binding, SlotStatusesAndVersionChecks) {
    load();
    MessageBoxRecorder boxes;
    boxes.answer(IDOK);
    // The last slot checked is the unpacking tar slot, of the version built for.
    EXPECT_EQ(1, IsArchiverVersionCorrect(nullptr, "EXTRA"));
    ASSERT_EQ(1u, boxes.boxes().size());  // only the lzh packing slot reports; its unpacking twin is silent
    EXPECT_EQ(sjis("DLLのﾁｪｯｸ"), boxes.boxes()[0].caption);
    EXPECT_EQ(sjis("推奨ﾊﾞｰｼﾞｮﾝ  1.95 と違います。使用 UNLHA32.DLL は  1.90で古いﾊﾞｰｼﾞｮﾝです。\nEXTRA"),
              boxes.boxes()[0].text);
    EXPECT_EQ(UINT(MB_OK), boxes.boxes()[0].style & (MB_TYPEMASK | MB_ICONMASK));
    struct Expected {
        LONG status, check, used, built;
    };
    // lzh older, zip missing, ish without command, cab newer, tar equal, arj: none packing, missing unpacking.
    const Expected rows[2][6] = {
        {{2, 2, 190, 195}, {1, 8, 0, 37}, {1, 8, 0, 37}, {2, 4, 99, 98}, {2, 1, 226, 226}, {1, 8, 0, -1}},
        {{2, 2, 190, 195}, {1, 8, 0, 540}, {1, 8, 0, 37}, {2, 4, 99, 98}, {2, 1, 226, 226}, {1, 8, 0, 55}},
    };
    for (LONG row = 0; row < 2; ++row) {
        SetPackOrUnpack(row);
        for (LONG kind = 0; kind < 6; ++kind) {
            SCOPED_TRACE(testing::Message() << "row " << row << " kind " << kind);
            EXPECT_EQ(rows[row][kind].status, IsArchiverActive(kind));
            EXPECT_EQ(rows[row][kind].check, IsCorrectArchiveVer(kind));  // the none slot: 8, not 0
            EXPECT_EQ(rows[row][kind].used, GetUsedArchiveVersion(kind));
            EXPECT_EQ(rows[row][kind].built, GetCompiledArchiveVersion(kind));
        }
    }
    SetPackOrUnpack(-1);
    EXPECT_EQ(0, IsArchiverActive(4));
    EXPECT_EQ(nullptr, GetArchiverName(4));
}

TEST_F(Binding, FunctionLookups) {
    load();
    // The unpacking slots of the "same" kinds use the packing slot's library.
    for (LONG kind : {0, 3, 4})
        for (Lookup f : kLookups) EXPECT_EQ(f(0, kind), f(1, kind)) << kind;
    EXPECT_NE(nullptr, funcArchiver(1, 4));
    EXPECT_NE(nullptr, funcFindNext(1, 4));
    EXPECT_NE(nullptr, funcGetRunning(0, 0));
    EXPECT_EQ(nullptr, funcOpenArchive(0, 0));   // the stand-in lists nothing
    EXPECT_EQ(nullptr, funcGetVersion(0, 2));    // a library without its command function is not kept
    EXPECT_EQ(nullptr, funcArchiver(2, 4));
    EXPECT_EQ(nullptr, funcArchiver(0, 6));
    SetPackOrUnpack(1);
    EXPECT_EQ(1, IsCheckArchive(4));
    EXPECT_EQ(0, IsCheckArchive(0));
    EXPECT_EQ(1, myLhaGetVersionExist());
    EXPECT_EQ(1, myLhaGetRunningExist());
    EXPECT_EQ(0, myLhaSetCursorModeExist());
    EXPECT_EQ(0, IsArchiverDllFunctionFree());
}

TEST_F(Binding, FreeLeavesNothingLoadedAndNoAddress) {
    load();
    load();  // a second walk takes no second reference
    ASSERT_NE(nullptr, GetModuleHandleA("UNLHA32.DLL"));
    FreeArchiverDllFunction();
    EXPECT_EQ(nullptr, GetModuleHandleA("UNLHA32.DLL"));
    EXPECT_EQ(nullptr, GetModuleHandleA("CAB32.DLL"));
    EXPECT_EQ(1, IsArchiverDllFunctionFree());
    for (LONG row = 0; row < 2; ++row)
        for (LONG kind = 0; kind < 6; ++kind)
            for (Lookup f : kLookups) EXPECT_EQ(nullptr, f(row, kind)) << row << " " << kind;
    SetPackOrUnpack(0);
    EXPECT_EQ(0, myLhaGetVersionExist());
    EXPECT_EQ(1, IsArchiverActive(4));
}

TEST_F(Binding, VersionWalkAndMarkAllLoaded) {
    EXPECT_EQ(0, CheckArchiverDllFunction(nullptr, nullptr));
    SetPackOrUnpack(0);
    EXPECT_EQ(2, IsArchiverActive(2));  // the ish library tells its version
    EXPECT_NE(nullptr, funcGetVersion(0, 2));
    EXPECT_EQ(nullptr, funcArchiver(0, 4));
    SetOkForArchiverDllFunction();
    for (LONG kind = 0; kind < 6; ++kind) {
        EXPECT_EQ(2, IsArchiverActive(kind));
        EXPECT_EQ(8, IsCorrectArchiveVer(kind));
    }
}

TEST_F(Binding, MenuMarks) {
    load();
    MessageBoxRecorder boxes;
    boxes.answer(IDOK);
    IsArchiverVersionCorrect(nullptr, nullptr);
    HMENU menu = CreatePopupMenu();
    const char* texts[12] = {"Lha", "Zip", "Ish", "Cab *", "Tar ?", "Arj", "Lha", "Unzip", "Ish", "Cab", "&Tar", "Unarj"};
    for (UINT i = 0; i < 12; ++i) AppendMenuA(menu, MF_STRING, 100 + i, texts[i]);
    SetWinArchiverMenu(menu);
    const char* marked[12] = {"?Lha", "Zip", "Ish", "Cab !", "Tar ", "Arj", "?Lha", "Unzip", "Ish", "!Cab", "&Tar", "Unarj"};
    const bool grayed[12] = {false, true, true, false, false, true, false, true, true, false, false, true};
    for (UINT i = 0; i < 12; ++i) {
        char text[64];
        GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
        EXPECT_STREQ(marked[i], text) << i;
        EXPECT_EQ(grayed[i], (GetMenuState(menu, i, MF_BYPOSITION) & MF_GRAYED) != 0) << i;
    }
    SetOkForArchiverDllFunction();  // not checked: "*"
    SetWinArchiverMenu(menu);
    char text[64];
    GetMenuStringA(menu, 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ("*Lha", text);
    HMENU dos = CreatePopupMenu();
    for (int i = 0; i < 5; ++i) AppendMenuA(dos, MF_STRING, 200 + i, "item");
    AppendMenuA(dos, MF_POPUP, reinterpret_cast<UINT_PTR>(CreatePopupMenu()), "DOS");
    SetDosArchiverMenu(dos, 3);
    EXPECT_TRUE(GetMenuState(dos, 5, MF_BYPOSITION) & MF_GRAYED);
    SetDosArchiverMenu(dos, 0);
    EXPECT_FALSE(GetMenuState(dos, 5, MF_BYPOSITION) & MF_GRAYED);
    DestroyMenu(dos);
    DestroyMenu(menu);
}

TEST(ArchiveNames, WildcardsCycleThroughEveryList) {
    const std::vector<std::vector<std::string>> lists = {
        {"*.lzh"}, {"*.zip"}, {"*.ish"}, {"*.cab"}, {"*.tar", "*.taz", "*.tgz", "*.gz", "*.z", "*.bz2"}, {"*.arj"}};
    char out[32];
    for (LONG kind = 0; kind < 6; ++kind)
        for (int round = 0; round < 2; ++round) {
            const auto& want = lists[static_cast<size_t>(kind)];
            for (size_t i = 0; i < want.size(); ++i) {
                const LONG n = GetWildCardsByArchiveExt(out, kind);
                EXPECT_EQ(want[i], out) << kind;
                EXPECT_EQ(i + 1 == want.size() ? 0 : LONG(want[i].size()), n) << want[i];
            }
        }
    EXPECT_EQ(0, GetWildCardsByArchiveExt(out, 6));
    EXPECT_STREQ("", out);
}

TEST(ArchiveNames, ExtensionMatching) {
    struct Case {
        const char* extension;
        const char* list;
        LONG result;
    } cases[] = {
        {"TGZ", "tar;taz;tgz;gz;z;bz2", 1}, {"bz2", "tar;taz;tgz;gz;z;bz2", 1}, {"tar;gz", "tar;gz", 1},
        {"lzh", "tar;gz", 0}, {"ta", "tar", 0}, {"gz", "tar;;gz", -1}, {"gz", ";gz", -1}, {"tar", "tar;", -1},
        {"x", "", -1}, {"", "", 1},
    };
    for (const Case& c : cases) EXPECT_EQ(c.result, IsExtMatchedByArchiveExt(c.extension, c.list)) << c.list;
    EXPECT_EQ(1, IsExtMatchedByArchiveExt(sjis("ＡＢ").c_str(), sjis("表;ａｂ").c_str()));
    EXPECT_EQ(0, IsExtMatchedByArchiveExt(nullptr, "tar"));
}

TEST(ArchiveNames, NamesTextsAndStrings) {
    EXPECT_EQ(nullptr, GetAllArchiverName(0));
    EXPECT_STREQ("Lha", GetAllArchiverName(1));
    EXPECT_STREQ("DOS", GetAllArchiverName(8));
    EXPECT_EQ(nullptr, GetAllArchiverName(9));
    SetPackOrUnpack(1);
    EXPECT_STREQ("UnZip", GetArchiverName(1));
    EXPECT_STREQ("tar;taz;tgz;gz;z;bz2", GetArchiveExtName(4));
    EXPECT_EQ(sjis("既に UNLHA32.DLL が動作中です。"), GetUnlhaErrorString(0x801F));
    EXPECT_NE(nullptr, SaveArchiverHandle(nullptr, 31, "abc"));
    EXPECT_EQ(nullptr, SaveArchiverHandle(nullptr, 32, "abc"));
    EXPECT_STREQ("abc", LockArchiverHandle(31));
    UnlockArchiverHandle(31);
    FreeArchiverHandle();
    EXPECT_EQ(nullptr, LockArchiverHandle(31));
    LONG row = 0, type = 0;
    SetArchiverDllType(1, 7);
    EXPECT_EQ(1, GetArchiverDllType(&row, &type));
    EXPECT_EQ(7, type);
}
}  // namespace
