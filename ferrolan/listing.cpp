#include "listing.h"
#include <algorithm>
#include <cstdio>
#include <cstring>
#include "frame/mbcs.h"
#include "frame/paths.h"
#include "host_paths.h"
#include "listing/listing_sort.h"
#include "fs/dos_times.h"
#include "listing/listing_store.h"

namespace ferrolan {
namespace {
void free_blocks(std::vector<HGLOBAL>& handles, std::vector<LPSTR>& pointers, size_t from) {
    for (size_t i = from; i < handles.size(); ++i) {
        if (!handles[i]) continue;
        if (pointers[i]) GlobalUnlock(handles[i]);
        GlobalFree(handles[i]);
        handles[i] = nullptr;
        pointers[i] = nullptr;
    }
}

std::string extension_of(const char* name) {
    const char* ext = GetFileExtension(name);
    return ext ? std::string(ext) : std::string();
}
}  // namespace

void Columns::hand_over() {
    const size_t dirs = size_t(GetMaxDirNumber()) + 1, files = size_t(GetMaxFileNumber()) + 1;
    if (dir_long_h.size() != dirs) {
        free_blocks(dir_long_h, dir_long, 0);
        free_blocks(dir_short_h, dir_short, 0);
        dir_long_h.assign(dirs, nullptr);
        dir_short_h.assign(dirs, nullptr);
        dir_long.assign(dirs, nullptr);
        dir_short.assign(dirs, nullptr);
        dir_attr.assign(dirs, 0);
        dir_time.assign(dirs, 0);
        dir_date.assign(dirs, 0);
        dir_size.assign(dirs, 0);
    }
    if (file_long_h.size() != files) {
        free_blocks(file_long_h, file_long, 0);
        free_blocks(file_short_h, file_short, 0);
        file_long_h.assign(files, nullptr);
        file_short_h.assign(files, nullptr);
        file_long.assign(files, nullptr);
        file_short.assign(files, nullptr);
    }
    SetDirHandle(dir_long_h.data(), dir_long.data(), dir_short_h.data(), dir_short.data());
    SetDirAttribute(dir_attr.data());
    SetDirTime(dir_time.data());
    SetDirDate(dir_date.data());
    SetDirSize(dir_size.data());
    SetFileHandle(file_long_h.data(), file_long.data(), file_short_h.data(), file_short.data());
}

void Columns::trim(LONG folders, LONG files) {
    free_blocks(dir_long_h, dir_long, size_t(std::max<LONG>(folders, 0)));
    free_blocks(dir_short_h, dir_short, size_t(std::max<LONG>(folders, 0)));
    free_blocks(file_long_h, file_long, size_t(std::max<LONG>(files, 0)));
    free_blocks(file_short_h, file_short, size_t(std::max<LONG>(files, 0)));
}

void Columns::release() {
    trim(0, 0);
    dir_long_h.clear(), dir_short_h.clear(), file_long_h.clear(), file_short_h.clear();
    dir_long.clear(), dir_short.clear(), file_long.clear(), file_short.clear();
    dir_attr.clear(), dir_time.clear(), dir_date.clear(), dir_size.clear();
}

namespace {
int kind_of(const std::string& path) {
    std::string copy = path;
    return IsDirectoryAttribute(copy.data());  // 4 a folder, 2 a file, 1 nothing there
}
}  // namespace

bool is_folder(const std::string& path) { return kind_of(path) == 4; }
bool exists(const std::string& path) { return kind_of(path) != 1; }

std::string Listing::path(size_t i) const {
    const Entry& e = entries[i];
    if (e.kind == Entry::kUpper) return name(e);  // the store keeps the folder above in full
    if (e.kind == Entry::kSelf) return folder;
    return host::joined(folder, name(e));
}

long Listing::find(const std::string& wanted) const {
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i].kind >= Entry::kFolder && lstrcmpiA(name(i), wanted.c_str()) == 0) return long(i);
    return -1;
}

