// Commands whose engine parts are still being built: each one stands here
// behind one function, shown disabled in the menus, until its part is in the
// engine and the function calls it.
#include "app.h"
#include "operations.h"

namespace ferrolan::ops {
void download(App&) {}
void check_newer_version(App&) {}
#if !FERROLAN_ENGINE_PROGRESS_BOX
bool progress_box_available() { return false; }
void start_progress_box(HWND, int) {}
void progress_box_text(const std::string&, int, int) {}
void end_progress_box(HWND, int) {}
#endif
#if !FERROLAN_ENGINE_SYNC
bool sync_available() { return false; }
void remove_extras(const std::string&, const std::string&) {}
#endif
#if !FERROLAN_ENGINE_WATCHES
bool watch_available() { return false; }
void watch_folder(App&, int) {}
int changed_side() { return -1; }
void end_watches() {}
#endif

std::vector<std::pair<WORD, bool>> availability() {
    return {{kCmdDownload, false}, {kCmdNewerVersion, false}, {kCmdSync, sync_available()}};
}
}  // namespace ferrolan::ops
