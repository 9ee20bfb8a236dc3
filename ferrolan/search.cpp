// Searches: by name, date, size and attributes through the engine's
// conditions and its walk in listing mode, and inside files through the
// engine's search dialog, whose lines come to the output window.
#include <windows.h>
#include <cstdlib>
#include "app.h"
#include "commands.h"  // the console host's walk in listing mode
#include "dialogs.h"
#include "host_paths.h"
#include "listing/listing_store.h"
#include "operations.h"
#include "output_window.h"
#include "search/search_conditions.h"
#include "search/text_search.h"
#include "texts.h"

namespace ferrolan::ops {
namespace {
SearchForm g_form;  // the last conditions, offered again

bool local_time(const std::string& date, const char* time, ULONGLONG& out) {
    FILETIME ft;
    if (date.empty() || !GetUnsignedDateTime(date.c_str(), time, &ft)) return false;
    out = (ULONGLONG(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    return out != 0;
}

bool size_of(const std::string& text, ULONGLONG& out) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos || text.size() > 19) return false;
    out = std::strtoull(text.c_str(), nullptr, 10);
    return true;
}

void set_conditions(const SearchForm& f) {
    ReleaseSearchedNameInFileName();
    FreeAllocateFoundFiles();
    if (!f.name.empty()) SetSearchedNameInFileName(f.name.c_str());
    ULONGLONG from = 0, to = 0;
    const bool newer = local_time(f.newer, "00:00:00", from), older = local_time(f.older, "23:59:59", to);
    if (newer || older) {
        const ULONGLONG first = newer ? from : to;
        SetFromSearchedTimeInFileName(DWORD(first), DWORD(first >> 32));
        SetToSearchedTimeInFileName(DWORD(to), DWORD(to >> 32));
        SetTypeSearchedTimeInFileName(newer && older ? 0 : newer ? 2 : 1);
    }
    ULONGLONG least = 0, most = 0;
    const bool has_least = size_of(f.min_size, least), has_most = size_of(f.max_size, most);
    if (has_least || has_most) {
        // One size condition at a time: at least, else at most.
        const ULONGLONG limit = has_least ? least : most;
        SetSearchedSizeInFileName(DWORD(limit), DWORD(limit >> 32));
        SetTypeSearchedSizeInFileName(has_least ? 0 : 1);
    }
    SetTypeSearchedAttrInFileName(f.attributes);
}
}  // namespace

void find_files(App& app) {
    const std::string folder = app.source().folder();
    if (!ask_search(app.window(), folder, g_form)) return;
    set_conditions(g_form);
    SetWindowTextA(app.source().control(Pane::kStatus), text(ids::kSearching).c_str());
    const std::vector<std::string> found = host::list_matches(host::joined(folder, "*.*"), g_form.subfolders);
    ReleaseSearchedNameInFileName();
    OutputWindow& out = app.output();
    out.clear();
    out.append(format(ids::kFound, int(found.size())).c_str());
    for (const std::string& path : found) out.append(path.c_str());
    out.show();
    app.source().update_status();
}

void grep_files(App& app) {
    app.output().clear();
    // The engine's dialog asks for the text, the files and the folder; every
    // hit arrives as a line for the output window.
    OpenFindInsideFileDialog(app.window(), nullptr, nullptr, app.source().folder().c_str(), 0);
}
}  // namespace ferrolan::ops
