// Favourite folders and the folder history: the table and its menu, the
// start-up copy, the rewrites after deletions and renames (also when the
// file operations make them), the bounded history, and both dialogs driven
// under Xvfb.
#include <gtest/gtest.h>
#include <windows.h>
#include <set>
#include <string>
#include <vector>
#include "fileops/case_rule.h"
#include "fileops/delete.h"
#include "settings/favorites.h"
#include "support/dialog_script.h"
#include "support/message_box_recorder.h"
#include "support/sjis.h"
#include "support/temp_folder.h"

using namespace ferro_test;

namespace {
class Places : public ::testing::Test {
protected:
    void SetUp() override {
        TearDown(), EnableHistoryDirectory(1), DisableSaveInHistoryDirectory(0);
        SetFavoriteDirDeleted(SetFavoriteDirMovedInsideMenu(0));
    }
    void TearDown() override { FreeFavoriteMemory(), FreeHistoryDirectoryPointer(); }
    std::vector<std::string> table() {
        std::vector<std::string> out;
        for (LONG i = 0; i < kFavoriteSlots; ++i) {
            LPSTR text = OpenGlobalHandleForFavoriteDir(i);
            if (!text) break;
            out.emplace_back(text);
            CloseGlobalHandleForFavoriteDir(i);
        }
        return out;
    }
    TempFolder dir_;
};

// A popup menu as the host makes it: three fixed items, one the anchor.
HMENU favorite_popup() {
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, 100, "add");
    AppendMenuA(menu, MF_STRING, kFavoriteMenuAnchor, "list");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    return menu;
}

std::string item_text(HMENU menu, int position) {
    char buffer[1200] = "";
    GetMenuStringA(menu, static_cast<UINT>(position), buffer, sizeof buffer, MF_BYPOSITION);
    return buffer;
}
}  // namespace

// One entry per folder, at most 35; the start-up copy tells what changed.
TEST_F(Places, AddingKeepsOneEntryPerFolderAndAtMost35) {
    EXPECT_EQ(1, AddGlobalHandleForFavoriteDir(nullptr, "C:\\Work"));
    EXPECT_EQ(0, AddGlobalHandleForFavoriteDir(nullptr, "c:\\WORK"));
    EXPECT_EQ(1, IsFavoriteDirAlreadyThere("C:\\work"));
    EXPECT_EQ(2, AddFavoriteDir(nullptr, sjis("C:\\表>D:\\ソ").c_str(), '>'));
    EXPECT_EQ(sjis("C:\\表\tD:\\ソ"), table()[1]);
    for (int i = 2; i < kFavoriteSlots; ++i)
        EXPECT_EQ(i + 1, AddGlobalHandleForFavoriteDir(nullptr, ("C:\\f" + std::to_string(i)).c_str()));
    EXPECT_EQ(0, AddGlobalHandleForFavoriteDir(nullptr, "C:\\one too many"));
    EXPECT_EQ(kFavoriteSlots, GetTotalNumberOfFavoriteDir());
    EXPECT_EQ(nullptr, OpenGlobalHandleForFavoriteDir(kFavoriteSlots));
    // Saving at an index ends the list after it.
    EXPECT_EQ(1, SaveGlobalHandleForFavoriteDir(nullptr, 3, "C:\\three"));
    EXPECT_EQ(4, GetTotalNumberOfFavoriteDir());
    EXPECT_EQ(0, SaveGlobalHandleForFavoriteDir(nullptr, 35, "C:\\x"));
    EXPECT_EQ(0, AddGlobalHandleForFavoriteDir(nullptr, ""));
    // Changes against the start-up copy: other order and case are no change.
    for (LONG i = 0; i < 4; ++i) SaveGlobalHandleForFavoriteDirAtStarting(nullptr, i, table()[3 - i].c_str());
    EXPECT_EQ(0, IsFavoriteDirAltered());
    SaveGlobalHandleForFavoriteDir(nullptr, 3, "c:\\THREE");
    EXPECT_EQ(0, IsFavoriteDirAltered());
    AddGlobalHandleForFavoriteDir(nullptr, "C:\\c");
    EXPECT_EQ(1, IsFavoriteDirAltered());
    SaveGlobalHandleForFavoriteDir(nullptr, 3, "C:\\z");
    EXPECT_EQ(1, IsFavoriteDirAltered());
}

