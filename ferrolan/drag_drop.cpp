// Files dragged in from other programs and out of the panes, through the
// engine's drop exports.
#include <windows.h>
#include <shellapi.h>
#include <string>
#include <vector>
#include "app.h"
#include "frame/memory_blocks.h"
#include "host_paths.h"
#include "listing/selection.h"
#include "operations.h"
#include "ui/drop.h"

namespace ferrolan::ops {
namespace {
constexpr LONG kDropLimit = 4096;  // names taken from one drop

// The pane whose list holds the screen point, or -1.
int pane_at(App& app, POINT point) {
    for (int side = 0; side < 2; ++side) {
        RECT r;
        GetWindowRect(app.pane(side).list(), &r);
        if (PtInRect(&r, point)) return side;
    }
    return -1;
}

std::string folder_of(const std::string& path) {
    const auto yen = host::last_yen(path);
    return yen == std::string::npos ? std::string() : path.substr(0, yen == 2 ? 3 : yen);
}
}  // namespace

void accept_drops(App& app) {
    DragAcceptFiles(app.window(), TRUE);
    SetEachOurWindowHandles(app.window());
}

void receive_drop(App& app, HDROP drop) {
    std::vector<HGLOBAL> names(kDropLimit, nullptr);
    std::vector<LONG> kinds(kDropLimit, 0);
    const LONG taken = ReceiveDropFiles(app.window(), 0, drop, names.data(), kinds.data(), kDropLimit);
    std::vector<Item> items;
    for (LONG i = 0; i < kDropLimit && names[size_t(i)]; ++i) {
        if (const char* name = static_cast<const char*>(GlobalLock(names[size_t(i)]))) {
            if (*name && taken != 0 && kinds[size_t(i)] != 1) items.push_back({name, kinds[size_t(i)] == 4});
            GlobalUnlock(names[size_t(i)]);
        }
        GlobalFree(names[size_t(i)]);
    }
    const ULONGLONG at = GetPointAtDropFiles();
    POINT point = {LONG(DWORD(at)), LONG(DWORD(at >> 32))};
    ClientToScreen(app.window(), &point);
    const int side = pane_at(app, point);
    if (items.empty() || side < 0) return;
    if (side != app.active_side()) app.activate(side);
    copy_items(app, items, folder_of(items[0].path), app.pane(side).folder(), false);
}

void drag_out(App& app, int side) {
    const LONG allowed = IsDropAllowed();
    // Over the host's own window (the engine names the main window): onto
    // the other pane it is a copy there.
    POINT cursor;
    GetCursorPos(&cursor);
    if (allowed == 1 && pane_at(app, cursor) == 1 - side) {
        app.run(kCmdCopy);
        return;
    }
    if (allowed != 2) return;
    std::vector<HGLOBAL> names;
    for (const Item& item : chosen_items(app))
        if (HGLOBAL block = SaveToGlobalMemory(app.window(), nullptr, item.path.c_str())) names.push_back(block);
    FreeItemFileAfterCurNumber(0, 0);
    if (!names.empty()) DropFile(app.window(), names.data(), app.pane(side).folder().c_str(), LONG(names.size()));
}
}  // namespace ferrolan::ops
