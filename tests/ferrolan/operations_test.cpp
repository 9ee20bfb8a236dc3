// The file operations as a user does them: marks with keys and the mouse,
// the function keys, the host's questions answered, the results read from
// the panes and the file system.
#include "window_host_fixture.h"
#include <commctrl.h>
#include "listing/selection.h"
#include "operations.h"
#include "output_window.h"
#include "support/sjis.h"

using namespace ferro_test;

namespace {
constexpr int kInputEdit = 101;

class Operations : public WindowHost {
protected:
    void SetUp() override {
        WindowHost::SetUp();
        left = temp.folder("left");
        right = temp.folder("right");
    }
    std::string left, right;
    std::string status(int side) {
        char text[256] = {};
        GetWindowTextA(app_->pane(side).control(ferrolan::Pane::kStatus), text, sizeof text);
        return text;
    }
};

void set_time(const std::string& path, WORD year) {
    SYSTEMTIME st = {year, 1, 0, 1, 12, 0, 0, 0};
    FILETIME ft;
    SystemTimeToFileTime(&st, &ft);
    HANDLE h = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    SetFileTime(h, nullptr, nullptr, &ft);
    CloseHandle(h);
}

TEST_F(Operations, SortsByNameExtensionSizeAndDate) {
    set_time(temp.file("left\\b.txt", std::string(30, 'b')), 2020);
    set_time(temp.file("left\\a.doc", std::string(10, 'a')), 2022);
    set_time(temp.file("left\\c.bin", std::string(20, 'c')), 2021);
    start(left, right);
    const struct {
        ferrolan::Command command;
        std::vector<std::string> order;
    } rows[] = {
        {ferrolan::kCmdSortExtension, {"c.bin", "a.doc", "b.txt"}},
        {ferrolan::kCmdSortSize, {"a.doc", "c.bin", "b.txt"}},
        {ferrolan::kCmdSortDate, {"b.txt", "c.bin", "a.doc"}},
        {ferrolan::kCmdSortReverse, {"a.doc", "c.bin", "b.txt"}},
        {ferrolan::kCmdSortName, {"c.bin", "b.txt", "a.doc"}},  // still reversed
        {ferrolan::kCmdSortReverse, {"a.doc", "b.txt", "c.bin"}},
    };
    for (const auto& row : rows) {
        command(row.command);
        const std::vector<std::string> all = items(0);
        EXPECT_EQ(row.order, std::vector<std::string>(all.begin() + 2, all.end())) << row.command;
    }
    shot("ferrolan-sorted-by-name");
}

TEST_F(Operations, MarkThreeFilesAndCopyThemWithF5) {
    for (const char* name : {"a.txt", "b.txt", "c.txt", "d.txt"})
        temp.file(std::string("left\\") + name, std::string(1000, name[0]) + sjis("表ソ"));
    start(left, right);
    click(0, "a.txt");
    key(0, VK_SPACE);                // marks a.txt, the cursor goes to b.txt
    key(0, VK_SPACE);                // marks b.txt
    click(0, "d.txt", true);         // Ctrl+click marks d.txt
    EXPECT_EQ(3, GetTotalSelectedNumber(2));
    EXPECT_NE(std::string::npos, status(0).find(sjis("ﾏｰｸ 3/")));
    shot("ferrolan-three-marked");
    boxes.answer(IDYES);
    key(0, VK_F5);
    ASSERT_EQ(1u, boxes.boxes().size());
    EXPECT_NE(std::string::npos, boxes.boxes()[0].text.find(right));
    EXPECT_EQ(std::vector<std::string>({".", "[..]", "a.txt", "b.txt", "d.txt"}), items(1));
    for (const char* name : {"a.txt", "b.txt", "d.txt"})
        EXPECT_EQ(read_file(temp / (std::string("left\\") + name)), read_file(temp / (std::string("right\\") + name)));
    EXPECT_EQ(0, GetTotalSelectedNumber(2));  // the copied marks are gone
}

TEST_F(Operations, ShiftClickMarksARangeAndF6MovesIt) {
    for (const char* name : {"a.txt", "b.txt", "c.txt"}) temp.file(std::string("left\\") + name, name);
    temp.file("left\\sub\\inner.txt", "inner");
    start(left, right);
    click(0, "sub");
    click(0, "b.txt", false, true);  // sub, a.txt and b.txt
    boxes.answer(IDYES);
    key(0, VK_F6);
    EXPECT_EQ(std::vector<std::string>({".", "[..]", "c.txt"}), items(0));
    EXPECT_EQ(std::vector<std::string>({".", "[..]", "sub", "a.txt", "b.txt"}), items(1));
    EXPECT_EQ("inner", read_file(temp / "right\\sub\\inner.txt"));
    shot("ferrolan-after-move");
}

TEST_F(Operations, DeleteAsksAndTheReadOnlyFileAsksAgain) {
    temp.file("left\\keep.txt", "k");
    temp.file("left\\plain.txt", "p");
    SetFileAttributesA(temp.file("left\\locked.txt", "r").c_str(), FILE_ATTRIBUTE_READONLY);
    temp.file("left\\tree\\deep\\x.txt", "x");
    start(left, right);
    for (const char* name : {"plain.txt", "locked.txt", "tree"}) click(0, name, true);
    boxes.answer(IDYES);  // the host's question
    boxes.answer(IDYES);  // the engine's: delete the read-only file by force
    key(0, VK_DELETE);
    ASSERT_EQ(2u, boxes.boxes().size());
    EXPECT_EQ(sjis("強制消去"), boxes.boxes()[1].caption);
    EXPECT_EQ(std::vector<std::string>({".", "[..]", "keep.txt"}), items(0));
    EXPECT_FALSE(exists(temp / "left\\tree"));
    shot("ferrolan-after-delete");
}

TEST_F(Operations, MakeFolderRenameAndAttributesThroughTheirDialogs) {
    temp.file("left\\old.txt", "o");
    start(left, right);
    dialogs.then({{{kInputEdit, sjis("新しい表")}}});
    key(0, VK_F7);
    EXPECT_TRUE(exists(temp / sjis("left\\新しい表")));
    EXPECT_EQ(index_of(0, sjis("新しい表")), SendMessageA(list(0), LB_GETCURSEL, 0, 0));
    click(0, "old.txt");
    dialogs.then({{{kInputEdit, sjis("ソ.txt")}}});
    key(0, VK_F2);
    EXPECT_EQ("o", read_file(temp / sjis("left\\ソ.txt")));
    EXPECT_FALSE(exists(temp / "left\\old.txt"));
    click(0, sjis("ソ.txt"));
    dialogs.then({{}, {120}});  // read-only ticked
    key(0, VK_F9);
    EXPECT_TRUE(GetFileAttributesA((temp / sjis("left\\ソ.txt")).c_str()) & FILE_ATTRIBUTE_READONLY);
    SetFileAttributesA((temp / sjis("left\\ソ.txt")).c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(3, dialogs.shown());
    shot("ferrolan-new-folder-and-rename");
}

TEST_F(Operations, ViewShowsTheFileAndSearchesFillTheOutputWindow) {
    temp.file("left\\note.txt", "first line\r\nthe needle is here\r\n");
    temp.file("left\\sub\\other.txt", "no match");
    start(left, right);
    click(0, "note.txt");
    dialogs.then({{}, {}, IDCANCEL, 0, {2580}});
    key(0, VK_F3);
    EXPECT_NE(std::string::npos, dialogs.read(2580).find("the needle is here"));
    dialogs.then({{{130, "other"}}});
    key(0, VK_F10);
    const std::string found = app_->output().contents();
    EXPECT_NE(std::string::npos, found.find(temp / "left\\sub\\other.txt")) << found;
    EXPECT_EQ(std::string::npos, found.find("note.txt"));
    // A double-click on the found path shows its folder with the cursor on it.
    HWND edit = app_->output().edit();
    const LRESULT at = SendMessageA(edit, EM_POSFROMCHAR, SendMessageA(edit, EM_LINEINDEX, 1, 0) + 3, 0);
    SendMessageA(edit, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(LOWORD(at) + 1, HIWORD(at) + 2));
    EXPECT_EQ(temp / "left\\sub", app_->pane(0).folder());
    EXPECT_EQ(index_of(0, "other.txt"), SendMessageA(list(0), LB_GETCURSEL, 0, 0));
    key(0, VK_BACK);  // up again, the cursor on the folder come from
    EXPECT_EQ(index_of(0, "sub"), SendMessageA(list(0), LB_GETCURSEL, 0, 0));
    dialogs.then({{{5000, "needle"}, {5003, "*.txt"}}, {}, IDOK, IDCANCEL});
    key(0, 'G', true);
    EXPECT_NE(std::string::npos, app_->output().contents().find("the needle is here")) << app_->output().contents();
    shot("ferrolan-search-output");
}

TEST_F(Operations, PackAndUnpackThroughTheArchiverLibrary) {
    temp.file(sjis("left\\表.txt"), std::string(5000, 'z'));
    temp.file("left\\two.txt", "two");
    start(left, right);
    click(0, sjis("表.txt"), true);
    click(0, "two.txt", true);
    dialogs.then({{{kInputEdit, temp / "right\\pack.tgz"}}});
    key(0, VK_F11);
    ASSERT_TRUE(exists(temp / "right\\pack.tgz"));
    key(1, VK_TAB);  // to the right pane, where the archive is listed
    click(1, "pack.tgz");
    dialogs.then({{{kInputEdit, temp.folder("out")}}});
    key(1, VK_F11);
    EXPECT_EQ(std::string(5000, 'z'), read_file(temp / sjis("out\\表.txt")));
    EXPECT_EQ("two", read_file(temp / "out\\two.txt"));
    shot("ferrolan-archive-listed");
}

// The copy of a large file cancelled halfway with Esc, as a user does while
// watching it: no partial target is left.
LRESULT CALLBACK watch_progress(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR, DWORD_PTR data) {
    auto* fixture = reinterpret_cast<std::function<void(ULONGLONG)>*>(data);
    if (message == ferrolan::kCopyProgressMessage) (*fixture)((ULONGLONG(wparam) << 32) | DWORD(lparam));
    return DefSubclassProc(window, message, wparam, lparam);
}

TEST_F(Operations, CopyCancelledHalfwayLeavesNoPartialTarget) {
    const ULONGLONG size = 48ull << 20;
    HANDLE big = CreateFileA((temp / "left\\big.bin").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    LARGE_INTEGER end;
    end.QuadPart = LONGLONG(size);
    SetFilePointerEx(big, end, nullptr, FILE_BEGIN);
    SetEndOfFile(big);
    CloseHandle(big);
    start(left, right);
    bool cancelled = false;
    std::function<void(ULONGLONG)> on_progress = [&](ULONGLONG done) {
        if (cancelled || done < size / 2) return;
        cancelled = true;
        // The engine's progress box stands where the function keys were.
        EXPECT_NE(nullptr, GetDlgItem(app_->window(), ferrolan::kProgressBoxId));
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(app_->window(), ferrolan::kFunctionBarId)));
        shot("ferrolan-copy-in-progress");
        PostMessageA(list(0), WM_KEYDOWN, VK_ESCAPE, 1);
    };
    SetWindowSubclass(app_->window(), watch_progress, 1, reinterpret_cast<DWORD_PTR>(&on_progress));
    click(0, "big.bin");
    boxes.answer(IDYES);
    key(0, VK_F5);
    RemoveWindowSubclass(app_->window(), watch_progress, 1);
    EXPECT_TRUE(cancelled);
    EXPECT_EQ(nullptr, GetDlgItem(app_->window(), ferrolan::kProgressBoxId));
    EXPECT_FALSE(exists(temp / "right\\big.bin"));
    EXPECT_EQ(std::vector<std::string>({".", "[..]"}), items(1));
}
}  // namespace