// Every entry's menu text, its accelerator (all 34 different: 24 to 33 are
// digits, not "H" to "Q" again), the tab shown as ">", and the table read
// back from the menu.
TEST_F(Places, MenuTextsAcceleratorsAndRecovery) {
    for (int i = 0; i < kFavoriteSlots; ++i) {
        const std::string entry = i == 7 ? sjis("C:\\表\tD:\\target") : "C:\\f" + std::to_string(i);
        ASSERT_EQ(i + 1, AddGlobalHandleForFavoriteDir(nullptr, entry.c_str()));
    }
    HMENU menu = favorite_popup();
    ASSERT_EQ(kFavoriteSlots, SetFavoriteDirectoriesInMenu(reinterpret_cast<HWND>(menu)));
    ASSERT_EQ(3 + kFavoriteSlots, GetMenuItemCount(menu));
    const std::pair<int, const char*> expected[] = {{0, "&C C:\\f0"}, {23, "&Z C:\\f23"}, {24, "&0 C:\\f24"},
                                                    {33, "&9 C:\\f33"}, {34, "  C:\\f34"}};
    for (const auto& e : expected) EXPECT_EQ(e.second, item_text(menu, 3 + e.first));
    EXPECT_EQ(sjis("&J C:\\表>D:\\target"), item_text(menu, 3 + 7));
    std::set<char> accelerators;
    for (int i = 0; i < 34; ++i) accelerators.insert(item_text(menu, 3 + i)[1]);
    EXPECT_EQ(34u, accelerators.size());
    EXPECT_EQ(kFavoriteCommand + 5, static_cast<LONG>(GetMenuItemID(menu, 3 + 5)));
    EXPECT_EQ(0, IsFavoriteDirDifferentWithMenu(menu));

    const std::vector<std::string> before = table();
    FreeFavoriteMemory();
    EXPECT_EQ(kFavoriteSlots, RecoverGlobalHandleForFavoriteDir(reinterpret_cast<HWND>(menu)));
    EXPECT_EQ(before, table());
    DeleteMenu(menu, 3 + 10, MF_BYPOSITION);
    EXPECT_EQ(1, IsFavoriteDirDifferentWithMenu(menu));
    DestroyMenu(menu);

    char text[] = "C:\\a\tD:\\b";
    EXPECT_EQ(text + 4, GetPointerForTgtFavoriteDirSign(text));
    EXPECT_STREQ("C:\\a>D:\\b", SetDisplayTgtFavoriteDirStartingSign(text));
    EXPECT_EQ(text + 4, GetDisplayPointerForTgtFavoriteDirSign(text));
    EXPECT_STREQ("C:\\a\tD:\\b", SetTgtFavoriteDirStartingSign(text));
    char shown[] = "  C:\\x";
    EXPECT_STREQ("C:\\x", GetFavoriteDirectoryName(shown, 34));
}

// Missing folders: the bits, the question, and the removal without a folder
// dropping the targets that are gone (not those that exist).
TEST_F(Places, MissingFoldersAndTargets) {
    const std::string here = dir_.folder(sjis("表"));
    const std::string there = dir_.folder("there");
    const std::string gone = dir_ / "gone";
    SaveGlobalHandleForFavoriteDir(nullptr, 0, (here + "\t" + there).c_str());
    AddGlobalHandleForFavoriteDir(nullptr, (here + "\t" + gone).c_str());
    AddGlobalHandleForFavoriteDir(nullptr, gone.c_str());
    char folder[520], target[520];
    EXPECT_EQ(3, GetDirectoryNameFromGlobalHandleForFavoriteDir(nullptr, folder, target, 0));
    EXPECT_EQ(here, folder);
    EXPECT_EQ(there, target);
    EXPECT_EQ(1, GetDirectoryNameFromGlobalHandleForFavoriteDir(nullptr, folder, target, 1));
    EXPECT_EQ(0, GetDirectoryNameFromGlobalHandleForFavoriteDir(nullptr, folder, target, 2));
    {
        ferro_test::MessageBoxRecorder boxes;
        boxes.answer(IDNO), boxes.answer(IDYES);
        EXPECT_EQ(0, GetDirectoryNameFromGlobalHandleForFavoriteDir(GetDesktopWindow(), folder, target, 2));
        EXPECT_EQ(-1, GetDirectoryNameFromGlobalHandleForFavoriteDir(GetDesktopWindow(), folder, target, 2));
        EXPECT_NE(std::string::npos, boxes.boxes().at(1).text.find(gone));
    }
    EXPECT_EQ(2, GetTotalNumberOfFavoriteDir());
    EXPECT_EQ(1, IsFavoriteDirDeleted());
    EXPECT_EQ(1, DeleteDirectoryNameInGlobalHandleForFavoriteDir(nullptr, nullptr));
    EXPECT_EQ((std::vector<std::string>{here + "\t" + there, here}), table());
}

