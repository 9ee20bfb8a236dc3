// The error report list: entries appended to one memory block, the heading of
// the first entry, the report file for the user's editor.
#include "programs/error_report.h"
#include "frame/report_link.h"
#include <cstring>
#include "frame/memory_blocks.h"
#include "frame/paths.h"
#include "fs/drives.h"
#include "frame/error_state.h"
#include "programs/report_platform.h"
#include "ferromes.h"

using namespace ferro::programs;

namespace {
constexpr std::size_t kPath = 520;
constexpr UINT kRemovableNote = 8114;  // "(取外可能ﾃﾞｨｽｸ：要確認)"
constexpr UINT kMissingNote = 8112;    // "(先にはありません)"
constexpr char kLineBreak[] = "\r\n";
constexpr char kArrow[] = "\r\n          --> ";
constexpr char kSystemIndent[] = "\r\n  ";
constexpr std::size_t kFirstSize = 4096;

struct ReportList {
    HGLOBAL block;
    LPSTR locked;         // while a caller reads the list
    std::size_t length;   // bytes of text (the block holds length + 1 or more)
    std::size_t capacity;
    bool heading_written;
    bool busy;
} g_list;

char g_work_folder[kPath];
BOOL g_no_existence_check;

void unlock_list() {
    if (g_list.locked) GlobalUnlock(g_list.block);
    g_list.locked = nullptr;
}

// Appends the text; when the block cannot grow, the text is left out and the
// list stays as it was.
void append(const char* text) {
    if (!text || !*text) return;
    std::size_t n = std::strlen(text);
    std::size_t needed = g_list.length + n + 1;
    if (needed > g_list.capacity || !g_list.block) {
        std::size_t size = g_list.capacity * 2 > needed ? g_list.capacity * 2 : needed;
        if (size < kFirstSize) size = kFirstSize;
        HGLOBAL grown = GetGlobalHandle(g_list.block, static_cast<DWORD>(size));
        if (!grown && size > needed) grown = GetGlobalHandle(g_list.block, static_cast<DWORD>(size = needed));
        if (!grown) return;
        g_list.block = grown;
        g_list.capacity = size;
    }
    char* p = static_cast<char*>(GlobalLock(g_list.block));
    if (!p) return;
    std::memcpy(p + g_list.length, text, n + 1);
    GlobalUnlock(g_list.block);
    g_list.length += n;
}

void append_message(UINT id) {
    MyLoadString(id, 0);
    append(GetLoadStrMessage());
}

// " SHRA": the attribute letters in the order system, hidden, read-only, archive.
void append_attributes(LONG attributes) {
    char letters[8];
    if (!GetAttributeChar(attributes, letters)) return;
    const char text[] = {' ', letters[3], letters[2], letters[1], letters[0], '\0'};
    append(text);
}

// The errors a call leaves as it found them.
struct SavedErrors {
    DWORD last = GetLastError();
    DWORD stored = Get_nERRNO();
    int number = Get_errno();
    void restore() const {
        Set_nERRNO(stored);
        Set_errno(number);
        SetLastError(last);
    }
};

// The report file's full path in `folder` (the work folder when null).
bool report_path(const char* name, const char* folder, char (&out)[kPath]) {
    if (!name || !*name) return false;
    char base[kPath];
    const char* from = folder ? folder : g_work_folder;
    if (std::strlen(from) + std::strlen(name) >= kPath) return false;
    std::strcpy(base, from);
    out[0] = '\0';
    // The lengths fit, so 0 means a whole path, which is copied as it is.
    if (_myGetFullPathName(out, base, name) == 0 && std::strcmp(out, name) != 0) return false;
    return true;
}
}  // namespace

DWORD WINAPI SaveOutputFileMemoryHandle(HWND, LPCSTR text, LPCSTR source, LPCSTR target, UINT headingId,
                                        LONG errorCode) {
    const SavedErrors saved;
    if (g_list.busy) return saved.stored;
    g_list.busy = true;
    unlock_list();

    if (headingId != 0 && !g_list.heading_written) {
        MyLoadString(0, headingId);
        append(GetLoadStrTitle());
        append(kLineBreak);
        append(kLineBreak);
        g_list.heading_written = true;
    }
    append(text);
    if (source && *source) {
        append(source);
        const char* spelling = report_spelling(source);
        if (spelling && std::strcmp(spelling, source) != 0) {
            append("[");
            append(spelling);
            append("]");
        }
        LONG attributes = report_attributes(source);
        if (attributes != -1) append_attributes(attributes);
    }
    if (target && *target) {
        append(kArrow);
        append(target);
        if (!g_no_existence_check) {
            if (IsRemovalDrives(target)) append_message(kRemovableNote);
            else if (!report_exists(target)) append_message(kMissingNote);
        }
    }
    DWORD code = errorCode == -1 ? saved.stored : static_cast<DWORD>(errorCode);
    if (code != 0) {
        if (const char* system = report_system_text(source, code)) {
            append(kSystemIndent);
            append(report_os_prefix());
            append(system);
        }
        release_report_system_text();
    }
    append(kLineBreak);

    g_list.busy = false;
    saved.restore();
    return saved.stored;
}

LPSTR WINAPI GetOutputFileList() {
    if (!g_list.block || g_list.length == 0) return nullptr;
    if (!g_list.locked) g_list.locked = static_cast<LPSTR>(GlobalLock(g_list.block));
    return g_list.locked;
}

LONG WINAPI ReleaseOutputFileMemoryHandle() {
    bool had = g_list.block != nullptr;
    unlock_list();
    if (g_list.block) GlobalFree(g_list.block);
    bool busy = g_list.busy;
    g_list = ReportList{};
    g_list.busy = busy;
    return had ? 1 : 0;
}

int WINAPI SetWorkDirForFailFile(LPCSTR folder) {
    if (!folder) {
        g_work_folder[0] = '\0';
        return 0;
    }
    std::size_t n = std::strlen(folder);
    if (n >= kPath) return 0;
    std::memcpy(g_work_folder, folder, n + 1);
    return static_cast<int>(n + 1);
}

BOOL WINAPI SetDisableIsFileDirExistForFailFile(BOOL value) { return g_no_existence_check = value; }

int WINAPI ViewOutputFiles(HWND window, LPCSTR fileName, LPCSTR folder, LPCSTR text) {
    char path[kPath];
    if (!report_path(fileName, folder, path)) return 0;
    bool from_list = text == nullptr;
    bool was_locked = g_list.locked != nullptr;
    if (from_list) text = GetOutputFileList();
    if (!text) return 0;
    std::size_t length = from_list ? g_list.length : std::strlen(text);
    bool written = write_report_file(path, text, length, FILE_ATTRIBUTE_ARCHIVE);
    if (from_list && !was_locked) unlock_list();
    if (!written) return 0;
    return open_in_editor(window, path) ? 1 : -1;
}

int WINAPI DeleteOutputFiles(HWND, LPCSTR fileName) {
    char path[kPath];
    if (!report_path(fileName, nullptr, path) || !report_exists(path)) return 0;
    return remove_report_file(path);
}

void ferro::note_in_report(HWND owner, const char* text, const char* source, const char* target, UINT headingId,
                           LONG errorCode) {
    SaveOutputFileMemoryHandle(owner, text, source, target, headingId, errorCode);
}
