// The test programs' child: ferro_child_gui.exe and ferro_child_console.exe
// beside the test program. It records what it received in the file named by
// FERRO_CHILD_RECORD (see tests/programs/child/ferro_child.cpp).
#pragma once
#include <windows.h>
#include <string>
#include <vector>

namespace ferro_test {
// The text between quotation marks.
std::string quoted(const std::string& text);
// The child's full path; `console` for the console twin.
std::string child_path(bool console = false);

// A named event of this test run, unique per object.
class NamedEvent {
public:
    NamedEvent();
    ~NamedEvent();
    NamedEvent(const NamedEvent&) = delete;
    NamedEvent& operator=(const NamedEvent&) = delete;
    const std::string& name() const { return name_; }
    HANDLE handle() const { return handle_; }
    bool wait(DWORD ms = 60000) const;  // handling this thread's messages; false after `ms`

private:
    std::string name_;
    HANDLE handle_;
};

// Handles this thread's messages until `done()` holds or `ms` have passed.
template <class Done>
bool pump_until(Done done, DWORD ms = 20000) {
    const DWORD start = GetTickCount();
    while (!done()) {
        DWORD spent = GetTickCount() - start;
        if (spent >= ms) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - spent < 20 ? ms - spent : 20, QS_ALLINPUT);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    return true;
}

// A child started with CreateProcess and the options given; with a window it
// is waited for until the window exists. Ended when the owner goes.
class Child {
public:
    explicit Child(const std::string& options, bool console = false);
    ~Child();
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;
    DWORD id() const { return info_.dwProcessId; }
    HANDLE process() const { return info_.hProcess; }
    HWND window() const { return window_; }
    bool running() const { return WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }
    // Waits for the end (bounded); true when it ended.
    bool wait_end(DWORD ms = 20000) const;

private:
    PROCESS_INFORMATION info_{};
    HWND window_ = nullptr;
};

// One record of the child: the raw command line and the arguments.
struct ChildRun {
    std::string command_line;
    std::vector<std::string> args;
};
// The runs recorded in the file, in order.
std::vector<ChildRun> read_child_runs(const std::string& record_file);

// Points FERRO_CHILD_RECORD and FERRO_CHILD_DONE of this process (and so of
// its children) at a file and an event for the time of the owner.
class ChildRecord {
public:
    explicit ChildRecord(const std::string& file);
    ~ChildRecord();
    ChildRecord(const ChildRecord&) = delete;
    ChildRecord& operator=(const ChildRecord&) = delete;
    const std::string& file() const { return file_; }
    const NamedEvent& done() const { return done_; }
    std::vector<ChildRun> runs() const { return read_child_runs(file_); }
    // The runs once `count` are recorded (children that were not waited
    // for), handling this thread's messages meanwhile; at most `ms`.
    std::vector<ChildRun> runs_when(std::size_t count, DWORD ms = 60000) const;

private:
    std::string file_;
    NamedEvent done_;
};
}  // namespace ferro_test
