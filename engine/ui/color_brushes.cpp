// The brushes and pens made from the file colours and the display's face
// colour. Every one of them is deleted before it is replaced, and all of
// them by DeleteBrushAndPen; a pen that was deleted is made again by the
// next CreateBrushAndPen, never handed out stale.
#include <windows.h>
#include <initializer_list>
#include "frame/option_flags.h"
#include "ui/colors.h"

namespace {
constexpr int kSets = 3;

template <class Handle>
Handle replace(Handle& slot, Handle value) {
    if (slot) DeleteObject(slot);
    slot = value;
    return value;
}

struct Objects {
    HBRUSH background[kSets]{};
    HPEN background_pen[kSets]{};
    HBRUSH selected[kSets]{};
    HPEN lighter_frame = nullptr, darker_frame = nullptr;
    HPEN lightest_line = nullptr, lighter_line = nullptr, darker_line = nullptr, darkest_line = nullptr;
    HPEN bk_pen = nullptr;
    HBRUSH bk = nullptr, reversed_bk = nullptr;
    HBRUSH dialog = nullptr, colour = nullptr;
    int depth = 0;  // bits per pixel of the display the pens were made for
};
Objects g;

COLORREF (WINAPI* const kSetColor[kSets])(LONG) = {Get_rgbSRCDIRCOLOR, Get_rgbTGTDIRCOLOR, Get_rgbFILECOLOR};

int display_depth() {
    HDC screen = GetDC(nullptr);
    const int depth = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
    ReleaseDC(nullptr, screen);
    return depth;
}

// The face colour of frames and lines: the system's, or with the host's
// light-grey scheme (automatic background colour switched off) light grey
// on displays of fewer than 256 colours and the file list's background
// otherwise.
COLORREF face_color(int depth) {
    if (IsBkcolorRGBAuto()) return GetSysColor(COLOR_3DFACE);
    return depth < 8 ? RGB(0xC0, 0xC0, 0xC0) : Get_rgbFILECOLOR(6);
}

COLORREF half_way_to_white(COLORREF c) {
    return RGB((GetRValue(c) + 255 + 1) / 2, (GetGValue(c) + 255 + 1) / 2, (GetBValue(c) + 255 + 1) / 2);
}

HPEN solid(COLORREF c) { return CreatePen(PS_SOLID, 1, c); }

bool pens_complete() {
    return g.lighter_frame && g.darker_frame && g.lightest_line && g.lighter_line && g.darker_line &&
           g.darkest_line && g.bk_pen;
}

void delete_pens() {
    for (HPEN* pen : {&g.lighter_frame, &g.darker_frame, &g.lightest_line, &g.lighter_line, &g.darker_line,
                      &g.darkest_line, &g.bk_pen})
        replace(*pen, HPEN{});
    g.depth = 0;
}

void make_pens(int depth) {
    const COLORREF face = face_color(depth);
    replace(g.lighter_frame, solid(GetSysColor(COLOR_3DHILIGHT)));
    replace(g.darker_frame, solid(GetSysColor(COLOR_3DSHADOW)));
    replace(g.lightest_line, solid(RGB(255, 255, 255)));
    replace(g.lighter_line, solid(depth >= 8 ? half_way_to_white(face) : RGB(255, 255, 255)));
    replace(g.darker_line, solid(GetSysColor(COLOR_3DSHADOW)));
    replace(g.darkest_line, solid(GetSysColor(COLOR_3DDKSHADOW)));
    replace(g.bk_pen, solid(face));
    g.depth = depth;
}
}  // namespace

namespace ferro::ui {
HBRUSH dialog_brush() { return g.dialog; }
HBRUSH colour_brush() { return g.colour; }
}  // namespace ferro::ui

LONG WINAPI SetListWindowsColors(LONG set, HBRUSH* background, HPEN* backgroundPen, HBRUSH* selected) {
    if (set < 0 || set >= kSets) return 0;
    const auto color = kSetColor[set];
    replace(g.background[set], CreateSolidBrush(color(5)));
    replace(g.background_pen[set], solid(color(5)));
    replace(g.selected[set], CreateSolidBrush(color(17)));
    if (background) *background = g.background[set];
    if (backgroundPen) *backgroundPen = g.background_pen[set];
    if (selected) *selected = g.selected[set];
    return 1;
}

LONG WINAPI CreateBrushAndPen() {
    const int depth = display_depth();
    if (depth != g.depth || !pens_complete()) make_pens(depth);
    for (LONG set = 0; set < kSets; ++set) SetListWindowsColors(set, nullptr, nullptr, nullptr);
    Set_ghDlgBkBrush(face_color(depth));
    Set_ghColBkBrush(Get_rgbFILECOLOR(6));
    return 1;
}

LONG WINAPI DeleteBrushAndPen() {
    for (int set = 0; set < kSets; ++set) {
        replace(g.background[set], HBRUSH{});
        replace(g.background_pen[set], HPEN{});
        replace(g.selected[set], HBRUSH{});
    }
    delete_pens();
    for (HBRUSH* brush : {&g.bk, &g.reversed_bk, &g.dialog, &g.colour}) replace(*brush, HBRUSH{});
    return 1;
}

LONG WINAPI Delete_rgbColorBrushAndPen() { return DeleteBrushAndPen(); }

HPEN WINAPI Get_hLighterFramePen() { return g.lighter_frame; }
HPEN WINAPI Get_hDarkerFramePen() { return g.darker_frame; }
HPEN WINAPI Get_hLightestLinePen() { return g.lightest_line; }
HPEN WINAPI Get_hLighterLinePen() { return g.lighter_line; }
HPEN WINAPI Get_hDarkerLinePen() { return g.darker_line; }
HPEN WINAPI Get_hDarkestLinePen() { return g.darkest_line; }
HPEN WINAPI Get_hBkPen() { return g.bk_pen; }

HPEN WINAPI Prepare_hLighterLinePen(COLORREF face) {
    return replace(g.lighter_line, solid(display_depth() >= 8 ? half_way_to_white(face) : RGB(255, 255, 255)));
}

HBRUSH WINAPI Prepare_hBkBrush(COLORREF color) { return replace(g.bk, CreateSolidBrush(color)); }
HBRUSH WINAPI Get_hBkBrush() { return g.bk; }
LONG WINAPI Delete_hBkBrush() { return g.bk ? (replace(g.bk, HBRUSH{}), 1) : 0; }
HBRUSH WINAPI Prepare_hReversedBkBrush(COLORREF color) { return replace(g.reversed_bk, CreateSolidBrush(color)); }
HBRUSH WINAPI Get_hReversedBkBrush() { return g.reversed_bk; }
LONG WINAPI Delete_hReversedBkBrush() { return g.reversed_bk ? (replace(g.reversed_bk, HBRUSH{}), 1) : 0; }
HBRUSH WINAPI Set_ghDlgBkBrush(COLORREF color) { return replace(g.dialog, CreateSolidBrush(color)); }
HBRUSH WINAPI Set_ghColBkBrush(COLORREF color) { return replace(g.colour, CreateSolidBrush(color)); }
