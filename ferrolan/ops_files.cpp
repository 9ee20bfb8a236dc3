// Opening entries: a folder in its pane, an archive with its unpacking, a
// file in the engine's viewer; the programs the registry associates with a
// file as a menu.
#include <windows.h>
#include <cstring>
#include <string>
#include <vector>
#include "app.h"
#include "archive/archiver.h"
#include "frame/paths.h"
#include "host_paths.h"
#include "operations.h"
#include "programs/file_types.h"
#include "viewer/viewer.h"

namespace ferrolan::ops {
namespace {
// The entries of the registry's commands for the file at the cursor, kept
// while its menu is open.
std::vector<std::string> g_programs;
}  // namespace

std::string cursor_file(App& app) {
    Pane& pane = app.source();
    const long at = pane.cursor();
    if (at < 0 || size_t(at) >= pane.listing().entries.size() ||
        pane.listing().entries[size_t(at)].kind != Entry::kFile)
        return {};
    return pane.listing().path(size_t(at));
}

void open_item(App& app) {
    Pane& pane = app.source();
    const long at = pane.cursor();
    if (at < 0 || size_t(at) >= pane.listing().entries.size()) return;
    const Entry& e = pane.listing().entries[size_t(at)];
    switch (e.kind) {
    case Entry::kSelf: pane.refresh(); return;
    case Entry::kUpper: app.run(kCmdUpFolder); return;
    case Entry::kFolder: pane.open(pane.listing().path(size_t(at))); return;
    case Entry::kFile: break;
    }
    const std::string file = pane.listing().path(size_t(at));
    if (is_archive(file)) unpack(app);
    else view_files(app);
}

void view_files(App& app) {
    std::vector<std::string> files;
    for (const Item& item : chosen_items(app))
        if (!item.folder) files.push_back(item.path);
    if (files.empty()) return;
    SetViewerCursors();
    const LONG total = LONG(files.size());
    LONG current = 1, remaining = total;
    // The viewer walks the files with its next and previous buttons.
    while (current >= 1 && current <= total) {
        const LONG result = Viewer(app.window(), files[size_t(current - 1)].c_str(), current, remaining, total, nullptr);
        if (result == IDCANCEL || result <= 0) break;
        const LONG next = GetCurrentFileNumber();
        if (next == current && result == IDOK) break;
        current = next;
        remaining = GetRemainingViewerFileNumber();
    }
    DeleteViewerCursors();
}

void fill_programs_menu(App& app, HMENU menu, WORD first, WORD last) {
    while (GetMenuItemCount(menu) > 0) DeleteMenu(menu, 0, MF_BYPOSITION);
    g_programs.clear();
    const std::string file = cursor_file(app);
    std::vector<char> entries(1 << 16);
    if (!file.empty()) IsFileRelatedByRegistry(entries.data(), DWORD(entries.size()), file.c_str());
    for (const char* entry = entries.data(); *entry && first + g_programs.size() <= last; entry += std::strlen(entry) + 1) {
        std::vector<char> work(entry, entry + std::strlen(entry) + 1);
        LPSTR program = nullptr, options = nullptr, key = nullptr, verb = nullptr;
        GetExecuteFileName(work.data(), &program, &options, &key, &verb);
        std::string label = program ? program : entry;
        if (verb && *verb) label += std::string("\t") + verb;
        AppendMenuA(menu, MF_STRING, first + WORD(g_programs.size()),
                    label.c_str());
        g_programs.emplace_back(entry);
    }
    if (g_programs.empty()) AppendMenuA(menu, MF_STRING | MF_GRAYED, 0, "-");
}

void run_program(App& app, int index) {
    if (index < 0 || size_t(index) >= g_programs.size()) return;
    const std::string file = cursor_file(app);
    std::vector<char> work(g_programs[size_t(index)].begin(), g_programs[size_t(index)].end());
    work.push_back('\0');
    LPSTR program = nullptr, options = nullptr, key = nullptr, verb = nullptr;
    GetExecuteFileName(work.data(), &program, &options, &key, &verb);
    if (program) launch_program(app, program, options ? options : "", file);
}
}  // namespace ferrolan::ops
