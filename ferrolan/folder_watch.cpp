// The panes' folders watched through the engine: the left pane is the
// engine's first watched pane, the right one its second, whichever is the
// source; a change is polled by the host's timer.
#include "app.h"
#include "fs/network.h"
#include "operations.h"

namespace ferrolan::ops {
namespace {
constexpr LONG kOpenWatch = 0x8;
constexpr LONG kBothPanes = 0x10;
}  // namespace

void watch_folder(App& app, int side) { SetWatchDirectory(app.pane(side).folder().c_str(), (side + 1) | kOpenWatch); }
int changed_side() {
    LONG pane = 0;
    return CatchTheChangeNotification(0, &pane) >= 0 && (pane == 1 || pane == 2) ? int(pane) - 1 : -1;
}
void end_watches() { EndWatchDirectory(kBothPanes); }
}  // namespace ferrolan::ops
