#include "message_window.h"

namespace host {
HWND make_message_window(const char* class_name, WNDPROC procedure) {
    WNDCLASSA type = {};
    type.lpfnWndProc = procedure;
    type.hInstance = GetModuleHandleA(nullptr);
    type.lpszClassName = class_name;
    RegisterClassA(&type);
    return CreateWindowExA(0, class_name, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, type.hInstance, nullptr);
}
}  // namespace host
