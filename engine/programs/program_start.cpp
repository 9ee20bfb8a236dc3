// Starting a program with its options and reporting why it did not start;
// the last command, the user's editor, the shell's execute function with an
// error box, ending a program found by its title, and the folder of the
// running program.
#include <windows.h>
#include <shellapi.h>
#include <cstring>
#include <string>
#include "frame/cursors.h"
#include "frame/error_boxes.h"
#include "frame/error_state.h"
#include "frame/error_texts.h"
#include "frame/memory_blocks.h"
#include "frame/message_box.h"
#include "frame/paths.h"
#include "frame/text.h"
#include "programs/launch.h"
#include "programs/launch_internal.h"
#include "programs/processes.h"
#include "programs/programs_internal.h"
#include "ferromes.h"

namespace {
constexpr std::size_t kPathSize = 520;
constexpr int kMostNames = 10;
constexpr char kDefaultEditor[] = "notepad.exe";

// A string kept in a memory block with its locked address.
struct StringPointer {
    HGLOBAL handle;
    LPSTR locked;
    void set(const char* text) { locked = GetStringPointer(&handle, locked, text); }
    void free() {
        FreeStringPointer(handle, locked);
        *this = StringPointer{};
    }
    const char* text() const { return locked ? locked : ""; }
};

StringPointer g_last_program, g_last_options, g_editor;

std::string block_text(HGLOBAL block) {
    if (!block) return {};
    const char* p = static_cast<const char*>(GlobalLock(block));
    std::string text = p ? p : "";
    if (p) GlobalUnlock(block);
    return text;
}

bool has_space(const std::string& text) { return FindSpace(text.c_str()) != nullptr; }

bool is_quoted(const std::string& program) { return program.size() >= 2 && program.front() == '"'; }

std::string unquoted(std::string program) {
    std::string out;
    for (char c : program)
        if (c != '"') out += c;
    return out;
}

using Start = LaunchRecord* (*)(LaunchRecord*, HWND, const std::string&, const std::string&, int);

LaunchRecord* start_normal(LaunchRecord* record, HWND window, const std::string& program, const std::string& options,
                           int show) {
    std::string line = options.empty() ? program : program + " " + options;
    return myWinExec(record, window, line.c_str(), show);
}

LaunchRecord* start_elevated(LaunchRecord* record, HWND window, const std::string& program,
                             const std::string& options, int show) {
    return myWinExecRequireAdministrator(record, window, unquoted(program).c_str(), options.c_str(), show);
}

// Reports the stored error of a start that failed, titled with the program's name.
void report_start_failure(const std::string& program) {
    DWORD error = Get_nERRNO();
    // The question about elevation has been the report already.
    if (error == 0 || error == 740 /* ERROR_ELEVATION_REQUIRED */) return;
    std::string name = unquoted(program);
    PutErrorMessage(1, nullptr, error, ERROR_NO_MORE_FILES, 0, GetLanguage(), 1,
                    ferro::programs::file_name_part(name.c_str()));
}

LaunchRecord* execute(LaunchRecord* record, HWND window, int show, LONG keepLast, HGLOBAL programBlock,
                      HGLOBAL optionsBlock, Start first_start) {
    LaunchRecord scratch;  // a caller without a record gets null back
    LaunchRecord* const given = record;
    if (!record) record = &scratch;
    GetInitializedHandleForWinExec(record);
    std::string program = block_text(programBlock), options = block_text(optionsBlock);
    if (!is_quoted(program) && has_space(program)) program = '"' + program + '"';
    if (!ferro::programs::connect_network_names(program)) {
        MyLoadString(8304, 8300);  // "ﾈｯﾄﾜｰｸﾄﾞﾗｲﾌﾞｱｸｾｽ時にｴﾗｰが発生しました。" under "ﾈｯﾄﾜｰｸ"
        std::string text = GetLoadStrMessage();
        myMessageBox(window, text.c_str(), GetLoadStrTitle(), MB_ICONEXCLAMATION);
        return given;
    }
    if (unquoted(program).size() >= kPathSize) {  // no program path is that long
        Set_nERRNO(ERROR_FILENAME_EXCED_RANGE);
        report_start_failure(program);
        return given;
    }
    if (keepLast == 0) {
        g_last_program.set(program.c_str());
        g_last_options.set(options.c_str());
    }
    HCURSOR before = GetCursor();
    PutHourGlassCursor();
    for (;;) {
        first_start(record, window, program, options, show);
        if (IsWinExecOnError(*record) && ferro::programs::take_elevation_request())
            start_elevated(record, window, program, options, show);
        if (!IsWinExecOnError(*record)) break;
        if (!is_quoted(program)) {
            report_start_failure(program);
            GetInitializedHandleForWinExec(record);
            break;
        }
        program = unquoted(program);  // once more as the user wrote it
    }
    SetCursor(before);
    return given;
}
}  // namespace

LaunchRecord* WINAPI myExecuteExeFile(LaunchRecord* record, HWND window, int show, LONG keepLast,
                                      HGLOBAL programBlock, HGLOBAL optionsBlock) {
    return execute(record, window, show, keepLast, programBlock, optionsBlock, start_normal);
}

LaunchRecord* WINAPI myExecuteExeFileRequireAdministrator(LaunchRecord* record, HWND window, int show,
                                                          LONG keepLast, HGLOBAL programBlock,
                                                          HGLOBAL optionsBlock) {
    return execute(record, window, show, keepLast, programBlock, optionsBlock, start_elevated);
}

