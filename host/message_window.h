// A message-only window of the host: what the engine sends to a window of
// the host (progress, output lines) arrives at `procedure`.
#pragma once
#include <windows.h>

namespace host {
// Registers the class (once per name) and makes the window; 0 on failure.
HWND make_message_window(const char* class_name, WNDPROC procedure);
}  // namespace host
