// The output window: the lines the engine sends to the main window (the hits
// of a search inside files), the results of a search by conditions and the
// error report list of an operation, in a read-only text a user can copy from.
#pragma once
#include <windows.h>
#include <string>

namespace ferrolan {
class OutputWindow {
public:
    OutputWindow(HINSTANCE instance, HWND owner, HFONT font);
    ~OutputWindow();
    OutputWindow(const OutputWindow&) = delete;
    OutputWindow& operator=(const OutputWindow&) = delete;

    void show();
    void clear();
    // One line (its own line breaks at the end are dropped).
    void append(const char* line);
    // The engine's end of a batch of lines.
    void end_of_line();
    std::string contents() const;
    HWND window() const { return window_; }
    HWND edit() const { return edit_; }
    void destroy();

private:
    static LRESULT CALLBACK proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    HWND window_ = nullptr, edit_ = nullptr;
};
}  // namespace ferrolan
