// Moving every setting of the product's key between the registry and an INI
// file, both ways, so that a user can take the settings to a portable INI
// setup and back. The INI file is the one the store's INI back-end reads:
// sections are the paths below the product's key (the key's own values come
// before the first section), strings are entries as they are, integers their
// decimal text. The section "Ferrolan registry types" records which entries
// were integers, so that importing gives back REG_DWORD values. A string
// that the private-profile functions would change (blanks at either end, a
// quotation mark at both ends) is written between quotation marks, which
// they remove again.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

namespace host {
struct Setting {
    std::string section;  // below the product's key, "" for the key itself
    std::string name;
    DWORD type = REG_SZ;  // REG_SZ or REG_DWORD
    std::string text;     // the string, or the integer's decimal text
};

// Every value below HKEY_CURRENT_USER\key. False (with what could not be
// moved in `problem`) when a value has another type or a name or text the
// INI file cannot hold.
bool read_registry_settings(const std::string& key, std::vector<Setting>& settings, std::string& problem);
// Writes the settings into a new INI file and reads them back: false when
// the file cannot be written or does not give back every byte.
bool write_ini_settings(const std::string& file, const std::vector<Setting>& settings, std::string& problem);
bool read_ini_settings(const std::string& file, std::vector<Setting>& settings, std::string& problem);
bool write_registry_settings(const std::string& key, const std::vector<Setting>& settings, std::string& problem);
}  // namespace host
