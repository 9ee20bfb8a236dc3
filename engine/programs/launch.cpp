// Starting a program: by CreateProcess or through the shell's "runas" verb,
// with the launch settings, the after-launch hook, the search for the
// program's window and the wait that keeps the user interface alive.
#include <windows.h>
#include <shellapi.h>
#include <cstring>
#include <string>
#include <utility>
#include "fs/network_bridge.h"
#include "frame/error_state.h"
#include "frame/memory_blocks.h"
#include "frame/message_box.h"
#include "frame/text.h"
#include "programs/launch.h"
#include "programs/launch_internal.h"
#include "programs/programs_internal.h"
#include "ferromes.h"

namespace {
constexpr DWORD kEveryStart = CREATE_DEFAULT_ERROR_MODE | NORMAL_PRIORITY_CLASS;  // 0x4000020
constexpr DWORD kReadyWait = 10000;
constexpr DWORD kWaitStep = 100;
constexpr DWORD kElevationRequired = 740;  // ERROR_ELEVATION_REQUIRED
constexpr UINT kNetworkError = 8304;   // "ﾈｯﾄﾜｰｸﾄﾞﾗｲﾌﾞｱｸｾｽ時にｴﾗｰが発生しました。"
constexpr UINT kNetworkTitle = 8300;   // "ﾈｯﾄﾜｰｸ"
constexpr UINT kNeedsAdministrator = 8135;  // "起動させるには、管理者権限が必要です。..."
constexpr UINT kStartErrorTitle = 8015;     // "ﾌｧｲﾙ実行ｴﾗｰ"

struct Settings {
    DWORD creation_flags;
    MemoryTag environment;
    LONG wait;
    LONG quit_wait;
    AfterLaunchHook hook;
    PROCESS_INFORMATION last;
    bool elevation_asked;
} g;

HANDLE as_handle(INT_PTR value) { return reinterpret_cast<HANDLE>(value); }

// The first visible top-level window of the started program, else its first one.
HWND main_window_of(DWORD process) {
    HWND any = nullptr;
    HWND visible = ferro::programs::first_window(nullptr, [&](HWND window) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != process) return false;
        if (!any) any = window;
        return IsWindowVisible(window) != FALSE;
    });
    return visible ? visible : any;
}

// Handles the messages of this thread until the process ends or the wait is
// called off; a quit request ends the wait and stays for the host's loop.
void wait_dispatching(HANDLE process) {
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(message.wParam));
                return;
            }
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (g.quit_wait == 1) return;
        DWORD r = MsgWaitForMultipleObjects(1, &process, FALSE, kWaitStep, QS_ALLINPUT);
        if (r != WAIT_TIMEOUT && r != WAIT_OBJECT_0 + 1) return;
    }
}

void show_network_error(HWND window) {
    MyLoadString(kNetworkError, kNetworkTitle);
    std::string text = GetLoadStrMessage();
    myMessageBox(window, text.c_str(), GetLoadStrTitle(), MB_ICONEXCLAMATION);
}
}  // namespace

namespace ferro::programs {
bool connect_network_names(std::string& line) {
    for (std::size_t at = 0; (at = line.find("\\:\\", at)) != std::string::npos; ++at) {
        if (at > 0 && line[at - 1] != ' ' && line[at - 1] != '"') continue;
        std::string tail = line.substr(at);
        int saved = 0;
        const char* name = ferro::fs::net::make_network_folder_name(tail.data(), &saved);
        if (saved == 0) return false;
        line.replace(at, std::string::npos, name);
    }
    return true;
}

void close_record_handles(LaunchRecord& record) {
    for (HANDLE* h : {&record.instance, &record.thread}) {
        if (*h && *h != INVALID_HANDLE_VALUE && *h != as_handle(1)) CloseHandle(*h);
        *h = nullptr;
    }
}

void free_launch_environment() { FreeMemoryTag(&g.environment); }

bool take_elevation_request() { return std::exchange(g.elevation_asked, false); }

// What every start does once the program runs: its window, the record, the
// last process, the hook, and the wait that is set.
void finish_start(LaunchRecord* record, PROCESS_INFORMATION info) {
    *record = LaunchRecord{};
    record->instance = info.hProcess;
    record->thread = info.hThread;
    record->processId = info.dwProcessId;
    record->threadId = info.dwThreadId;
    if (info.hProcess) {
        WaitForInputIdle(info.hProcess, kReadyWait);
        record->window = main_window_of(info.dwProcessId);
    }
    FreeMemoryTag(&g.environment);
    g.last = info;
    if (g.hook) g.hook(&info);
    if (!info.hProcess) return;
    if (g.wait == -1) {
        g.quit_wait = 0;
        wait_dispatching(info.hProcess);
        CloseHandle(info.hProcess);
        if (info.hThread) CloseHandle(info.hThread);
        record->instance = record->thread = as_handle(1);  // started, handles given up
        g.last.hProcess = g.last.hThread = nullptr;
    } else if (g.wait != 0) {
        WaitForSingleObject(info.hProcess, static_cast<DWORD>(g.wait));
    }
}
}  // namespace ferro::programs

