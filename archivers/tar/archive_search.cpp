// Listing an archive entry by entry: OpenArchive, FindFirst and FindNext,
// and the getters of the archive and of the entry found last.
#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>
#include "tar/entry_names.h"
#include "tar/operations.h"
#include "tar/tar32.h"
#include "tar/tar_format.h"

namespace {
struct OpenArchive {
    std::string path;
    std::unique_ptr<tar::Reader> in;
    std::string pattern;
    bool searching = false;
    bool found = false;
    tar::Entry entry;
    std::uint64_t original_total = 0;
    std::uint64_t file_size = 0;
    FILETIME written{};
};

// The handles given out; a handle not in the list is refused.
std::vector<std::unique_ptr<OpenArchive>> g_open;

OpenArchive* find(HARC h) {
    for (auto& a : g_open)
        if (reinterpret_cast<HARC>(a.get()) == h) return a.get();
    return nullptr;
}

WORD dos_date_time(const FILETIME& utc, bool want_date) {
    FILETIME local;
    WORD date = 0, time = 0;
    if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToDosDateTime(&local, &date, &time)) return 0;
    return want_date ? date : time;
}

WORD ratio(std::uint64_t compressed, std::uint64_t original) {
    return original ? static_cast<WORD>(std::min<std::uint64_t>(compressed * 1000 / original, 0xffff)) : 0;
}

DWORD clamp32(std::uint64_t v) { return v > 0xffffffffULL ? 0xffffffffUL : static_cast<DWORD>(v); }

int copy_text(const std::string& text, LPSTR buffer, int size) {
    if (!buffer || size <= 0) return ERROR_ENOUGH_MEMORY;
    if (text.size() >= static_cast<std::size_t>(size)) return ERROR_ENOUGH_MEMORY;
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return 0;
}

// The next entry that matches; 0 found, -1 at the end, or an error code.
int next_match(OpenArchive& a, INDIVIDUALINFO* info) {
    if (!a.searching) return ERROR_NOT_SEARCH_MODE;
    if (a.found) {
        bool short_read;
        if (!a.in->skip(a.entry.size + tar::padding(a.entry.size), short_read)) {
            a.found = false;
            return ERROR_UNEXPECTED_EOF;
        }
    }
    for (;;) {
        bool end;
        a.found = false;
        if (int r = tar::read_entry(*a.in, a.entry, end)) return r;
        if (end) return -1;
        a.found = true;
        if (tar::matches(a.entry.name, a.pattern)) break;
        bool short_read;
        if (!a.in->skip(a.entry.size + tar::padding(a.entry.size), short_read)) {
            a.found = false;
            return ERROR_UNEXPECTED_EOF;
        }
    }
    a.original_total += a.entry.size;
    if (info) {
        std::memset(info, 0, sizeof *info);
        const tar::Entry& e = a.entry;
        info->dwOriginalSize = clamp32(e.size);
        info->dwCompressedSize = clamp32(e.size);
        info->uOSType = OSTYPE_UNIX;
        info->wRatio = ratio(e.size, e.size);
        const FILETIME t = tar::file_time(e.mtime);
        info->wDate = dos_date_time(t, true);
        info->wTime = dos_date_time(t, false);
        std::string name = tar::windows_separators(e.name);
        if (e.is_folder() && name.size() > 1 && name.back() == '\\') name.pop_back();
        lstrcpynA(info->szFileName, name.c_str(), sizeof info->szFileName);
        lstrcpynA(info->szAttribute, e.is_folder() ? "d---" : e.mode & 0200 ? "---a" : "r--a", sizeof info->szAttribute);
        lstrcpynA(info->szMode, a.in->gzip() ? "-tgz-" : "-tar-", sizeof info->szMode);
    }
    return 0;
}

tar::Entry* current(HARC h) {
    OpenArchive* a = find(h);
    return a && a->found ? &a->entry : nullptr;
}
}  // namespace

HARC WINAPI TarOpenArchive(const HWND, LPCSTR archive, const DWORD) {
    if (!archive) return nullptr;
    auto a = std::make_unique<OpenArchive>();
    a->path = archive;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(archive, GetFileExInfoStandard, &data)) return nullptr;
    a->file_size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    a->written = data.ftLastWriteTime;
    if (!TarCheckArchive(archive, CHECKARCHIVE_RAPID)) return nullptr;
    HARC h = reinterpret_cast<HARC>(a.get());
    g_open.push_back(std::move(a));
    return h;
}

int WINAPI TarCloseArchive(HARC h) {
    auto it = std::find_if(g_open.begin(), g_open.end(), [h](auto& a) { return reinterpret_cast<HARC>(a.get()) == h; });
    if (it == g_open.end()) return ERROR_HARC_ISNOT_OPENED;
    g_open.erase(it);
    return 0;
}

