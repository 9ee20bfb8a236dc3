#include "menus.h"
#include <string>
#include <vector>
#include "app.h"
#include "operations.h"
#include "settings/favorites.h"
#include "texts.h"

namespace ferrolan {
namespace {
struct Item {
    UINT text;    // 0: a separator
    WORD command; // kCmdNone with `text`: a submenu follows until its kCmdNone end row
};

void add(HMENU menu, UINT text_id, WORD command) {
    if (!text_id) {
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        return;
    }
    std::string label = text(text_id);
    // "Name(&N)... F5": the key hint after the blank stands right-aligned.
    const size_t end = label.find_last_of(").");
    if (end != std::string::npos && end + 1 < label.size() && label[end + 1] == ' ') label[end + 1] = '\t';
    AppendMenuA(menu, MF_STRING, command, label.c_str());
}

HMENU file_menu(bool context) {
    HMENU m = CreatePopupMenu();
    add(m, ids::kOpen, kCmdOpen);
    add(m, ids::kView, kCmdView);
    add(m, ids::kEdit, kCmdEdit);
    AppendMenuA(m, MF_POPUP, UINT_PTR(CreatePopupMenu()), text(ids::kPrograms).c_str());
    add(m, ids::kOpenWith, kCmdOpenWith);
    add(m, ids::kShortcut, kCmdShortcut);
    add(m, ids::kPrint, kCmdPrint);
    add(m, 0, 0);
    add(m, ids::kCopy, kCmdCopy);
    add(m, ids::kMove, kCmdMove);
    add(m, ids::kDelete, kCmdDelete);
    add(m, ids::kRename, kCmdRename);
    add(m, ids::kAttributes, kCmdAttributes);
    add(m, ids::kMakeFolder, kCmdMakeFolder);
    add(m, 0, 0);
    add(m, ids::kPack, kCmdPack);
    add(m, ids::kUnpack, kCmdUnpack);
    if (!context) {
        add(m, 0, 0);
        add(m, ids::kExit, kCmdExit);
    }
    return m;
}

// The submenu "programs of a file": marked by the first item of its parent
// being the open command.
bool is_programs_menu(HMENU parent, int position) {
    return GetMenuItemID(parent, 0) == kCmdOpen && position == 3;
}
}  // namespace

HMENU make_main_menu() {
    HMENU bar = CreateMenu();
    AppendMenuA(bar, MF_POPUP, UINT_PTR(file_menu(false)), text(ids::kFileMenu).c_str());

    HMENU folder = CreatePopupMenu();
    add(folder, ids::kUpFolder, kCmdUpFolder);
    add(folder, ids::kRefresh, kCmdRefresh);
    add(folder, ids::kSameFolder, kCmdSameFolder);
    add(folder, ids::kSwapPanes, kCmdSwapPanes);
    add(folder, ids::kSync, kCmdSync);
    add(folder, 0, 0);
    AppendMenuA(folder, MF_POPUP, UINT_PTR(CreatePopupMenu()), text(ids::kFavourites).c_str());
    AppendMenuA(folder, MF_POPUP, UINT_PTR(CreatePopupMenu()), text(ids::kHistory).c_str());
    AppendMenuA(bar, MF_POPUP, UINT_PTR(folder), text(ids::kFolderMenu).c_str());

    HMENU sort = CreatePopupMenu();
    add(sort, ids::kSortName, kCmdSortName);
    add(sort, ids::kSortExtension, kCmdSortExtension);
    add(sort, ids::kSortSize, kCmdSortSize);
    add(sort, ids::kSortDate, kCmdSortDate);
    add(sort, 0, 0);
    add(sort, ids::kSortReverse, kCmdSortReverse);
    AppendMenuA(bar, MF_POPUP, UINT_PTR(sort), text(ids::kSortMenu).c_str());

    HMENU mark = CreatePopupMenu();
    add(mark, ids::kMarkAll, kCmdMarkAll);
    add(mark, ids::kMarkInvert, kCmdMarkInvert);
    add(mark, ids::kMarkNone, kCmdMarkNone);
    AppendMenuA(bar, MF_POPUP, UINT_PTR(mark), text(ids::kMarkMenu).c_str());

    HMENU search = CreatePopupMenu();
    add(search, ids::kFind, kCmdFind);
    add(search, ids::kGrep, kCmdGrep);
    add(search, ids::kOutput, kCmdOutput);
    add(search, ids::kErrorListInEditor, kCmdErrorListInEditor);
    AppendMenuA(bar, MF_POPUP, UINT_PTR(search), text(ids::kSearchMenu).c_str());

    HMENU tools = CreatePopupMenu();
    add(tools, ids::kKeyOrder, kCmdKeyOrder);
    add(tools, ids::kIniSettings, kCmdIniSettings);
    add(tools, 0, 0);
    add(tools, ids::kDownload, kCmdDownload);
    AppendMenuA(bar, MF_POPUP, UINT_PTR(tools), text(ids::kToolsMenu).c_str());

    HMENU help = CreatePopupMenu();
    add(help, ids::kKeyList, kCmdKeyList);
    add(help, ids::kNewerVersion, kCmdNewerVersion);
    add(help, 0, 0);
    add(help, ids::kAbout, kCmdAbout);
    AppendMenuA(bar, MF_POPUP, UINT_PTR(help), text(ids::kHelpMenu).c_str());
    return bar;
}

HMENU make_context_menu() { return file_menu(true); }

void prepare_menu(App& app, HMENU menu) {
    Pane& src = app.source();
    auto check = [menu](WORD id, bool on) { CheckMenuItem(menu, id, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED)); };
    check(kCmdSortName, src.sort_key() == SortKey::kName);
    check(kCmdSortExtension, src.sort_key() == SortKey::kExtension);
    check(kCmdSortSize, src.sort_key() == SortKey::kSize);
    check(kCmdSortDate, src.sort_key() == SortKey::kDate);
    check(kCmdSortReverse, src.reverse());
    check(kCmdIniSettings, !app.place().ini.empty());
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        HMENU sub = GetSubMenu(menu, i);
        if (!sub) continue;
        if (is_programs_menu(menu, i)) ops::fill_programs_menu(app, sub, kCmdProgramFirst, kCmdProgramLast);
        else if (GetMenuItemID(menu, 0) == kCmdUpFolder && i == 6)
            ops::fill_favourites_menu(app, sub, kCmdFavouriteFirst, kCmdFavouriteLast);
        else if (GetMenuItemID(menu, 0) == kCmdUpFolder && i == 7)
            ops::fill_history_menu(app, sub, kCmdHistoryFirst, kCmdHistoryLast);
    }
}

void menu_command(App& app, Command command) {
    const int id = command;
    if (id >= int(kFavoriteCommand) && id <= int(kFavoriteMenuAnchor))
        ops::open_favourite(app, id - int(kFavoriteCommand));
    else if (command == kCmdHistoryBack)
        ops::open_history(app, ops::kHistoryBack);
    else if (command >= kCmdHistoryFirst && command <= kCmdHistoryLast)
        ops::open_history(app, command - kCmdHistoryFirst);
    else if (command == kCmdAddFavourite)
        ops::add_favourite(app);
}
}  // namespace ferrolan
