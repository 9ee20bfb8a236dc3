#include "file_colors.h"
#include <cstdlib>
#include <cstring>
#include <string>
#include "settings.h"
#include "ui/colors.h"

namespace ferrolan {
namespace {
constexpr char kSection[] = "Colors";
constexpr LONG kExtensionColours = 16;
constexpr size_t kExtensionText = 20;

LONG kind_of(const Entry& entry) {
    if (entry.kind == Entry::kSelf || entry.kind == Entry::kUpper) return 4;
    if (entry.attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) return 3;
    if (entry.kind == Entry::kFolder) return 2;
    return (entry.attributes & FILE_ATTRIBUTE_READONLY) ? 1 : 0;
}
}  // namespace

RowColors row_colors(bool active_pane, const Entry& entry, const char* name, bool marked) {
    auto color = active_pane ? Get_rgbSRCDIRCOLOR : Get_rgbTGTDIRCOLOR;
    const LONG kind = kind_of(entry);
    RowColors c{color(marked ? GetBakRevColorIndex(kind) : kind), color(marked ? 5 : GetBakCharColorIndex(kind))};
    if (kind == 0 && !marked) {
        const char* dot = std::strrchr(name, '.');
        LONG found = 0;
        const COLORREF own = dot && dot != name ? GetExtRgbColor(dot + 1, &found) : 0;
        if (found) c.text = own;
    }
    return c;
}

void read_file_colors() {
    static const char* const kSets[] = {"Source", "Target", "FileList"};
    // The file list first: an empty pane set is a copy of it.
    for (LONG set : {2, 0, 1}) {
        const std::string text = read_text(kSection, kSets[set], "");
        if (!text.empty()) SetFileColorFromStringFormatted(text.c_str(), set);
    }
    for (LONG i = 0; i < kExtensionColours; ++i) {
        const std::string entry = read_text(kSection, ("Ext" + std::to_string(i)).c_str(), "");
        const size_t equals = entry.find('=');
        if (equals == std::string::npos || equals == 0 || equals > kExtensionText) continue;
        char* end = nullptr;
        const unsigned long value = std::strtoul(entry.c_str() + equals + 1, &end, 16);
        if (end == entry.c_str() + equals + 1 || *end) continue;
        char* slot = GetExtColorString(i);
        if (!slot) continue;
        std::memcpy(slot, entry.data(), equals);
        slot[equals] = '\0';
        Set_rgbEXTCOLOR(i, COLORREF(value));
    }
}
}  // namespace ferrolan
