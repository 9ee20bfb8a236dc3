#include "frame/program_windows.h"

namespace {
// One entry more than the table holds, always zero, so a reader finds its end.
LaunchRecord g_table[kWinExecWindowTableSize + 1];
int g_count;

struct InstanceSearch {
    HINSTANCE instance;
    HWND found;
};

BOOL CALLBACK match_instance(HWND window, LPARAM lparam) {
    auto* search = reinterpret_cast<InstanceSearch*>(lparam);
    if (reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE)) != search->instance) return TRUE;
    search->found = window;
    return FALSE;
}

BOOL CALLBACK collect_program_window(HWND window, LPARAM lparam) {
    const auto* wanted = reinterpret_cast<const LaunchRecord*>(lparam);
    DWORD process_id = 0;
    DWORD thread_id = GetWindowThreadProcessId(window, &process_id);
    if (process_id != wanted->processId || thread_id != wanted->threadId) return TRUE;
    LaunchRecord& entry = g_table[g_count++];
    entry = LaunchRecord{};
    entry.window = window;
    entry.processId = process_id;
    entry.threadId = thread_id;
    return g_count < kWinExecWindowTableSize;
}
}  // namespace

LONG WINAPI GetWindowsInstanceForWinExec(LaunchRecord* record, HANDLE value) {
    if (!record) return 0;
    *record = LaunchRecord{};
    record->instance = value;
    record->processId = static_cast<DWORD>(-1);
    record->threadId = static_cast<DWORD>(-1);
    return 1;
}

HWND WINAPI InstOfWindowsToWindowsHandle(HINSTANCE instance) {
    InstanceSearch search{instance, nullptr};
    EnumWindows(match_instance, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WINAPI InstOfWinExecToWnd(LaunchRecord record) {
    for (LaunchRecord& entry : g_table) entry = LaunchRecord{};
    g_count = 0;
    EnumWindows(collect_program_window, reinterpret_cast<LPARAM>(&record));
    return g_table[0].window;
}

LaunchRecord* WINAPI GetWinExecToWndArray() { return g_table[0].window ? g_table : nullptr; }
