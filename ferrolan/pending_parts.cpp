// Commands whose engine parts are still being built: each one stands here
// behind one function, shown disabled in the menus, until its part is in the
// engine and the function calls it.
#include "app.h"
#include "operations.h"

namespace ferrolan::ops {
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
    return {{kCmdSync, sync_available()}};
}
}  // namespace ferrolan::ops
