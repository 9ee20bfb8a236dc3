// One of the two panes: its drive list, its file specification, its folder
// line shortened to the pane's width, its owner-drawn list of entries with
// the marks, and its status line with the counters.
#pragma once
#include <windows.h>
#include <string>
#include <vector>
#include "listing.h"

namespace ferrolan {
class App;

// The height of a line of the host's font and the width of a sample text in it.
struct FontSize {
    int height = 0, sample_width = 0;
};
FontSize measure_font(HWND window, HFONT font, const char* sample = "");

class Pane {
public:
    Pane(App& app, int side) : app_(app), side_(side) {}
    Pane(const Pane&) = delete;
    Pane& operator=(const Pane&) = delete;

    // Control identifiers: each pane's controls are children of the main window.
    static int control_id(int side, int which) { return 1000 + side * 100 + which; }
    enum Control { kDrives = 1, kSpec = 2, kFolderLine = 3, kList = 4, kStatus = 5 };

    void create(HWND parent, HFONT font);
    void layout(const RECT& area);
    void fill_drives();

    // Opens a folder (the cursor on `select` when given). False, with the
    // listing kept, when the folder cannot be read.
    bool open(const std::string& folder, const std::string& select = {});
    // Reads the folder again, keeping the cursor and (by name) the marks.
    bool refresh(bool keep_marks = true);
    void set_sort(SortKey key, bool reverse);
    SortKey sort_key() const { return sort_; }
    bool reverse() const { return reverse_; }
    void set_spec(const std::string& spec);
    const std::string& spec() const { return spec_; }

    const Listing& listing() const { return listing_; }
    const std::string& folder() const { return listing_.folder; }
    int side() const { return side_; }
    HWND list() const { return list_; }
    HWND control(int which) const { return GetDlgItem(parent_, control_id(side_, which)); }

    // The marked entries, or the entry at the cursor when none is marked
    // (never the self or upper entry).
    std::vector<size_t> chosen() const;
    long cursor() const;
    void set_cursor(size_t i);
    bool marked(size_t i) const { return i < marks_.size() && marks_[i]; }
    void toggle_mark(size_t i);
    void mark_range(size_t from, size_t to);
    void mark_all();
    void invert_marks();
    void clear_marks();
    LONG marked_count() const { return marked_count_; }
    ULONGLONG marked_bytes() const { return marked_bytes_; }

    void set_active(bool active);
    bool active() const { return active_; }
    // The counters into the engine for this pane's selector and the status line.
    void update_status();
    void update_folder_line();

    void on_draw_item(const DRAWITEMSTRUCT* item);
    void on_measure_item(MEASUREITEMSTRUCT* item);
    // A notification of one of the pane's combo boxes; true when handled.
    bool on_command(int which, WORD code);

private:
    static LRESULT CALLBACK list_proc(HWND list, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR, DWORD_PTR self);
    static LRESULT CALLBACK spec_edit_proc(HWND edit, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                           DWORD_PTR self);
    LRESULT on_list_message(HWND list, UINT message, WPARAM wparam, LPARAM lparam);
    bool load(const std::string& folder, const std::string& select, bool keep_marks);
    void show_listing(long cursor);
    void set_mark(size_t i, bool on);
    void jump_to(char first);
    // The file specification typed (or, when empty, the one picked in the list).
    void take_spec_from_combo(std::string typed = {});
    void fill_specs();

    App& app_;
    int side_;
    HWND parent_ = nullptr, list_ = nullptr;
    HFONT font_ = nullptr;
    Columns columns_;
    Listing listing_;
    std::vector<char> marks_;
    LONG marked_count_ = 0;
    ULONGLONG marked_bytes_ = 0;
    SortKey sort_ = SortKey::kName;
    bool reverse_ = false;
    std::string spec_ = "*.*";
    bool active_ = false;
    bool loading_ = false;
    long anchor_ = -1;  // where a shift-click range starts
    POINT press_ = {};  // where the left button went down
    bool pressed_ = false, dragging_ = false;
    int row_height_ = 16;
};
}  // namespace ferrolan
