// The owner-drawn drive list: each item is one entry of the drive list (its
// list index is the item's data), drawn as its bitmap and its name in the
// colours of the pane's set, then the selection and focus marks.
#include <windows.h>
#include <cstring>
#include "fs/drives.h"
#include "frame/memory_blocks.h"
#include "listing/selection.h"
#include "ui/colors.h"
#include "ui/drawing.h"
#include "ui/drive_draw.h"

namespace {
struct DrawParams {
    int control1 = 0, control2 = 0;
    UINT type = ODT_LISTBOX;
    BOOL small_bitmaps = TRUE;
    HBITMAP current_overlay = nullptr;  // drawn over the current drive's bitmap
    int bitmap_offset = 0, text_offset = 0;
    int current_drive = -1;  // list index of the drive of the current folder
};
DrawParams g;

// The text of the item being drawn, in a block of the library.
HGLOBAL g_text_block;
LPSTR g_text;

bool ours(UINT type, UINT id) { return type == g.type && id && (id == UINT(g.control1) || id == UINT(g.control2)); }

// The set of a pane selector: source 0, target 1, the third list 2.
LONG set_of(LONG pane) { return pane & 2 ? 0 : pane & 4 ? 1 : 2; }
COLORREF set_color(LONG set, LONG index) {
    return set == 0 ? Get_rgbSRCDIRCOLOR(index) : set == 1 ? Get_rgbTGTDIRCOLOR(index) : Get_rgbFILECOLOR(index);
}

int text_height(HWND window) {
    HDC dc = GetDC(window);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)));
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    if (old) SelectObject(dc, old);
    ReleaseDC(window, dc);
    return metrics.tmHeight;
}
}  // namespace

LONG WINAPI SetDrawItemParam(LONG controlId1, LONG controlId2, LONG ctlType, LONG smallBitmaps, HBITMAP overlay) {
    g.control1 = controlId1;
    g.control2 = controlId2;
    g.type = ctlType ? static_cast<UINT>(ctlType) : ODT_LISTBOX;
    g.small_bitmaps = smallBitmaps;
    g.current_overlay = overlay;
    return 1;
}

LONG WINAPI wmMeasureItem(HWND window, UINT id, MEASUREITEMSTRUCT* measure) {
    if (!measure || !ours(measure->CtlType, id)) return 0;
    LONG bitmap_height = 0;
    GetBmpWidthAndHeight(GetOrDriveBmp(0, g.small_bitmaps), nullptr, &bitmap_height);
    const int text = text_height(GetDlgItem(window, static_cast<int>(id)));
    int height = static_cast<int>(measure->itemHeight);
    if (height < bitmap_height) height = bitmap_height;
    if (height < text) height = text;
    measure->itemHeight = static_cast<UINT>(height);
    g.bitmap_offset = (height - bitmap_height + 1) / 2;
    g.text_offset = (height - text + 1) / 2;
    return 1;
}

LONG WINAPI wmDrawItem(HWND window, UINT id, const DRAWITEMSTRUCT* draw, LONG pane) {
    if (!draw || !ours(draw->CtlType, id)) return 0;
    HDC dc = draw->hDC;
    RECT r = draw->rcItem;
    if (draw->itemID == UINT(-1)) {
        if (draw->itemState & ODS_FOCUS) DrawFocusRect(dc, &r);
        return 1;
    }
    const int entry = static_cast<int>(draw->itemData);
    const LONG set = set_of(pane);
    const char* current = GetCurDirectory(pane);
    if (current && current[0] && current[1] == ':')
        g.current_drive = GetDrNumberFromCharacter(static_cast<unsigned char>(current[0]), TRUE);

    if (draw->itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) {
        HBRUSH background = CreateSolidBrush(set_color(set, GetBakCharColorIndex(0)));
        FillRect(dc, &r, background);
        DeleteObject(background);

        HBITMAP bitmap = GetOrDriveBmp(entry, g.small_bitmaps);
        LONG bitmap_width = 0;
        GetBmpWidthAndHeight(bitmap, &bitmap_width, nullptr);
        if (entry == g.current_drive && g.current_overlay)
            DrawCombinedBitmap(dc, r.left + 2, r.top + g.bitmap_offset, bitmap, g.current_overlay);
        else
            DrawBitmap(dc, r.left + 2, r.top + g.bitmap_offset, bitmap, SRCCOPY);

        char name[32] = "";
        if (IsShortDriveName()) {
            const int letter = GetDrOfUpperCharcter(entry, TRUE);
            name[0] = static_cast<char>(letter > 0 ? letter : ' ');
        } else {
            lstrcpynA(name, GetDriveName(entry, TRUE), sizeof name);
        }
        g_text = GetStringPointer(&g_text_block, g_text, name);
        const char* text = g_text ? g_text : name;
        SetTextColor(dc, set_color(set, 0));
        SetBkMode(dc, TRANSPARENT);
        RECT clip = r;
        clip.left += 2 + bitmap_width + 4;
        ExtTextOutA(dc, clip.left, r.top + g.text_offset, ETO_CLIPPED, &clip, text,
                    static_cast<UINT>(std::strlen(text)), nullptr);
        if (draw->itemState & ODS_SELECTED) InvertRect(dc, &r);
    }
    if ((draw->itemAction & ODA_FOCUS) || (draw->itemState & ODS_FOCUS)) DrawFocusRect(dc, &r);
    return 1;
}

LONG WINAPI FreeGlobalHandleInDrawItem() {
    if (!g_text_block) return 0;
    FreeStringPointer(g_text_block, g_text);
    g_text_block = nullptr;
    g_text = nullptr;
    return 1;
}
