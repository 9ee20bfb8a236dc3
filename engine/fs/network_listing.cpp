// Listing the levels of the network (the networks, the computers of a
// network, the shares of a computer) through the find functions: the level
// is enumerated with the Multiple Provider Router, kept, and handed out one
// folder entry per call. The enumeration runs on a thread of its own, since a
// computer that does not answer can hold the router for a long time: the
// caller waits for it while it may stop the listing, and at most
// kListingTimeout milliseconds.
#include <windows.h>
#include <winnetwk.h>
#include <cstring>
#include <new>
#include <string>
#include <vector>
#include "frame/error_state.h"
#include "frame/handles.h"
#include "frame/mbcs.h"
#include "frame/paths.h"
#include "frame/text.h"
#include "frame/text_internal.h"
#include "fs/drive_list_internal.h"
#include "fs/network.h"
#include "fs/network_internal.h"

namespace {
using namespace ferro;
using ferro::fs::net::settings;

constexpr DWORD kListingTimeout = 15000;
constexpr DWORD kEnumBufferSize = 16384;
constexpr DWORD kDiskUsage = RESOURCEUSAGE_CONNECTABLE | RESOURCEUSAGE_CONTAINER | 0x10;  // 0x13

struct Found {
    std::string name;
    std::string comment;
};

// One enumeration, owned together by the thread that runs it and the caller
// that waits for it; the last of the two to let go frees it.
struct Job {
    LONG owners = 2;
    bool top = false;          // the networks themselves (providers, then their domains)
    std::string remote;        // the container listed below the top
    std::vector<Found> found;
    std::string provider;      // the name of the first network seen at the top
    DWORD error = 0;
    volatile LONG cancelled = 0;
    HANDLE finished = CreateEventA(nullptr, TRUE, FALSE, nullptr);

