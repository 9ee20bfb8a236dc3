// A program of its own that accepts dropped files: it shows a window that
// accepts files, signals the named event when it is ready, and on the first
// WM_DROPFILES writes every name it receives (one per line) and the drop
// point to the file named on its command line, then ends.
// Usage: drop_target.exe OUTPUT_FILE READY_EVENT
#include <windows.h>
#include <shellapi.h>
#include <string>

namespace {
std::string g_output;

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_DROPFILES) {
        HDROP drop = reinterpret_cast<HDROP>(wparam);
        std::string lines;
        POINT point = {};
        DragQueryPoint(drop, &point);
        lines += "point " + std::to_string(point.x) + " " + std::to_string(point.y) + "\n";
        const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
        for (UINT i = 0; i < count; ++i) {
            std::string name(DragQueryFileA(drop, i, nullptr, 0) + 1, '\0');
            DragQueryFileA(drop, i, name.data(), static_cast<UINT>(name.size()));
            name.resize(name.size() - 1);
            lines += name + "\n";
        }
        DragFinish(drop);
        HANDLE file = CreateFileA(g_output.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written;
        WriteFile(file, lines.data(), static_cast<DWORD>(lines.size()), &written, nullptr);
        CloseHandle(file);
        DestroyWindow(window);
        return 0;
    }
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcA(window, message, wparam, lparam);
}
void CALLBACK give_up(HWND window, UINT, UINT_PTR, DWORD) { DestroyWindow(window); }
}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    g_output = argv[1];
    WNDCLASSA kind = {};
    kind.lpfnWndProc = procedure;
    kind.hInstance = GetModuleHandleA(nullptr);
    kind.lpszClassName = "FerroDropTarget";
    kind.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    RegisterClassA(&kind);
    HWND window = CreateWindowExA(WS_EX_ACCEPTFILES | WS_EX_TOPMOST, kind.lpszClassName, "drop target",
                                  WS_OVERLAPPEDWINDOW | WS_VISIBLE, 600, 400, 300, 200, nullptr, nullptr,
                                  kind.hInstance, nullptr);
    if (!window) return 3;
    UpdateWindow(window);
    HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[2]);
    if (ready) {
        SetEvent(ready);
        CloseHandle(ready);
    }
    SetTimer(window, 1, 30000, give_up);  // never wait for ever
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
