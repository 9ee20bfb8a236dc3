// What the program functions ask of the profile store: each request behind
// one function here, so that the profile store's own exports serve them.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

namespace ferro::programs::settings {
// The text value `key` of HKEY_LOCAL_MACHINE\section; false when it is
// missing or is no text.
bool read_machine_text(const char* section, const char* key, std::string& out);
// Replaces every name between percent signs by the value of the environment
// variable of that name (names without a value stay as they are).
void expand_percent_names(std::string& text);

// The key names of the profile's current section (of a reading pass);
// returns the reading result (0 when the section holds nothing).
LONG list_current_keys(std::vector<std::string>& keys);
// The text of `key` in the current section into 520 bytes; the reading result.
LONG read_current_text(const char* key, char (&value)[520]);
// Writes the text under hive\section\key when it changed; false when the
// write failed.
bool write_text(HKEY hive, const char* section, const char* key, const char* value);
}  // namespace ferro::programs::settings
