// ferro grep: the engine's search inside files. The host's main window is a
// message-only window that receives the lines the engine sends (message 3072)
// and prints them.
#include <windows.h>
#include <string>
#include "box_report.h"
#include "commands.h"
#include "console.h"
#include "message_window.h"
#include "frame/handles.h"
#include "frame/message_pump.h"
#include "search/text_search.h"

namespace host {
namespace {
constexpr UINT kOutput = 3072;
constexpr WPARAM kLine = 1000;

// A line as the terminal shows it: line breaks inside it become newlines,
// the ones that end it go.
void print_line(const char* text) {
    std::string line;
    for (const char* p = text; *p; ++p)
        if (!(*p == '\r' && p[1] == '\n')) line += *p;
    while (!line.empty() && line.back() == '\n') line.pop_back();
    out(line);
}

LRESULT CALLBACK output_window(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == kOutput) {
        if (wparam == kLine && lparam) print_line(reinterpret_cast<const char*>(lparam));
        return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace

int cmd_grep(const Args& args) {
    DWORD options = kFindMatchCase | kFindWithoutWindow;
    std::string pattern = "*.*", text, folder;
    int plain = 0;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "-i") options &= ~DWORD(kFindMatchCase);
        else if (a == "-w") options |= kFindWholeWord;
        else if (a == "-r") options |= kFindSubfolders;
        else if (a == "--pattern" && i + 1 < args.size()) pattern = args[++i];
        else if (a.size() > 1 && a[0] == '-') {
            err("ferro grep: unknown option or missing value '" + a + "'");
            return 2;
        } else if (plain++ == 0) text = a;
        else folder = a;
    }
    if (plain != 2 || text.empty()) {
        err("usage: ferro grep [-i] [-w] [-r] [--pattern PAT] TEXT DIR");
        return 2;
    }
    HWND window = make_message_window("FerroHostOutput", output_window);
    const HWND previous = GethWndMain();
    SethWndMain(window);
    const int boxes = BoxReport::seen();
    ResetCancellingFlags(0);
    const LONG hits =
        OpenFindInsideFileDialog(nullptr, text.c_str(), pattern.c_str(), windows_path(folder).c_str(), options);
    SethWndMain(previous);
    DestroyWindow(window);
    if (hits < 0) {
        err("ferro grep: the search text, the pattern or the folder is not usable");
        return 2;
    }
    if (BoxReport::seen() > boxes) return 2;
    return hits > 0 ? 0 : 1;
}
}  // namespace host
