// Exports of the file colours: three sets of 18 colours (source pane, target
// pane, file list: six text colours, their backgrounds, their selected
// colours), each as a live copy used for drawing and an edit copy used by
// the colour settings dialog; 16 extension colours; the profile text form
// of a set; and the brushes and pens made from them.
#pragma once
#include <windows.h>

extern "C" {
// ---- Indexes within a set
LONG WINAPI GetNormalColorIndex(LONG index);  // the kind (0 to 5) of any index
LONG WINAPI GetBakCharColorIndex(LONG kind);  // kind + 6
LONG WINAPI GetBakRevColorIndex(LONG kind);   // kind + 12

// ---- The sets, live and edit copies; an index outside 0 to 17 reads 0 and stores nothing
COLORREF WINAPI Get_rgbSRCDIRCOLOR(LONG index);
COLORREF WINAPI Set_rgbSRCDIRCOLOR(LONG index, COLORREF color);
COLORREF WINAPI Get_rgbTGTDIRCOLOR(LONG index);
COLORREF WINAPI Set_rgbTGTDIRCOLOR(LONG index, COLORREF color);
COLORREF WINAPI Get_rgbFILECOLOR(LONG index);
COLORREF WINAPI Set_rgbFILECOLOR(LONG index, COLORREF color);
COLORREF WINAPI Get_rgbSRCDIRCOLOR0(LONG index);
COLORREF WINAPI Set_rgbSRCDIRCOLOR0(LONG index, COLORREF color);
COLORREF WINAPI Get_rgbTGTDIRCOLOR0(LONG index);
COLORREF WINAPI Set_rgbTGTDIRCOLOR0(LONG index, COLORREF color);
COLORREF WINAPI Get_rgbFILECOLOR0(LONG index);
COLORREF WINAPI Set_rgbFILECOLOR0(LONG index, COLORREF color);
// The default colours into the edit copies (which 0) or the live copies.
LONG WINAPI DefFileColors(LONG which);

// ---- Extension colours (16; an extension text of at most 20 bytes)
COLORREF WINAPI Get_rgbEXTCOLOR(LONG index);
COLORREF WINAPI Set_rgbEXTCOLOR(LONG index, COLORREF color);
COLORREF WINAPI Get_rgbEXTCOLOR0(LONG index);
COLORREF WINAPI Set_rgbEXTCOLOR0(LONG index, COLORREF color);
// The extension text of entry `index`, a 21-byte buffer the host writes
// into (null outside 0 to 15).
LPSTR WINAPI GetExtColorString(LONG index);
LPSTR WINAPI GetExtColorString0(LONG index);
COLORREF* WINAPI Get_rgbEXTCOLORPointer();
// The colour of an extension (compared without case); *found 1 or 0.
COLORREF WINAPI GetExtRgbColor(LPCSTR extension, LONG* found);
LONG WINAPI IsExtColorStringSet();

// ---- Between the copies
// Live sets into the edit copies and, for count 1 or more, the first
// `count` extension entries; the number of non-empty extension texts copied.
LONG WINAPI SetFileAndExtColors(LONG first, LONG count);
// 1 when entry `index` of any set differs between the copies; with `apply`
// the edit value becomes the live one.
LONG WINAPI IsFileColorChangedByComparingFileColor0(LONG index, LONG apply);
LONG WINAPI IsExtColorChanged(LONG index, LONG apply);
// Mode 1 or 2: the edit copies of the pane sets take the file-list set's
// colours (kinds 0 to 4, or all six), then the selected-colour rule.
LONG WINAPI SetColorsAsFileColors_0(LONG mode);

// ---- Profile text form: 18 "%lx" numbers separated by "$"
// Writes the live set into `buffer` (at least 162 bytes). Returns its length, 0 for a bad set.
LONG WINAPI GetStringFormattedFromFileColor(LPSTR buffer, LONG set);
// Reads such a text into the live set. A field that is no hexadecimal number
// takes the default colour of its index. Returns 1 when the set was changed.
LONG WINAPI SetFileColorFromStringFormatted(LPCSTR text, LONG set);

// ---- Brushes and pens
// Rebuilds the frame and line pens when the display's colour depth changed
// or they were deleted, then the colour brushes and pens of the three sets
// and the dialog brushes. Returns 1.
LONG WINAPI CreateBrushAndPen();
// Deletes every brush and pen of this part. Returns 1.
LONG WINAPI DeleteBrushAndPen();
LONG WINAPI Delete_rgbColorBrushAndPen();
// (Re)makes the set's background brush and pen (colour of index 5) and
// selected brush (index 17) and hands them out (each out-argument may be null).
LONG WINAPI SetListWindowsColors(LONG set, HBRUSH* background, HPEN* backgroundPen, HBRUSH* selected);
HPEN WINAPI Get_hLighterFramePen();
HPEN WINAPI Get_hDarkerFramePen();
HPEN WINAPI Get_hLightestLinePen();
HPEN WINAPI Get_hLighterLinePen();
HPEN WINAPI Get_hDarkerLinePen();
HPEN WINAPI Get_hDarkestLinePen();
HPEN WINAPI Get_hBkPen();
// The lighter line pen: the face colour half way to white on displays of
// 256 colours or more, white below.
HPEN WINAPI Prepare_hLighterLinePen(COLORREF face);
// Background brushes, replaced on each Prepare.
HBRUSH WINAPI Prepare_hBkBrush(COLORREF color);
HBRUSH WINAPI Get_hBkBrush();
LONG WINAPI Delete_hBkBrush();
HBRUSH WINAPI Prepare_hReversedBkBrush(COLORREF color);
HBRUSH WINAPI Get_hReversedBkBrush();
LONG WINAPI Delete_hReversedBkBrush();
// The dialog background brushes, made in the colour given (replacing the previous).
HBRUSH WINAPI Set_ghDlgBkBrush(COLORREF color);
HBRUSH WINAPI Set_ghColBkBrush(COLORREF color);
}

namespace ferro::ui {
HBRUSH dialog_brush();
HBRUSH colour_brush();
}  // namespace ferro::ui
