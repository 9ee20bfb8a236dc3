// The colour sets and extension colours, their live and edit copies, and
// the profile text form of a set.
#include <windows.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include "ui/colors.h"

namespace {
constexpr int kSets = 3;
constexpr int kColors = 18;
constexpr int kKinds = 6;
constexpr int kExtensions = 16;
constexpr std::size_t kExtensionText = 21;  // 20 bytes and the NUL
enum { kSource = 0, kTarget = 1, kFileList = 2 };

using ColorSet = COLORREF[kColors];

constexpr COLORREF kTextDefaults[kKinds] = {0x000000, 0x0000FF, 0xFF0000, 0xFF00FF, 0x000000, 0xE0FFFF};
constexpr COLORREF kSelectedDefaults[kKinds] = {0x000000, 0x0000FF, 0xFF0000, 0xFF00FF, 0x000000, 0x000000};

COLORREF default_color(int index) {
    if (index < kKinds) return kTextDefaults[index];
    if (index < 2 * kKinds) return 0xFFFFFF;
    return kSelectedDefaults[index - 2 * kKinds];
}

struct Colors {
    ColorSet sets[kSets];
    COLORREF ext_colors[kExtensions];
    char ext_texts[kExtensions][kExtensionText];
};
Colors g_live, g_edit;

bool valid_index(LONG i) { return i >= 0 && i < kColors; }
bool valid_set(LONG set) { return set >= 0 && set < kSets; }

COLORREF get(Colors& c, int set, LONG i) { return valid_index(i) ? c.sets[set][i] : 0; }
COLORREF put(Colors& c, int set, LONG i, COLORREF color) {
    if (valid_index(i)) c.sets[set][i] = color;
    return color;
}

void fill_defaults(Colors& c) {
    for (auto& set : c.sets)
        for (int i = 0; i < kColors; ++i) set[i] = default_color(i);
}

// The selected colours of kinds 0 and 4 follow that of kind 5.
void apply_selected_rule(ColorSet& set) { set[12] = set[16] = set[17]; }

bool loaded = [] {
    fill_defaults(g_live);
    fill_defaults(g_edit);
    return true;
}();

bool valid_extension(LONG i) { return i >= 0 && i < kExtensions; }
// The host writes the texts; each is kept terminated.
const char* ext_text(Colors& c, int i) {
    c.ext_texts[i][kExtensionText - 1] = '\0';
    return c.ext_texts[i];
}

// One field of the text form: a hexadecimal number of at most 8 digits.
bool parse_hex(const char* field, std::size_t length, COLORREF& out) {
    if (length == 0 || length > 8) return false;
    COLORREF value = 0;
    for (std::size_t k = 0; k < length; ++k) {
        const char c = field[k];
        int digit;
        if (c >= '0' && c <= '9') digit = c - '0';
        else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        else return false;
        value = value << 4 | static_cast<COLORREF>(digit);
    }
    out = value;
    return true;
}
}  // namespace

LONG WINAPI GetNormalColorIndex(LONG i) {
    if (i < kKinds) return i;
    return i < 2 * kKinds ? i % kKinds : i % (2 * kKinds);
}
LONG WINAPI GetBakCharColorIndex(LONG kind) { return kind + kKinds; }
LONG WINAPI GetBakRevColorIndex(LONG kind) { return kind + 2 * kKinds; }

#define FERRO_SET_ACCESSORS(name, copy, set)                                                        \
    COLORREF WINAPI Get_rgb##name(LONG i) { return get(copy, set, i); }                             \
    COLORREF WINAPI Set_rgb##name(LONG i, COLORREF color) { return put(copy, set, i, color); }
FERRO_SET_ACCESSORS(SRCDIRCOLOR, g_live, kSource)
FERRO_SET_ACCESSORS(TGTDIRCOLOR, g_live, kTarget)
FERRO_SET_ACCESSORS(FILECOLOR, g_live, kFileList)
FERRO_SET_ACCESSORS(SRCDIRCOLOR0, g_edit, kSource)
FERRO_SET_ACCESSORS(TGTDIRCOLOR0, g_edit, kTarget)
FERRO_SET_ACCESSORS(FILECOLOR0, g_edit, kFileList)
#undef FERRO_SET_ACCESSORS

LONG WINAPI DefFileColors(LONG which) {
    fill_defaults(which == 0 ? g_edit : g_live);
    return 1;
}

COLORREF WINAPI Get_rgbEXTCOLOR(LONG i) { return valid_extension(i) ? g_live.ext_colors[i] : 0; }
COLORREF WINAPI Set_rgbEXTCOLOR(LONG i, COLORREF color) {
    if (valid_extension(i)) g_live.ext_colors[i] = color;
    return color;
}
COLORREF WINAPI Get_rgbEXTCOLOR0(LONG i) { return valid_extension(i) ? g_edit.ext_colors[i] : 0; }
COLORREF WINAPI Set_rgbEXTCOLOR0(LONG i, COLORREF color) {
    if (valid_extension(i)) g_edit.ext_colors[i] = color;
    return color;
}
LPSTR WINAPI GetExtColorString(LONG i) { return valid_extension(i) ? g_live.ext_texts[i] : nullptr; }
LPSTR WINAPI GetExtColorString0(LONG i) { return valid_extension(i) ? g_edit.ext_texts[i] : nullptr; }
COLORREF* WINAPI Get_rgbEXTCOLORPointer() { return g_live.ext_colors; }

