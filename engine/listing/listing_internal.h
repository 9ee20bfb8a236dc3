// State shared by the files of the listing store (module-level, interface
// thread only).
#pragma once
#include <windows.h>
#include <vector>

namespace ferro::listing {
// A name column pair handed over by the host: one block per entry and its
// locked address.
struct NameColumn {
    HGLOBAL* handles = nullptr;
    LPSTR* pointers = nullptr;
    bool ready() const { return handles && pointers; }
};

struct FolderTable {
    NameColumn long_names, short_names;
    DWORD* attributes = nullptr;
    ULONGLONG* times = nullptr;
    ULONGLONG* dates = nullptr;
    ULONGLONG* sizes = nullptr;
    LONG count = 0;
    LONG used = 0;  // entries whose name blocks may be held (high-water mark)
};

struct FileTable {
    NameColumn long_names, short_names;
    std::vector<DWORD> attributes;
    std::vector<ULONGLONG> times, dates, sizes;
    std::vector<LONG> ext_types;
    LONG count = 0;
    LONG used = 0;
};

FolderTable& folders();
FileTable& files();
// Makes the file table's own columns hold at least `rows` rows (they grow
// with the listing); false past maximum + 1 or when memory runs out.
bool reserve_file_rows(LONGLONG rows);
LONG max_files();
LONG max_dirs();

// Stores the text in the entry's block, reusing the block when it is large
// enough. False when no block can be had (the entry's old block is kept).
bool store_name(const NameColumn& column, LONG index, const char* text);
// Frees the name blocks of entries [from, to).
void free_names(const NameColumn& column, LONG from, LONG to);

// The module's search paths (blocks), the exclusion list and the filter.
HGLOBAL& folder_search_path();
HGLOBAL& file_search_path();
bool is_excluded(const char* name);
bool filter_on();

// The name blocks of both tables (freed between operations).
void free_column_blocks();

// The cluster size of the last FreeInDisk.
DWORD cluster_size();
}  // namespace ferro::listing
