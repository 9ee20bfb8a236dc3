// The file types' answers for the program functions.
#include "programs/types_link.h"
#include <windows.h>
#include <string>

namespace ferro::programs::types {
// Until the file-type table is part of the library: the program extensions
// that CreateProcess starts.
bool is_program_extension(const char* extension) {
    std::string ext;
    for (const char* p = extension; p && *p; ++p)
        if (*p != '"') ext += *p;
    for (const char* program : {"exe", "com", "bat", "cmd", "pif"})
        if (lstrcmpiA(ext.c_str(), program) == 0) return true;
    return false;
}
}  // namespace ferro::programs::types