// Removal and renaming by folder, and the same when the file operations
// delete a folder or rename one for case.
TEST_F(Places, EntriesFollowDeletionsAndRenames) {
    SaveGlobalHandleForFavoriteDir(nullptr, 0, "C:\\");
    AddGlobalHandleForFavoriteDir(nullptr, sjis("C:\\ソ\\sub").c_str());
    AddGlobalHandleForFavoriteDir(nullptr, sjis("C:\\ソ2").c_str());
    AddGlobalHandleForFavoriteDir(nullptr, sjis("C:\\x\tC:\\ソ\\deep").c_str());
    EXPECT_EQ(1, RenameDirectoryNameInGlobalHandleForFavoriteDir(nullptr, sjis("D:\\能").c_str(), sjis("C:\\ソ").c_str()));
    EXPECT_EQ((std::vector<std::string>{"C:\\", sjis("D:\\能\\sub"), sjis("C:\\ソ2"), sjis("C:\\x\tD:\\能\\deep")}), table());
    EXPECT_EQ(1, DeleteDirectoryNameInGlobalHandleForFavoriteDir(nullptr, sjis("D:\\能").c_str()));
    EXPECT_EQ((std::vector<std::string>{"C:\\", sjis("C:\\ソ2"), "C:\\x"}), table());
    EXPECT_EQ(1, DeleteDirectoryNameInGlobalHandleForFavoriteDir(nullptr, "C:\\"));
    EXPECT_EQ((std::vector<std::string>{"C:\\"}), table());

    // Through the file operations.
    const std::string a = dir_.folder("abc\\inner");
    const std::string gone = dir_.folder(sjis("消す表\\below"));
    FreeFavoriteMemory();
    AddGlobalHandleForFavoriteDir(nullptr, a.c_str());
    AddGlobalHandleForFavoriteDir(nullptr, gone.c_str());
    SaveHistoryDirectory(nullptr, a.c_str());
    SaveHistoryDirectory(nullptr, gone.c_str());
    EXPECT_EQ(1, RenameTgtfileIfCaseSensitive((dir_ / "abc").c_str(), (dir_ / "abc").c_str(), 0x8));
    EXPECT_EQ(dir_ / "ABC\\inner", table()[0]);
    LONG stop = 0;
    DelWild(nullptr, &stop, kWildDelete | kWildFolders | kWildDescend | kWildSelf, nullptr, (dir_ / sjis("消す表")).c_str(),
            "*.*", nullptr);
    ASSERT_FALSE(ferro_test::exists(dir_ / sjis("消す表")));
    EXPECT_EQ((std::vector<std::string>{dir_ / "ABC\\inner"}), table());
    EXPECT_EQ(0, IsPrevHistoryDirectoryEnable() + IsNextHistoryDirectoryEnable());  // one node left
}

TEST_F(Places, HistoryBackAndForward) {
    const char* visits[] = {"C:\\one", "C:\\two", "C:\\TWO", "C:\\three", "C:\\four"};
    for (const char* v : visits) SaveHistoryDirectory(nullptr, v);
    char folder[520];
    EXPECT_EQ(1, IsPrevHistoryDirectoryEnable());
    EXPECT_EQ(0, IsNextHistoryDirectoryEnable());
    // Back twice and forward once: the second newest; then back to the oldest and past it.
    const struct { int step; LONG moved; const char* folder; } walk[] = {{-1, 1, "C:\\three"}, {-1, 1, "C:\\two"}, {1, 1, "C:\\three"}, {-1, 1, "C:\\two"}, {-1, 1, "C:\\one"}, {-1, 0, ""}};
    for (const auto& w : walk) {
        EXPECT_EQ(w.moved, w.step < 0 ? GetPrevHistoryDirectory(folder) : GetNextHistoryDirectory(folder));
        EXPECT_STREQ(w.folder, folder);
    }
    EXPECT_EQ(0, IsPrevFolderThere());
    EXPECT_EQ(1, IsNextFolderThere(0));
    // The newest again: no second node.
    HistoryNode* head = SaveHistoryDirectory(nullptr, "C:\\new");
    EXPECT_EQ(head, SaveHistoryDirectory(nullptr, "c:\\NEW"));
    EXPECT_STREQ("C:\\new", static_cast<char*>(GlobalLock(head->folder)));
    GlobalUnlock(head->folder);
    EXPECT_EQ(head, static_cast<HistoryNode*>(GlobalLock(head->self)));
    GlobalUnlock(head->self);
    // Switches.
    DisableSaveInHistoryDirectory(5);
    EXPECT_EQ(reinterpret_cast<HistoryNode*>(5), SaveHistoryDirectory(nullptr, "C:\\other"));
    DisableSaveInHistoryDirectory(0);
    EnableHistoryDirectory(0);
    EXPECT_EQ(nullptr, SaveHistoryDirectory(nullptr, "C:\\other"));
    EnableHistoryDirectory(1);
    // Deleting and renaming folders: their subfolders go or follow; a root stays.
    SaveHistoryDirectory(nullptr, "C:\\");
    SaveHistoryDirectory(nullptr, sjis("C:\\表\\sub").c_str());
    SaveHistoryDirectory(nullptr, sjis("C:\\表x").c_str());
    EXPECT_EQ(1, RenameInHistoryDirectory(nullptr, "D:\\moved", sjis("C:\\表").c_str()));
    EXPECT_EQ(1, GetPrevHistoryDirectory(folder));
    EXPECT_STREQ("D:\\moved\\sub", folder);
    EXPECT_EQ(1, DeleteInHistoryDirectory("D:\\moved"));
    EXPECT_EQ(0, IsPrevHistoryDirectoryEnable());  // the current node went
    EXPECT_EQ(6, DeleteInHistoryDirectory("C:\\"));
    EXPECT_EQ(nullptr, SaveHistoryDirectory(nullptr, std::string(520, 'a').c_str()));
}

