// Printing a rich edit control: margins, a header and a footer line of three
// columns whose codes give the file name, the page number and the file's
// date and time, copies, a page range and a cancel path.
#include <windows.h>
#include <richedit.h>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include "frame/text_internal.h"
#include "viewer/print_internal.h"
#include "viewer/rich_text.h"

namespace {
constexpr LONG kTime = 0x01, kDate = 0x02, kStamp = 0x04, kName = 0x08, kPage = 0x10;
constexpr LONG kHeader = 0x200, kFooter = 0x400;
constexpr LONG kLeft = 0x40, kCentre = 0x80, kRight = 0x100;
constexpr DWORD kDialogFirst = 0x20;

struct Code {
    const char* text;
    LONG bit;
};
constexpr Code kCodes[] = {{"&F", kName}, {"&P", kPage}, {"&D", kDate}, {"&T", kTime}};

struct PrintState {
    double margins[4] = {1.0, 1.0, 1.0, 1.0};  // left, top, right, bottom
    LONG unit = 567;                           // twips per unit
    std::string texts[2][3];                   // [header, footer][left, centre, right]
    LONG format = 0;
    LONG abort = 0;
    ABORTPROC abort_procedure = nullptr;
};
PrintState g;

// The file's time stamp as local time; month 13 and hour 25 stand for none.
struct Stamp {
    SYSTEMTIME time{};
    bool known = false;
};
Stamp stamp_of(const char* path) {
    Stamp s;
    WIN32_FILE_ATTRIBUTE_DATA data;
    FILETIME local;
    if (path && GetFileAttributesExA(path, GetFileExInfoStandard, &data) &&
        FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) && FileTimeToSystemTime(&local, &s.time))
        s.known = true;
    return s;
}

// A header or footer text with its codes expanded.
std::string expand(const std::string& text, const RichPrintRecord& record, LONG page, const Stamp& stamp) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        char piece[32] = "";
        const std::string code = text.substr(i, 2);
        if (code == "&F") out += record.fileName ? record.fileName : "";
        else if (code == "&P") std::snprintf(piece, sizeof piece, "%ld", static_cast<long>(page));
        else if (code == "&D" && stamp.known)
            std::snprintf(piece, sizeof piece, "%04d-%02d-%02d", stamp.time.wYear, stamp.time.wMonth, stamp.time.wDay);
        else if (code == "&T" && stamp.known)
            std::snprintf(piece, sizeof piece, "%02d:%02d:%02d", stamp.time.wHour, stamp.time.wMinute,
                          stamp.time.wSecond);
        else if (code != "&D" && code != "&T") {
            const int step = ferro::mbcs::char_size(text.c_str() + i);
            out.append(text, i, static_cast<std::size_t>(step));
            i += static_cast<std::size_t>(step);
            continue;
        }
        out += piece;
        i += 2;
    }
    return out;
}

void draw_line(HDC dc, int row, RECT line, const RichPrintRecord& record, LONG page, const Stamp& stamp) {
    static constexpr UINT kAlign[3] = {DT_LEFT, DT_CENTER, DT_RIGHT};
    for (int column = 0; column < 3; ++column) {
        if (g.texts[row][column].empty()) continue;
        std::string text = expand(g.texts[row][column], record, page, stamp);
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &line,
                  kAlign[column] | DT_SINGLELINE | DT_NOPREFIX | DT_TOP);
    }
}

