// The program the launch and process tests start. It records the command
// line and the arguments it received (appended to the file named by the
// environment variable FERRO_CHILD_RECORD, then FERRO_CHILD_DONE, an event
// name, is set), and behaves as its options say:
//   --title=T --class=C   a top-level window with that title and class
//   --minimized           the window starts minimised
//   --ignore-close        the window ignores a close request
//   --stay                runs until the window is gone
//   --ready=EVENT         sets the event once the window exists
//   --hold=EVENT          waits for the event (at most a minute) before ending
//   --exit=N              the exit code
//   --instance=MUTEX,MAP  a single instance: announces its window through the
//                         engine's instance signal and, on message WM_APP + 1,
//                         reads the text a second instance left and writes it
//                         (exactly, without a line break) to the record file
// Built twice: as a windows program and as a console program.
#include <windows.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include "programs/processes.h"

namespace {
std::string g_title, g_class = "FerroChild", g_mutex, g_mapping;
bool g_ignore_close, g_stay, g_minimized;

std::string environment(const char* name) {
    char value[1040] = "";
    DWORD n = GetEnvironmentVariableA(name, value, sizeof value);
    return n && n < sizeof value ? value : "";
}

void signal(const std::string& name) {
    if (name.empty()) return;
    if (HANDLE event = OpenEventA(EVENT_MODIFY_STATE, FALSE, name.c_str())) {
        SetEvent(event);
        CloseHandle(event);
    }
}

void write_record(const std::string& data, bool append) {
    std::string path = environment("FERRO_CHILD_RECORD");
    if (path.empty()) return;
    HANDLE file = CreateFileA(path.c_str(), append ? FILE_APPEND_DATA : GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, append ? OPEN_ALWAYS : CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, data.data(), DWORD(data.size()), &written, nullptr);
    CloseHandle(file);
}

void CALLBACK receive_instance_text(LPCSTR text) {
    write_record(text, false);
    signal(environment("FERRO_CHILD_DONE"));
}

LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_CLOSE:
        if (g_ignore_close) return 0;
        break;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_APP + 1:
        GetMyMutexStringAPI(receive_instance_text);
        DetectMyMutexString(g_mutex.c_str(), g_mapping.c_str());
        return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

HWND make_window() {
    WNDCLASSA cls{};
    cls.lpfnWndProc = window_proc;
    cls.hInstance = GetModuleHandleA(nullptr);
    cls.hCursor = LoadCursor(nullptr, IDC_ARROW);
    cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    cls.lpszClassName = g_class.c_str();
    RegisterClassA(&cls);
    HWND window = CreateWindowExA(0, g_class.c_str(), g_title.c_str(), WS_OVERLAPPEDWINDOW, 40, 40, 320, 160,
                                  nullptr, nullptr, cls.hInstance, nullptr);
    ShowWindow(window, g_minimized ? SW_SHOWMINIMIZED : SW_SHOWNORMAL);
    UpdateWindow(window);
    return window;
}

bool option(const char* arg, const char* name, std::string* value) {
    std::size_t n = std::strlen(name);
    if (std::strncmp(arg, name, n) != 0) return false;
    if (value) *value = arg + n;
    return true;
}
}  // namespace

int main(int argc, char** argv) {
    std::string record = "CMD:" + std::string(GetCommandLineA()) + "\n";
    std::string ready, hold, exit_code, instance;
    for (int i = 1; i < argc; ++i) {
        record += "ARG:" + std::string(argv[i]) + "\n";
        option(argv[i], "--title=", &g_title);
        option(argv[i], "--class=", &g_class);
        option(argv[i], "--ready=", &ready);
        option(argv[i], "--hold=", &hold);
        option(argv[i], "--exit=", &exit_code);
        option(argv[i], "--instance=", &instance);
        g_ignore_close |= option(argv[i], "--ignore-close", nullptr);
        g_stay |= option(argv[i], "--stay", nullptr);
        g_minimized |= option(argv[i], "--minimized", nullptr);
    }
    if (!instance.empty()) {
        std::size_t comma = instance.find(',');
        g_mutex = instance.substr(0, comma);
        g_mapping = comma == std::string::npos ? "" : instance.substr(comma + 1);
        if (DetectMyMutexString(g_mutex.c_str(), g_mapping.c_str()) != 0) return 3;  // not the first
        g_stay = true;
    } else {
        write_record(record + "END\n", true);
        signal(environment("FERRO_CHILD_DONE"));
    }
    HWND window = g_title.empty() && instance.empty() ? nullptr : make_window();
    if (!instance.empty())
        CreateMyMutexString(g_mutex.c_str(), g_mapping.c_str(), "%lu", static_cast<unsigned long>(UINT_PTR(window)));
    signal(ready);
    if (!hold.empty()) {
        if (HANDLE event = OpenEventA(SYNCHRONIZE, FALSE, hold.c_str())) {
            WaitForSingleObject(event, 60000);
            CloseHandle(event);
        }
    }
    if (window && g_stay) {
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    ReleaseMyMutexMemory();
    return exit_code.empty() ? 0 : std::atoi(exit_code.c_str());
}
