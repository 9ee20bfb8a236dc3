// ferro print FILE [--header FMT] [--footer FMT] [--copies N]: prints a
// text or rich text file (".rtf") on the default printer through the
// engine's print run. FMT is one text, centred, or LEFT|CENTRE|RIGHT; the
// codes &F (file name), &P (page), &D (date) and &T (time) are expanded.
#include <windows.h>
#include <richedit.h>
#include <cstdlib>
#include <cstring>
#include "commands.h"
#include "console.h"
#include "viewer/rich_text.h"

namespace host {
namespace {
constexpr LONG kColumns[3] = {0x40, 0x80, 0x100};
constexpr LONG kFooter = 0x200;

void set_line(const std::string& format, LONG row) {
    const size_t first = format.find('|');
    if (first == std::string::npos) {
        SetFormatStringForRichTextContents(format.c_str(), kColumns[1] | row);
        return;
    }
    const size_t second = format.find('|', first + 1);
    const std::string parts[3] = {format.substr(0, first),
                                  format.substr(first + 1, second == std::string::npos ? std::string::npos
                                                                                       : second - first - 1),
                                  second == std::string::npos ? "" : format.substr(second + 1)};
    for (int column = 0; column < 3; ++column)
        if (!parts[column].empty()) SetFormatStringForRichTextContents(parts[column].c_str(), kColumns[column] | row);
}

bool has_rtf_extension(const std::string& path) {
    return path.size() > 4 && lstrcmpiA(path.c_str() + path.size() - 4, ".rtf") == 0;
}
}  // namespace

int cmd_print(const Args& args) {
    std::string file, header, footer;
    long copies = 1;
    for (size_t i = 0; i < args.size(); ++i) {
        const bool has_value = i + 1 < args.size();
        if (args[i] == "--header" && has_value) header = args[++i];
        else if (args[i] == "--footer" && has_value) footer = args[++i];
        else if (args[i] == "--copies" && has_value) {
            char* end = nullptr;
            copies = std::strtol(args[++i].c_str(), &end, 10);
            if (*end || copies < 1 || copies > 999) {
                err("ferro print: --copies takes 1 to 999: " + args[i]);
                return 2;
            }
        } else if (file.empty() && args[i].rfind("--", 0) != 0) file = windows_path(args[i]);
        else {
            err("usage: ferro print FILE [--header FMT] [--footer FMT] [--copies N]");
            return 2;
        }
    }
    if (file.empty()) {
        err("usage: ferro print FILE [--header FMT] [--footer FMT] [--copies N]");
        return 2;
    }
    LoadLibraryA("riched20.dll");
    HWND control = CreateWindowExA(0, "RichEdit20A", "", WS_POPUP | ES_MULTILINE, 0, 0, 600, 400, nullptr, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
    if (!control) {
        err("ferro print: no rich edit control");
        return 1;
    }
    SendMessageA(control, EM_EXLIMITTEXT, 0, 0x7FFFFFFF);
    if (!OpenRichFile(control, file.c_str(), nullptr, has_rtf_extension(file) ? 0 : 1)) {
        DestroyWindow(control);
        return 1;
    }
    SetPrintRichTextContentsFormat(0);
    if (!header.empty()) set_line(header, 0);
    if (!footer.empty()) set_line(footer, kFooter);
    SetAbortPrinting(0);
    RichPrintRecord record = {control, nullptr, file.c_str(), 0, 0, 0, nullptr, copies, 0, 0, nullptr};
    const LONG printed = PrintRichTextContents(&record);
    DestroyWindow(control);
    if (!printed) {
        err("ferro print: no printer");
        return 1;
    }
    if (IsAbortPrinting()) {
        err("ferro print: nothing was printed");
        return 1;
    }
    out("printed " + file);
    return 0;
}
}  // namespace host
