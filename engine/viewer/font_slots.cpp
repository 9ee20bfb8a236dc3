// The font slots: a font-dialog record, its font and its style text per
// slot, stored in the profile as a section of named values; and the fonts
// made from them for a printer.
#include <windows.h>
#include <commdlg.h>
#include <cstring>
#include "settings/profile.h"
#include "viewer/rich_text.h"

namespace {
constexpr int kSlots = 8;
constexpr LONG kNoSystemFont = 61439;
constexpr std::size_t kStyle = 64;
// "標準" and "ＭＳ ゴシック"
constexpr char kStandard[] = "\x95\x57\x8f\x80";
constexpr char kGothic[] = "\x82\x6c\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4e";

struct Slot {
    CHOOSEFONTA record{};
    LOGFONTA font{};
    char style[kStyle] = "";
    LONG base_point_size = 8;
    LONG system_font = kNoSystemFont;
    bool holds = false;  // a font was set or read
    HFONT printer_font = nullptr;
};
Slot g_slots[kSlots];

// Slot 1 is slot 2; null outside the table.
Slot* slot_at(LONG slot) {
    if (slot == 1) slot = 2;
    return slot >= 0 && slot < kSlots ? &g_slots[slot] : nullptr;
}

void link(Slot& s) {
    s.record.lStructSize = sizeof(CHOOSEFONTA);
    s.record.lpLogFont = &s.font;
    s.record.lpszStyle = s.style;
}

// The markers a read font may carry: none written, the system's fonts 13
// and 14, or no system font.
bool passes_system_font_check(LONG marker) {
    return marker == 0 || marker == 13 || marker == 14 || marker == kNoSystemFont;
}

int scale(int height, int to, int from) { return from ? MulDiv(height, to, from) : height; }

int screen_dpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}
}  // namespace

LONG WINAPI GetFontStruct(CHOOSEFONTA* out, LONG slot) {
    Slot* s = slot_at(slot);
    if (!s || !out) return 0;
    link(*s);
    *out = s->record;
    return 1;
}

LONG WINAPI SetFontStruct(LONG slot, const CHOOSEFONTA* record) {
    Slot* s = slot_at(slot);
    if (!s || !record) return 0;
    s->record = *record;
    if (record->lpLogFont && record->lpLogFont != &s->font) s->font = *record->lpLogFont;
    if (record->lpszStyle && record->lpszStyle != s->style) lstrcpynA(s->style, record->lpszStyle, kStyle);
    link(*s);
    s->holds = true;
    return 1;
}

LONG WINAPI GetLogFont(LOGFONTA* out, LONG slot) {
    Slot* s = slot_at(slot);
    if (!s || !out) return 0;
    *out = s->font;
    return 1;
}

LONG WINAPI SetLogFont(const LOGFONTA* font, LONG slot) {
    Slot* s = slot_at(slot);
    if (!s || !font) return 0;
    s->font = *font;
    link(*s);
    s->holds = true;
    return 1;
}

LOGFONTA* WINAPI GetLogFontAddress(LONG slot) {
    Slot* s = slot_at(slot);
    return s ? &s->font : nullptr;
}

LONG WINAPI WriteFontInRegistry(LPCSTR section, LONG slot) {
    Slot* s = slot_at(slot);
    if (!s || !section) return 0;
    StartIniAccessForWriting(0, 0);
    if (!SetSectionNameForWriting(0, section, 0)) {
        EndIniAccessForReading();
        return 0;
    }
    if (s->holds) {
        link(*s);
        const LOGFONTA& f = s->font;
        const struct {
            const char* key;
            LONG value;
        } numbers[] = {{"StructSize", static_cast<LONG>(s->record.lStructSize)},
                       {"PointSize", s->record.iPointSize},
                       {"Height", f.lfHeight},
                       {"Weight", f.lfWeight},
                       {"CharSet", f.lfCharSet},
                       {"OutPrecision", f.lfOutPrecision},
                       {"ClipPrecision", f.lfClipPrecision},
                       {"Quality", f.lfQuality},
                       {"PitchAndFamily", f.lfPitchAndFamily},
                       {"BasePointSize", s->base_point_size},
                       {"SystemFont", s->system_font}};
        for (const auto& n : numbers) _WriteIntInInifile(0, n.key, n.value);
        WriteStrInInifile(0, "Style", s->style);
        WriteStrInInifile(0, "FaceName", f.lfFaceName);
    }
    EndIniAccessForReading();
    return 1;
}