// 10,000 visits keep the newest kHistoryLimit folders.
TEST_F(Places, HistoryOf10000VisitsIsBounded) {
    for (int i = 0; i < 10000; ++i) ASSERT_NE(nullptr, SaveHistoryDirectory(nullptr, ("C:\\v" + std::to_string(i)).c_str()));
    char folder[520] = "";
    int steps = 0;
    while (GetPrevHistoryDirectory(folder)) ++steps;
    EXPECT_EQ(kHistoryLimit - 1, steps);
    GetNextHistoryDirectory(folder);
    EXPECT_EQ("C:\\v" + std::to_string(10000 - kHistoryLimit + 1), folder);
    EXPECT_EQ(kHistoryLimit, DeleteInHistoryDirectory("C:\\"));
}

// The favourite list dialog: an entry moved up, one removed, the current
// folder with its target added; the table and the menu follow. Then the
// history dialog.
TEST_F(Places, FavoriteListAndHistoryDialogs) {
    for (const char* e : {"C:\\a", "C:\\b", "C:\\c"}) AddGlobalHandleForFavoriteDir(nullptr, e);
    HMENU menu = favorite_popup();
    SetFavoriteDirectoriesInMenu(reinterpret_cast<HWND>(menu));
    const INT_PTR result = run_dialog_script(2700,
        {select_item(2700, 1), click(2703), select_item(2700, 2), click(2702), click(2701),
         screenshot("favorite_list.bmp"), click(IDOK)},
        [] { return OpenFavoriteDirListDialog(nullptr, sjis("C:\\表").c_str(), "D:\\t"); });
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ((std::vector<std::string>{"C:\\b", "C:\\a", sjis("C:\\表\tD:\\t")}), table());
    EXPECT_EQ(1, IsFavoriteDirMovedInsideMenu());
    EXPECT_EQ(1, IsFavoriteDirDeleted());
    EXPECT_EQ(sjis("&E C:\\表>D:\\t"), item_text(menu, 5));
    // Cancel leaves the table.
    EXPECT_EQ(IDCANCEL, run_dialog_script(2700, {click(2702), click(IDCANCEL)}, [] { return OpenFavoriteDirListDialog(nullptr, nullptr, nullptr); }));
    EXPECT_EQ(3, GetTotalNumberOfFavoriteDir());
    DestroyMenu(menu);
    // The history dialog: the folder chosen becomes current.
    for (const char* v : {"C:\\one", "C:\\two", "C:\\three"}) SaveHistoryDirectory(nullptr, v);
    char chosen[520] = "x";
    EXPECT_EQ(IDOK, run_dialog_script(2710, {select_item(2710, 2), click(IDOK)},
                                      [&] { return OpenHistoryFoldersDialog(nullptr, chosen, 10, 10, 0, 0); }));
    EXPECT_STREQ("C:\\one", chosen);
    EXPECT_EQ(0, IsPrevHistoryDirectoryEnable() * 10 + 1 - IsNextHistoryDirectoryEnable());
}