// The control's text laid out by the library itself, for a control that
// does not format for other devices (the rich edit control of Wine answers
// EM_FORMATRANGE with nothing): the plain text in the control's default
// font, lines broken at the body's width between whole characters.
class PlainLayout {
public:
    PlainLayout(HWND control, HDC dc) {
        GETTEXTLENGTHEX how = {GTL_PRECISE | GTL_USECRLF | GTL_NUMBYTES, 932};
        const LRESULT bytes = SendMessageA(control, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&how), 0);
        // Each character takes at most two bytes; the count above may be in either unit.
        text_.resize(static_cast<std::size_t>(bytes > 0 ? bytes : 0) * 2 + 2);
        GETTEXTEX get = {static_cast<DWORD>(text_.size()), GT_USECRLF, 932, nullptr, nullptr};
        const LRESULT got = SendMessageA(control, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get),
                                         reinterpret_cast<LPARAM>(text_.data()));
        text_.resize(got > 0 ? std::strlen(text_.c_str()) : 0);
        CHARFORMATA format = {};
        format.cbSize = sizeof format;
        SendMessageA(control, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
        const LONG height = format.yHeight > 0 ? format.yHeight : 200;
        font_ = CreateFontA(-MulDiv(height, GetDeviceCaps(dc, LOGPIXELSY), 1440), 0, 0, 0,
                            format.dwEffects & CFE_BOLD ? FW_BOLD : FW_NORMAL, format.dwEffects & CFE_ITALIC ? 1 : 0,
                            0, 0, format.bCharSet, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                            format.bPitchAndFamily, format.szFaceName);
    }
    ~PlainLayout() {
        if (font_) DeleteObject(font_);
    }
    LONG size() const { return static_cast<LONG>(text_.size()); }

    // Lays out (and with `render` draws) one page from byte `start` into the
    // body (device units); returns where the next page starts.
    LONG page(HDC dc, LONG start, const RECT& body, bool render) {
        HGDIOBJ old = SelectObject(dc, font_);
        TEXTMETRICA metrics = {};
        GetTextMetricsA(dc, &metrics);
        const int line_height = metrics.tmHeight + metrics.tmExternalLeading;
        const char* text = text_.c_str();
        std::size_t at = static_cast<std::size_t>(start);
        for (int y = body.top; at < text_.size() && y + line_height <= body.bottom; y += line_height) {
            std::size_t end = at;
            while (end < text_.size() && text[end] != '\r' && text[end] != '\n') ++end;
            std::size_t fit = at;  // the longest run of whole characters within the width
            for (std::size_t next = at; next < end;) {
                next += static_cast<std::size_t>(ferro::mbcs::char_size(text + next));
                SIZE extent;
                GetTextExtentPoint32A(dc, text + at, static_cast<int>(next - at), &extent);
                if (extent.cx > body.right - body.left && fit > at) break;
                fit = next;
            }
            if (render) TextOutA(dc, body.left, y, text + at, static_cast<int>(fit - at));
            at = fit;
            if (at == end && at < text_.size()) at += text[at] == '\r' && text[at + 1] == '\n' ? 2 : 1;
        }
        SelectObject(dc, old);
        return static_cast<LONG>(at);
    }

private:
    std::string text_;
    HFONT font_ = nullptr;
};

LONG characters_of(HWND control) {
    GETTEXTLENGTHEX how = {GTL_PRECISE | GTL_NUMCHARS, 1200};
    return static_cast<LONG>(SendMessageA(control, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&how), 0));
}
}  // namespace

LONG WINAPI SetMarginForRichTextContents(const double* m1, const double* m2, const double* m3, const double* m4,
                                         LONG unit) {
    const double* given[4] = {m1, m2, m3, m4};
    for (int i = 0; i < 4; ++i)
        if (given[i]) g.margins[i] = *given[i];
    g.unit = unit == 1 ? 567 : 1440;
    return 1;
}

LONG WINAPI GetMarginForRichTextContents(double* m1, double* m2, double* m3, double* m4) {
    double* out[4] = {m1, m2, m3, m4};
    for (int i = 0; i < 4; ++i)
        if (out[i]) *out[i] = g.margins[i];
    return g.unit;
}

// The row a text goes to and the line it makes printed agree: a footer text
// (0x200) marks the footer line (0x400), a header text the header line (0x200).
LONG WINAPI SetFormatStringForRichTextContents(LPCSTR text, LONG flags) {
    if (!text || std::strlen(text) >= ferro::text::kPathSize) return g.format;
    LONG bits = 0;
    for (const Code& code : kCodes)
        if (std::strstr(text, code.text)) bits |= code.bit;
    const bool footer = (flags & kHeader) != 0;
    const int column = flags & kLeft ? 0 : flags & kCentre ? 1 : flags & kRight ? 2 : -1;
    if (column >= 0) g.texts[footer ? 1 : 0][column] = text;
    if (bits & (kDate | kTime)) bits |= kStamp;
    if (bits || (column >= 0 && *text)) bits |= footer ? kFooter : kHeader;
    g.format |= bits;
    return g.format;
}

