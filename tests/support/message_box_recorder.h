// Records every message box shown on this thread (caption, text, style) and
// answers it with the button the test scripted. A box with no scripted
// answer fails the test and is closed, so a test never hangs on a box.
#pragma once
#include <windows.h>
#include <deque>
#include <initializer_list>
#include <string>
#include <vector>

namespace ferro_test {
struct RecordedBox {
    std::string caption;  // code-page-932 bytes
    std::string text;
    UINT style = 0;       // MB_ICON*, MB_* buttons and MB_DEFBUTTON* as read from the box
    int answer = 0;       // the button pressed (IDOK, IDYES, ...)
};

class MessageBoxRecorder {
public:
    // `answers` are queued for the first boxes, in turn.
    explicit MessageBoxRecorder(std::initializer_list<int> answers = {});
    ~MessageBoxRecorder();
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    // Queues the button for the next box (IDOK, IDCANCEL, IDYES, IDNO, ...).
    void answer(int button) { answers_.push_back(button); }
    // Boxes without a scripted answer are pressed with this button and are not a failure;
    // kWayOut presses the box's Cancel, else No, else OK.
    static constexpr int kWayOut = -1;
    void answer_all(int button) { default_answer_ = button; }
    const std::vector<RecordedBox>& boxes() const { return boxes_; }
    void clear() { boxes_.clear(); answers_.clear(); }

private:
    static LRESULT CALLBACK cbt_proc(int code, WPARAM wparam, LPARAM lparam);
    static void CALLBACK on_timer(HWND window, UINT, UINT_PTR id, DWORD);
    void on_activate(HWND box);
    void record_and_answer(HWND box);

    HHOOK hook_ = nullptr;
    std::deque<int> answers_;
    int default_answer_ = 0;
    std::vector<RecordedBox> boxes_;
    MessageBoxRecorder* previous_ = nullptr;
};
}  // namespace ferro_test