int WINAPI TarFindFirst(HARC h, LPCSTR pattern, INDIVIDUALINFO* info) {
    OpenArchive* a = find(h);
    if (!a) return ERROR_HARC_ISNOT_OPENED;
    a->in = std::make_unique<tar::Reader>();
    a->pattern = pattern ? pattern : "";
    a->searching = a->found = false;
    a->original_total = 0;
    if (int r = a->in->open(a->path.c_str())) return r;
    a->searching = true;
    return next_match(*a, info);
}

int WINAPI TarFindNext(HARC h, INDIVIDUALINFO* info) {
    OpenArchive* a = find(h);
    return a ? next_match(*a, info) : ERROR_HARC_ISNOT_OPENED;
}

int WINAPI TarGetArcFileName(HARC h, LPSTR buffer, const int size) {
    OpenArchive* a = find(h);
    return a ? copy_text(a->path, buffer, size) : ERROR_HARC_ISNOT_OPENED;
}
DWORD WINAPI TarGetArcFileSize(HARC h) {
    OpenArchive* a = find(h);
    return a ? clamp32(a->file_size) : static_cast<DWORD>(-1);
}
DWORD WINAPI TarGetArcOriginalSize(HARC h) {
    OpenArchive* a = find(h);
    return a ? clamp32(a->original_total) : static_cast<DWORD>(-1);
}
DWORD WINAPI TarGetArcCompressedSize(HARC h) { return TarGetArcFileSize(h); }
WORD WINAPI TarGetArcRatio(HARC h) {
    OpenArchive* a = find(h);
    return a ? ratio(a->file_size, a->original_total) : static_cast<WORD>(-1);
}
WORD WINAPI TarGetArcDate(HARC h) {
    OpenArchive* a = find(h);
    return a ? dos_date_time(a->written, true) : static_cast<WORD>(-1);
}
WORD WINAPI TarGetArcTime(HARC h) {
    OpenArchive* a = find(h);
    return a ? dos_date_time(a->written, false) : static_cast<WORD>(-1);
}
UINT WINAPI TarGetArcOSType(HARC h) { return find(h) ? OSTYPE_UNIX : static_cast<UINT>(-1); }

int WINAPI TarGetFileName(HARC h, LPSTR buffer, const int size) {
    const tar::Entry* e = current(h);
    return e ? copy_text(tar::windows_separators(e->name), buffer, size) : ERROR_NOT_SEARCH_MODE;
}
int WINAPI TarGetMethod(HARC h, LPSTR buffer, const int size) {
    OpenArchive* a = find(h);
    return a && a->found ? copy_text(a->in->gzip() ? "-tgz-" : "-tar-", buffer, size) : ERROR_NOT_SEARCH_MODE;
}
DWORD WINAPI TarGetOriginalSize(HARC h) {
    const tar::Entry* e = current(h);
    return e ? clamp32(e->size) : static_cast<DWORD>(-1);
}
DWORD WINAPI TarGetCompressedSize(HARC h) { return TarGetOriginalSize(h); }
WORD WINAPI TarGetRatio(HARC h) {
    const tar::Entry* e = current(h);
    return e ? ratio(e->size, e->size) : static_cast<WORD>(-1);
}
WORD WINAPI TarGetDate(HARC h) {
    const tar::Entry* e = current(h);
    return e ? dos_date_time(tar::file_time(e->mtime), true) : static_cast<WORD>(-1);
}
WORD WINAPI TarGetTime(HARC h) {
    const tar::Entry* e = current(h);
    return e ? dos_date_time(tar::file_time(e->mtime), false) : static_cast<WORD>(-1);
}
DWORD WINAPI TarGetCRC(HARC h) { return current(h) ? 0 : static_cast<DWORD>(-1); }  // tar keeps no CRC
int WINAPI TarGetAttribute(HARC h) {
    const tar::Entry* e = current(h);
    if (!e) return -1;
    return e->is_folder() ? FA_DIREC : FA_ARCH | (e->mode & 0200 ? 0 : FA_RDONLY);
}
UINT WINAPI TarGetOSType(HARC h) { return current(h) ? OSTYPE_UNIX : static_cast<UINT>(-1); }

BOOL WINAPI TarCheckArchive(LPCSTR archive, const int mode) {
    if (!archive) return FALSE;
    tar::Reader in;
    if (in.open(archive)) return FALSE;
    for (int n = 0;; ++n) {
        tar::Entry e;
        bool end;
        if (tar::read_entry(in, e, end)) return FALSE;
        if (end) return TRUE;
        if (mode == CHECKARCHIVE_RAPID && n >= 2) return TRUE;
        bool short_read;
        if (!in.skip(e.size + tar::padding(e.size), short_read)) return FALSE;
    }
}

int WINAPI TarGetFileCount(LPCSTR archive) {
    if (!archive) return -1;
    tar::Reader in;
    if (in.open(archive)) return -1;
    for (int n = 0;; ++n) {
        tar::Entry e;
        bool end;
        if (tar::read_entry(in, e, end)) return -1;
        if (end) return n;
        bool short_read;
        if (!in.skip(e.size + tar::padding(e.size), short_read)) return -1;
    }
}
