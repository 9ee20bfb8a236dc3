// The colours are kept in the section "Filecolor": the three sets under the
// key names of the message library ("SrcDircolor", "TgtDircolor",
// "Filecolor") in their text form, and each extension colour under
// "Extcolor0" to "Extcolor15" as "EXT$colour".
#include "color_profile.h"
#include <windows.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include "ferromes.h"
#include "settings/profile.h"
#include "ui/colors.h"

namespace host {
namespace {
constexpr int kExtensions = 16;

std::string key_of_set(int set) { return GetFilecolorString(set); }
std::string section() { return GetFilecolorString(2); }
std::string key_of_extension(int i) { return std::string(GetExtensioncolorString()) + std::to_string(i); }
}  // namespace

void use_profile() {
    const char* path = std::getenv("FERRO_REGISTRY_PATH");
    SetRegistryPath(path && *path ? path : "Software\\Ferrolan\\Ferro32");
}

int load_colors() {
    const std::string name = section();
    std::string keys[3 + kExtensions];
    for (int set = 0; set < 3; ++set) keys[set] = key_of_set(set);
    for (int i = 0; i < kExtensions; ++i) keys[3 + i] = key_of_extension(i);
    StartIniAccessForReading(0);
    SetSectionNameForReading(name.c_str());
    char text[520];
    // The file list first: an empty pane set follows it.
    for (int set : {2, 0, 1}) {
        if (myGetPrivateProfileString(keys[set].c_str(), "", text, sizeof text) > 0)
            SetFileColorFromStringFormatted(text, set);
    }
    for (int i = 0; i < kExtensions; ++i) {
        if (myGetPrivateProfileString(keys[3 + i].c_str(), "", text, sizeof text) <= 0) continue;
        char* sign = std::strrchr(text, '$');
        if (!sign) continue;
        *sign = '\0';
        lstrcpynA(GetExtColorString(i), text, 21);
        Set_rgbEXTCOLOR(i, static_cast<COLORREF>(std::strtoul(sign + 1, nullptr, 16)));
    }
    EndIniAccessForReading();
    return 1;
}

int save_colors() {
    const std::string name = section();
    std::string keys[3 + kExtensions];
    for (int set = 0; set < 3; ++set) keys[set] = key_of_set(set);
    for (int i = 0; i < kExtensions; ++i) keys[3 + i] = key_of_extension(i);
    StartIniAccessForWriting(0, 0);
    if (!SetSectionNameForWriting(0, name.c_str(), 0)) return 0;
    int written = 1;
    char text[162];
    for (int set = 0; set < 3; ++set) {
        GetStringFormattedFromFileColor(text, set);
        written &= WriteStrInInifile(0, keys[set].c_str(), text) == 0 ? 1 : 0;
    }
    for (int i = 0; i < kExtensions; ++i) {
        char entry[40];
        std::snprintf(entry, sizeof entry, "%s$%lx", GetExtColorString(i),
                      static_cast<unsigned long>(Get_rgbEXTCOLOR(i)));
        written &= WriteStrInInifile(0, keys[3 + i].c_str(), GetExtColorString(i)[0] ? entry : "") == 0 ? 1 : 0;
    }
    EndIniAccessForReading();
    return written;
}
}  // namespace host