LONG read_folder(HWND owner, Columns& columns, const std::string& folder, const std::string& spec, Listing& out) {
    const bool every_file = spec.empty() || spec == "*.*";
    columns.hand_over();
    SetFileMatchedByWildCard(every_file ? nullptr : spec.c_str());
    SaveFindSeachPath(owner, folder.c_str(), "*.*");
    const LONG folders = FindDirectory(owner, 0);
    LONG files = 0;
    if (folders >= 0) {
        SaveFindSeachFilePath(owner, folder.c_str(), every_file ? "*.*" : spec.c_str());
        files = FindFile(owner, 0);
    }
    SetFileMatchedByWildCard(nullptr);
    if (folders < 0 || files < 0) return folders < 0 ? folders : files;

    Listing l;
    l.folder = folder;
    l.folder_count = GetTotalNumberOfSubDirectory();
    l.file_count = files;
    l.free_bytes = GetAvailableDiskSize();
    l.entries.reserve(size_t(folders) + size_t(files));
    size_t text_size = 0;
    for (LONG i = 0; i < folders; ++i) text_size += columns.dir_long[size_t(i)] ? std::strlen(columns.dir_long[size_t(i)]) + 1 : 1;
    for (LONG i = 0; i < files; ++i) text_size += columns.file_long[size_t(i)] ? std::strlen(columns.file_long[size_t(i)]) + 1 : 1;
    l.text.reserve(text_size);
    auto add_text = [&l](const char* s) {
        const size_t at = l.text.size();
        const char* p = s ? s : "";
        l.text.insert(l.text.end(), p, p + std::strlen(p) + 1);
        return at;
    };
    // The self and upper entries, wherever the file system delivered them,
    // stand first. The store names the upper entry by the full path of the
    // folder above: the only folder name with a yen mark in it.
    for (LONG i = 0; i < folders; ++i) {
        const char* name = columns.dir_long[size_t(i)];
        if (!name) continue;
        Entry e;
        const bool self = std::strcmp(name, ".") == 0;
        const bool upper = !self && ferro::mbcs::find_first(name, '\\') != nullptr;
        e.kind = self ? Entry::kSelf : upper ? Entry::kUpper : Entry::kFolder;
        e.name = add_text(name);
        e.attributes = columns.dir_attr[size_t(i)];
        e.time = columns.dir_time[size_t(i)];
        l.entries.push_back(e);
    }
    std::stable_partition(l.entries.begin(), l.entries.end(), [](const Entry& e) { return e.kind == Entry::kSelf; });
    std::stable_partition(l.entries.begin(), l.entries.end(),
                          [](const Entry& e) { return e.kind != Entry::kFolder; });
    for (LONG i = 0; i < files; ++i) {
        Entry e;
        e.kind = Entry::kFile;
        e.name = add_text(columns.file_long[size_t(i)]);
        e.attributes = GetFileAttribute(i);
        e.size = GetFsize(i);
        e.time = GetFtime(i);
        l.file_bytes += e.size;
        l.entries.push_back(e);
    }
    columns.trim(folders, files);
    out = std::move(l);
    return 0;
}

bool sort_listing(Listing& l, SortKey key, bool reverse) {
    auto first_of = [&l](Entry::Kind kind) {
        return size_t(std::find_if(l.entries.begin(), l.entries.end(), [kind](const Entry& e) { return e.kind == kind; }) -
                      l.entries.begin());
    };
    const size_t folders_at = std::min(first_of(Entry::kFolder), first_of(Entry::kFile));
    const size_t files_at = first_of(Entry::kFile);
    bool complete = true;
    // Each range sorted by keys composed from its entries; the engine moves
    // the entry numbers with their keys.
    auto sort_range = [&](size_t from, size_t to) {
        const LONG count = LONG(to - from);
        if (count < 2) return;
        std::vector<std::string> composed;
        std::vector<LPSTR> keys(static_cast<size_t>(count));
        std::vector<LONG> order(static_cast<size_t>(count));
        if (key != SortKey::kName) composed.resize(size_t(count));
        for (LONG i = 0; i < count; ++i) {
            const Entry& e = l.entries[from + size_t(i)];
            const char* name = l.name(e);
            char number[32];
            switch (key) {
            case SortKey::kName: break;
            case SortKey::kExtension: composed[size_t(i)] = extension_of(name) + '\x01' + name; break;
            case SortKey::kSize:
                std::snprintf(number, sizeof number, "%020llu", e.size);
                composed[size_t(i)] = number + std::string(name);
                break;
            case SortKey::kDate:
                std::snprintf(number, sizeof number, "%016llX", e.time);
                composed[size_t(i)] = number + std::string(name);
                break;
            }
            keys[size_t(i)] = key == SortKey::kName ? const_cast<LPSTR>(name) : composed[size_t(i)].data();
            order[size_t(i)] = i;
        }
        if (!(reverse ? lqsortxrev : lqsortx)(keys.data(), order.data(), count)) complete = false;
        std::vector<Entry> sorted(static_cast<size_t>(count));
        for (LONG i = 0; i < count; ++i) sorted[size_t(i)] = l.entries[from + size_t(order[size_t(i)])];
        std::copy(sorted.begin(), sorted.end(), l.entries.begin() + std::ptrdiff_t(from));
    };
    sort_range(folders_at, files_at);
    sort_range(files_at, l.entries.size());
    return complete;
}
}  // namespace ferrolan
