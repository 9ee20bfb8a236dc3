// What the host does through the engine's later parts: favourite folders and
// the history, programs started for the file at the cursor, and the panes
// drawn in the colours of the settings.
#include "window_host_fixture.h"
#include <shlobj.h>
#include "operations.h"
#include "settings/favorites.h"
#include "support/child_program.h"
#include "support/sjis.h"

using namespace ferro_test;

namespace {
class Places : public WindowHost {};

TEST_F(Places, FavouritesAndHistoryTakeThePanesBack) {
    const std::string a = temp.folder("a"), sub = temp.folder(sjis("a\\表")), b = temp.folder("b");
    start(a, b);
    const int kFirstFavourite = kFavoriteCommand, kForward = ferrolan::kCmdHistoryFirst;
    const struct {
        std::function<void()> act;
        std::string left, right;
    } steps[] = {
        {[&] { command(ferrolan::kCmdAddFavourite); }, a, b},  // a with b as its target
        {[&] { click(0, sjis("表")); key(0, VK_RETURN); }, sub, b},
        {[&] { command(ferrolan::kCmdHistoryBack); }, a, b},
        {[&] { command(ferrolan::Command(kForward)); }, sub, b},
        {[&] { app_->pane(1).open(sub); }, sub, sub},
        {[&] { command(ferrolan::Command(kFirstFavourite)); }, a, b},
        {[&] { command(ferrolan::kCmdHistoryBack); }, sub, b},  // the favourite's visit was recorded
    };
    for (size_t i = 0; i < std::size(steps); ++i) {
        steps[i].act();
        EXPECT_EQ(steps[i].left, app_->pane(0).folder()) << i;
        EXPECT_EQ(steps[i].right, app_->pane(1).folder()) << i;
    }
    // Kept in the profile: the engine's table is emptied at the close.
    close();
    start(b, a);
    ASSERT_EQ(1, GetTotalNumberOfFavoriteDir());
    HMENU menu = CreatePopupMenu();
    ferrolan::ops::fill_favourites_menu(*app_, menu, 0, 0);
    char label[600] = {};
    GetMenuStringA(menu, 3, label, sizeof label, MF_BYPOSITION);
    EXPECT_EQ("&C " + a + ">" + b, std::string(label));
    DestroyMenu(menu);
}

TEST_F(Places, ProgramsStartWithTheFileAtTheCursor) {
    const std::string file = temp.file(sjis("left\\表 ソ.ferrohost"), "x");
    ChildRecord record(temp / "runs.txt");
    const std::string child = quoted(child_path());
    key_.set("Files", "Editor", child + " --edit");
    HKEY verb = nullptr;
    RegCreateKeyExA(HKEY_CLASSES_ROOT, "FerroHostFile\\shell\\open\\command", 0, nullptr, 0, KEY_WRITE, nullptr,
                    &verb, nullptr);
    const std::string line = child + " --assoc \"%1\"";
    RegSetValueExA(verb, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(line.c_str()), DWORD(line.size() + 1));
    RegCloseKey(verb);
    RegSetValueA(HKEY_CLASSES_ROOT, ".ferrohost", REG_SZ, "FerroHostFile", 13);
    start(temp / "left", temp.folder("right"));
    click(0, sjis("表 ソ.ferrohost"));
    const struct {
        std::function<void()> act;
        std::vector<std::string> args;
    } rows[] = {
        {[&] { key(0, VK_F4); }, {"--edit", file}},
        {[&] {
             HMENU menu = CreatePopupMenu();
             ferrolan::ops::fill_programs_menu(*app_, menu, ferrolan::kCmdProgramFirst, ferrolan::kCmdProgramLast);
             DestroyMenu(menu);
             command(ferrolan::kCmdProgramFirst);
         },
         {"--assoc", file}},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        rows[i].act();
        ASSERT_TRUE(record.done().wait()) << i;
        const std::vector<ChildRun> runs = record.runs();
        ASSERT_EQ(i + 1, runs.size());
        EXPECT_EQ(rows[i].args, runs[i].args) << i;
    }
    RegDeleteTreeA(HKEY_CLASSES_ROOT, "FerroHostFile");
    RegDeleteTreeA(HKEY_CLASSES_ROOT, ".ferrohost");
}

COLORREF drawn(ferrolan::Pane& pane, int row) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 200, 20);
    HGDIOBJ old = SelectObject(dc, bitmap);
    DRAWITEMSTRUCT item = {};
    item.CtlType = ODT_LISTBOX;
    item.itemID = UINT(row);
    item.hDC = dc;
    item.hwndItem = pane.list();
    item.rcItem = {0, 0, 200, 20};
    pane.on_draw_item(&item);
    const COLORREF color = GetPixel(dc, 197, 10);  // beyond the text
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return color;
}

