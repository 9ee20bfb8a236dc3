// The demonstration: each step shows one thing the engine does.
#include <windows.h>
#include "commands.h"
#include "console.h"
#include "ferromes.h"
#include "frame/platform_version.h"

namespace host {
namespace {
void step(const char* title) { outf("\n== %s\n", title); }

void show_messages() {
    step("Message library: texts by number (title, then message)");
    const UINT ids[][2] = {{8062, 8057}, {7010, 7009}};
    for (const auto& pair : ids) {
        UINT mask = MyLoadString(pair[0], pair[1]);
        outf("  [%u] %s\n", pair[1], GetLoadStrTitle());
        outf("  [%u] %s\n", pair[0], GetLoadStrMessage());
        if (mask) outf("  (missing texts, mask %u)\n", mask);
    }
}

void show_platform() {
    step("Platform version: determined once, kept as one word of platform bits");
    char name[32] = {};
    DWORD value = GetWindowsPlatform(name);
    outf("  %s (value 0x%lX, version %ld.%ld, build %lu)\n", name, value, GetWindowsMajorVersion(),
         GetWindowsMinorVersion(), GetBuiltVersion());
    const char* extra = GetExtraInfoForWindowsVersion(nullptr);
    outf("  service pack: %s\n", extra ? extra : "(none)");
}
}  // namespace

int cmd_demo(const Args&) {
    out("Ferrolan engine demonstration");
    show_messages();
    show_platform();
    return 0;
}
}  // namespace host