    void release() {
        if (InterlockedDecrement(&owners) == 0) {
            if (finished) CloseHandle(finished);
            delete this;
        }
    }
};

std::string name_after_yens(const char* remote) {
    if (!remote) return {};
    const char* last = mbcs::find_last(remote, '\\');
    return last ? last + 1 : remote;
}

// Enumerates one container into the job; `depth` 1 goes one level further
// into the containers it finds (the top: networks, then their domains).
DWORD enumerate(Job& job, NETRESOURCEA* container, DWORD type, DWORD usage, int depth) {
    HANDLE handle = nullptr;
    DWORD error = WNetOpenEnumA(RESOURCE_GLOBALNET, type, usage, container, &handle);
    if (error != NO_ERROR) return error;
    std::vector<char> buffer(kEnumBufferSize);
    while (!job.cancelled) {
        DWORD count = static_cast<DWORD>(-1), size = kEnumBufferSize;
        error = WNetEnumResourceA(handle, &count, buffer.data(), &size);
        if (error == ERROR_MORE_DATA) {
            buffer.resize(size);
            continue;
        }
        if (error != NO_ERROR) break;
        const auto* items = reinterpret_cast<NETRESOURCEA*>(buffer.data());
        for (DWORD i = 0; i < count && !job.cancelled; ++i) {
            NETRESOURCEA item = items[i];
            if (depth > 0 && (item.dwUsage & RESOURCEUSAGE_CONTAINER)) {
                if (job.provider.empty() && item.lpRemoteName) job.provider = item.lpRemoteName;
                enumerate(job, &item, type, usage, depth - 1);
            } else if (item.lpRemoteName && item.lpRemoteName[0]) {
                job.found.push_back({name_after_yens(item.lpRemoteName), item.lpComment ? item.lpComment : ""});
            }
        }
    }
    WNetCloseEnum(handle);
    return error == ERROR_NO_MORE_ITEMS ? NO_ERROR : error;
}

DWORD WINAPI run_job(LPVOID argument) {
    Job& job = *static_cast<Job*>(argument);
    try {
        if (job.top) {
            job.error = enumerate(job, nullptr, RESOURCETYPE_ANY, 0, 1);
        } else {
            NETRESOURCEA container = {};
            container.dwScope = RESOURCE_GLOBALNET;
            container.dwType = RESOURCETYPE_DISK;
            container.dwUsage = RESOURCEUSAGE_CONTAINER;
            container.lpRemoteName = job.remote.data();
            job.error = enumerate(job, &container, RESOURCETYPE_DISK, kDiskUsage, 0);
        }
    } catch (const std::bad_alloc&) {
        job.error = ERROR_NOT_ENOUGH_MEMORY;
    }
    SetEvent(job.finished);
    job.release();
    return 0;
}

// ---- The kept listing -----------------------------------------------------

struct Cache {
    bool valid = false;
    std::string level;    // the level listed, as the caller spelled it
    std::string pattern;  // what the entries handed out must match
    std::vector<Found> entries;
    std::size_t next = 0;
    bool open = false;    // a find is handing out entries
    std::string continue_in;  // set by my_Dos_findnext_withnet_path
} g_cache;

char fold(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// "*" and "?" against whole characters, case ignored for single bytes; "*.*"
// takes every name.
bool matches(const char* name, const char* pattern) {
    if (*pattern == '\0') return *name == '\0';
    if (*pattern == '*') {
        if (std::strcmp(pattern, "*.*") == 0) return true;
        for (const char* p = name;; p = mbcs::next(p)) {
            if (matches(p, pattern + 1)) return true;
            if (*p == '\0') return false;
        }
    }
    if (*name == '\0') return false;
    const int size = mbcs::char_size(name);
    if (*pattern == '?') return matches(name + size, pattern + 1);
    if (mbcs::char_size(pattern) != size) return false;
    if (size == 2 ? std::memcmp(name, pattern, 2) != 0 : fold(*name) != fold(*pattern)) return false;
    return matches(name + size, pattern + size);
}

bool same_text(const std::string& a, const std::string& b) {
    return a.size() == b.size() && CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) ==
                                       CSTR_EQUAL;
}

// Splits "LEVEL\PATTERN": the level listed and the pattern of the names.
void split(const char* path, std::string& level, std::string& pattern) {
    const std::size_t length = std::strlen(path);
    const char* last = text::last_separator(path, length);
    if (!last || last == path + 1 || (path[1] == ':' && last == path + 2 && length == 3)) {
        // "\:", "\\", "\:\": the network itself
        level.assign(path, 2);
        pattern = last && last[1] ? last + 1 : "*";
        return;
    }
    level.assign(path, static_cast<std::size_t>(last - path));
    pattern = last[1] ? last + 1 : "*";
}

// What the router is asked for a level: the top, or the remote name of the
// container ("NETWORK" for a network, "\\COMPUTER" for a computer).
bool container_of(const std::string& level, bool& top, std::string& remote) {
    const bool system = level[1] == '\\';
    const int n = system ? (level.size() == 2 ? 1 : 2) : ~IsMultiFolders(level.c_str());
    top = !system && n == 0;
    if (top) return true;
    if (n == 1) {  // a network: its name, or the network in use for "\\"
        remote = system ? fs::net::network_name() : level.substr(3);
        return !remote.empty();
    }
    if (n == 2) {  // a computer
        remote = system ? level : "\\\\" + name_after_yens(level.c_str());
        return true;
    }
    return false;
}

void fill_record(WIN32_FIND_DATAA* record, const Found& found) {
    std::memset(record, 0, sizeof *record);
    record->dwFileAttributes = FILE_ATTRIBUTE_DIRECTORY;
    fs::copy_whole_chars(record->cFileName, found.name.c_str(), sizeof record->cFileName - 1);
    fs::copy_whole_chars(settings().comment, found.comment.c_str(), fs::net::kNameSize - 1);
}

// Hands out the next entry that matches; false at the end.
bool next_entry(WIN32_FIND_DATAA* record) {
    while (g_cache.next < g_cache.entries.size()) {
        const Found& found = g_cache.entries[g_cache.next++];
        if (matches(found.name.c_str(), g_cache.pattern.c_str())) {
            fill_record(record, found);
            return true;
        }
    }
    return false;
}

// Reads a level into the kept listing; the listing result word.
LONG read_level(const std::string& level) {
    g_cache.valid = false;
    g_cache.entries.clear();
    g_cache.next = 0;
    fs::copy_whole_chars(settings().specified_folder, level.c_str(), fs::net::kNameSize - 1);
    bool top = false;
    std::string remote;
    if (!container_of(level, top, remote)) {
        Set_nNetworkERRNO(ERROR_BAD_NET_NAME);
        dos::record_error(ERROR_BAD_NET_NAME);
        ProcessNetErrorHandler(GethWndMain(), ERROR_BAD_NET_NAME, level.c_str(), nullptr);
        return kNetListFailed;
    }
    // Holding the Insert key abandons the listing; a stop asked already ends it.
    if (GetAsyncKeyState(VK_INSERT) < 0 || StopExecutingForNetworkSearching()) return kNetListStopped;

    Job* job = new (std::nothrow) Job;
    HANDLE thread = nullptr;
    if (job && job->finished) {
        job->top = top;
        job->remote = remote;
        thread = CreateThread(nullptr, 0, run_job, job, 0, nullptr);
    }
    if (!thread) {  // no thread took its share of the job
        if (job) {
            job->owners = 1;
            job->release();
        }
        dos::record_error(ERROR_NOT_ENOUGH_MEMORY);
        return kNetListFailed;
    }
    CloseHandle(thread);

    SetNetworkFolderSearching(1);
    LONG result = 0;
    DWORD error = 0;
    const DWORD started = GetTickCount();
    for (;;) {
        if (WaitForSingleObject(job->finished, 20) == WAIT_OBJECT_0) break;
        if (StopExecutingForNetworkSearching()) {
            result = kNetListStopped;
            break;
        }
        if (GetTickCount() - started >= kListingTimeout) {
            result = kNetListStopped;
            error = ERROR_TIMEOUT;
            break;
        }
    }
    SetNetworkFolderSearching(0);
    if (result == 0) {
        error = job->error;
        g_cache.entries = std::move(job->found);
        if (top && !job->provider.empty())
            fs::copy_whole_chars(settings().volume_name, job->provider.c_str(), fs::net::kNameSize - 1);
    } else {
        InterlockedExchange(&job->cancelled, 1);
    }
    job->release();

    if (error) {
        Set_nNetworkERRNO(error);
        dos::record_error(error);
        NETRESOURCEA context = {};
        context.lpRemoteName = remote.data();
        ProcessNetErrorHandler(GethWndMain(), error, level.c_str(), top ? nullptr : &context);
        result |= kNetListFailed;
    }
    if (result) return result;
    dos::record_error(ERROR_SUCCESS);
    g_cache.valid = true;
    g_cache.level = level;
    return g_cache.entries.empty() ? kNetListEmpty : kNetListEntries;
}

LONG begin(HANDLE* finder, const char* path, WIN32_FIND_DATAA* record, bool refresh) {
    if (finder) *finder = nullptr;
    g_cache.open = false;
    char copy[text::kPathSize];
    if (!record || !IsDriveMyNetwork(path) || !text::copy_bounded(copy, path))
        return SetNetworkDriveStatus(kNetListNotNetwork);
    int saved = 0;
    char* fs_name = MakeNetworkFolderName(copy, &saved);
    RecoverNetworkFolderName(fs_name, saved);
    if (saved != 0) return SetNetworkDriveStatus(kNetListFolder);
    std::string level, pattern;
    split(copy, level, pattern);
    g_cache.pattern = pattern;
    g_cache.continue_in.clear();
    LONG result = kNetListEntries;
    if (refresh || !g_cache.valid || !same_text(g_cache.level, level)) result = read_level(level);
    else g_cache.next = 0;
    if (result == kNetListEmpty) dos::record_error(ERROR_FILE_NOT_FOUND);
    if (!(result & kNetListEntries)) return SetNetworkDriveStatus(result);
    if (!next_entry(record)) {
        dos::record_error(ERROR_FILE_NOT_FOUND);
        return SetNetworkDriveStatus(kNetListEmpty);
    }
    SetNetworkDriveStatus(result);
    g_cache.open = true;
    if (finder) *finder = reinterpret_cast<HANDLE>(&g_cache);
    return 0;
}
}  // namespace

