// The program file of a process and the process of a program file, through
// the process-status, 16-bit task and toolhelp functions that are bound at
// run time, because not every platform has them; and the ending of processes.
#include <windows.h>
#include <tlhelp32.h>
#include <cstring>
#include "frame/mbcs.h"
#include "frame/owned_handle.h"
#include "programs/processes.h"
#include "programs/programs_internal.h"

namespace {
using EnumProcessesFn = BOOL(WINAPI*)(DWORD*, DWORD, DWORD*);
using EnumProcessModulesFn = BOOL(WINAPI*)(HANDLE, HMODULE*, DWORD, DWORD*);
using ModuleNameFn = DWORD(WINAPI*)(HANDLE, HMODULE, LPSTR, DWORD);
using TaskEnumProc = BOOL(WINAPI*)(DWORD, WORD, WORD, PSZ, PSZ, LPARAM);
using EnumTasksFn = INT(WINAPI*)(DWORD, TaskEnumProc, LPARAM);
using SnapshotFn = HANDLE(WINAPI*)(DWORD, DWORD);
using ProcessWalkFn = BOOL(WINAPI*)(HANDLE, PROCESSENTRY32*);

struct Bindings {
    HMODULE psapi, vdmdbg, kernel;
    bool psapi_tried, vdmdbg_tried, kernel_tried;
    EnumProcessesFn enum_processes;
    EnumProcessModulesFn enum_modules;
    ModuleNameFn base_name, file_name;
    EnumTasksFn enum_tasks;
    SnapshotFn snapshot;
    ProcessWalkFn first, next;
} g;

template <class Fn>
Fn bind(HMODULE library, const char* name) {
    return library ? reinterpret_cast<Fn>(GetProcAddress(library, name)) : nullptr;
}

bool have_psapi() { return g.enum_processes && g.enum_modules && (g.base_name || g.file_name); }

bool bind_toolhelp() {
    if (!g.kernel_tried) {
        g.kernel_tried = true;
        g.kernel = LoadLibraryA("Kernel32.DLL");
        g.snapshot = bind<SnapshotFn>(g.kernel, "CreateToolhelp32Snapshot");
        g.first = bind<ProcessWalkFn>(g.kernel, "Process32First");
        g.next = bind<ProcessWalkFn>(g.kernel, "Process32Next");
    }
    return g.snapshot && g.first && g.next;
}

// Calls visit(entry) for each process of a snapshot until it returns true.
template <class Visit>
void walk_processes(Visit visit) {
    if (!bind_toolhelp()) return;
    ferro::OwnedHandle snapshot(g.snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = g.first(snapshot.get(), &entry); more; more = g.next(snapshot.get(), &entry))
        if (visit(entry)) return;
}

// The program of a 16-bit task that runs on the thread.
struct TaskSearch {
    DWORD thread;
    std::string file;
};

BOOL WINAPI match_task(DWORD thread, WORD, WORD, PSZ, PSZ file, LPARAM data) {
    auto* search = reinterpret_cast<TaskSearch*>(data);
    if (thread != search->thread || !file) return FALSE;
    search->file = file;
    return TRUE;
}

// Through the process-status functions; a DOS or 16-bit program runs inside
// the virtual machine, whose task list names it.
std::string by_process_status(DWORD process_id, DWORD thread_id, bool full_path) {
    if (!LoadPSAPIandVDMDBGLibrary()) return {};
    ferro::OwnedHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, process_id));
    HMODULE module = nullptr;
    DWORD needed = 0;
    if (!process || !g.enum_modules(process.get(), &module, sizeof module, &needed)) return {};
    char name[MAX_PATH * 2] = "";
    DWORD n = g.file_name ? g.file_name(process.get(), module, name, sizeof name)
                          : g.base_name(process.get(), module, name, sizeof name);
    if (n == 0 || n >= sizeof name) return {};
    if (g.enum_tasks && lstrcmpiA(ferro::programs::file_name_part(name), "NTVDM.EXE") == 0) {
        TaskSearch task{thread_id, {}};
        g.enum_tasks(process_id, match_task, reinterpret_cast<LPARAM>(&task));
        if (!task.file.empty()) return full_path ? task.file : ferro::programs::file_name_part(task.file.c_str());
    }
    return full_path ? name : ferro::programs::file_name_part(name);
}

// The image name the kernel keeps; it answers for programs of the other
// word size too, which the process-status functions cannot read.
std::string by_image_name(DWORD process_id, bool full_path) {
    ferro::OwnedHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process_id));
    char name[MAX_PATH * 2] = "";
    DWORD n = sizeof name;
    if (!process || !QueryFullProcessImageNameA(process.get(), 0, name, &n)) return {};
    return full_path ? name : ferro::programs::file_name_part(name);
}

std::string by_snapshot(DWORD process_id) {
    std::string found;
    walk_processes([&](const PROCESSENTRY32& entry) {
        if (entry.th32ProcessID != process_id) return false;
        found = entry.szExeFile;
        return true;
    });
    return found;
}

