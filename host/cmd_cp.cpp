// ferro cp / ferro mv: copy (or move) files and folder trees the way the file
// manager does: the engine's find layer walks each tree, myMkdir makes the
// folders and myOrgCopyFile copies every file, reporting its progress to a
// hidden window that shows it on stderr (a line rewritten on a terminal, a
// line a second at most in a log). Failures are explained with the
// engine's message texts and the error report list is printed at the end.
#include <windows.h>
#include <cstdio>
#include <string>
#include <vector>
#include "box_report.h"
#include "commands.h"
#include "console.h"
#include "ferromes.h"
#include "fileops/copy.h"
#include "frame/error_boxes.h"
#include "frame/message_pump.h"
#include "fs/dos_find.h"
#include "fs/dos_folders.h"
#include "fs/dos_names.h"
#include "programs/error_report.h"

namespace host {
namespace {
constexpr UINT kProgressMessage = WM_APP + 1;
constexpr size_t kPathMax = 519;
constexpr UINT kDiskAccessTitle = 8012;  // "ﾃﾞｨｽｸｱｸｾｽ・ｴﾗｰ"

struct Run {
    const char* command;  // "cp" or "mv"
    bool move = false;
    int failures = 0;
    int files = 0;
    ULONGLONG current_size = 0;
    std::string current_name;
    ProgressLine* progress = nullptr;
};

Run* g_run;  // the run whose progress the window draws

std::string size_text(ULONGLONG bytes) {
    char out[32];
    if (bytes >= (1ull << 20))
        std::snprintf(out, sizeof out, "%.1f MiB", double(bytes) / double(1 << 20));
    else
        std::snprintf(out, sizeof out, "%llu B", bytes);
    return out;
}

LRESULT CALLBACK progress_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message != kProgressMessage || !g_run || !g_run->progress)
        return DefWindowProcA(window, message, wparam, lparam);
    const ULONGLONG done = (ULONGLONG(wparam) << 32) | DWORD(lparam);
    const ULONGLONG total = g_run->current_size;
    const unsigned percent = total ? unsigned(done * 100 / total) : 100;
    char line[96];
    std::snprintf(line, sizeof line, "%3u%% %s / %s  ", percent, size_text(done).c_str(), size_text(total).c_str());
    g_run->progress->show(line + g_run->current_name);
    return 0;
}

// A message-only window that receives the progress messages of the engine.
class ProgressWindow {
public:
    ProgressWindow() {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = progress_proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "FerroHostCopyProgress";
        RegisterClassA(&wc);
        hwnd_ = CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    }
    ~ProgressWindow() {
        if (hwnd_) DestroyWindow(hwnd_);
    }
    ProgressWindow(const ProgressWindow&) = delete;
    ProgressWindow& operator=(const ProgressWindow&) = delete;
    HWND hwnd() const { return hwnd_; }

private:
    HWND hwnd_ = nullptr;
};

