// Copy and move of the chosen entries into the other pane's folder: the
// host walks the items and their trees and decides per file (overwrite,
// skip, only when newer); the engine copies each file (myOrgCopyFile, which
// removes a partial target when stopped), makes the folders, removes moved
// sources with its questions and notes every failure in the error report
// list, shown at the end. A synchronisation is the same walk of the whole
// source folder, copying only what is missing or newer, with the engine's
// removal of what the target has beyond the source in each folder.
#include <windows.h>
#include <string>
#include <vector>
#include "app.h"
#include "dialogs.h"
#include "fileops/copy.h"
#include "fileops/delete.h"
#include "ferromes.h"
#include "frame/error_boxes.h"
#include "frame/error_state.h"
#include "frame/message_box.h"
#include "frame/message_pump.h"
#include "frame/paths.h"
#include "fs/dos_find.h"
#include "fs/dos_folders.h"
#include "fs/dos_names.h"
#include "host_paths.h"
#include "listing/listing_store.h"
#include "listing/selection.h"
#include "operations.h"
#include "programs/error_report.h"
#include "texts.h"

namespace ferrolan::ops {
namespace {
constexpr UINT kCopyFailedHeading = 8110;  // "======複写中にｴﾗｰの出たﾌｧｲﾙ(ﾌｫﾙﾀﾞ)======"
constexpr size_t kPathMax = 519;

struct Run {
    Run(App& a, bool m, bool s = false) : app(a), move(m), sync(s) {}
    App& app;
    bool move;
    bool sync = false;
    bool stopped = false;
    bool overwrite_for_all = false;
    Overwrite overwrite = Overwrite::kYes;
    int done = 0;
    ULONGLONG file_size = 0;  // of the file being copied
    std::string file;         // its name, for the progress line
    HWND box = nullptr;       // the progress box, where the engine has one
    int shift = 0;            // the box counts bytes >> shift (its counts are 31 bits)
};
constexpr UINT kBoxMessage = WM_USER + 10;  // the progress box's codes: 0 start (total), 1 bytes done
Run* g_run = nullptr;

char drive_of(const std::string& path) {
    if (path.size() < 2 || path[1] != ':') return 0;
    const char c = path[0];
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}
bool same_drive(const std::string& a, const std::string& b) { return drive_of(a) && drive_of(a) == drive_of(b); }

// Whether `path` is `folder` or lies inside it.
bool inside(const std::string& path, const std::string& folder) {
    const char* at = IsDirectoryContained(path.c_str(), folder.c_str(), FALSE);
    return at == path.c_str();
}

UINT title_of(const Run& run) { return run.sync ? ids::kSyncTitle : run.move ? ids::kMoveTitle : ids::kCopyTitle; }

// The engine's box for a failed copy; false when the user stops the run.
bool report_copy_failure(Run& run, LONG result, const std::string& source, const std::string& target) {
    char name[520] = {};
    const UINT id = GetCopyingErrorMessageID(result, source.c_str(), target.c_str(), name);
    if (!id) return true;
    SetHelpDosErrorMessage(MB_OKCANCEL | MB_ICONEXCLAMATION, nullptr);
    const int answer = MyLoadDosErrorMessage(run.app.window(), name[0] ? name : source.c_str(), id,
                                             ids::kDiskAccessTitle, 0);
    return answer != IDCANCEL;
}

// A path over the engine's 519 bytes is refused and noted.
bool fits(Run& run, const std::string& source, const std::string& target) {
    if (source.size() <= kPathMax && target.size() <= kPathMax) return true;
    SaveOutputFileMemoryHandle(run.app.window(), nullptr, source.substr(0, kPathMax).c_str(),
                               target.substr(0, kPathMax).c_str(), kCopyFailedHeading, ERROR_FILENAME_EXCED_RANGE);
    return false;
}

// Removes a moved source with the engine's questions (read-only, in use).
bool remove_source(Run& run, const std::string& path, bool folder) {
    LONG result;
    do result = RemoveByForce(run.app.window(), path.c_str(), 1, folder ? 0x8 : 0x4, 0);
    while (IsReturnedValueHitForDeleteOperation(result, -0x40));
    if (IsReturnedValueHitForDeleteOperation(result, -0x1000)) run.stopped = true;
    return IsReturnedValueHitForDeleteOperation(result, -0x2);
}

bool should_overwrite(Run& run, const std::string& source, const std::string& target) {
    Overwrite choice = run.overwrite;
    if (!run.overwrite_for_all) {
        const OverwriteAnswer a = ask_overwrite(run.app.window(), title_of(run), source, target);
        choice = a.choice;
        if (a.for_all) {
            run.overwrite = a.choice;
            run.overwrite_for_all = true;
        }
    }
    switch (choice) {
    case Overwrite::kYes: return true;
    case Overwrite::kIfNewer: return pFirstFileIsNewerThanSecondFile(source.c_str(), target.c_str()) == 1;
    case Overwrite::kSkip: return false;
    case Overwrite::kStop: run.stopped = true; return false;
    }
    return false;
}

void copy_file(Run& run, const std::string& source, const std::string& target) {
    if (!fits(run, source, target)) return;
    const bool target_there = exists(target) && !is_folder(target);
    if (target_there && !should_overwrite(run, source, target)) return;
    // A move on one drive to a free name is a rename.
    if (run.move && !target_there && same_drive(source, target) && WinRename(source.c_str(), target.c_str()) == 0) {
        ++run.done;
        return;
    }
    WIN32_FIND_DATAA found;
    run.file_size = myFindFileAProperty(source.c_str(), &found) == 0 ? GetOurUlargeIntergerSize(&found) : 0;
    run.file = host::name_of(source);
    if (run.box) {
        run.shift = 0;
        while ((run.file_size >> run.shift) > 0x7fffffff) ++run.shift;
        progress_box_text(source, 0, 0);
        SendMessageA(run.box, kBoxMessage, 0, LPARAM(run.file_size >> run.shift));
    }
    SaveSrcCopyingFile(source.c_str());
    SaveTgtCopyingFile(target.c_str());
    std::string s = source, t = target;
    const LONG result = myOrgCopyFile(run.app.window(), s.data(), t.data(), drive_of(source), kCopyProgressMessage);
    if (result == -17 || IsStopExecutingFlag()) {
        run.stopped = true;
        return;
    }
    if (result != 0) {
        if (!report_copy_failure(run, result, source, target)) run.stopped = true;
        return;
    }
    ++run.done;
    if (run.move) remove_source(run, source, false);
}

void copy_tree(Run& run, const std::string& source, const std::string& target) {
    if (!fits(run, source, target)) return;
    if (inside(target, source)) {
        _MessageBoxPrintf(GetSysDlgInstance(), ids::kIntoItself, title_of(run), source.c_str(), run.app.window(),
                          MB_ICONEXCLAMATION, nullptr);
        return;
    }
    if (run.move && !exists(target) && same_drive(source, target) && WinRename(source.c_str(), target.c_str()) == 0) {
        ++run.done;
        return;
    }
    if (!is_folder(target) && myMkdir(target.c_str()) != 0) {
        SaveOutputFileMemoryHandle(run.app.window(), nullptr, source.c_str(), target.c_str(), kCopyFailedHeading,
                                   Get_nERRNO());
        return;
    }
    SaveSrcCopyingDirectory(source.c_str());
    SaveTgtCopyingDirectory(target.c_str());
    std::vector<std::pair<std::string, bool>> entries;
    WIN32_FIND_DATAA record;
    HANDLE find = nullptr;
    for (int r = my_Dos_findfirst(&find, host::joined(source, "*.*").c_str(), &record); r == 0;
         r = my_Dos_findnext(&find, &record)) {
        const std::string name = record.cFileName;
        if (name == "." || name == "..") continue;
        entries.emplace_back(name, (record.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
    }
    Close_my_Dos_find(&find);
    for (const auto& [name, folder] : entries) {
        if (run.stopped || StopExecuting()) {
            run.stopped = true;
            return;
        }
        const std::string from = host::joined(source, name), to = host::joined(target, name);
        folder ? copy_tree(run, from, to) : copy_file(run, from, to);
    }
    if (run.move && !run.stopped) remove_source(run, source, true);
    if (run.sync && !run.stopped && !StopExecuting()) remove_extras(source, target);
}

void open_box(Run& run) { run.box = show_progress_box(run.app); }

void close_box(Run& run) {
    hide_progress_box(run.app, run.box);
    run.box = nullptr;
}

void begin(Run& run) {
    g_run = &run;
    open_box(run);
    ResetCancellingFlags(0);
    ResetCopiedTotalSize();
    SetSomeFilesCopiedSuccessifully(0);
    ReleaseOutputFileMemoryHandle();
    SetCopyOrMove(run.move ? 0x3 : 0x1);
}

void finish(Run& run) {
    close_box(run);
    g_run = nullptr;
    ResetCancellingFlags(0);
    FreeItemFileAfterCurNumber(0, 0);
    refresh_panes(run.app, !run.stopped);
    show_error_list(run.app);
}
}  // namespace

// The progress box takes the place of the function-key bar while the run goes.
HWND show_progress_box(App& app) {
    HWND window = app.window(), bar = GetDlgItem(window, kFunctionBarId);
    if (!bar) return nullptr;
    RECT r;
    GetWindowRect(bar, &r);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
    HWND box = CreateWindowExA(WS_EX_CLIENTEDGE, "STATIC", "", WS_CHILD | WS_VISIBLE, r.left, r.top, r.right - r.left,
                               r.bottom - r.top, window, reinterpret_cast<HMENU>(INT_PTR(kProgressBoxId)),
                               app.instance(), nullptr);
    if (!box) return nullptr;
    SendMessageA(box, WM_SETFONT, WPARAM(app.font()), 0);
    ShowWindow(bar, SW_HIDE);
    start_progress_box(window, kProgressBoxId);
    return box;
}

void hide_progress_box(App& app, HWND box) {
    if (!box) return;
    end_progress_box(app.window(), kProgressBoxId);
    DestroyWindow(box);
    ShowWindow(GetDlgItem(app.window(), kFunctionBarId), SW_SHOW);
}

void copy_progress(App& app, ULONGLONG bytes) {
    if (!g_run) return;
    const unsigned percent = g_run->file_size ? unsigned(bytes * 100 / g_run->file_size) : 100;
    const std::string line = format(g_run->move ? ids::kMoving : ids::kCopying, g_run->file.c_str(), percent);
    SetWindowTextA(app.source().control(Pane::kStatus), line.c_str());
    if (g_run->box) SendMessageA(g_run->box, kBoxMessage, 1, LPARAM(bytes >> g_run->shift));
}

void copy_or_move(App& app, bool move) {
    copy_items(app, chosen_items(app), app.source().folder(), app.target().folder(), move);
}

void copy_items(App& app, const std::vector<Item>& items, const std::string& from, const std::string& target_folder,
                bool move) {
    if (items.empty()) return;
    if (lstrcmpiA(target_folder.c_str(), from.c_str()) == 0) {
        _MessageBoxPrintf(GetSysDlgInstance(), ids::kSameFolderRefused, move ? ids::kMoveTitle : ids::kCopyTitle,
                          target_folder.c_str(), app.window(), MB_ICONEXCLAMATION, nullptr);
        return;
    }
    const std::string question = format(move ? ids::kAskMove : ids::kAskCopy, int(items.size()), target_folder.c_str());
    if (myMessageBox(app.window(), question.c_str(), text(move ? ids::kMoveTitle : ids::kCopyTitle).c_str(),
                     MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;

    Run run{app, move};
    begin(run);
    SaveTgtCopyingDirectory(target_folder.c_str());
    for (const Item& item : items) {
        if (run.stopped) break;
        const std::string target = host::joined(target_folder, host::name_of(item.path));
        item.folder ? copy_tree(run, item.path, target) : copy_file(run, item.path, target);
        if (IsStopExecutingFlag()) run.stopped = true;
    }
    finish(run);
}

void synchronise(App& app) {
    const std::string first = app.source().folder(), second = app.target().folder();
    // Folders inside each other would lose what one holds: refused.
    if (inside(first, second) || inside(second, first)) {
        const UINT why = lstrcmpiA(first.c_str(), second.c_str()) == 0 ? ids::kSameFolderRefused : ids::kIntoItself;
        _MessageBoxPrintf(GetSysDlgInstance(), why, ids::kSyncTitle, second.c_str(), app.window(), MB_ICONEXCLAMATION,
                          nullptr);
        return;
    }
    const std::string question = format(ids::kAskSync, second.c_str(), first.c_str());
    if (myMessageBox(app.window(), question.c_str(), text(ids::kSyncTitle).c_str(), MB_YESNO | MB_ICONQUESTION) !=
        IDYES)
        return;
    Run run{app, false, true};
    run.overwrite_for_all = true;  // only what is missing or newer
    run.overwrite = Overwrite::kIfNewer;
    begin(run);
    copy_tree(run, first, second);
    finish(run);
}
}  // namespace ferrolan::ops
