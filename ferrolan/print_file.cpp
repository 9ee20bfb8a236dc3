// Printing the file at the cursor through the engine: the file read into a
// hidden rich edit control (rich text as such, anything else as text) and
// printed with the file's name in the header and the page number in the
// footer, after the printer dialog.
#include <windows.h>
#include <cstring>
#include <string>
#include "app.h"
#include "operations.h"
#include "viewer/rich_text.h"

namespace ferrolan::ops {
namespace {
bool is_rich_text(const std::string& path) {
    const size_t dot = path.rfind('.');
    return dot != std::string::npos && lstrcmpiA(path.c_str() + dot, ".rtf") == 0;
}
}  // namespace

void print_file(App& app) {
    const std::string file = cursor_file(app);
    if (file.empty() || !LoadLibraryA("riched20.dll")) return;
    HWND control = CreateWindowExA(0, "RichEdit20A", "", WS_POPUP | ES_MULTILINE, 0, 0, 600, 400, app.window(), nullptr,
                                   app.instance(), nullptr);
    if (!control) return;
    LONG count = 0;
    if (OpenRichFile(control, file.c_str(), &count, is_rich_text(file) ? 0 : 1) == 1) {
        SetAbortPrinting(0);
        FreeSetFormatForRichTextContentsPointer();
        SetFormatStringForRichTextContents("&F", 0x40);
        SetFormatStringForRichTextContents("&D &T", 0x100);
        SetFormatStringForRichTextContents("- &P -", 0x80 | 0x200);
        RichPrintRecord record = {control, nullptr, file.c_str(), 0x20, 0, 0, nullptr, 0, 0, 0, nullptr};
        PrintRichTextContents(&record);
    }
    DestroyWindow(control);
}
}  // namespace ferrolan::ops