COLORREF WINAPI GetExtRgbColor(LPCSTR text, LONG* found) {
    if (found) *found = 0;
    if (!text || !*text) return 0;
    for (int i = 0; i < kExtensions; ++i) {
        const char* name = ext_text(g_live, i);
        if (name[0] && lstrcmpiA(name, text) == 0) {
            if (found) *found = 1;
            return g_live.ext_colors[i];
        }
    }
    return 0;
}

LONG WINAPI IsExtColorStringSet() {
    for (int i = 0; i < kExtensions; ++i)
        if (ext_text(g_live, i)[0]) return 1;
    return 0;
}

LONG WINAPI SetFileAndExtColors(LONG, LONG count) {
    std::memcpy(g_edit.sets, g_live.sets, sizeof g_live.sets);
    if (count < 1) return 0;
    LONG named = 0;
    for (LONG i = 0; i < count && i < kExtensions; ++i) {
        g_edit.ext_colors[i] = g_live.ext_colors[i];
        std::memcpy(g_edit.ext_texts[i], ext_text(g_live, i), kExtensionText);
        if (g_edit.ext_texts[i][0]) ++named;
    }
    return named;
}

LONG WINAPI IsFileColorChangedByComparingFileColor0(LONG i, LONG apply) {
    if (!valid_index(i)) return 0;
    LONG changed = 0;
    for (int set = 0; set < kSets; ++set) {
        if (g_edit.sets[set][i] == g_live.sets[set][i]) continue;
        changed = 1;
        if (apply) g_live.sets[set][i] = g_edit.sets[set][i];
    }
    return changed;
}

LONG WINAPI IsExtColorChanged(LONG i, LONG apply) {
    if (!valid_extension(i)) return 0;
    const bool changed = g_live.ext_colors[i] != g_edit.ext_colors[i] ||
                         std::strcmp(ext_text(g_live, i), ext_text(g_edit, i)) != 0;
    if (changed && apply) {
        g_live.ext_colors[i] = g_edit.ext_colors[i];
        std::memcpy(g_live.ext_texts[i], g_edit.ext_texts[i], kExtensionText);
    }
    return changed ? 1 : 0;
}

LONG WINAPI SetColorsAsFileColors_0(LONG mode) {
    if (mode != 1 && mode != 2) return 0;
    const int kinds = mode == 1 ? kKinds - 1 : kKinds;
    for (int set : {kSource, kTarget})
        for (int group = 0; group < kColors; group += kKinds)
            for (int k = 0; k < kinds; ++k) g_edit.sets[set][group + k] = g_edit.sets[kFileList][group + k];
    for (ColorSet& set : g_edit.sets) apply_selected_rule(set);
    return 1;
}

LONG WINAPI GetStringFormattedFromFileColor(LPSTR buffer, LONG set) {
    if (!buffer || !valid_set(set)) return 0;
    int n = 0;
    for (int i = 0; i < kColors; ++i)
        n += std::snprintf(buffer + n, 162 - n, i ? "$%lx" : "%lx", static_cast<unsigned long>(g_live.sets[set][i]));
    return n;
}

LONG WINAPI SetFileColorFromStringFormatted(LPCSTR text, LONG set) {
    if (!text || !valid_set(set)) return 0;
    ColorSet& colors = g_live.sets[set];
    if (!*text) {
        if (set == kFileList) return 0;
        std::memcpy(colors, g_live.sets[kFileList], sizeof colors);
        return 1;
    }
    if (!std::strchr(text, '$')) return 0;
    int index = 0, separators = 0;
    for (const char* field = text;;) {
        const char* end = std::strchr(field, '$');
        const std::size_t length = end ? static_cast<std::size_t>(end - field) : std::strlen(field);
        if (length && index < kColors) {
            COLORREF value;
            colors[index] = parse_hex(field, length, value) ? value : default_color(index);
            ++index;
        }
        if (!end) break;
        ++separators;
        field = end + 1;
    }
    if (separators > 7) {
        apply_selected_rule(colors);
        return 1;
    }
    // The older layout of eight colours: one background for all kinds (5),
    // the text colour of kind 5 (6) and its selected colour (7). The set
    // that was read is the one rearranged.
    const COLORREF background = colors[5], text5 = colors[6], selected5 = colors[7];
    for (int i = 6; i < 12; ++i) colors[i] = background;
    colors[5] = text5;
    colors[13] = colors[1];
    colors[14] = colors[2];
    colors[15] = colors[3];
    colors[17] = selected5;
    apply_selected_rule(colors);
    return 1;
}
