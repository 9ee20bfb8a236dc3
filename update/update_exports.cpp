// The exported frame of the update module: settings stored for the host, the
// check on the caller's or a worker thread, the installer's address and its
// opening.
#include <windows.h>
#include <process.h>
#include <cstring>
#include "frame/message_pump.h"
#include "frame/text.h"
#include "programs/processes.h"
#include "update.h"
#include "update_internal.h"

namespace {
using ferro::update::g_state;

constexpr char kCustomized[] = "Customized";
constexpr char kBeta[] = "beta";
constexpr char kGreekBeta[] = "\x83\xc0";  // β

unsigned __stdcall check_on_thread(void*) {
    g_state.thread_state = 1;
    const LONG result = ferro::update::run_check(g_state.thread_title, g_state.thread_title_argument, nullptr,
                                                 nullptr, 0, 0, 0, nullptr);
    g_state.thread_result = result;
    g_state.thread_answered_yes = result == 6;
    MemoryBarrier();
    g_state.thread_state = -1;
    return 0;
}
}  // namespace

namespace ferro::update {
// The address opened with the user's browser; a failure shows the
// program-start box.
bool open_in_browser(const char* address) { return ReachURLFromString(0, nullptr, address, 0) == 1; }
}  // namespace ferro::update

LONG WINAPI dllOnUpdateToNewerVersonAtCommand(UINT titleId, LPCSTR titleArgument, LONG, HGLOBAL* memoryOut, HWND c1,
                                              UINT_PTR c2, LONG_PTR c3, LONG_PTR c4, DWORD* c5) {
    return ferro::update::run_check(titleId, titleArgument, memoryOut, c1, c2, c3, c4, c5);
}

LONG WINAPI dllOnUpdateToNewerVersonAtCommandInThread(UINT titleId, LPCSTR titleArgument) {
    if (g_state.thread) return 0;  // one check at a time
    g_state.thread_title = titleId;
    g_state.thread_title_argument = titleArgument;
    g_state.thread_result = 0;
    if (g_state.do_not_use_thread) {
        check_on_thread(nullptr);
        return 0;
    }
    unsigned id = 0;
    g_state.thread = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, check_on_thread, nullptr, 0, &id));
    return g_state.thread ? 1 : 0;
}

LONG WINAPI dllIsUpdateToNewerVersonActive() { return g_state.thread_state; }

LONG WINAPI dllTerminateThreadUpdateToNewerVersonOnTimer() {
    if (g_state.thread_state != -1) return 0;
    g_state.thread_state = 0;
    dllCloseThreadUpdateToNewerVerson();
    ResetCancellingFlags(0);
    return 1;
}

LONG WINAPI dllCloseThreadUpdateToNewerVerson() {
    if (!g_state.thread) return 0;
    CloseHandle(g_state.thread);
    g_state.thread = nullptr;
    return 1;
}

LONG WINAPI dllGetResultOnUpdateToNewerVersonAtCommand(LONG value) { return g_state.thread_result == value ? 1 : 0; }

LONG WINAPI dllExecuteNewVersionInstaller(LONG flags) {
    LONG result = 0;
    if (!g_state.install_to_cancel && (flags & 3) && g_state.new_version_memory && g_state.new_version_result != 0) {
        result = 1;
        if (!(flags & 2)) {
            const char* address = static_cast<const char*>(GlobalLock(g_state.new_version_memory));
            if (!address || !ferro::update::open_in_browser(address)) result = 0;
            if (address) GlobalUnlock(g_state.new_version_memory);
        }
    } else {
        flags |= 4;
    }
    if (flags & 4) ferro::update::free_new_version_memory();
    return result;
}

HGLOBAL* WINAPI dllGetNewVersionMemory() { return &g_state.new_version_memory; }

LONG WINAPI dllFreeNewVersionMemory() {
    const bool had = g_state.new_version_memory != nullptr;
    ferro::update::free_new_version_memory();
    return had ? 1 : 0;
}

LONG WINAPI dllGetVersionNumberForUpdateToNewerVerson(LPCSTR versionText) {
    return GetVersionYearAndNumberFromString(versionText, &g_state.running_year, &g_state.running_number);
}

LONG WINAPI dllGetAlwaysUpdatedForSameVersion(LPCSTR versionText) {
    if (!versionText) return 0;
    return j_lstristr(versionText, kCustomized) || j_lstristr(versionText, kBeta) ||
                   j_lstristr(versionText, kGreekBeta)
               ? 1
               : 0;
}

LONG WINAPI dllSetItemsForUpdate(const LONG_PTR* record, LONG enabled) {
    if (record) std::memcpy(g_state.items.word, record, sizeof g_state.items.word);
    return g_state.items_set = enabled;
}

LONG WINAPI dllSetUpdateToNewerVersonOptions(LONG a, LONG b, LONG c, LONG flags) {
    g_state.options[0] = a;
    g_state.options[1] = b;
    g_state.options[2] = c;
    return g_state.options[3] = flags;
}

LONG WINAPI dllSetAddMessageOnlyOnOutputWindowAPIForUpdate(void(WINAPI* function)(LONG_PTR, LPCSTR, LONG_PTR),
                                                           LONG_PTR value) {
    g_state.output = function;
    g_state.output_value = value;
    return function ? 1 : 0;
}

LONG WINAPI dllSetQuitProcessOnClose(LONG value) { return g_state.quit_on_close = value; }
LONG WINAPI dllSetDoNotUseThread(LONG value) { return g_state.do_not_use_thread = value; }
LONG WINAPI dllSetDoNotUseCounterFile(LONG value) { return g_state.do_not_use_counter_file = value; }
LONG WINAPI dllSetBaseFolderForUpdate(LONG value) { return g_state.base_folder = value; }
LONG WINAPI dllSetGetWin32FindData(LONG value) { return g_state.find_data = value; }
LONG WINAPI dllSetGetWin32FindDataForFileChecked(LONG value) { return g_state.find_data_checked = value; }
LONG WINAPI dllSetNewVersionInstallToCancel(LONG value) { return g_state.install_to_cancel = value; }
LONG WINAPI dllSetNewerVersionFound(LONG value) { return g_state.newer_version_found = value; }
LONG WINAPI dllIsNewVersionInstallToCancel() { return g_state.install_to_cancel; }
LONG WINAPI dllIsNewerVersionFound() { return g_state.newer_version_found; }

// The name is copied into 260 bytes; a longer one is refused (null) and the
// stored name emptied rather than cut.
LPSTR WINAPI dllSetFileFonudInInternet(LPCSTR name) {
    g_state.file_found[0] = '\0';
    if (!name || !*name) return g_state.file_found;
    const std::size_t n = strnlen(name, sizeof g_state.file_found);
    if (n >= sizeof g_state.file_found) return nullptr;
    std::memcpy(g_state.file_found, name, n + 1);
    return g_state.file_found;
}

LPSTR WINAPI dllGetFileFonudInInternet() { return g_state.file_found; }
