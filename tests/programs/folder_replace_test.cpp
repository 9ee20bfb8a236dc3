// The folder replacement inside shortcuts: the rules on single texts (read
// back from a simulation), and the batch over a tree of 200 shortcuts through
// the delete walk's shortcut mode, with its report, its failures and a stop
// halfway.
#include "link_fixture.h"
#include <cstring>
#include <vector>
#include "fileops/delete.h"
#include "frame/message_pump.h"
#include "programs/error_report.h"

using namespace link_test;
using ferro_test::read_file;
using ferro_test::sjis;
using ferro_test::utf8;

namespace {
// The target as stored (UTF-8), the texts, the conditions, the target after ("" = unchanged).
struct Rule { const char *text, *old_text, *new_text; LONG conditions; const char* expected; };

constexpr LONG kFolder = kMatchFolderUnit | kMatchAllFolderUnit;
const Rule kRules[] = {
    {"c:\\directory\\subdirectory\\directory", "c:\\directory", "W:\\XYZ", kMatchFront | kFolder,
     "W:\\XYZ\\subdirectory\\directory"},
    {"c:\\directoryroot\\subdirectory\\directory", "c:\\directory", "W:\\XYZ", kMatchFront, "W:\\XYZroot\\subdirectory\\directory"},
    {"c:\\directoryroot\\subdirectory\\directory", "c:\\directory", "W:\\XYZ", kMatchFront | kFolder, ""},
    {"c:\\directory\\subdirectory\\subdirectory", "subdirectory", "XYZ", kMatchEnd | kFolder, "c:\\directory\\subdirectory\\XYZ"},
    {"c:\\directory\\subdirectory\\subdirectory", "directory", "XYZ", kMatchEnd, "c:\\directory\\subdirectory\\subXYZ"},
    {"c:\\directory\\subdirectory\\xdir", "dir", "XYZ", kMatchEnd, "c:\\directory\\subdirectory\\xXYZ"},
    {"c:\\directory\\subdirectory\\xdir", "dir", "XYZ", kMatchEnd | kFolder, ""},
    {"c:\\dir\\subdirs\\dir", "dir", "XYZ", kMatchAll, "c:\\XYZ\\subXYZs\\XYZ"},
    {"c:\\directory\\subdirectory\\directory", "dir", "XYZ", kMatchAll, "c:\\XYZectory\\subXYZectory\\XYZectory"},
    {"c:\\directory\\subdirectory\\directory", "directory", "XYZ", kMatchAll | kFolder, "c:\\XYZ\\subdirectory\\XYZ"},
    {"c:\\DIR\\Dir\\dir", "dir", "x", kMatchAll, "c:\\x\\x\\x"},                  // without case
    {"c:\\DIR\\Dir\\dir", "dir", "x", kMatchAll | kMatchCase, "c:\\DIR\\Dir\\x"},  // with case
    {"c:\\表sub\\x", "\\sub", "\\NEW", kMatchAll, ""},           // the trail byte of 表 is no yen mark
    {"c:\\表\\sub", "\\sub", "\\NEW", kMatchAll, "c:\\表\\NEW"},
    {"c:\\ソフト\\表", "ソフト", "能力", kMatchAll | kFolder, "c:\\能力\\表"},
    {"c:\\x\\表", "\\", "/", kMatchEnd, ""},                      // the end candidate is a trail byte
    {"c:\\short", "c:\\much\\longer\\than\\the\\text", "x", kMatchFront, ""},
};
}  // namespace

