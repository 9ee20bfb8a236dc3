// What the operations share: the chosen entries as the engine's item table,
// the panes read again afterwards, the error report list shown at the end,
// and which commands have their engine parts.
#include <cstring>
#include "app.h"
#include "operations.h"
#include "output_window.h"
#include "programs/error_report.h"
#include "listing/selection.h"
#include "texts.h"

namespace ferrolan::ops {
std::vector<Item> chosen_items(App& app) {
    Pane& pane = app.source();
    const std::vector<size_t> chosen = pane.chosen();
    // The operation walks the engine's item table, filled from the marks.
    FreeItemFileAfterCurNumber(0, 0);
    LONG index = 0;
    for (size_t i : chosen) {
        if (index >= GetMaxItemFileNumber()) break;
        const std::string path = pane.listing().path(i);
        if (SaveItemFile(app.window(), index, path.c_str(), nullptr) != 1) break;
        SaveItemFileType(index, pane.listing().is_folder(i) ? 2 : 4, -1);
        ++index;
    }
    std::vector<Item> items;
    for (LONG i = 0; i < index; ++i) {
        const LONG type = GetItemFileType(i);
        if (type == 0) break;
        if (const char* path = GlobalLockItemFile(i)) {
            items.push_back({path, type == 2 || (type & 0x10) != 0});
            GlobalUnlockItemFile(i);
        }
    }
    return items;
}

void refresh_panes(App& app, bool clear_marks) {
    app.source().refresh(!clear_marks);
    app.target().refresh();
}

void show_error_list(App& app) {
    const char* list = GetOutputFileList();
    if (!list || !*list) return;
    OutputWindow& out = app.output();
    out.append(text(ids::kFailedFiles).c_str());
    out.append(list);
    out.show();
}

void error_list_in_editor(App& app) {
    if (GetOutputFileList()) ViewOutputFiles(app.window(), "FERROERR.TXT", nullptr, nullptr);
}
}  // namespace ferrolan::ops
