// A pane's listing: one folder read through the engine's listing store into
// column arrays that the pane owns, then copied into the pane's own entries
// (so that what is on screen stays valid while the next read fills the
// columns), and sorted with the engine's sort.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

namespace ferrolan {
// The column arrays the engine fills for one pane.
class Columns {
public:
    Columns() = default;
    ~Columns() { release(); }
    Columns(const Columns&) = delete;
    Columns& operator=(const Columns&) = delete;
    // Sized for the engine's maximum numbers of entries and handed to it.
    void hand_over();
    // Frees every name block and forgets the arrays.
    void release();
    // Frees the name blocks from the given counts on (left from a longer listing).
    void trim(LONG folders, LONG files);

    std::vector<HGLOBAL> dir_long_h, dir_short_h, file_long_h, file_short_h;
    std::vector<LPSTR> dir_long, dir_short, file_long, file_short;
    std::vector<DWORD> dir_attr;
    std::vector<ULONGLONG> dir_time, dir_date, dir_size;
};

struct Entry {
    enum Kind : unsigned char { kSelf, kUpper, kFolder, kFile };
    size_t name = 0;  // offset of the name in the listing's text
    DWORD attributes = 0;
    ULONGLONG size = 0;
    ULONGLONG time = 0;  // local file time
    Kind kind = kFile;
};

struct Listing {
    std::string folder;              // as the pane shows it (no final yen mark but on a root)
    std::vector<char> text;          // every name, NUL-terminated
    std::vector<Entry> entries;      // self, upper, folders, files
    LONG folder_count = 0, file_count = 0;
    ULONGLONG file_bytes = 0, free_bytes = 0;

    const char* name(const Entry& e) const { return text.data() + e.name; }
    const char* name(size_t i) const { return name(entries[i]); }
    bool is_folder(size_t i) const { return entries[i].kind != Entry::kFile; }
    // The full path of an entry (the folder above for the upper entry).
    std::string path(size_t i) const;
    // The index of the entry with this name (without case), or -1.
    long find(const std::string& name) const;
};

// What a path names, as the engine's file layer sees it.
bool is_folder(const std::string& path);
bool exists(const std::string& path);

// Reads `folder` with the file specification `spec` ("" or "*.*": every
// file). Returns 0, or the engine's negative code after its box.
LONG read_folder(HWND owner, Columns& columns, const std::string& folder, const std::string& spec, Listing& out);

// Sort keys: by name, by extension, by size, by date.
enum class SortKey : LONG { kName = 0, kExtension = 1, kSize = 2, kDate = 3 };
// Puts the sub-folders and the files in order (the self and upper entries
// stay first). False when the sort was stopped (the order is then partial).
bool sort_listing(Listing& listing, SortKey key, bool reverse);
}  // namespace ferrolan