// Each rule, read back from a simulation, which leaves the shortcut as it was.
TEST_F(LinkTest, FolderReplacementRules) {
    const std::string link = dir_ / "rule.lnk";
    for (const Rule& r : kRules) {
        SCOPED_TRACE(std::string(r.text) + " / " + r.old_text);
        ASSERT_EQ(S_OK, platform_link(link, sjis(r.text)));
        const std::string before = read_file(link);
        ASSERT_EQ(1, SetOldAndNewDirectoryForShortCut(sjis(r.old_text).c_str(), sjis(r.new_text).c_str()));
        SearchConditionsForShortCut(r.conditions);
        char target[520] = "";
        EXPECT_EQ(0, GetItemsForShortCut(nullptr, link.c_str(), kReplaceMode | kReplaceSimulate, target, nullptr,
                                         nullptr, nullptr));
        EXPECT_EQ(*r.expected ? 1 : 0, IsReplaceDirectoryNameDone());
        EXPECT_EQ(std::string(*r.expected ? r.expected : r.text), utf8(target));
        EXPECT_EQ(before, read_file(link));
    }
    ReleaseOutputFileMemoryHandle();
    // The argument string is searched only on request, and never without a yen mark under 0x10.
    ASSERT_EQ(S_OK, platform_link(link, "c:\\dir\\a.exe", "-c dir -x subdir"));
    SetOldAndNewDirectoryForShortCut("dir", "XYZ");
    for (LONG arguments : {0, 1}) {
        ReplaceItemOfOptionForShortCut(arguments);
        for (LONG yen_only : {0L, static_cast<LONG>(kMatchYenOnly)}) {
            SearchConditionsForShortCut(kMatchAll | yen_only);
            char got[520] = "";
            GetItemsForShortCut(nullptr, link.c_str(), kReplaceMode | kReplaceSimulate, nullptr, nullptr, got, nullptr);
            EXPECT_STREQ(arguments && !yen_only ? "-c XYZ -x subXYZ" : "-c dir -x subdir", got);
        }
    }
    ReplaceItemOfOptionForShortCut(0);
    EXPECT_EQ(0, SetOldAndNewDirectoryForShortCut(std::string(260, 'a').c_str(), nullptr));  // too long
    ReleaseOutputFileMemoryHandle();
}

namespace {
struct Tree { std::vector<std::string> into_old, elsewhere, read_only; std::string locked; };

// `count` shortcuts in ten folders below `root`: every third one points
// elsewhere, the others into `old` (a target, its working folder and its
// icon); every seventh of those is read-only.
Tree make_tree(const ferro_test::TempFolder& dir, const std::string& root, const std::string& old, int count) {
    Tree tree;
    const std::string other = dir.folder("other");
    for (int i = 0; i < count; ++i) {
        const std::string folder = dir.folder(root + "\\" + sjis("ソ") + std::to_string(i % 10));
        const std::string link = folder + "\\" + sjis("表") + std::to_string(i) + ".lnk";
        const bool mine = i % 3 != 0, read_only = mine && i % 7 == 1;
        const std::string n = std::to_string(i);
        const std::string target = mine ? old + "\\" + sjis("能") + "\\t" + n + ".exe" : other + "\\t" + n + ".exe";
        EXPECT_EQ(S_OK, platform_link(link, target, "-x", mine ? old : other, mine ? target : "", 1));
        if (read_only) SetFileAttributesA(link.c_str(), FILE_ATTRIBUTE_READONLY);
        (mine ? (read_only ? tree.read_only : tree.into_old) : tree.elsewhere).push_back(link);
    }
    return tree;
}

std::string target_of(const std::string& link) {
    char path[520];
    std::strcpy(path, link.c_str());
    SetNoResolveTechnique(1);
    const LONG result = GetLnkExeName(nullptr, path, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    SetNoResolveTechnique(0);
    return result & ~kLinkIconMissing ? std::string("unreadable") : std::string(path);
}

LONG run_batch(const std::string& root, const std::string& old, const std::string& now, LONG simulate = 0) {
    SetOldAndNewDirectoryForShortCut(old.c_str(), now.c_str());
    SearchConditionsForShortCut(kMatchFront | kFolder);
    SetSomeAreReplacedAtShortcut(0);
    LONG stop = 0;
    return DelWild(nullptr, &stop, kWildShortcuts | kWildDescend | simulate, nullptr, root.c_str(), "*.lnk", nullptr);
}
}  // namespace

// 200 shortcuts: those into the old folder are rewritten (target, working
// folder, icon), the others stay byte for byte; read-only and locked ones
// fail and the report says so; the report names exactly the changed and
// failed ones.
TEST_F(LinkTest, BatchReplacementOverATreeOf200Shortcuts) {
    const std::string old = dir_.folder(sjis("旧ソ"));
    const std::string now = dir_ / sjis("新表");
    Tree tree = make_tree(dir_, "tree", old, 200);
    tree.locked = tree.into_old.back();
    tree.into_old.pop_back();
    std::vector<std::string> untouched_bytes;
    for (const std::string& link : tree.elsewhere) untouched_bytes.push_back(read_file(link));
    const std::string read_only_bytes = read_file(tree.read_only.front());
    HANDLE lock = CreateFileA(tree.locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, lock);
    ReleaseOutputFileMemoryHandle();

    // A simulation changes nothing but reports.
    const std::string sample = read_file(tree.into_old.front());
    run_batch(dir_ / "tree", old, now, kWildSimulate);
    EXPECT_EQ(sample, read_file(tree.into_old.front()));
    ASSERT_NE(nullptr, GetOutputFileList());
    EXPECT_NE(std::string::npos, std::string(GetOutputFileList()).find(sjis("[ｼﾐｭﾚｰｼｮﾝ]")));
    ReleaseOutputFileMemoryHandle();

    const LONG result = run_batch(dir_ / "tree", old, now);
    CloseHandle(lock);
    EXPECT_TRUE(IsReturnedValueHitForDeleteOperation(result, -kDeleteReplaced));
    EXPECT_TRUE(IsReturnedValueHitForDeleteOperation(result, -kDeleteFailed));
    EXPECT_EQ(1, GetSomeAreReplacedAtShortcut());
    for (std::size_t i = 0; i < tree.elsewhere.size(); ++i) EXPECT_EQ(untouched_bytes[i], read_file(tree.elsewhere[i]));
    EXPECT_EQ(read_only_bytes, read_file(tree.read_only.front()));
    for (const std::string& link : tree.into_old) EXPECT_EQ(0u, target_of(link).find(now + "\\")) << utf8(link);
    auto info = lnkinfo(tree.into_old.front());
    EXPECT_EQ(utf8(now), info["Working directory"]) << info["raw"];
    EXPECT_EQ(0u, info["Icon location"].find(utf8(now))) << info["raw"];

    const std::string report = GetOutputFileList() ? GetOutputFileList() : "";
    tree.into_old.insert(tree.into_old.end(), tree.read_only.begin(), tree.read_only.end());
    tree.into_old.push_back(tree.locked);
    for (const std::string& link : tree.into_old) EXPECT_NE(std::string::npos, report.find(link)) << utf8(link);
    for (const std::string& link : tree.elsewhere) EXPECT_EQ(std::string::npos, report.find(link)) << utf8(link);
    EXPECT_NE(std::string::npos, report.find(sjis("ｼｮｰﾄｶｯﾄﾌｧｲﾙの書き込みに失敗しました。")));
    EXPECT_EQ(std::string::npos, report.find(".tmp"));
    ReleaseOutputFileMemoryHandle();
}

namespace {
LONG g_trap_calls = 0;
LRESULT CALLBACK stop_after_some(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_APP && ++g_trap_calls == 4) SetStopExecutingFlag(1);
    return DefWindowProcA(window, message, wparam, lparam);
}
}  // namespace

