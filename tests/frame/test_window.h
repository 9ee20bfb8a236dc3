// A hidden top-level window for the frame's tests: it hands every message to
// the test's handler, records WM_CLOSE (without closing) and messages from
// WM_APP up, and can be told to destroy itself by a posted message.
#pragma once
#include <windows.h>
#include <functional>
#include <vector>

namespace frame_test {
inline constexpr UINT kDestroyMe = WM_APP + 0x3f0;

class TestWindow {
public:
    using Handler = std::function<void(UINT message, WPARAM wparam, LPARAM lparam)>;
    explicit TestWindow(Handler handler = {});
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND hwnd() const { return hwnd_; }
    struct Seen { HWND window; UINT message; WPARAM wparam; LPARAM lparam; };
    // Shared by every test window, in the order the messages arrived.
    static std::vector<Seen>& seen();
    static const char* class_name();

private:
    static LRESULT CALLBACK proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    HWND hwnd_ = nullptr;
    Handler handler_;
};

// Dispatches every message waiting in this thread's queue.
void drain_messages();
}  // namespace frame_test
