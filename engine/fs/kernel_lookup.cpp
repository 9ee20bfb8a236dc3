#include "fs/kernel_lookup.h"

namespace ferro::fs {
const Kernel64& kernel64() {
    static const Kernel64 table = resolve_kernel64(GetModuleHandleA("KERNEL32.DLL"));
    return table;
}
}  // namespace ferro::fs
