// The file types' answers for the program functions.
#include "programs/types_link.h"
#include <windows.h>
#include <string>
#include "programs/file_types.h"

namespace ferro::programs::types {
// A program's extension that CreateProcess starts: a shortcut and a DOS
// program's information file are the shell's to open.
bool is_program_extension(const char* extension) {
    if (!IsExcutableExt(extension)) return false;
    std::string ext;
    for (const char* p = extension; *p; ++p)
        if (*p != '"') ext += *p;
    return lstrcmpiA(ext.c_str(), "lnk") != 0 && lstrcmpiA(ext.c_str(), "pif") != 0;
}
}  // namespace ferro::programs::types