LONG WINAPI GetFormatStringForRichTextContents(LPSTR out, LONG column, LONG row) {
    if (!out || column < 0 || column > 2 || row < 0 || row > 1) return -1;
    const std::string& text = g.texts[row][column];
    std::memcpy(out, text.c_str(), text.size() + 1);
    return static_cast<LONG>(text.size());
}

LONG WINAPI SetPrintRichTextContentsFormat(LONG format) { return g.format = format; }
LPCSTR WINAPI GetFormatIdentifierStringForRichTextContents(LONG i) { return i >= 0 && i < 4 ? kCodes[i].text : nullptr; }
LONG WINAPI GetFormatIdentifierForRichTextContents(LONG i) { return i >= 0 && i < 4 ? kCodes[i].bit : 0; }
LONG WINAPI SetAbortPrinting(LONG value) { return g.abort = value; }
LONG WINAPI IsAbortPrinting() { return g.abort; }
ABORTPROC WINAPI SetAbortProcInPrintRichTextContents(ABORTPROC procedure) {
    g.abort_procedure = procedure;
    return procedure;
}

LONG WINAPI FreeSetFormatForRichTextContentsPointer() {
    for (auto& row : g.texts)
        for (std::string& text : row) std::string().swap(text);
    g.format = 0;
    return 1;
}

