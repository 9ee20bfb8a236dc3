// ferro mkdir: makes folders with every missing level, as the file manager
// does before it copies into a folder that is not there.
#include <string>
#include "commands.h"
#include "console.h"
#include "fileops/folders.h"
#include "fs/dos_times.h"

namespace host {
int cmd_mkdir(const Args& args) {
    if (args.empty()) {
        err("usage: ferro mkdir PATH...");
        return 2;
    }
    int failures = 0;
    for (const std::string& argument : args) {
        std::string path = without_final_yen(windows_path(argument));
        const bool there = IsDirectoryAttribute(path.data()) == 4;
        // A failure is explained in the engine's box.
        if (IsAlertMakedir(nullptr, path.c_str()) != 0) {
            ++failures;
            continue;
        }
        out("'" + path + "': " + (there ? "there already" : "made"));
    }
    return failures ? 1 : 0;
}
}  // namespace host
