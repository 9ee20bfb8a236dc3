// ferro view: the engine's text viewer. With a display the viewer dialog
// walks the files; without one the text the dialog would show is printed.
#include <windows.h>
#include <cstdlib>
#include <string>
#include <vector>
#include "box_report.h"
#include "commands.h"
#include "console.h"
#include "viewer/viewer.h"

namespace host {
namespace {
void print_text(const char* text) {
    std::string all(text ? text : "");
    std::string::size_type start = 0;
    for (std::string::size_type at; (at = all.find("\r\n", start)) != std::string::npos; start = at + 2)
        out(std::string_view(all).substr(start, at - start));
    if (start < all.size()) out(std::string_view(all).substr(start));
}

// Loads one file as the dialog would and prints it; false after a line on stderr.
bool print_file(const std::string& file, ULONGLONG width) {
    const LONG loaded = GetFileContentForView(file.c_str(), width);
    if (loaded != 0 && loaded != -2) {
        err("ferro view: " + file + (loaded == -5 ? ": cannot be opened" : loaded == -3 ? ": no memory" : ": cannot be read"));
        return false;
    }
    if (width) ResetLines(nullptr, width, 0);
    print_text(GlobalLock_ghCurFileViewer());
    GlobalUnlock_ghCurFileViewer();
    return true;
}
}  // namespace

int cmd_view(const Args& args) {
    std::vector<std::string> files;
    ULONGLONG width = 0;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--width" && i + 1 < args.size()) {
            char* end = nullptr;
            width = std::strtoull(args[++i].c_str(), &end, 10);
            if (*end) {
                err("ferro view: --width takes a number of characters");
                return 2;
            }
        } else {
            files.push_back(windows_path(args[i]));
        }
    }
    if (files.empty()) {
        err("usage: ferro view FILE... [--width N]");
        return 2;
    }
    if (BoxReport::headless()) {
        bool ok = true;
        for (const std::string& f : files) ok = print_file(f, width) && ok;
        FreeViewerHandle();
        return ok ? 0 : 1;
    }
    SetViewerUnit(width);
    SetViewerCursors();
    const LONG total = static_cast<LONG>(files.size());
    LONG current = 1, remaining = total;
    while (current >= 1 && current <= total) {
        const LONG result = Viewer(nullptr, files[size_t(current - 1)].c_str(), current, remaining, total, nullptr);
        if (result == IDCANCEL || result == 0) break;
        current = GetCurrentFileNumber();
        remaining = GetRemainingViewerFileNumber();
    }
    FreeViewerHandle();
    DeleteViewerCursors();
    return 0;
}
}  // namespace host