namespace {
// A source another program holds open without sharing: the engine's box for
// it, the run goes on, and the error report list ends in the output window.
TEST_F(Operations, FailedFilesEndInTheErrorReportList) {
    temp.file("left\\free.txt", "free");
    const std::string held = temp.file("left\\held.txt", "held");
    start(left, right);
    HANDLE lock = CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, lock);
    command(ferrolan::kCmdMarkAll);
    boxes.answer(IDYES);  // copy?
    boxes.answer(IDOK);   // the engine's box for held.txt: go on
    key(0, VK_F5);
    CloseHandle(lock);
    EXPECT_EQ("free", read_file(temp / "right\\free.txt"));
    EXPECT_FALSE(exists(temp / "right\\held.txt"));
    const std::string report = app_->output().contents();
    EXPECT_NE(std::string::npos, report.find(sjis("======複写中にｴﾗｰの出たﾌｧｲﾙ(ﾌｫﾙﾀﾞ)======"))) << report;
    EXPECT_NE(std::string::npos, report.find(held)) << report;
    shot("ferrolan-error-report-list");
}
}  // namespace

namespace {
// Another program adds a file to the left pane's folder and removes one of
// the right pane's: both panes follow with no key pressed.
TEST_F(Operations, FoldersChangedByAnotherProgramAreListedAgain) {
    temp.file("left\\a.txt", "a");
    temp.file(sjis("right\\表.txt"), "b");
    start(left, right);
    std::string line = "cmd.exe /c \"echo x> \"" + left + sjis("\\新.txt\" & del \"") + right + sjis("\\表.txt\"\"");
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi));
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    EXPECT_TRUE(pump_until(10000, [&] { return index_of(0, sjis("新.txt")) >= 0 && items(1).size() == 2; })) << line;
    shot("ferrolan-changed-by-another-program");
}
}  // namespace

