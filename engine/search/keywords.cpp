// The keyword tables of C, C++ and the Windows compilers.
#include <initializer_list>
#include "search/text_search.h"

namespace {
const char* const kC[] = {"auto",     "break",   "case",    "char",    "const",  "continue", "default", "defined",
                          "double",   "do",      "else",    "enum",    "extern", "far",      "float",   "for",
                          "goto",     "if",      "int",     "long",    "pascal", "register", "return",  "short",
                          "signed",   "sizeof",  "static",  "struct",  "switch", "typedef",  "union",   "unsigned",
                          "void",     "volatile", "while",  "#define", "#elif",  "#else",    "#endif",  "#error",
                          "#ifndef",  "#ifdef",  "#if",     "#include", "#line", "#pragma",  "#undef",  nullptr};
const char* const kCpp[] = {"__try",   "__except", "__finally", "bool",      "catch",    "class",  "delete",
                            "friend",  "inline",   "new",       "operator",  "private",  "protected", "public",
                            "template", "this",    "throw",     "try",       "virtual",  nullptr};
const char* const kWin[] = {"dllimport", "dllexport", "interface", "novtable", "selectany", "__cdecl", "_cdecl",
                            "__declspec", "_declspec", "__int64",  "__int8",   "__int16",   "__int32", "__pascal",
                            "_pascal",   "__stdcall", "_stdcall",  "_WIN32",   "_WIN32_",   nullptr};
static_assert(sizeof kC / sizeof *kC == 48 && sizeof kCpp / sizeof *kCpp == 20 && sizeof kWin / sizeof *kWin == 20);
}  // namespace

LONG WINAPI IsKeywordsMatched(LPCSTR word) {
    if (!word) return 0;
    for (const char* const* table : {kC, kCpp, kWin})
        for (const char* const* k = table; *k; ++k)
            if (lstrcmpA(word, *k) == 0) return 1;
    return 0;
}

const char* const* WINAPI GetCKeywordArray() { return kC; }
const char* const* WINAPI GetCppKeywordArray() { return kCpp; }
const char* const* WINAPI GetWinKeywordArray() { return kWin; }
