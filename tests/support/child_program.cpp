#include "support/child_program.h"
#include <stdexcept>
#include "support/temp_folder.h"

namespace ferro_test {
namespace {
struct WindowSearch {
    DWORD process;
    HWND found;
};

BOOL CALLBACK match_process(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<WindowSearch*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != search->process || !IsWindowVisible(window)) return TRUE;
    search->found = window;
    return FALSE;
}
}  // namespace

std::string quoted(const std::string& text) {
    std::string out(1, '"');
    return (out += text) += '"';
}

std::string child_path(bool console) {
    char self[MAX_PATH * 2];
    GetModuleFileNameA(nullptr, self, sizeof self);
    std::string path = self;
    path.resize(path.find_last_of('\\') + 1);
    return path + (console ? "ferro_child_console.exe" : "ferro_child_gui.exe");
}

NamedEvent::NamedEvent() {
    static unsigned counter;
    name_ = "ferro-test-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
    handle_ = CreateEventA(nullptr, FALSE, FALSE, name_.c_str());
}

NamedEvent::~NamedEvent() { CloseHandle(handle_); }

std::vector<ChildRun> ChildRecord::runs_when(std::size_t count, DWORD ms) const {
    pump_until([&] { return read_child_runs(file_).size() >= count; }, ms);
    return runs();
}

bool NamedEvent::wait(DWORD ms) const {
    bool signalled = false;
    pump_until([&] { return signalled = signalled || WaitForSingleObject(handle_, 0) == WAIT_OBJECT_0; }, ms);
    return signalled;
}

Child::Child(const std::string& options, bool console) {
    NamedEvent ready;
    bool windowed = options.find("--title=") != std::string::npos;
    std::string line = quoted(child_path(console)) + " " + options + (windowed ? " --ready=" + ready.name() : "");
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info_))
        throw std::runtime_error("cannot start the child: " + line);
    if (!windowed) return;
    if (!ready.wait()) throw std::runtime_error("the child's window did not come: " + line);
    WindowSearch search{info_.dwProcessId, nullptr};
    EnumWindows(match_process, reinterpret_cast<LPARAM>(&search));
    window_ = search.found;
}

Child::~Child() {
    if (running()) {
        TerminateProcess(info_.hProcess, 0);
        WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

bool Child::wait_end(DWORD ms) const {
    return pump_until([&] { return !running(); }, ms);
}

std::vector<ChildRun> read_child_runs(const std::string& record_file) {
    std::vector<ChildRun> runs;
    std::string text = read_file(record_file);
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(at, end - at);
        at = end + 1;
        if (line.rfind("CMD:", 0) == 0) runs.push_back({line.substr(4), {}});
        else if (line.rfind("ARG:", 0) == 0 && !runs.empty()) runs.back().args.push_back(line.substr(4));
    }
    return runs;
}

ChildRecord::ChildRecord(const std::string& file) : file_(file) {
    DeleteFileA(file_.c_str());
    SetEnvironmentVariableA("FERRO_CHILD_RECORD", file_.c_str());
    SetEnvironmentVariableA("FERRO_CHILD_DONE", done_.name().c_str());
}

ChildRecord::~ChildRecord() {
    SetEnvironmentVariableA("FERRO_CHILD_RECORD", nullptr);
    SetEnvironmentVariableA("FERRO_CHILD_DONE", nullptr);
}
}  // namespace ferro_test
