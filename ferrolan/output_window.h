// The output window: the lines the engine sends to the main window (the hits
// of a search inside files), the results of a search by conditions and the
// error report list of an operation, in a read-only text a user can copy from.
#pragma once
#include <windows.h>
#include <string>

namespace ferrolan {
class OutputWindow {
public:
    // A double-click on a line asks `owner` to show the file the line names
    // (kShowFileMessage with the line's text in lParam).
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

    static constexpr UINT kShowFileMessage = WM_APP + 12;
    // The longest start of the line (after a "> " when it has one) that names
    // an existing file or folder; "" when none does.
    static std::string path_in_line(const std::string& line);

private:
    static LRESULT CALLBACK proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    static LRESULT CALLBACK edit_proc(HWND edit, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR, DWORD_PTR self);
    HWND owner_ = nullptr;
    HWND window_ = nullptr, edit_ = nullptr;
};
}  // namespace ferrolan