std::string program_of(DWORD process_id, DWORD thread_id, bool full_path) {
    if (process_id == 0) return {};
    std::string name = by_process_status(process_id, thread_id, full_path);
    if (name.empty()) name = by_image_name(process_id, full_path);
    if (name.empty()) name = by_snapshot(process_id);
    return name;
}

// The first process of the program, or 0; the caller's own when `self` is set.
DWORD process_of_program(LPCSTR file, bool self) {
    if (!file || !*file) return 0;
    // A path that ends in a yen mark names no program: it must not match a
    // process whose name is not known yet (one being started is listed so).
    const char* wanted = ferro::programs::file_name_part(file);
    if (!*wanted) return 0;
    const DWORD own = GetCurrentProcessId();
    DWORD found = 0;
    walk_processes([&](const PROCESSENTRY32& entry) {
        if (!self && entry.th32ProcessID == own) return false;
        if (lstrcmpiA(ferro::programs::file_name_part(entry.szExeFile), wanted) != 0) return false;
        found = entry.th32ProcessID;
        return true;
    });
    return found;
}
}  // namespace

namespace ferro::programs {
const char* file_name_part(const char* path) {
    const char* yen = mbcs::find_last(path, '\\');
    return yen ? yen + 1 : path;
}

std::string program_of_process(DWORD process_id, bool full_path) { return program_of(process_id, 0, full_path); }

bool end_process(DWORD process_id) {
    if (process_id == 0 || process_id == GetCurrentProcessId()) return false;
    ferro::OwnedHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, process_id));
    if (process) {
        TerminateProcess(process.get(), 0);
        WaitForSingleObject(process.get(), 1000);
    }
    return true;
}
}  // namespace ferro::programs

LONG WINAPI LoadPSAPIandVDMDBGLibrary() {
    if (!g.psapi_tried) {
        g.psapi_tried = true;
        g.psapi = LoadLibraryA("PSAPI.DLL");
        g.enum_processes = bind<EnumProcessesFn>(g.psapi, "EnumProcesses");
        g.enum_modules = bind<EnumProcessModulesFn>(g.psapi, "EnumProcessModules");
        g.base_name = bind<ModuleNameFn>(g.psapi, "GetModuleBaseNameA");
        g.file_name = bind<ModuleNameFn>(g.psapi, "GetModuleFileNameExA");
    }
    if (!g.vdmdbg_tried && ferro::programs::is_nt_family()) {
        g.vdmdbg_tried = true;
        g.vdmdbg = LoadLibraryA("VDMDBG.DLL");
        g.enum_tasks = bind<EnumTasksFn>(g.vdmdbg, "VDMEnumTaskWOWEx");
    }
    return have_psapi() ? 1 : 0;
}

LONG WINAPI FreePSAPILibrary() {
    bool any = g.psapi || g.vdmdbg || g.kernel;
    for (HMODULE library : {g.psapi, g.vdmdbg, g.kernel})
        if (library) FreeLibrary(library);
    g = Bindings{};
    return any ? 1 : 0;
}

LONG WINAPI GetExefileFromHwnd(HWND window, LPSTR buffer, int size, LONG fullPath, MemoryTag* tag) {
    if (buffer && size > 0) *buffer = '\0';
    if (!window || !IsWindow(window) || !buffer || size <= 0) return 0;
    DWORD process_id = 0;
    DWORD thread_id = GetWindowThreadProcessId(window, &process_id);
    std::string name = program_of(process_id, thread_id, fullPath != 0);
    if (name.empty() || name.size() >= static_cast<std::size_t>(size)) return 0;
    std::memcpy(buffer, name.c_str(), name.size() + 1);
    if (tag) {
        if (tag->pointer && lstrcmpiA(tag->pointer, buffer) == 0) return 0;
        GetMemoryTag(tag, buffer);
    }
    return 1;
}

DWORD WINAPI GetProcessIdFromExefile(LPCSTR file) { return process_of_program(file, true); }

LONG WINAPI TerminateExefileByProcessId(DWORD id) { return ferro::programs::end_process(id) ? 1 : 0; }

LONG WINAPI TerminateExefileByWindowsHandle(HWND window) {
    if (!window || !IsWindow(window)) return 0;
    DWORD process_id = 0;
    GetWindowThreadProcessId(window, &process_id);
    return TerminateExefileByProcessId(process_id);
}

LONG WINAPI TerminateExefileByItsName(LPCSTR file) {
    DWORD id = process_of_program(file, false);
    return id && ferro::programs::end_process(id) ? 1 : 0;
}

LONG WINAPI IsTaskTerminated(LaunchRecord record) {
    ferro::OwnedHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, record.processId));
    if (!process) return 1;
    // A program may end with the code that also means "still active": the
    // process object tells first.
    if (WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0) return 1;
    DWORD code = 0;
    return GetExitCodeProcess(process.get(), &code) && code != STILL_ACTIVE ? 1 : 0;
}