LONG WINAPI my_Dos_findfirst_withnet(HANDLE* finder, LPCSTR path, WIN32_FIND_DATAA* record) {
    return begin(finder, path, record, false);
}

LONG WINAPI my_Dos_findnext_withnet(HANDLE* finder, WIN32_FIND_DATAA* record) {
    if (record && !g_cache.continue_in.empty()) {
        const std::string level = g_cache.continue_in;
        g_cache.continue_in.clear();
        if (!g_cache.valid || !same_text(level, g_cache.level)) {
            g_cache.open = (read_level(level) & kNetListEntries) != 0;
            g_cache.pattern.assign(1, '*');
        }
    }
    if (record && g_cache.open && next_entry(record)) return 0;
    g_cache.open = false;
    if (finder) *finder = nullptr;
    return 1;
}

LONG WINAPI my_Dos_findnext_withnet_path(LPCSTR path) {
    if (!IsDriveMyNetwork(path) || std::strlen(path) > text::kPathMax) return 0;
    g_cache.continue_in = path;
    g_cache.open = true;
    return 1;
}

LONG WINAPI RefreshCurrentNetworkFolder(LPCSTR path) {
    const LONG quiet = IsWithoutNetworkErrorMessage();
    SetWithoutNetworkErrorMessage(1);
    HANDLE finder = nullptr;
    WIN32_FIND_DATAA record;
    const LONG answer = begin(&finder, path, &record, true);
    ferro::fs::net::findclose_withnet(&finder);
    SetWithoutNetworkErrorMessage(quiet);
    const LONG result = answer == 0 ? GetNetworkDriveStatus() : answer;
    return (result & kNetListEntries) ? 4096 : (result & kNetListStopped) * 4;
}

LONG WINAPI FreeFoundNetworkDriveMemory() {
    g_cache = Cache{};
    return 1;
}

LONG WINAPI ResetFoundNetworkDrive() {
    g_cache.valid = false;
    g_cache.open = false;
    g_cache.entries.clear();
    g_cache.next = 0;
    return 1;
}

namespace ferro::fs::net {
int findclose_withnet(HANDLE* finder) {
    const bool was_open = g_cache.open;
    g_cache.open = false;
    if (finder) *finder = nullptr;
    return was_open ? 1 : 0;
}
}  // namespace ferro::fs::net
