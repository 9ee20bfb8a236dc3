#include "settings.h"
#include <cstdlib>
#include <vector>
#include "config_transfer.h"
#include "ferromes.h"
#include "fileops/copy.h"
#include "fs/drives.h"
#include "listing/listing_store.h"
#include "programs/launch.h"
#include "settings/profile.h"
#include "texts.h"
#include "ui/function_keys.h"

namespace ferrolan {
namespace {
constexpr DWORD kTextSize = 1040;

// The hive and section of the store for one section of the product.
struct Place {
    HKEY hive = nullptr;
    std::string section;
};

Place locate(const char* section) {
    Place at;
    LPCSTR name = section;
    myGetSectionParameters(&at.hive, HKEY_CURRENT_USER, &name, GetRegistryPath());
    at.section = name ? name : "";
    return at;
}

std::string copy_of(LPCSTR name) { return name ? std::string(name) : std::string(); }

// The section names, from the message library's key names.
std::string size_section() { return copy_of(GetFerroSizeString()); }
std::string files_section() { return copy_of(GetFilesString()); }
}  // namespace

std::string ini_beside_program() {
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string file(path, n);
    const size_t yen = file.find_last_of('\\');  // the program's own path: no double-byte trail here matters
    file.resize(yen == std::string::npos ? 0 : yen + 1);
    return file + "FERRO.INI";
}

ProfilePlace default_place() {
    ProfilePlace place;
    const std::string ini = ini_beside_program();
    if (GetFileAttributesA(ini.c_str()) != INVALID_FILE_ATTRIBUTES) place.ini = ini;
    return place;
}

void use_profile_place(const ProfilePlace& place) {
    SetRegistryPath(place.key.c_str());
    const bool ini = !place.ini.empty();
    SaveFerroInifile(ini ? place.ini.c_str() : nullptr);
    SetUseInifileInsteadOfRegistry(ini ? 1 : 0);
    SetDoWin31(ini ? 1 : 0);
}

std::string read_text(const char* section, const char* key, const std::string& fallback) {
    const Place at = locate(section);
    std::vector<char> buffer(kTextSize);
    const LONG got = FindPrivateProfileString(at.hive, at.section.c_str(), key, fallback.c_str(), buffer.data(),
                                              DWORD(buffer.size()));
    return got > 0 || GetUseInifileInsteadOfRegistry() ? std::string(buffer.data()) : fallback;
}

LONG read_number(const char* section, const char* key, LONG fallback) {
    const Place at = locate(section);
    if (!GetUseInifileInsteadOfRegistry()) return FindPrivateProfileInt(at.hive, at.section.c_str(), key, fallback);
    // In the INI file a damaged number (letters, nothing) is the default too.
    const std::string value = read_text(section, key, "");
    char* end = nullptr;
    const long number = std::strtol(value.c_str(), &end, 10);
    return value.empty() || *end ? fallback : LONG(number);
}

void write_text(const char* section, const char* key, const std::string& value) {
    const Place at = locate(section);
    mySetStrInRegistry(at.hive, at.section.c_str(), "", key, value.c_str());
}

void write_number(const char* section, const char* key, LONG value) {
    const Place at = locate(section);
    mySetIntInRegistry(at.hive, at.section.c_str(), 0, key, value);
}

HostSettings read_host_settings() {
    HostSettings s;
    const std::string size = size_section(), files = files_section();
    const LONG left = read_number(size.c_str(), copy_of(GetleftString()).c_str(), 0);
    const LONG top = read_number(size.c_str(), copy_of(GettopString()).c_str(), 0);
    const LONG right = read_number(size.c_str(), copy_of(GetrightString()).c_str(), 0);
    const LONG bottom = read_number(size.c_str(), copy_of(GetbottomString()).c_str(), 0);
    // A placement only when it is a sensible rectangle.
    if (right - left >= 200 && bottom - top >= 150 && right - left <= 20000 && bottom - top <= 20000)
        s.window = {left, top, right, bottom};
    s.maximized = read_number(size.c_str(), copy_of(GetIconizedString()).c_str(), 0) == 2;
    for (int pane = 0; pane < 2; ++pane) {
        s.folders[pane] = read_text(files.c_str(), copy_of(GetStartDirectoryString(pane)).c_str(), "");
        const LONG sort = read_number(files.c_str(), copy_of(GetStartingSortString(pane)).c_str(), 0);
        s.sort[pane] = (sort & 0xff) <= 3 ? sort & 0xff : 0;
        s.reverse[pane] = (sort & 0x100) ? 1 : 0;
        s.spec[pane] = read_text(files.c_str(), text(ids::kSpecKey + UINT(pane)).c_str(), "");
    }
    s.active = read_number(files.c_str(), copy_of(GetSelectedTgtDirFirstString()).c_str(), 0) ? 1 : 0;
    return s;
}

void write_host_settings(const HostSettings& s) {
    const std::string size = size_section(), files = files_section();
    if (s.window.right > s.window.left) {
        write_number(size.c_str(), copy_of(GetleftString()).c_str(), s.window.left);
        write_number(size.c_str(), copy_of(GettopString()).c_str(), s.window.top);
        write_number(size.c_str(), copy_of(GetrightString()).c_str(), s.window.right);
        write_number(size.c_str(), copy_of(GetbottomString()).c_str(), s.window.bottom);
    }
    write_number(size.c_str(), copy_of(GetIconizedString()).c_str(), s.maximized ? 2 : 0);
    for (int pane = 0; pane < 2; ++pane) {
        write_text(files.c_str(), copy_of(GetStartDirectoryString(pane)).c_str(), s.folders[pane]);
        write_number(files.c_str(), copy_of(GetStartingSortString(pane)).c_str(),
                     s.sort[pane] | (s.reverse[pane] ? 0x100 : 0));
    }
    for (int pane = 0; pane < 2; ++pane)
        write_text(files.c_str(), text(ids::kSpecKey + UINT(pane)).c_str(), s.spec[pane]);
    write_number(files.c_str(), copy_of(GetSelectedTgtDirFirstString()).c_str(), s.active);
}

void apply_engine_options() {
    const std::string files = files_section();
    SetMaxFileNumber(read_number(files.c_str(), copy_of(GetMaxFileNumberString()).c_str(), 30000));
    SetMaxDirNumber(read_number(files.c_str(), copy_of(GetMaxDirNumberString()).c_str(), 10000));
    SetSpeedyCopyAtCopyingFunction(read_number(files.c_str(), copy_of(GetSpeedyCopyString()).c_str(), 0) ? 1 : 0);
    SetNetworkDisabledByApplication(read_number(files.c_str(), copy_of(GetNetworkDisabledString()).c_str(), 0) ? 1 : 0);
    SetCurrentDirDiscarded(read_number(files.c_str(), copy_of(GetCurrentDirDiscardedString()).c_str(), 0) ? 1 : 0);
    SetExcludedFile(read_text(files.c_str(), copy_of(GetExcludedFilesString()).c_str(), "").c_str());
    // The user's editor for F4 ("notepad.exe" while none is set).
    const std::string editor = read_text(files.c_str(), "Editor", "");
    if (!editor.empty()) SetEditor(nullptr, editor.c_str());
}

void read_function_keys() {
    StartIniAccessForReading(0);
    SetSectionNameForReading(GetFunctionKeyString());
    ReadFuncKeyString(0);
    EndIniAccessForReading();
}

void write_function_keys() {
    const Place at = locate(copy_of(GetFunctionKeyString()).c_str());
    SetFunctionStrings(at.hive, at.section.c_str());
}

bool move_settings(const ProfilePlace& from, bool to_ini, std::string& problem) {
    std::vector<host::Setting> settings;
    const std::string file = ini_beside_program();
    if (to_ini) {
        return host::read_registry_settings(from.key, settings, problem) &&
               host::write_ini_settings(file, settings, problem);
    }
    if (!host::read_ini_settings(file, settings, problem) || !host::write_registry_settings(from.key, settings, problem))
        return false;
    if (!DeleteFileA(file.c_str())) {
        problem = file;
        return false;
    }
    return true;
}
}  // namespace ferrolan
