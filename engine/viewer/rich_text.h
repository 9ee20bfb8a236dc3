// Exports of the rich edit texts of the host: loading a file into a rich
// edit control and saving it, printing the control with margins, a header
// and a footer line and copies, and the font slots kept in the profile.
#pragma once
#include <windows.h>
#include <commdlg.h>

// What a print run is given.
struct RichPrintRecord {
    HWND control;      // the rich edit control printed
    HWND progress;     // receives `message` (page number, `param`) per page; may be null
    LPCSTR fileName;   // the document's name, "&F", and whose time stamp "&D" and "&T" show
    DWORD flags;       // 0x20: the printer dialog first
    UINT message;      // 0: no progress messages
    LPARAM param;
    HFONT font;        // the header and footer font (null: the printer's)
    LONG copies;       // 0: the kept printer parameters' copies (1 when none)
    LONG firstPage;    // pages printed: first to last, 1-based; 0 for all
    LONG lastPage;
    LPCSTR output;     // a file to print into instead of the printer (null: the printer)
};
#ifndef _WIN64
static_assert(sizeof(RichPrintRecord) == 44, "eleven 32-bit words");
#endif

extern "C" {
// ---- Files in a rich edit control
// Streams the file in as plain text (asText non-zero) or rich text; *countOut
// gets the control's count. The modified flag is cleared. 1 when something
// was read; 0 after the read-error box (the control keeps its text when the
// file cannot be opened).
LONG WINAPI OpenRichFile(HWND control, LPCSTR path, LONG* countOut, LONG asText);
// Creates or truncates the file (a read-only one is made writable once) and
// streams the control out as plain text (asText > 0) or rich text. 1, or 0
// after the create-error or write-error box.
LONG WINAPI SaveRichFile(HWND control, LPCSTR path, LONG asText);
// The text of line `line` into `buffer` of `size` bytes (cut at a whole
// character). Returns its length.
LONG WINAPI GetStringOnLineInRichEditContent(HWND control, LONG line, LPSTR buffer, LONG size);
// The character position of byte `offset` of `text` (a double-byte character
// and a CR LF count one each).
LONG WINAPI GetPositionInRichEditContent(LPCSTR text, LONG offset);
// Adds `mask` to the control's event mask; returns the previous mask.
LONG WINAPI SetEventMaskOfRichEditCtrl(HWND control, LONG mask);
// The control's text length in code-page-932 bytes.
LONG WINAPI GetMultiByteTextLength(HWND control);
// Whether the whole file is readable text (an empty file is not).
LONG WINAPI IsSpecifiedFileReadable(LPCSTR path);

// ---- Print settings
// Margins (each given by address) in centimetres (unit 1) or inches (any
// other unit): left, top, right, bottom.
LONG WINAPI SetMarginForRichTextContents(const double* m1, const double* m2, const double* m3, const double* m4,
                                         LONG unit);
LONG WINAPI GetMarginForRichTextContents(double* m1, double* m2, double* m3, double* m4);
// Stores a header (or, with 0x200, footer) text in column 0x40 left, 0x80
// centre or 0x100 right and returns the new print format. Texts of 520
// bytes or more are refused.
LONG WINAPI SetFormatStringForRichTextContents(LPCSTR text, LONG flags);
// Copies the text of column 0 to 2 of row 0 (header) or 1 (footer) into
// `out` (520 bytes). Returns its length, -1 for a bad column or row.
LONG WINAPI GetFormatStringForRichTextContents(LPSTR out, LONG column, LONG row);
LONG WINAPI SetPrintRichTextContentsFormat(LONG format);
// "&F", "&P", "&D", "&T" and their bits 0x08, 0x10, 0x02, 0x01 (i 0 to 3).
LPCSTR WINAPI GetFormatIdentifierStringForRichTextContents(LONG i);
LONG WINAPI GetFormatIdentifierForRichTextContents(LONG i);
LONG WINAPI SetAbortPrinting(LONG value);
LONG WINAPI IsAbortPrinting();
ABORTPROC WINAPI SetAbortProcInPrintRichTextContents(ABORTPROC procedure);
// Frees the header and footer texts.
LONG WINAPI FreeSetFormatForRichTextContentsPointer();

// ---- Printing
// Prints the control: 0 when no printer device could be had, else 1 (also
// after an abort; IsAbortPrinting then says so).
LONG WINAPI PrintRichTextContents(const RichPrintRecord* record);

// ---- The printer
// A device context of the kept printer (the default printer when none is kept).
HDC WINAPI PreparePrinterDC();
// The printer dialog (setup only); the choice is kept. 1 when one was chosen.
LONG WINAPI SetPrinterDialog(HWND owner);
// The kept printer's device, driver and port names (260-byte buffers, each
// may be null) and copies. 1 when a printer is kept.
LONG WINAPI GetPrinterParametrers(LPSTR device, LPSTR driver, LPSTR port, LONG* copies);
// Paper size in pixels of the device context.
LONG WINAPI GetPaperSizeForPrinter(HDC dc, LONG* width, LONG* height);
LONG WINAPI FreetPrinterParametersPointer();

// ---- Font slots (slot 1 is slot 2)
LONG WINAPI GetFontStruct(CHOOSEFONTA* out, LONG slot);
LONG WINAPI SetFontStruct(LONG slot, const CHOOSEFONTA* record);
LONG WINAPI GetLogFont(LOGFONTA* out, LONG slot);
LONG WINAPI SetLogFont(const LOGFONTA* font, LONG slot);
LOGFONTA* WINAPI GetLogFontAddress(LONG slot);
// The slot in the profile's section (current-section writes) / from the
// section the profile store has selected for reading. 1 when done.
LONG WINAPI WriteFontInRegistry(LPCSTR section, LONG slot);
LONG WINAPI ReadFontFromRegistry(LONG slot);
// Deletes the printer font made for the slot (-1: every slot).
LONG WINAPI DeleteFontSelected(LONG slot);
// Checks the menu item `firstId + slot` among `count` items from firstId.
LONG WINAPI SetFontSelectedInMenu(HMENU menu, UINT firstId, LONG count, LONG slot);
// A font of the slot for the printer's device context (kept in the slot).
HFONT WINAPI CreatePriterFont(HDC printer, LONG slot);
// Scale a font between the screen's and a printer's resolution, in place.
LONG WINAPI ExpandPriterFont(LOGFONTA* font, HDC printer);
LONG WINAPI ShrinkScreenLogFont(LOGFONTA* font, HDC printer);
}
