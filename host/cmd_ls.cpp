// ferro ls: reads one folder with the listing store into column arrays that
// the host owns, sorts each table by the host's keys and prints the folder
// table, then the file table.
#include <algorithm>
#include <windows.h>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>
#include "box_report.h"
#include "commands.h"
#include "console.h"
#include "frame/error_boxes.h"
#include "frame/paths.h"
#include "frame/text.h"
#include "listing/listing_sort.h"
#include "listing/listing_store.h"

namespace host {
namespace {
// Message library numbers.
constexpr UINT kNoSuchFolderMessage = 9012;
constexpr UINT kChangeFolderTitle = 9013;

// The column arrays a pane keeps, handed over for the time of one read.
struct Columns {
    std::vector<HGLOBAL> dir_long_h, dir_short_h, file_long_h, file_short_h;
    std::vector<LPSTR> dir_long, dir_short, file_long, file_short;
    std::vector<DWORD> dir_attr;
    std::vector<ULONGLONG> dir_time, dir_date, dir_size;

    Columns()
        : dir_long_h(GetMaxDirNumber() + 1), dir_short_h(GetMaxDirNumber() + 1),
          file_long_h(GetMaxFileNumber() + 1), file_short_h(GetMaxFileNumber() + 1),
          dir_long(GetMaxDirNumber() + 1), dir_short(GetMaxDirNumber() + 1),
          file_long(GetMaxFileNumber() + 1), file_short(GetMaxFileNumber() + 1),
          dir_attr(GetMaxDirNumber() + 1), dir_time(GetMaxDirNumber() + 1), dir_date(GetMaxDirNumber() + 1),
          dir_size(GetMaxDirNumber() + 1) {
        SetDirHandle(dir_long_h.data(), dir_long.data(), dir_short_h.data(), dir_short.data());
        SetDirAttribute(dir_attr.data());
        SetDirTime(dir_time.data());
        SetDirDate(dir_date.data());
        SetDirSize(dir_size.data());
        SetFileHandle(file_long_h.data(), file_long.data(), file_short_h.data(), file_short.data());
    }
    ~Columns() {
        ClearDir();
        ClearFile();
        for (auto* v : {&dir_long_h, &dir_short_h, &file_long_h, &file_short_h})
            for (HGLOBAL h : *v)
                if (h) {
                    GlobalUnlock(h);
                    GlobalFree(h);
                }
        SetDirHandle(nullptr, nullptr, nullptr, nullptr);
        SetFileHandle(nullptr, nullptr, nullptr, nullptr);
        SetDirAttribute(nullptr);
        SetDirTime(nullptr);
        SetDirDate(nullptr);
        SetDirSize(nullptr);
    }
    Columns(const Columns&) = delete;
    Columns& operator=(const Columns&) = delete;
};

struct Entry {
    std::string name;
    DWORD attributes;
    ULONGLONG size;
    ULONGLONG time;  // local file time
};

std::string extension_of(const std::string& name) {
    const char* dot = nullptr;
    for (const char* p = name.c_str(); *p; p += IsDBCSLeadByteEx(932, static_cast<BYTE>(*p)) && p[1] ? 2 : 1)
        if (*p == '.') dot = p;
    return dot && dot != name.c_str() ? std::string(dot + 1) : std::string();
}

std::string key_of(const Entry& e, const std::string& sort) {
    char number[32];
    if (sort == "size") {
        std::snprintf(number, sizeof number, "%020llu", e.size);
        return number + e.name;
    }
    if (sort == "date") {
        std::snprintf(number, sizeof number, "%016llX", e.time);
        return number + e.name;
    }
    if (sort == "ext") return extension_of(e.name) + std::string(1, '\x01') + e.name;
    return e.name;
}

// The entries in the order the engine's sort gives for the host's keys.
std::vector<Entry> sorted(std::vector<Entry> entries, const ListOptions& o) {
    std::vector<std::string> keys;
    for (const Entry& e : entries) keys.push_back(key_of(e, o.sort));
    std::vector<LPSTR> key_ptrs;
    std::vector<LONG> order;
    for (size_t i = 0; i < keys.size(); ++i) {
        key_ptrs.push_back(&keys[i][0]);
        order.push_back(static_cast<LONG>(i));
    }
    const LONG n = static_cast<LONG>(entries.size());
    if (n > 1) (o.reverse ? lqsortxrev : lqsortx)(key_ptrs.data(), order.data(), n);
    std::vector<Entry> out;
    for (LONG i : order) out.push_back(entries[i]);
    return out;
}

std::string date_of(ULONGLONG t) {
    FILETIME ft;
    ft.dwLowDateTime = static_cast<DWORD>(t);
    ft.dwHighDateTime = static_cast<DWORD>(t >> 32);
    SYSTEMTIME st;
    if (!t || !FileTimeToSystemTime(&ft, &st)) return "----------------";
    char out[32];
    std::snprintf(out, sizeof out, "%04u-%02u-%02u %02u:%02u", st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute);
    return out;
}

void print(const char* title, const std::vector<Entry>& entries, bool folders, size_t limit) {
    outf("%s (%u)\n", title, static_cast<unsigned>(entries.size()));
    size_t shown = 0;
    for (const Entry& e : entries) {
        if (shown++ == limit) {
            outf("  ... %u more\n", static_cast<unsigned>(entries.size() - limit));
            break;
        }
        char attr[8] = {};
        GetAttributeChar(static_cast<LONG>(e.attributes), attr);
        char digits[32], grouped[48];
        std::snprintf(digits, sizeof digits, "%llu", e.size);
        ArrangeNumberFromString(digits, grouped);
        outf("  %s %15s %s  %s%s\n", attr, folders ? "<DIR>" : grouped, date_of(e.time).c_str(), e.name.c_str(),
             folders ? "\\" : "");
    }
}
}  // namespace

int list_folder(const ListOptions& o, size_t limit) {
    const std::string folder = without_final_yen(windows_path(o.folder));
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        // The engine's own box: "指定ﾌｫﾙﾀﾞは存在しません" under "ﾌｫﾙﾀﾞ変更".
        SetHelpDosErrorMessage(MB_OK | MB_ICONEXCLAMATION, nullptr);
        MyLoadDosErrorMessage(nullptr, folder.c_str(), kNoSuchFolderMessage, kChangeFolderTitle, 0);
        if (BoxReport::seen() == 0) err("ferro ls: '" + o.folder + "': no such folder");
        return 1;
    }
    if (folder.size() >= 519) {
        err("ferro ls: '" + o.folder + "': path too long");
        return 1;
    }
    Columns columns;
    SetExcludedFile(o.exclude.c_str());
    SetFileMatchedByWildCard(o.spec.empty() ? nullptr : o.spec.c_str());
    SaveFindSeachPath(nullptr, folder.c_str(), "*.*");
    const LONG folders = FindDirectory(nullptr, 0);
    SaveFindSeachFilePath(nullptr, folder.c_str(), o.spec.empty() ? "*.*" : o.spec.c_str());
    const LONG files = folders < 0 ? folders : FindFile(nullptr, 0);
    SetExcludedFile("");
    SetFileMatchedByWildCard(nullptr);
    if (folders < 0 || files < 0) {
        // The engine has said why in its box; a line only when it did not.
        if (BoxReport::seen() == 0) err("ferro ls: '" + o.folder + "': the folder cannot be read (code " +
            std::to_string(folders < 0 ? folders : files) + ")");
        return 1;
    }
    std::vector<Entry> dirs, plain;
    for (LONG i = 0; i < GetTotalNumberOfDirectory(); ++i)
        if (columns.dir_long[i])
            dirs.push_back({columns.dir_long[i], columns.dir_attr[i], columns.dir_size[i], columns.dir_time[i]});
    for (LONG i = 0; i < GetTotalNumberOfFile(); ++i)
        if (columns.file_long[i])
            plain.push_back({columns.file_long[i], GetFileAttribute(i), GetFsize(i), GetFtime(i)});
    // The self and upper entries stand first, as a pane shows them; only the
    // sub-folders after them are sorted.
    const LONG specials = GetTotalNumberOfDirectory() - GetTotalNumberOfSubDirectory();
    const auto head = static_cast<std::ptrdiff_t>(std::clamp<LONG>(specials, 0, static_cast<LONG>(dirs.size())));
    std::vector<Entry> ordered(dirs.begin(), dirs.begin() + head);
    const std::vector<Entry> subfolders = sorted(std::vector<Entry>(dirs.begin() + head, dirs.end()), o);
    ordered.insert(ordered.end(), subfolders.begin(), subfolders.end());
    outf("%s\n", folder.c_str());
    print("folders", ordered, true, limit);
    print("files", sorted(plain, o), false, limit);
    return 0;
}

int cmd_ls(const Args& args) {
    ListOptions o;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool has_value = i + 1 < args.size();
        if (a == "--sort" && has_value) {
            o.sort = args[++i];
            if (o.sort != "name" && o.sort != "ext" && o.sort != "size" && o.sort != "date") {
                err("ferro ls: --sort takes name, ext, size or date");
                return 2;
            }
        } else if (a == "--reverse") {
            o.reverse = true;
        } else if (a == "--spec" && has_value) {
            o.spec = args[++i];
        } else if (a == "--exclude" && has_value) {
            o.exclude = args[++i];
        } else if (a.size() > 1 && a[0] == '-' && a[1] == '-') {
            err("ferro ls: unknown or incomplete option '" + a + "'");
            return 2;
        } else if (o.folder.empty()) {
            o.folder = a;
        } else {
            err("ferro ls: only one folder");
            return 2;
        }
    }
    if (o.folder.empty()) {
        err("usage: ferro ls [--sort name|ext|size|date] [--reverse] [--spec PATTERN] [--exclude LIST] DIR");
        return 2;
    }
    return list_folder(o, static_cast<size_t>(-1));
}
}  // namespace host