TEST_F(Places, PanesDrawInTheColoursOfTheSettings) {
    for (const char* name : {"a.bin", "b.bin", "c.bin"}) temp.file(std::string("left\\") + name, name);
    temp.file("right\\c.bin", "c");
    // The source set: marked rows on red (kind 5), files on green (kind 0's background).
    key_.set("Colors", "Source", "0$ff$ff0000$ff00ff$0$ff$ff00$ffffff$ffffff$ffffff$ffffff$ffffff$0$ff$ff0000$ff00ff$0$0");
    start(temp / "left", temp / "right");
    click(0, "a.bin");
    key(0, VK_SPACE);
    const struct {
        int side;
        const char* name;
        COLORREF color;
    } rows[] = {
        {0, "a.bin", RGB(255, 0, 0)},      // marked
        {0, "c.bin", RGB(0, 255, 0)},      // a file of the source pane
        {0, "[..]", RGB(255, 255, 255)},   // another kind keeps its background
        {1, "c.bin", RGB(255, 255, 255)},  // the target pane's set
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.color, drawn(app_->pane(row.side), index_of(row.side, row.name))) << row.side << row.name;
    shot("ferrolan-file-colours");
}
}  // namespace

namespace {
// A shell drop of `names` at a client point of the main window.
void drop(HWND window, const std::vector<std::string>& names, POINT at) {
    std::string list;
    for (const std::string& name : names) list += name + '\0';
    list += '\0';
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + list.size());
    auto* files = static_cast<DROPFILES*>(GlobalLock(block));
    files->pFiles = sizeof(DROPFILES);
    files->pt = at;
    memcpy(reinterpret_cast<char*>(files) + sizeof(DROPFILES), list.data(), list.size());
    GlobalUnlock(block);
    SendMessageA(window, WM_DROPFILES, WPARAM(block), 0);
}

POINT centre_of(HWND child, HWND window) {
    RECT r;
    GetWindowRect(child, &r);
    POINT p = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ScreenToClient(window, &p);
    return p;
}

TEST_F(Places, FilesDroppedOnAPaneAreCopiedIntoItsFolder) {
    const std::string file = temp.file(sjis("outside\\表.txt"), "dropped"), folder = temp.folder("outside\\dir");
    temp.file("outside\\dir\\x.txt", "x");
    start(temp.folder("left"), temp.folder("right"));
    const struct {
        HWND under;
        std::vector<std::string> right;
    } rows[] = {
        {GetDlgItem(app_->window(), ferrolan::kFunctionBarId), {".", "[..]"}},  // not on a pane: nothing
        {list(1), {".", "[..]", "dir", sjis("表.txt")}},
    };
    for (const auto& row : rows) {
        if (row.right.size() > 2) boxes.answer(IDYES);  // the copy asks first
        drop(app_->window(), {file, folder}, centre_of(row.under, app_->window()));
        EXPECT_EQ(row.right, items(1));
    }
    EXPECT_EQ(1u, boxes.boxes().size());  // the copy's question, once
    EXPECT_EQ("x", read_file(temp / "right\\dir\\x.txt"));
    EXPECT_EQ(1, app_->active_side());
}
// The mouse held on an entry of the left pane and let go over the right one.
TEST_F(Places, EntriesDraggedOntoTheOtherPaneAreCopied) {
    temp.file("left\\a.txt", "a");
    start(temp / "left", temp.folder("right"));
    RECT r;
    SendMessageA(list(0), LB_GETITEMRECT, WPARAM(index_of(0, "a.txt")), LPARAM(&r));
    const POINT over = centre_of(list(1), app_->window());
    POINT screen = over;
    ClientToScreen(app_->window(), &screen);
    SetCursorPos(screen.x, screen.y);
    POINT in_left = screen;
    ScreenToClient(list(0), &in_left);
    boxes.answer(IDYES);
    SendMessageA(list(0), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.left + 5, r.top + 2));
    for (int i = 0; i < 2; ++i) SendMessageA(list(0), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(in_left.x, in_left.y));
    SendMessageA(list(0), WM_LBUTTONUP, 0, MAKELPARAM(in_left.x, in_left.y));
    EXPECT_EQ(std::vector<std::string>({".", "[..]", "a.txt"}), items(1));
    EXPECT_EQ("a", read_file(temp / "right\\a.txt"));
}
}  // namespace