namespace {
// F12 makes the other pane's folder hold what this one holds: missing and
// newer files copied, a newer target kept, extras removed at every level.
TEST_F(Operations, SynchroniseMakesTheOtherPaneTheSame) {
    set_time(temp.file("left\\new.txt", "new"), 2024);
    set_time(temp.file("right\\new.txt", "old"), 2020);
    set_time(temp.file("left\\keep.txt", "older"), 2020);
    set_time(temp.file("right\\keep.txt", "newer"), 2024);
    temp.file(sjis("left\\表\\c.txt"), "c");
    temp.file(sjis("right\\表\\extra.txt"), "x");
    temp.file("right\\gone\\x.txt", "x");
    temp.file("right\\extra.txt", "x");
    start(left, right);
    boxes.answer(IDYES);
    key(0, VK_F12);
    ASSERT_EQ(1u, boxes.boxes().size());
    EXPECT_EQ("new", read_file(temp / "right\\new.txt"));
    EXPECT_EQ("newer", read_file(temp / "right\\keep.txt"));
    EXPECT_EQ("c", read_file(temp / sjis("right\\表\\c.txt")));
    for (const char* gone : {"right\\extra.txt", "right\\gone", "right\\表\\extra.txt"})
        EXPECT_FALSE(exists(temp / sjis(gone))) << gone;
    EXPECT_EQ(std::vector<std::string>({".", "[..]", sjis("表"), "keep.txt", "new.txt"}), items(1));
}
}  // namespace