LONG WINAPI SetExcuteExeFileAndOptionsWith95Quotation(HWND owner, LPCSTR program, LPCSTR options,
                                                      HGLOBAL* programBlock, HGLOBAL* optionsBlock) {
    if (!programBlock || !optionsBlock) return 0;
    *programBlock = *optionsBlock = nullptr;
    std::string exe = program ? program : "", rest = options ? options : "";
    if (!ferro::programs::connect_network_names(rest)) return 0;
    if (has_space(rest) && !is_quoted(exe)) exe = '"' + exe + '"';
    *programBlock = SaveToGlobalMemory(owner, nullptr, exe.c_str());
    *optionsBlock = SaveToGlobalMemory(owner, nullptr, rest.c_str());
    if (*programBlock && *optionsBlock) return 1;
    for (HGLOBAL* block : {programBlock, optionsBlock})
        if (*block) *block = GlobalFree(*block);
    return 0;
}

LPSTR WINAPI GetCommandStringInExecuteExeFile(LPSTR buffer) {
    if (!buffer) return nullptr;
    *buffer = '\0';
    if (!g_last_program.locked) return nullptr;
    std::string line = g_last_program.text();
    if (*g_last_options.text()) line += std::string(" ") + g_last_options.text();
    if (line.size() >= kPathSize) return nullptr;
    std::memcpy(buffer, line.c_str(), line.size() + 1);
    return buffer;
}

LONG WINAPI GetCommandAndOptionInExecuteExeFile(LPSTR* program, LPSTR* options) {
    if (program) *program = g_last_program.locked;
    if (options) *options = g_last_options.locked;
    return g_last_program.locked ? 1 : 0;
}

LONG WINAPI FreeExcuteExeFile() {
    LONG had = g_last_program.handle || g_last_options.handle ? 1 : 0;
    g_last_program.free();
    g_last_options.free();
    return had;
}

LPSTR WINAPI SetEditor(HWND, LPCSTR command) {
    if (command) g_editor.set(command);
    return g_editor.locked;
}

LPSTR WINAPI Get_lpEditor() { return g_editor.locked; }

LPSTR WINAPI GetGlobalLockEditor() {
    if (!g_editor.locked && g_editor.handle) g_editor.locked = static_cast<LPSTR>(GlobalLock(g_editor.handle));
    return g_editor.locked;
}

LONG WINAPI SetGlobalUnlockEditor() {
    if (!g_editor.locked) return 0;
    GlobalUnlock(g_editor.handle);
    g_editor.locked = nullptr;
    return 1;
}

LONG WINAPI FreeEditor() {
    LONG had = g_editor.handle ? 1 : 0;
    g_editor.free();
    return had;
}

LaunchRecord* WINAPI ExecuteEditor(LaunchRecord* record, HWND window, LPCSTR file) {
    LaunchRecord scratch;  // a caller without a record gets null back
    LaunchRecord* const given = record;
    if (!record) record = &scratch;
    const char* setting = GetGlobalLockEditor();
    char editor[kPathSize];
    if (!setting || !*setting || std::strlen(setting) >= sizeof editor) setting = kDefaultEditor;
    std::strcpy(editor, setting);
    // The setting may carry options of its own after the program.
    LPSTR own_options = nullptr;
    LPSTR program = ExtractExefile(editor, &own_options, 0);
    std::string options = own_options && *own_options ? std::string(own_options) + " " : "";
    std::string name = file ? file : "";
    options += has_space(name) && !is_quoted(name) ? '"' + name + '"' : name;
    HGLOBAL program_block = nullptr, options_block = nullptr;
    if (!SetExcuteExeFileAndOptionsWith95Quotation(window, program ? program : editor, options.c_str(),
                                                   &program_block, &options_block)) {
        GetInitializedHandleForWinExec(record);
        return given;
    }
    myExecuteExeFile(record, window, SW_SHOWNORMAL, 1, program_block, options_block);
    GlobalFree(program_block);
    GlobalFree(options_block);
    return given;
}

LONG WINAPI TermintetExecuteFileByWinExec(LaunchRecord* record, LPCSTR names, int count) {
    if (record) GetInitializedHandleForWinExec(record);
    if (count > kMostNames) count = kMostNames;
    HWND window = count > 0 ? FindWindowsByEnumWindowsByStristr(names, count) : nullptr;
    if (!window) return 0;
    DWORD process_id = 0;
    DWORD thread_id = GetWindowThreadProcessId(window, &process_id);
    if (record) {
        record->window = window;
        record->processId = process_id;
        record->threadId = thread_id;
    }
    return TerminateExefileByProcessId(process_id);
}

HWND WINAPI ShellExecuteWithError(HWND window, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR folder,
                                  int show) {
    INT_PTR result = reinterpret_cast<INT_PTR>(ShellExecuteA(window, verb, file, parameters, folder, show));
    if (result > 32) {
        HWND started = InstOfWindowsToWindowsHandle(reinterpret_cast<HINSTANCE>(result));
        return started ? started : reinterpret_cast<HWND>(result);
    }
    ShellExecuteError(window, file, 0, static_cast<LONG>(result), nullptr, 0, 0);
    return nullptr;
}

LPSTR WINAPI GetExecutedDirectory(LPSTR name, LPSTR folder) {
    HMODULE module = GetModuleHandleA(nullptr);
    if (!folder || !module) return nullptr;
    DWORD n = GetModuleFileNameA(module, folder, kPathSize);
    if (n == 0 || n >= kPathSize) {
        *folder = '\0';
        return nullptr;
    }
    if (name) std::strcpy(name, ferro::programs::file_name_part(folder));
    GetDirectoryPathInFile(folder);
    return folder;
}
