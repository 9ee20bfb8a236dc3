// ferro colors [--set KIND=RRGGBB]...: the stored file colours, changed
// and stored again when --set is given. KIND is src:N, tgt:N or file:N
// (N 0 to 17: six text colours, their backgrounds, their selected colours)
// or ext:NAME (an extension, at most 20 bytes).
#include <windows.h>
#include <cstdlib>
#include <cstring>
#include "color_profile.h"
#include "commands.h"
#include "console.h"
#include "ui/colors.h"

namespace host {
namespace {
const char* const kSets[3] = {"src", "tgt", "file"};
COLORREF (WINAPI* const kSet[3])(LONG, COLORREF) = {Set_rgbSRCDIRCOLOR, Set_rgbTGTDIRCOLOR, Set_rgbFILECOLOR};
COLORREF (WINAPI* const kGet[3])(LONG) = {Get_rgbSRCDIRCOLOR, Get_rgbTGTDIRCOLOR, Get_rgbFILECOLOR};

// RRGGBB as written by people; COLORREF keeps blue in the high byte.
bool parse_rgb(const std::string& text, COLORREF& out) {
    if (text.size() != 6 || text.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) return false;
    const unsigned long rgb = std::strtoul(text.c_str(), nullptr, 16);
    out = RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
    return true;
}

void print_rgb(const char* what, const std::string& which, COLORREF c) {
    outf("%-4s %-20s %02X%02X%02X\n", what, which.c_str(), GetRValue(c), GetGValue(c), GetBValue(c));
}

// One --set: false with a message.
bool apply(const std::string& setting) {
    const size_t colon = setting.find(':'), equals = setting.find('=');
    COLORREF color;
    if (colon == std::string::npos || equals == std::string::npos || equals < colon ||
        !parse_rgb(setting.substr(equals + 1), color)) {
        err("ferro colors: not KIND=RRGGBB: " + setting);
        return false;
    }
    const std::string kind = setting.substr(0, colon), which = setting.substr(colon + 1, equals - colon - 1);
    if (kind == "ext") {
        if (which.empty() || which.size() > 20) {
            err("ferro colors: an extension of 1 to 20 bytes: " + setting);
            return false;
        }
        int slot = -1;
        for (int i = 0; i < 16 && slot < 0; ++i)
            if (lstrcmpiA(GetExtColorString(i), which.c_str()) == 0) slot = i;
        for (int i = 0; i < 16 && slot < 0; ++i)
            if (!GetExtColorString(i)[0]) slot = i;
        if (slot < 0) {
            err("ferro colors: all 16 extension colours are in use: " + setting);
            return false;
        }
        lstrcpyA(GetExtColorString(slot), which.c_str());
        Set_rgbEXTCOLOR(slot, color);
        return true;
    }
    for (int set = 0; set < 3; ++set) {
        if (kind != kSets[set]) continue;
        char* end = nullptr;
        const long index = std::strtol(which.c_str(), &end, 10);
        if (which.empty() || *end || index < 0 || index > 17) break;
        kSet[set](index, color);
        return true;
    }
    err("ferro colors: KIND is src:N, tgt:N, file:N (N 0 to 17) or ext:NAME: " + setting);
    return false;
}
}  // namespace

int cmd_colors(const Args& args) {
    use_profile();
    load_colors();
    bool changed = false;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] != "--set" || i + 1 >= args.size()) {
            err("usage: ferro colors [--set KIND=RRGGBB]...");
            return 2;
        }
        if (!apply(args[++i])) return 2;
        changed = true;
    }
    if (changed && !save_colors()) {
        err("ferro colors: the colours could not be stored");
        return 1;
    }
    for (int set = 0; set < 3; ++set)
        for (LONG index = 0; index < 18; ++index) print_rgb(kSets[set], std::to_string(index), kGet[set](index));
    for (int i = 0; i < 16; ++i)
        if (GetExtColorString(i)[0]) print_rgb("ext", GetExtColorString(i), Get_rgbEXTCOLOR(i));
    return 0;
}
}  // namespace host