LONG WINAPI ReadFontFromRegistry(LONG slot) {
    Slot* s = slot_at(slot);
    if (!s) return 0;
    const bool main = s == &g_slots[2];
    auto number = [&](const char* key, LONG slot2_default) { return myGetPrivateProfileInt(key, main ? slot2_default : 0); };
    const LONG size = number("StructSize", 60);
    const LONG height = number("Height", -16);
    if (size == 0 || height == 0) return 0;
    const LONG marker = number("SystemFont", 0);
    if (!passes_system_font_check(marker)) return 0;

    Slot read = *s;
    read.printer_font = nullptr;
    read.record = CHOOSEFONTA{};
    read.record.iPointSize = number("PointSize", 120);
    read.record.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_USESTYLE;
    LOGFONTA& f = read.font;
    f = LOGFONTA{};
    f.lfHeight = height;
    f.lfWeight = number("Weight", 400);
    f.lfCharSet = static_cast<BYTE>(number("CharSet", 128));
    f.lfOutPrecision = static_cast<BYTE>(number("OutPrecision", 3));
    f.lfClipPrecision = static_cast<BYTE>(number("ClipPrecision", 2));
    f.lfQuality = static_cast<BYTE>(number("Quality", 1));
    f.lfPitchAndFamily = static_cast<BYTE>(number("PitchAndFamily", 17));
    myGetPrivateProfileString("Style", main ? kStandard : "", read.style, kStyle);
    if (!read.style[0]) lstrcpyA(read.style, kStandard);
    myGetPrivateProfileString("FaceName", main ? kGothic : "", f.lfFaceName, LF_FACESIZE);
    if (!f.lfFaceName[0]) lstrcpyA(f.lfFaceName, kGothic);
    if (const LONG base = number("BasePointSize", 0)) read.base_point_size = base;
    if (marker) read.system_font = marker;
    read.holds = true;
    read.printer_font = s->printer_font;
    *s = read;
    link(*s);
    return 1;
}

LONG WINAPI DeleteFontSelected(LONG slot) {
    LONG deleted = 0;
    for (int i = 0; i < kSlots; ++i) {
        if (slot != -1 && slot_at(slot) != &g_slots[i]) continue;
        if (g_slots[i].printer_font) {
            DeleteObject(g_slots[i].printer_font);
            g_slots[i].printer_font = nullptr;
            ++deleted;
        }
    }
    return deleted;
}

LONG WINAPI SetFontSelectedInMenu(HMENU menu, UINT firstId, LONG count, LONG slot) {
    if (!menu || count <= 0 || slot < 0 || slot >= count) return 0;
    return CheckMenuRadioItem(menu, firstId, firstId + static_cast<UINT>(count) - 1, firstId + static_cast<UINT>(slot),
                              MF_BYCOMMAND) ? 1 : 0;
}

HFONT WINAPI CreatePriterFont(HDC printer, LONG slot) {
    Slot* s = slot_at(slot);
    if (!s || !printer) return nullptr;
    LOGFONTA font = s->font;
    if (s->record.iPointSize > 0)
        font.lfHeight = -MulDiv(s->record.iPointSize, GetDeviceCaps(printer, LOGPIXELSY), 720);
    else
        ExpandPriterFont(&font, printer);
    HFONT made = CreateFontIndirectA(&font);
    if (!made) return nullptr;
    if (s->printer_font) DeleteObject(s->printer_font);
    s->printer_font = made;
    return made;
}

LONG WINAPI ExpandPriterFont(LOGFONTA* font, HDC printer) {
    if (!font || !printer) return 0;
    const int to = GetDeviceCaps(printer, LOGPIXELSY), from = screen_dpi();
    font->lfHeight = scale(font->lfHeight, to, from);
    font->lfWidth = scale(font->lfWidth, to, from);
    return 1;
}

LONG WINAPI ShrinkScreenLogFont(LOGFONTA* font, HDC printer) {
    if (!font || !printer) return 0;
    const int from = GetDeviceCaps(printer, LOGPIXELSY), to = screen_dpi();
    font->lfHeight = scale(font->lfHeight, to, from);
    font->lfWidth = scale(font->lfWidth, to, from);
    return 1;
}
