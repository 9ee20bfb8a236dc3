#include <gtest/gtest.h>
#include <windows.h>
#include <functional>
#include <set>
#include <string>
#include <vector>
#include "delete_fixture.h"
#include "fileops/copy.h"
#include "fileops/folders.h"
#include "frame/error_state.h"
#include "listing/listing_store_fixture.h"  // a window that runs a handler
#include "support/share_link.h"

using delete_test::bits;
using delete_test::message;
using delete_test::report;
using ferro_test::exists;
using ferro_test::MessageBoxRecorder;
using ferro_test::TempFolder;

namespace {
// Every name below a folder, sub-folders with a final yen mark.
std::set<std::string> tree(const std::string& folder, const std::string& prefix = "") {
    std::set<std::string> out;
    WIN32_FIND_DATAA r;
    HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &r);
    if (h == INVALID_HANDLE_VALUE) return out;
    do {
        const std::string name = r.cFileName;
        if (name == "." || name == "..") continue;
        if (r.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            out.insert(prefix + name + "\\");
            if (!(r.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                for (const auto& inner : tree(folder + "\\" + name, prefix + name + "\\")) out.insert(inner);
        } else {
            out.insert(prefix + name);
        }
    } while (FindNextFileA(h, &r));
    FindClose(h);
    return out;
}

// Runs `action` while the synchronisation pumps its first message (another
// program acting during the run).
struct DuringTheRun {
    explicit DuringTheRun(std::function<void()> action)
        : window([this, action](HWND, UINT) {
              ran = true;
              action();
          }) {
        PostMessageA(window.hwnd(), WM_APP, 0, 0);
    }
    bool ran = false;
    listing_test::HandlerWindow window;
};

// A first folder A and a second folder B: B holds what A holds and more.
class SyncTest : public delete_test::DeleteTest {
protected:
    void SetUp() override {
        DeleteTest::SetUp();
        for (const char* name : {"keep.txt", "Keep2.TXT", "dir\\in.txt"}) tmp_.file(std::string("A\\") + name, "a");
        for (const char* name : {"keep.txt", "KEEP2.txt", "dir\\in.txt", "extra.txt", "other.dat",
                                 "extradir\\inner.txt", "extradir\\sub\\x"})
            tmp_.file(std::string("B\\") + name, "b");
        delete_test::make_read_only(tmp_ / "B\\extra.txt");
        delete_test::make_read_only(tmp_ / "B\\extradir\\inner.txt");
        before_ = tree(b());
    }
    void TearDown() override {
        SetSynchronizeFolders(0);
        DeleteTest::TearDown();
    }
    std::string a() const { return tmp_ / "A"; }
    std::string b() const { return tmp_ / "B"; }
    LONG sync(const std::string& first, const std::string& second, LONG word = kSyncFiles | kSyncFolders) {
        SetSynchronizeFolders(word);
        SetReturnedValueForDeleteOperation(0);
        DeleteExtraFilesInSecondFolderNotInTheFirstFolder(first.c_str(), second.c_str());
        return IsReturnedValueHitForDeleteOperation(0, 0);
    }
    TempFolder tmp_;
    std::set<std::string> before_;
};

std::set<std::string> without(std::set<std::string> all, const std::vector<std::string>& gone) {
    for (const auto& g : gone) all.erase(g);
    return all;
}
}  // namespace

// ---- What is deleted
TEST_F(SyncTest, ExtraEntriesGoByTheWordTheSelectionAndTheNameList) {
    const std::vector<std::string> extra_dir = {"extradir\\", "extradir\\inner.txt", "extradir\\sub\\",
                                                "extradir\\sub\\x"};
    struct Row {
        const char* what;
        LONG word, selection;
        std::vector<const char*> names;
        std::vector<std::string> gone;
        LONG result;
    } rows[] = {
        {"files only", kSyncFiles, 0, {}, {"extra.txt", "other.dat"}, 0x2 | 0x4},
        {"folders only", kSyncFolders, 0, {}, extra_dir, 0x2 | 0x8},
        {"files selected", kSyncFiles | kSyncFolders, 0x100, {}, {"extra.txt", "other.dat"}, 0x2 | 0x4},
        // The files inside an extra folder are not selected: it cannot be emptied.
        {"folders selected", kSyncFiles | kSyncFolders, 0x200, {}, {}, 0x10},
        {"name list", kSyncFiles, 0, {"OTHER.DAT", nullptr}, {"other.dat"}, 0x2 | 0x4},
    };
    for (const Row& row : rows) {
        ferro_test::remove_tree(b());
        SetUp();
        std::vector<LPSTR> names;
        for (const char* n : row.names) names.push_back(const_cast<LPSTR>(n));
        SetMultipleFilesForDeleting(names.empty() ? nullptr : names.data(), nullptr);
        SetDlgBoxItemsForDeleting(nullptr, 0, 0, 0, 0, nullptr, nullptr, row.selection);
        EXPECT_EQ(bits(sync(a(), b(), row.word)), row.result) << row.what;
        EXPECT_EQ(tree(b()), without(before_, row.gone)) << row.what << ": names in A in another case stay";
        TearDown();
    }
}

TEST_F(SyncTest, ItWorksOnAShareAndThroughTheRecycleBin) {
    auto share = ferro_test::WineLink::share("ferrosrv", "sync", b());
    ASSERT_TRUE(share.ok());
    SetTrashActivated(1, 0);
    EXPECT_EQ(bits(sync(a(), "\\:\\WG\\FERROSRV\\SYNC")), 0x2 | 0x4 | 0x8);
    EXPECT_EQ(tree(b()), (std::set<std::string>{"keep.txt", "KEEP2.txt", "dir\\", "dir\\in.txt"}));
}

// ---- What is never deleted
TEST_F(SyncTest, AFirstFolderThatIsNotThereDeletesNothingAndSaysWhy) {
    tmp_.file("afile", "x");
    for (const std::string& first : {std::string(), tmp_ / "missing", tmp_ / "afile"}) {
        MessageBoxRecorder boxes;
        boxes.answer(IDOK);
        ReleaseOutputFileMemoryHandle();
        EXPECT_EQ(bits(sync(first, b())), 0x400) << first;
        EXPECT_EQ(tree(b()), before_) << first;
        ASSERT_EQ(boxes.boxes().size(), 1u) << first;
        EXPECT_EQ(boxes.boxes()[0].caption, message(8117));
        EXPECT_NE(boxes.boxes()[0].text.find(message(9012)), std::string::npos);
        EXPECT_NE(report().find(ferro_test::sjis("同期による削除")), std::string::npos);
    }
    MessageBoxRecorder boxes;
    boxes.answer(IDOK);
    DeleteExtraFilesInSecondFolderNotInTheFirstFolder(nullptr, b().c_str());  // the word is still set
    EXPECT_EQ(tree(b()), before_);
    SetLanguage(0);
    ReleaseOutputFileMemoryHandle();
    boxes.answer(IDOK);
    sync(tmp_ / "missing", b());
    EXPECT_NE(report().find("Delete operation by synchronizing files/floders"), std::string::npos);
}

TEST_F(SyncTest, FoldersInsideEachOtherKeepWhatTheFirstHolds) {
    // The first folder lies inside an extra folder of the second.
    const std::string inner = tmp_.folder("B\\extradir\\sub\\first");
    tmp_.file("B\\extradir\\sub\\first\\mine.txt", "m");
    EXPECT_EQ(bits(sync(inner, b(), kSyncFolders)), 0x2 | 0x8) << "dir goes, extradir holds the first folder";
    EXPECT_TRUE(exists(inner + "\\mine.txt"));
    EXPECT_FALSE(exists(b() + "\\dir"));
    // Spelled through a share, it is still found inside.
    auto share = ferro_test::WineLink::share("ferrosrv", "nest", b());
    ASSERT_TRUE(share.ok());
    EXPECT_EQ(bits(sync("\\\\FERROSRV\\NEST\\extradir\\sub\\first", b(), kSyncFolders)), 0);
    EXPECT_TRUE(exists(inner + "\\mine.txt"));
    // The second folder inside the first, or the same folder: all of it is the first's.
    const auto all = tree(tmp_.path());
    EXPECT_EQ(bits(sync(tmp_.path(), b())), 0x400);
    EXPECT_EQ(bits(sync(b(), b())), 0);
    EXPECT_EQ(bits(sync(b(), "\\\\FERROSRV\\NEST")), 0);
    EXPECT_EQ(tree(tmp_.path()), all);
}

TEST_F(SyncTest, AFirstFolderThatGoesAwayDuringTheRunStopsIt) {
    MessageBoxRecorder boxes;
    boxes.answer(IDOK);
    DuringTheRun rename([&] { MoveFileA(a().c_str(), (tmp_ / "A2").c_str()); });
    EXPECT_EQ(bits(sync(a(), b())), 0x400);
    EXPECT_TRUE(rename.ran);
    EXPECT_EQ(tree(b()), before_) << "nothing the first folder had is lost";
    EXPECT_EQ(boxes.boxes().size(), 1u);
    // A folder of the same name made in its place is another folder.
    MoveFileA((tmp_ / "A2").c_str(), a().c_str());
    boxes.answer(IDOK);
    DuringTheRun replace([&] {
        MoveFileA(a().c_str(), (tmp_ / "A2").c_str());
        CreateDirectoryA(a().c_str(), nullptr);
    });
    EXPECT_EQ(bits(sync(a(), b())), 0x400);
    EXPECT_EQ(tree(b()), before_);
}

TEST_F(SyncTest, AStopEndsTheRunAndIsReported) {
    DuringTheRun stop([] { SetStopExecutingFlag(1); });
    EXPECT_EQ(bits(sync(a(), b())), 0x1000);
    EXPECT_EQ(tree(b()), before_);
    EXPECT_EQ(IsStopExecutingFlag(), 0) << "the flag is cleared after the run";
}

TEST_F(SyncTest, NamesTheCodePageCannotSpellAndLinksAreKept) {
    // A name with a snowman: the search gives it with "_" in its place.
    const std::string first = a(), second = b();  // ASCII: widened byte by byte
    const std::wstring wa = std::wstring(first.begin(), first.end()) + L"\\s\u2603w";
    const std::wstring wb = std::wstring(second.begin(), second.end()) + L"\\s\u2603w";
    const std::wstring only_b = std::wstring(second.begin(), second.end()) + L"\\o\u2603n";
    for (const std::wstring& name : {wa, wb, only_b})
        CloseHandle(CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    // A link to one of the first folder's own folders.
    tmp_.file("A\\target\\precious.txt", "p");
    ASSERT_TRUE(ferro_test::make_folder_link(a() + "\\target", b() + "\\link"));
    EXPECT_TRUE(bits(sync(a(), b())) & 0x400);
    EXPECT_NE(GetFileAttributesW(wb.c_str()), INVALID_FILE_ATTRIBUTES) << "the same name in A: kept";
    EXPECT_NE(GetFileAttributesW(only_b.c_str()), INVALID_FILE_ATTRIBUTES) << "it cannot be named: kept";
    EXPECT_TRUE(exists(b() + "\\link"));
    EXPECT_NE(report(), "");
    // A link inside an extra folder: the folder is not emptied.
    tmp_.folder("B\\holder");
    ASSERT_TRUE(ferro_test::make_folder_link(a() + "\\target", b() + "\\holder\\link"));
    EXPECT_TRUE(bits(sync(a(), b())) & 0x10);
    EXPECT_TRUE(exists(b() + "\\holder\\link"));
    EXPECT_TRUE(exists(a() + "\\target\\precious.txt")) << "nothing behind a link is touched";
}

// ---- The copy loop to and from a share
TEST(ShareCopy, FilesAreCopiedToAndFromAShareInBothForms) {
    TempFolder tmp;
    tmp.file("local.txt", "payload");
    auto share = ferro_test::WineLink::share("ferrocopy", "data", tmp.folder("shared"));
    ASSERT_TRUE(share.ok());
    std::string from = tmp / "local.txt", to = "\\\\FERROCOPY\\DATA\\up.txt";
    EXPECT_EQ(myOrgCopyFile(nullptr, from.data(), to.data(), 0, 0), 0);
    EXPECT_EQ(ferro_test::read_file(tmp / "shared\\up.txt"), "payload");
    from = "\\:\\WG\\FERROCOPY\\DATA\\up.txt";
    to = tmp / "down.txt";
    EXPECT_EQ(myOrgCopyFile(nullptr, from.data(), to.data(), 0, 0), 0);
    EXPECT_EQ(ferro_test::read_file(tmp / "down.txt"), "payload");
}
