// The memory-failure report and the global memory error flag.
#include <cstring>
#include "ferromes.h"
#include "frame/handles.h"
#include "frame/memory_blocks.h"
#include "frame/memory_internal.h"
#include "frame/owner_window.h"

namespace {
LONG g_memory_error;
constexpr std::size_t kTextSize = 1040;

// Appends `tail` to the NUL-terminated text in buf[size], never past its end.
void append_bounded(char* buf, std::size_t size, const char* tail) {
    std::size_t used = std::strlen(buf);
    if (used + 1 < size) lstrcpynA(buf + used, tail, static_cast<int>(size - used));
}
}  // namespace

namespace ferro {
void report_memory_failure(HWND window, UINT title_id, UINT detail_id) {
    if (!g_memory_error) {
        // Set first: a failure raised while the box is open closes without a second box.
        g_memory_error = 1;
        char text[2 * kTextSize];
        char title[kTextSize];
        MyLoadString(kMemoryExhausted, title_id);
        lstrcpynA(text, GetLoadStrMessage(), sizeof text);
        lstrcpynA(title, GetLoadStrTitle(), sizeof title);
        if (detail_id) {
            MyLoadString(detail_id, 0);
            append_bounded(text, sizeof text, "\n");
            append_bounded(text, sizeof text, GetLoadStrMessage());
        }
        MessageBoxA(GetValidWindowsHandle(window), text, title, MB_OK | MB_ICONSTOP);
    }
    if (HWND main = GethWndMain()) {
        if (window && window != main) SendMessageA(window, WM_CLOSE, 0, 0);
        SendMessageA(main, WM_CLOSE, 0, 0);
    }
    g_memory_error = 1;
}
}  // namespace ferro

LONG WINAPI SetGlobalMemError(LONG value) { return g_memory_error = value; }
LONG WINAPI IsGlobalMemError() { return g_memory_error; }

LPSTR WINAPI GetGlobalLockTitleByLoadStringTitle() {
    MyLoadString(0, ferro::kGlobalLockTitle);
    return GetLoadStrTitle();
}

LPSTR WINAPI GetAlertMemoryLockByLoadStringTitle() {
    MyLoadString(0, ferro::kAccessFailedDetail);
    return GetLoadStrTitle();
}
