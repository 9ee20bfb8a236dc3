// ferro assoc: the command entries the engine finds in the registry for a
// file (program, tab, options, " ^" and the key, "|" and the verb), one a line.
#include <windows.h>
#include <cstring>
#include <vector>
#include "commands.h"
#include "console.h"
#include "ferromes.h"
#include "frame/message_box.h"
#include "programs/file_types.h"

namespace host {
int cmd_assoc(const Args& args) {
    if (args.size() != 1) {
        err("usage: ferro assoc FILE");
        return 2;
    }
    const std::string file = windows_path(args[0]);
    std::vector<char> entries(1 << 16);
    IsFileRelatedByRegistry(entries.data(), DWORD(entries.size()), file.c_str());
    if (!entries[0]) {
        // "関連付けられたﾌﾟﾛｸﾞﾗﾑはありません: '%s'"
        _MessageBoxPrintf(GetSysDlgInstance(), 33186, 1000, file.c_str(), nullptr, MB_ICONEXCLAMATION, nullptr);
        return 1;
    }
    for (const char* entry = entries.data(); *entry; entry += std::strlen(entry) + 1) out(entry);
    return 0;
}
}  // namespace host
