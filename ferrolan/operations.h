// The host's commands on files and folders, each done through the engine.
#pragma once
#include <windows.h>
#include <shellapi.h>
#include <string>
#include <utility>
#include <vector>
#include "command_ids.h"

namespace ferrolan {
class App;
namespace ops {
// Files: open, view, edit, programs of a file, command macros, shortcuts, printing.
void open_item(App& app);
void view_files(App& app);
void edit_file(App& app);
void open_with(App& app);
void shortcut_properties(App& app);
void print_file(App& app);
void fill_programs_menu(App& app, HMENU menu, WORD first, WORD last);
void run_program(App& app, int index);
// The error report list of the last operation in the output window (and,
// on request, in the user's editor).
void show_error_list(App& app);
void error_list_in_editor(App& app);

// Copy and move to the other pane; the progress of the file being copied.
void copy_or_move(App& app, bool move);

void copy_progress(App& app, ULONGLONG bytes);
void delete_items(App& app);
void rename_item(App& app);
void change_attributes(App& app);
void make_folder(App& app);
void synchronise(App& app);

void find_files(App& app);
void grep_files(App& app);

void pack(App& app);
void unpack(App& app);
void pack_or_unpack(App& app);

void download(App& app);
void check_newer_version(App& app);

// Favourite folders: the menu (add, organise, the entries), entry `index`
// opened (the organising dialog for the anchor's index), the current folders
// added, the list read from and kept in the profile.
void fill_favourites_menu(App& app, HMENU menu, WORD first, WORD last);
void open_favourite(App& app, int index);
void add_favourite(App& app);
void load_favourites(HWND owner);
void save_favourites();
// The history of visited folders: a visit recorded, the menu (back, forward,
// the list), and a move: kHistoryBack, kHistoryForward, kHistoryList.
enum : int { kHistoryBack = -1, kHistoryForward = 0, kHistoryList = 1 };
void record_visit(App& app, const std::string& folder);
void fill_history_menu(App& app, HMENU menu, WORD first, WORD last);
void open_history(App& app, int index);

// The start of `program` with its options for a file (the file put where
// the options say "%1", else after them).
void launch_program(App& app, const std::string& program, const std::string& options, const std::string& file);
bool is_archive(const std::string& path);

// Watching the panes' folders for changes other programs make: a pane's
// folder watched after it opens, the side (0 or 1) of a folder that changed
// since the last look (-1: none), the end of both.
void watch_folder(App& app, int side);
int changed_side();
void end_watches();

// The engine's removal of what `second` holds beyond `first` (one level),
// its failures in the error report list.
void remove_extras(const std::string& first, const std::string& second);

// The engine's copy progress box on a static control of `parent`: its
// start, the line of the file being copied (its number and the count, 0:
// none), its end.
void start_progress_box(HWND parent, int control);
void progress_box_text(const std::string& line, int index, int count);
void end_progress_box(HWND parent, int control);

// The engine's wait window of a long operation: the host's callbacks
// registered, the operation timer started, the item being done shown (and
// one pending message handled), the timer's tick, the end of both.
void register_wait_window();
void start_wait(App& app);
void wait_progress(const std::string& name, size_t done, size_t total);
void wait_tick(App& app, const char* caption);
void end_wait(App& app);

// Drag and drop: the main window takes the shell's drops (and is named the
// engine's own window); a drop copies its files into the pane under the
// drop point; entries dragged out of pane `side` onto another program are
// dropped there, onto the other pane they are copied.
void accept_drops(App& app);
void receive_drop(App& app, HDROP drop);
void drag_out(App& app, int side);

// The engine's progress box shown in place of the function-key bar (null
// where the engine has none), and the bar back.
HWND show_progress_box(App& app);
void hide_progress_box(App& app, HWND box);

// The full paths of the chosen entries of the source pane with their item
// types (4 a file, 2 a folder), recorded in the engine's item table too.
struct Item {
    std::string path;
    bool folder = false;
};
std::vector<Item> chosen_items(App& app);
// Copy or move of entries of the folder `from` into `target_folder` (the
// question first), as copy_or_move does with the chosen ones.
void copy_items(App& app, const std::vector<Item>& items, const std::string& from, const std::string& target_folder,
                bool move);
// The file at the source pane's cursor ("" on a folder).
std::string cursor_file(App& app);
// Refreshes both panes after an operation (the source pane's marks go).
void refresh_panes(App& app, bool clear_marks);
}  // namespace ops
}  // namespace ferrolan