LONG WINAPI IsWinExecOnError(LaunchRecord record) {
    return record.instance == nullptr || record.instance == INVALID_HANDLE_VALUE ? 1 : 0;
}

LaunchRecord* WINAPI GetInitializedHandleForWinExec(LaunchRecord* record) {
    if (record) *record = LaunchRecord{};
    return record;
}

LaunchRecord* WINAPI GetDummyErrorHandleForWinExec(LaunchRecord* record) {
    if (!record) return record;
    *record = LaunchRecord{};
    record->instance = record->thread = INVALID_HANDLE_VALUE;
    return record;
}

LaunchRecord* WINAPI GetDummySuccessHandleForWinExec(LaunchRecord* record) {
    if (!record) return record;
    *record = LaunchRecord{};
    record->instance = record->thread = as_handle(1);
    return record;
}

DWORD WINAPI SetFlagForCreateProcess(DWORD flags) { return g.creation_flags = flags; }

LONG WINAPI SetEnvironmentForWinExec(LPCSTR block) {
    FreeMemoryTag(&g.environment);
    if (!block) return 0;
    g.environment.pointer = StrDupSeparetedByZero(&g.environment.handle, nullptr, block);
    return g.environment.pointer ? 1 : 0;
}

LONG WINAPI WaitForSingleObjectForWinExec(LONG milliseconds) { return g.wait = milliseconds; }
LONG WINAPI SetToQuitWaitForSingleObjectInWinExec(LONG value) { return g.quit_wait = value; }
LONG WINAPI IsWaitForSingleObjectLoopTerminated() { return g.quit_wait == 0 ? 1 : 0; }
AfterLaunchHook WINAPI SetWinExecAfterCreateProcessAPI(AfterLaunchHook hook) { return g.hook = hook; }
PROCESS_INFORMATION* WINAPI GetProcessInfoFromCreateProcess() { return &g.last; }

LaunchRecord* WINAPI myWinExec(LaunchRecord* record, HWND window, LPCSTR commandLine, int show) {
    LaunchRecord scratch;  // a caller without a record gets null back
    LaunchRecord* const given = record;
    if (!record) record = &scratch;
    GetInitializedHandleForWinExec(record);
    g.elevation_asked = false;
    std::string line = commandLine ? commandLine : "";
    if (!ferro::programs::connect_network_names(line)) {
        show_network_error(window);
        return given;
    }
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(show);
    PROCESS_INFORMATION info{};
    BOOL started = !line.empty() && CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE,
                                                   g.creation_flags | kEveryStart, g.environment.pointer, nullptr,
                                                   &startup, &info);
    // A start that succeeded may leave "no more files" behind: it is no error.
    DWORD error = started ? 0 : line.empty() ? ERROR_FILE_NOT_FOUND : GetLastError();
    Set_nERRNO(error);
    if (!started) {
        FreeMemoryTag(&g.environment);
        if (error == kElevationRequired &&
            myMessageBoxForLoadString(window, kNeedsAdministrator, kStartErrorTitle, MB_YESNO | MB_ICONQUESTION) ==
                IDYES)
            g.elevation_asked = true;
        return given;
    }
    ferro::programs::finish_start(record, info);
    return given;
}

LaunchRecord* WINAPI myWinExecRequireAdministrator(LaunchRecord* record, HWND window, LPCSTR file,
                                                   LPCSTR parameters, int show) {
    LaunchRecord scratch;  // a caller without a record gets null back
    LaunchRecord* const given = record;
    if (!record) record = &scratch;
    GetInitializedHandleForWinExec(record);
    std::string program = file ? file : "", options = parameters ? parameters : "";
    if (!ferro::programs::connect_network_names(program) || !ferro::programs::connect_network_names(options)) {
        show_network_error(window);
        return given;
    }
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS;
    info.hwnd = window;
    info.lpVerb = "runas";
    info.lpFile = program.c_str();
    info.lpParameters = options.empty() ? nullptr : options.c_str();
    info.nShow = show;
    BOOL started = !program.empty() && ShellExecuteExA(&info);
    Set_nERRNO(started ? 0 : program.empty() ? ERROR_FILE_NOT_FOUND : GetLastError());
    FreeMemoryTag(&g.environment);
    if (!started) return given;
    if (!info.hProcess) {  // the shell kept the program to itself
        GetDummySuccessHandleForWinExec(record);
        return given;
    }
    PROCESS_INFORMATION process{};
    process.hProcess = info.hProcess;
    process.dwProcessId = GetProcessId(info.hProcess);
    ferro::programs::finish_start(record, process);
    return given;
}
