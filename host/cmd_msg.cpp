#include <cstdlib>
#include "commands.h"
#include "console.h"
#include "ferromes.h"

namespace host {
int cmd_msg(const Args& args) {
    if (args.empty()) {
        err("usage: ferro msg N [N...]");
        return 2;
    }
    int status = 0;
    for (const std::string& a : args) {
        char* end = nullptr;
        unsigned long id = std::strtoul(a.c_str(), &end, 10);
        if (a.empty() || *end) {
            err("ferro msg: not a message number: " + a);
            status = 2;
            continue;
        }
        UINT mask = MyLoadString(UINT(id), 0);
        outf("%5lu  %s\n", id, GetLoadStrMessage());
        if (mask) status = 1;
    }
    return status;
}
}  // namespace host