LONG WINAPI PrintRichTextContents(const RichPrintRecord* record) {
    if (!record || !IsWindow(record->control)) return 0;
    LONG copies = record->copies > 0 ? record->copies : 0;
    HDC dc = nullptr;
    if (record->flags & kDialogFirst) {
        LONG chosen = 1;
        dc = ferro::viewer::printer_dc_from_dialog(GetParent(record->control), &chosen);
        if (!copies) copies = chosen;
    } else {
        dc = ferro::viewer::printer_dc_single_copy();
        if (!copies) copies = ferro::viewer::kept_copies();
    }
    if (!dc) return 0;

    // The geometry in twips, in the coordinates of the printable area.
    const int dpi_x = GetDeviceCaps(dc, LOGPIXELSX), dpi_y = GetDeviceCaps(dc, LOGPIXELSY);
    auto twips_x = [&](int device) { return MulDiv(device, 1440, dpi_x); };
    auto twips_y = [&](int device) { return MulDiv(device, 1440, dpi_y); };
    auto device_y = [&](LONG twips) { return MulDiv(twips, dpi_y, 1440); };
    const LONG margin[4] = {static_cast<LONG>(g.margins[0] * g.unit), static_cast<LONG>(g.margins[1] * g.unit),
                            static_cast<LONG>(g.margins[2] * g.unit), static_cast<LONG>(g.margins[3] * g.unit)};
    const int offset_x = GetDeviceCaps(dc, PHYSICALOFFSETX), offset_y = GetDeviceCaps(dc, PHYSICALOFFSETY);
    const LONG page_w = twips_x(GetDeviceCaps(dc, PHYSICALWIDTH)), page_h = twips_y(GetDeviceCaps(dc, PHYSICALHEIGHT));

    HGDIOBJ old_font = record->font ? SelectObject(dc, record->font) : nullptr;
    if (record->progress && g.abort_procedure) {
        SetAbortProc(dc, g.abort_procedure);
        ShowWindow(record->progress, SW_SHOWNA);
    }
    SetMapMode(dc, MM_TEXT);
    DOCINFOA document = {sizeof document, record->fileName ? record->fileName : "", record->output, nullptr, 0};
    bool aborted = StartDocA(dc, &document) <= 0;

    const Stamp stamp = (g.format & kStamp) ? stamp_of(record->fileName) : Stamp{};
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    const LONG line = twips_y(metrics.tmHeight + metrics.tmExternalLeading);
    const bool header = (g.format & kHeader) != 0, footer = (g.format & kFooter) != 0;
    LONG paper_w = 0, paper_h = 0;
    GetPaperSizeForPrinter(dc, &paper_w, &paper_h);
    RECT header_line = {MulDiv(margin[0], dpi_x, 1440) - offset_x, device_y(margin[1]) - offset_y,
                        MulDiv(page_w - margin[2], dpi_x, 1440) - offset_x, 0};
    header_line.bottom = header_line.top + metrics.tmHeight;
    RECT footer_line = header_line;
    footer_line.bottom = static_cast<LONG>(paper_h) - device_y(margin[3]) - offset_y;
    footer_line.top = footer_line.bottom - metrics.tmHeight;

    FORMATRANGE range = {};
    range.hdc = range.hdcTarget = dc;
    range.rcPage = {-twips_x(offset_x), -twips_y(offset_y), page_w - twips_x(offset_x), page_h - twips_y(offset_y)};
    range.rc = {margin[0] - twips_x(offset_x), margin[1] - twips_y(offset_y) + (header ? line * 3 / 2 : 0),
                page_w - margin[2] - twips_x(offset_x), page_h - margin[3] - twips_y(offset_y) - (footer ? line * 3 / 2 : 0)};
    const RECT body = range.rc;

    // Pages are laid out in turn; each page of the range is printed `copies`
    // times. The page number goes with the page, not with each code. A
    // control that does not format for the printer is laid out here.
    LONG total = characters_of(record->control);
    range.chrg = {0, total};
    const bool control_formats =
        total > 0 && SendMessageA(record->control, EM_FORMATRANGE, FALSE, reinterpret_cast<LPARAM>(&range)) > 0;
    SendMessageA(record->control, EM_FORMATRANGE, FALSE, 0);
    std::unique_ptr<PlainLayout> plain;
    if (!control_formats) {
        plain = std::make_unique<PlainLayout>(record->control, dc);
        total = plain->size();
    }
    const RECT body_device = {MulDiv(body.left, dpi_x, 1440), MulDiv(body.top, dpi_y, 1440),
                              MulDiv(body.right, dpi_x, 1440), MulDiv(body.bottom, dpi_y, 1440)};
    auto lay_out = [&](LONG start, bool render) {
        if (plain) return plain->page(dc, start, body_device, render);
        range.rc = body;
        range.chrg = {start, total};
        return static_cast<LONG>(SendMessageA(record->control, EM_FORMATRANGE, render, reinterpret_cast<LPARAM>(&range)));
    };
    LONG start = 0, page = 1, printed = 0;
    while (!aborted && start < total) {
        const bool wanted = (record->firstPage <= 0 || page >= record->firstPage) &&
                            (record->lastPage <= 0 || page <= record->lastPage);
        LONG next = start;
        if (!wanted) next = lay_out(start, false);
        for (LONG copy = 0; wanted && copy < copies && !aborted; ++copy) {
            if (record->progress && record->message)
                SendMessageA(record->progress, record->message, static_cast<WPARAM>(page), record->param);
            if (g.abort) {
                aborted = true;
                break;
            }
            StartPage(dc);
            SetMapMode(dc, MM_TEXT);
            if (record->font) SelectObject(dc, record->font);
            SetBkMode(dc, TRANSPARENT);
            if (header) draw_line(dc, 0, header_line, *record, page, stamp);
            next = lay_out(start, true);
            if (footer) draw_line(dc, 1, footer_line, *record, page, stamp);
            EndPage(dc);
            ++printed;
        }
        if (aborted) break;
        if (next <= start && wanted && page == 1) {  // nothing fitted on the first page
            g.abort = 1;
            aborted = true;
            break;
        }
        if (next <= start) break;  // nothing more fits: the rest cannot be printed
        start = next;
        ++page;
        if (record->lastPage > 0 && page > record->lastPage) break;
    }
    if (!aborted && printed == 0) g.abort = 1;  // nothing printed (an empty text, a range past the end)
    SendMessageA(record->control, EM_FORMATRANGE, FALSE, 0);
    if (aborted || printed == 0) AbortDoc(dc);
    else EndDoc(dc);
    if (old_font) SelectObject(dc, old_font);
    DeleteDC(dc);
    return 1;
}
