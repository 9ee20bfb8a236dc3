// Module settings of the text functions: name lengths, character set and language.
#include "frame/text.h"

namespace {
// Entry 0: short (8.3) names, entry 1: long names; -1 means no limit.
constexpr int kFileNameLength[2] = {8, -1};
constexpr int kFolderNameLength[2] = {12, 255};

BOOL g_long_names_by_force = TRUE;
int g_character_set = 0;
int g_long_by_character_set = 1;
int g_language = 1;  // 0 English, 1 Japanese

int length_entry() { return g_long_names_by_force ? 1 : g_long_by_character_set; }
}  // namespace

int WINAPI GetDosFilelen() { return kFileNameLength[length_entry()]; }
int WINAPI GetDosDirlen() { return kFolderNameLength[length_entry()]; }

BOOL WINAPI SetLengthForLongNameByForce(BOOL value) { return g_long_names_by_force = value; }

int WINAPI SetCharacterSet(int value) {
    g_character_set = value;
    if (value >= 4) g_long_by_character_set = (value & 8) ? 1 : 0;
    return value;
}
int WINAPI IsWhatCharacterSet() { return g_character_set; }

int WINAPI SetLanguage(int language) { return g_language = language; }
int WINAPI GetLanguage() { return g_language; }