// Stopped halfway: each shortcut is either the old one or the new one, all
// readable, and no temporary file is left behind.
TEST_F(LinkTest, BatchStoppedHalfwayLeavesWholeShortcuts) {
    const std::string old = dir_.folder("old");
    const std::string now = dir_ / "new";
    Tree tree = make_tree(dir_, "half", old, 90);
    WNDCLASSA wc = {0, stop_after_some, 0, 0, GetModuleHandleA(nullptr), nullptr, nullptr, nullptr, nullptr, "FerroStop"};
    RegisterClassA(&wc);
    HWND trap = CreateWindowA("FerroStop", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    g_trap_calls = 0;
    SetWindowDlgForTrapMessage(trap, WM_APP, 0, 0);
    const LONG result = run_batch(dir_ / "half", old, now);
    SetWindowDlgForTrapMessage(nullptr, 0, 0, 0);
    DestroyWindow(trap);
    EXPECT_TRUE(IsReturnedValueHitForDeleteOperation(result, -kDeleteStopped));
    int changed = 0, kept = 0;
    for (const std::string& link : tree.into_old) {
        const std::string target = target_of(link);
        changed += target.find(now + "\\") == 0, kept += target.find(old + "\\") == 0;
    }
    EXPECT_EQ(tree.into_old.size(), static_cast<std::size_t>(changed + kept));
    EXPECT_GT(changed, 0);
    EXPECT_GT(kept, 0);
    WIN32_FIND_DATAA found;
    for (int i = 0; i < 10; ++i)  // no temporary file left
        EXPECT_EQ(INVALID_HANDLE_VALUE, FindFirstFileA((dir_ / ("half\\" + sjis("ソ") + std::to_string(i) + "\\*.tmp")).c_str(), &found));
    ReleaseOutputFileMemoryHandle();
}