DWORD attributes_of(const std::string& path) { return GetFileAttributesA(path.c_str()); }
bool is_folder(const std::string& path) {
    const DWORD a = attributes_of(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

char drive_of(const std::string& path) {
    if (path.size() < 2 || path[1] != ':') return 0;
    const char c = path[0];
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

// Whether `path` lies inside the folder `folder` (or is it).
bool inside(const std::string& path, const std::string& folder) {
    if (path.size() < folder.size() || CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, path.c_str(),
                                                      int(folder.size()), folder.c_str(), int(folder.size())) != CSTR_EQUAL)
        return false;
    return path.size() == folder.size() || ends_with_yen(folder) || path[folder.size()] == '\\';
}

void fail(Run& run, const std::string& name, const std::string& why) {
    ++run.failures;
    err(std::string("ferro ") + run.command + ": '" + name + "': " + why);
}

// The engine's own explanation of a copy result: its message in the
// engine's box (which the box report turns into a line without a display),
// else one line made here.
void explain(Run& run, LONG result, const std::string& source, const std::string& target) {
    char name[520] = {};
    const UINT id = GetCopyingErrorMessageID(result, source.c_str(), target.c_str(), name);
    if (id && BoxReport::active()) {
        const int before = BoxReport::seen();
        SetHelpDosErrorMessage(MB_OK | MB_ICONEXCLAMATION, nullptr);
        MyLoadDosErrorMessage(nullptr, name[0] ? name : source.c_str(), id, kDiskAccessTitle, 0);
        if (BoxReport::seen() != before) {
            ++run.failures;
            return;
        }
    }
    std::string text = "copy result " + std::to_string(result);
    if (id) {
        MyLoadString(id, 0);
        text = GetLoadStrMessage();
    }
    for (char& c : text)
        if (c == '\n') c = ' ';
    fail(run, name[0] ? name : source, text);
}

bool copy_file(Run& run, HWND window, const std::string& source, const std::string& target) {
    if (source.size() > kPathMax || target.size() > kPathMax) {
        fail(run, source.size() > kPathMax ? source : target, "path too long");
        return false;
    }
    if (run.move && drive_of(source) && drive_of(source) == drive_of(target) && !is_folder(target)) {
        if (MoveFileExA(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) {
            ++run.files;
            return true;
        }
    }
    WIN32_FIND_DATAA found;
    run.current_size = myFindFileAProperty(source.c_str(), &found) == 0 ? GetOurUlargeIntergerSize(&found) : 0;
    run.current_name = source;
    std::string s = source, t = target;
    if (run.progress) run.progress->begin();
    const LONG result = myOrgCopyFile(window, s.data(), t.data(), 0, kProgressMessage);
    if (run.progress) run.progress->end();
    if (result != 0) {
        explain(run, result, source, target);
        return false;
    }
    ++run.files;
    if (run.move && WinRemove(source.c_str()) != 0) {
        fail(run, source, "copied, but the source could not be removed");
        return false;
    }
    return true;
}

// Copies the tree below `source` into `target` (made when missing); a moved
// folder is removed once everything in it has gone.
bool copy_tree(Run& run, HWND window, const std::string& source, const std::string& target) {
    if (target.size() > kPathMax) {
        fail(run, target, "path too long");
        return false;
    }
    if (!is_folder(target) && myMkdir(target.c_str()) != 0) {
        fail(run, target, "the folder cannot be made");
        return false;
    }
    bool ok = true;
    std::vector<std::pair<std::string, bool>> entries;
    WIN32_FIND_DATAA record;
    HANDLE find = nullptr;
    for (int r = my_Dos_findfirst(&find, joined(source, "*.*").c_str(), &record); r == 0;
         r = my_Dos_findnext(&find, &record)) {
        const std::string name = record.cFileName;
        if (name == "." || name == "..") continue;
        entries.emplace_back(name, (record.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
    }
    Close_my_Dos_find(&find);
    for (const auto& [name, folder] : entries) {
        const std::string from = joined(source, name), to = joined(target, name);
        ok = (folder ? copy_tree(run, window, from, to) : copy_file(run, window, from, to)) && ok;
        if (IsStopExecutingFlag()) return false;
    }
    if (ok && run.move && myRmdir(source.c_str()) != 0) {
        fail(run, source, "moved, but the folder could not be removed");
        ok = false;
    }
    return ok;
}

int copy_or_move(const Args& args, const char* command, bool move) {
    if (args.size() < 2) {
        err(std::string("usage: ferro ") + command + " SRC... DST");
        return 2;
    }
    std::vector<std::string> sources;
    for (size_t i = 0; i + 1 < args.size(); ++i) sources.push_back(without_final_yen(windows_path(args[i])));
    const std::string destination = without_final_yen(windows_path(args.back()));
    const bool into = is_folder(destination);
    if (sources.size() > 1 && !into) {
        err(std::string("ferro ") + command + ": '" + args.back() + "' is not a folder");
        return 2;
    }

    Run run;
    ProgressLine progress;
    run.command = command;
    run.move = move;
    run.progress = &progress;
    g_run = &run;
    ProgressWindow window;
    ResetCancellingFlags(0);
    ResetCopiedTotalSize();
    SetSomeFilesCopiedSuccessifully(0);
    ReleaseOutputFileMemoryHandle();
    for (const std::string& source : sources) {
        const DWORD a = attributes_of(source);
        if (a == INVALID_FILE_ATTRIBUTES) {
            fail(run, source, "no such file or folder");
            continue;
        }
        const std::string target = into ? joined(destination, name_of(source)) : destination;
        if (a & FILE_ATTRIBUTE_DIRECTORY) {
            if (inside(target, source)) {
                fail(run, source, "a folder cannot be copied into itself");
                continue;
            }
            if (move && drive_of(source) == drive_of(target) && !is_folder(target) &&
                MoveFileA(source.c_str(), target.c_str())) {
                ++run.files;
                continue;
            }
            copy_tree(run, window.hwnd(), source, target);
        } else {
            copy_file(run, window.hwnd(), source, target);
        }
    }
    g_run = nullptr;

    if (const char* list = GetOutputFileList()) {
        err("");
        err(list);
    }
    ReleaseOutputFileMemoryHandle();
    outf("%d item(s) %s, %s\n", run.files, move ? "moved" : "copied", size_text(GetCopiedTotalSize()).c_str());
    return run.failures ? 1 : 0;
}
}  // namespace

int cmd_cp(const Args& args) { return copy_or_move(args, "cp", false); }
int cmd_mv(const Args& args) { return copy_or_move(args, "mv", true); }
}  // namespace host
