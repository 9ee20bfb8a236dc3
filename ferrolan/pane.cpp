#include "pane.h"
#include <commctrl.h>
#include <windowsx.h>
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include "app.h"
#include "file_colors.h"
#include "frame/error_boxes.h"
#include "frame/message_pump.h"
#include "frame/option_flags.h"
#include "frame/paths.h"
#include "fs/drives.h"
#include "host_paths.h"
#include "listing/listing_store.h"
#include "listing/selection.h"
#include "operations.h"
#include "texts.h"
#include "ui/drop.h"

namespace ferrolan {
namespace {
constexpr UINT_PTR kSubclassId = 1;
constexpr int kGap = 4;

std::string spec_text(HGLOBAL block) {
    std::string s;
    if (const char* p = block ? static_cast<const char*>(GlobalLock(block)) : nullptr) {
        s = p;
        GlobalUnlock(block);
    }
    return s;
}

std::string window_text(HWND window) {
    char buffer[520] = {};
    GetWindowTextA(window, buffer, sizeof buffer);
    return buffer;
}

int text_width(HDC dc, const char* text) {
    SIZE size = {};
    GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
    return size.cx;
}
}  // namespace

FontSize measure_font(HWND window, HFONT font, const char* sample) {
    HDC dc = GetDC(window);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICA tm;
    GetTextMetricsA(dc, &tm);
    const FontSize size{tm.tmHeight, text_width(dc, sample)};
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    return size;
}

void Pane::create(HWND parent, HFONT font) {
    parent_ = parent;
    font_ = font;
    const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE));
    auto make = [&](const char* cls, DWORD style, int which, DWORD ex = 0) {
        HWND w = CreateWindowExA(ex, cls, "", WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10, parent,
                                 reinterpret_cast<HMENU>(INT_PTR(control_id(side_, which))), instance, nullptr);
        SendMessageA(w, WM_SETFONT, WPARAM(font), 0);
        return w;
    };
    make("COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, kDrives);
    make("COMBOBOX", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, kSpec);
    make("STATIC", SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_SUNKEN, kFolderLine);
    // A list of the entries' count only: the pane draws each row from its
    // listing and answers for the rows' texts, so 30,000 files cost one message.
    list_ = make("LISTBOX",
                 LBS_OWNERDRAWFIXED | LBS_NODATA | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP,
                 kList, WS_EX_CLIENTEDGE);
    make("STATIC", SS_LEFTNOWORDWRAP | SS_NOPREFIX, kStatus);
    SetWindowSubclass(list_, list_proc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    // Enter in the edit field of the file specification takes what is typed.
    if (HWND edit = FindWindowExA(control(kSpec), nullptr, "Edit", nullptr))
        SetWindowSubclass(edit, spec_edit_proc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    fill_drives();
    fill_specs();
}

void Pane::layout(const RECT& area) {
    const FontSize font = measure_font(parent_, font_, "W: MMMMMMMMMMM");
    const int drive_width = std::min<int>(font.sample_width + 30, (area.right - area.left) / 2);
    const int line = font.height + 8, width = area.right - area.left;
    int y = area.top;
    MoveWindow(control(kDrives), area.left, y, drive_width, line * 10, TRUE);
    MoveWindow(control(kSpec), area.left + drive_width + kGap, y, width - drive_width - kGap, line * 10, TRUE);
    y += line + 2;
    MoveWindow(control(kFolderLine), area.left, y, width, font.height + 4, TRUE);
    y += font.height + 6;
    const int status = font.height + 4;
    MoveWindow(list_, area.left, y, width, std::max<int>(area.bottom - status - 2 - y, row_height_ * 3), TRUE);
    MoveWindow(control(kStatus), area.left, area.bottom - status, width, status, TRUE);
    update_folder_line();
}

void Pane::fill_drives() {
    HWND combo = control(kDrives);
    SetDriveStringInCombobox(combo, TRUE);
    const char letter = listing_.folder.size() > 1 && listing_.folder[1] == ':' ? listing_.folder[0] : 0;
    const int at = letter ? GetDrNumberFromCharacter(letter, TRUE) : -1;
    const LRESULT items = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < items; ++i)
        if (SendMessageA(combo, CB_GETITEMDATA, WPARAM(i), 0) == at) SendMessageA(combo, CB_SETCURSEL, WPARAM(i), 0);
}

void Pane::fill_specs() {
    HWND combo = control(kSpec);
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    for (LONG i = 0; i < 100; ++i) {
        const std::string s = spec_text(GetFileSpecHandle(i, side_));
        if (s.empty()) break;
        SendMessageA(combo, CB_ADDSTRING, 0, LPARAM(s.c_str()));
    }
    SetWindowTextA(combo, spec_.c_str());
}

void Pane::set_spec(const std::string& spec) {
    spec_ = spec.empty() ? "*.*" : spec;
    // A specification the table does not have yet is added to the pane's list.
    if (SendMessageA(control(kSpec), CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(spec_.c_str())) == CB_ERR)
        AddToCurrentSpec(parent_, spec_.c_str(), control_id(side_, kSpec), side_ ? 4 : 0);
    SetWindowTextA(control(kSpec), spec_.c_str());
}

void Pane::take_spec_from_combo(std::string typed) {
    HWND combo = control(kSpec);
    const LRESULT at = SendMessageA(combo, CB_GETCURSEL, 0, 0);
    std::string spec = typed;
    if (spec.empty() && at != CB_ERR) {
        char buffer[520] = {};
        if (SendMessageA(combo, CB_GETLBTEXTLEN, WPARAM(at), 0) < LRESULT(sizeof buffer))
            SendMessageA(combo, CB_GETLBTEXT, WPARAM(at), LPARAM(buffer));
        spec = buffer;
    }
    if (loading_ || spec.empty() || spec == spec_) return;
    set_spec(spec);
    refresh(false);
}

bool Pane::on_command(int which, WORD code) {
    if (which == kDrives && code == CBN_SELCHANGE) {
        HWND combo = control(kDrives);
        const LRESULT at = SendMessageA(combo, CB_GETCURSEL, 0, 0);
        const int index = int(SendMessageA(combo, CB_GETITEMDATA, WPARAM(at), 0));
        const int letter = GetDriveCharacter(index, TRUE);
        if (letter > 0 && letter != '/' && letter != '\\') {
            char root[] = {char(letter), ':', '\\', '\0'};
            if (!open(root)) fill_drives();
        } else {
            fill_drives();
        }
        SetFocus(list_);
        return true;
    }
    if (which == kSpec && code == CBN_SELCHANGE) {
        take_spec_from_combo();
        return true;
    }
    return false;
}

LRESULT CALLBACK Pane::spec_edit_proc(HWND edit, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                      DWORD_PTR self) {
    Pane* pane = reinterpret_cast<Pane*>(self);
    if (message == WM_KEYDOWN && wparam == VK_RETURN) {
        pane->take_spec_from_combo(window_text(edit));
        SetFocus(pane->list_);
        return 0;
    }
    if (message == WM_CHAR && (wparam == VK_RETURN || wparam == VK_TAB)) return 0;
    return DefSubclassProc(edit, message, wparam, lparam);
}

bool Pane::open(const std::string& folder, const std::string& select) { return load(folder, select, false); }

bool Pane::refresh(bool keep_marks) {
    const long at = cursor();
    const std::string select = at >= 0 && size_t(at) < listing_.entries.size() ? listing_.name(size_t(at)) : "";
    return load(listing_.folder, select, keep_marks);
}

bool Pane::load(const std::string& requested, const std::string& select, bool keep_marks) {
    if (loading_) return false;
    std::string folder = host::without_final_yen(requested);
    if (folder.size() == 2 && folder[1] == ':') folder += '\\';
    if (folder.empty() || folder.size() >= 520) return false;
    // A folder that is not there is said so in the engine's own box.
    if (!is_folder(folder)) {
        SetHelpDosErrorMessage(MB_OK | MB_ICONEXCLAMATION, nullptr);
        MyLoadDosErrorMessage(app_.window(), folder.c_str(), ids::kNoSuchFolder, ids::kChangeFolderTitle, 0);
        return false;
    }
    loading_ = true;
    std::vector<std::string> marked_names;
    if (keep_marks)
        for (size_t i = 0; i < marks_.size(); ++i)
            if (marks_[i]) marked_names.emplace_back(listing_.name(i));
    Listing fresh;
    ResetCancellingFlags(0);
    const LONG code = read_folder(app_.window(), columns_, folder, spec_, fresh);
    if (code == 0) sort_listing(fresh, sort_, reverse_);
    ResetCancellingFlags(0);
    loading_ = false;
    if (code != 0) return false;
    const bool same_folder = lstrcmpiA(fresh.folder.c_str(), listing_.folder.c_str()) == 0;
    listing_ = std::move(fresh);
    marks_.assign(listing_.entries.size(), 0);
    marked_count_ = 0;
    marked_bytes_ = 0;
    for (const std::string& name : marked_names) {
        const long i = listing_.find(name);
        if (i >= 0) set_mark(size_t(i), true);
    }
    long at = select.empty() ? -1 : listing_.find(select);
    if (at < 0 && !select.empty())  // the folder we came up from is shown by its name
        at = listing_.find(host::name_of(select));
    show_listing(at >= 0 ? at : 0);
    if (!same_folder) fill_drives();
    app_.pane_opened(side_);
    return true;
}

void Pane::show_listing(long at) {
    SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list_, LB_RESETCONTENT, 0, 0);
    SendMessageA(list_, LB_SETCOUNT, listing_.entries.size(), 0);
    SendMessageA(list_, LB_SETCURSEL, WPARAM(at), 0);
    anchor_ = at;
    SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
    update_folder_line();
    update_status();
}

void Pane::set_sort(SortKey key, bool reverse) {
    sort_ = key;
    reverse_ = reverse;
    SetSortWhich(LONG(key), side_);
    if (listing_.entries.empty()) return;
    const long at = cursor();
    const std::string select = at >= 0 ? listing_.name(size_t(at)) : "";
    std::vector<std::string> marked_names;
    for (size_t i = 0; i < marks_.size(); ++i)
        if (marks_[i]) marked_names.emplace_back(listing_.name(i));
    sort_listing(listing_, sort_, reverse_);
    marks_.assign(listing_.entries.size(), 0);
    marked_count_ = 0;
    marked_bytes_ = 0;
    for (const std::string& name : marked_names) set_mark(size_t(listing_.find(name)), true);
    show_listing(std::max(0L, listing_.find(select)));
}

long Pane::cursor() const {
    const LRESULT at = SendMessageA(list_, LB_GETCURSEL, 0, 0);
    return at == LB_ERR ? -1 : long(at);
}

void Pane::set_cursor(size_t i) {
    if (i < listing_.entries.size()) SendMessageA(list_, LB_SETCURSEL, WPARAM(i), 0);
}

std::vector<size_t> Pane::chosen() const {
    std::vector<size_t> out;
    for (size_t i = 0; i < marks_.size(); ++i)
        if (marks_[i]) out.push_back(i);
    const long at = cursor();
    if (out.empty() && at >= 0 && size_t(at) < listing_.entries.size() &&
        listing_.entries[size_t(at)].kind >= Entry::kFolder)
        out.push_back(size_t(at));
    return out;
}

void Pane::set_mark(size_t i, bool on) {
    if (i >= marks_.size() || listing_.entries[i].kind < Entry::kFolder || bool(marks_[i]) == on) return;
    marks_[i] = on ? 1 : 0;
    const LONG step = on ? 1 : -1;
    marked_count_ += step;
    marked_bytes_ = on ? marked_bytes_ + listing_.entries[i].size : marked_bytes_ - listing_.entries[i].size;
    RECT r;
    if (SendMessageA(list_, LB_GETITEMRECT, WPARAM(i), LPARAM(&r)) != LB_ERR) InvalidateRect(list_, &r, FALSE);
}

void Pane::toggle_mark(size_t i) {
    set_mark(i, !marked(i));
    update_status();
}

void Pane::mark_range(size_t from, size_t to) {
    if (from > to) std::swap(from, to);
    for (size_t i = from; i <= to && i < marks_.size(); ++i) set_mark(i, true);
    update_status();
}

void Pane::mark_all() {
    for (size_t i = 0; i < marks_.size(); ++i) set_mark(i, listing_.entries[i].kind == Entry::kFile);
    update_status();
}

void Pane::invert_marks() {
    for (size_t i = 0; i < marks_.size(); ++i) set_mark(i, !marks_[i]);
    update_status();
}

void Pane::clear_marks() {
    for (size_t i = 0; i < marks_.size(); ++i) set_mark(i, false);
    update_status();
}

void Pane::jump_to(char first) {
    const size_t n = listing_.entries.size();
    if (n == 0) return;
    const size_t from = size_t(std::max(cursor(), 0L));
    const int wanted = std::tolower(static_cast<unsigned char>(first));
    for (size_t step = 1; step <= n; ++step) {
        const size_t i = (from + step) % n;
        if (listing_.entries[i].kind < Entry::kFolder) continue;
        const unsigned char c = static_cast<unsigned char>(listing_.name(i)[0]);
        if (c < 0x80 && std::tolower(c) == wanted) {
            set_cursor(i);
            return;
        }
    }
}

void Pane::set_active(bool active) {
    active_ = active;
    InvalidateRect(list_, nullptr, FALSE);
    update_status();
}

void Pane::update_status() {
    const LONG selector = app_.selector(side_);
    SetTotalSelectedNumber(marked_count_, selector);
    SetTotalNumberOfMarkedItems(selector, marked_count_);
    std::string status = format(ids::kPaneStatus, int(listing_.file_count), int(listing_.folder_count),
                                grouped(listing_.file_bytes).c_str(), grouped(listing_.free_bytes).c_str());
    // With marks, the line counts them instead of the listing.
    if (GetTotalSelectedNumber(selector) > 0)
        status = format(ids::kMarkStatus, int(GetTotalSelectedNumber(selector)),
                        int(listing_.file_count + listing_.folder_count), grouped(marked_bytes_).c_str()) +
                 "  " + format(ids::kFreeSpace, grouped(listing_.free_bytes).c_str());
    SetWindowTextA(control(kStatus), status.c_str());
}

void Pane::update_folder_line() {
    HWND line = control(kFolderLine);
    if (!line) return;
    RECT r;
    GetClientRect(line, &r);
    char path[520];
    lstrcpynA(path, listing_.folder.c_str(), sizeof path);
    HDC dc = GetDC(line);
    HGDIOBJ old = SelectObject(dc, font_);
    // The engine shortens the path to the line's width (C:\..\folder\name).
    GetReducedDir(line, dc, path, r.right - r.left - 4);
    SelectObject(dc, old);
    ReleaseDC(line, dc);
    SetWindowTextA(line, path);
}

void Pane::on_measure_item(MEASUREITEMSTRUCT* item) {
    row_height_ = measure_font(parent_, font_).height + 2;
    item->itemHeight = UINT(row_height_);
}

void Pane::on_draw_item(const DRAWITEMSTRUCT* item) {
    HDC dc = item->hDC;
    const RECT& r = item->rcItem;
    const bool valid = item->itemID != UINT(-1) && item->itemID < listing_.entries.size();
    const bool at_cursor = valid && (item->itemState & ODS_SELECTED);
    const bool mark = valid && marked(item->itemID);
    COLORREF back = GetSysColor(COLOR_WINDOW), fore = GetSysColor(COLOR_WINDOWTEXT);
    RowColors colors{fore, back};
    if (valid) {
        const Entry& e = listing_.entries[item->itemID];
        colors = row_colors(active_, e, e.kind == Entry::kFile ? listing_.name(e) : "", mark);
        fore = colors.text;
        back = colors.back;
    }
    if (at_cursor && active_) {
        // The cursor bar: the marked row keeps its background colour as text.
        back = GetSysColor(COLOR_HIGHLIGHT);
        fore = mark ? colors.back : GetSysColor(COLOR_HIGHLIGHTTEXT);
    }
    HBRUSH brush = CreateSolidBrush(back);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
    if (valid) {
        const Entry& e = listing_.entries[item->itemID];
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, fore);
        const int size_w = text_width(dc, "000,000,000,000 "), date_w = text_width(dc, "00-00-00 00:00 "),
                  attr_w = text_width(dc, "RHSA "), mark_w = text_width(dc, "* ");
        const int width = r.right - r.left;
        const bool columns = width > mark_w + size_w + date_w + attr_w + 60;
        RECT cell = r;
        cell.left += 2;
        DrawTextA(dc, mark ? "*" : " ", 1, &cell, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        cell.left += mark_w;
        cell.right = columns ? r.right - size_w - date_w - attr_w : r.right;
        char name[520];
        lstrcpynA(name, e.kind == Entry::kUpper ? GetUPPERDIR() : listing_.name(e), sizeof name);
        if (e.kind == Entry::kFolder) lstrcatA(name, "\\");
        GetReducedFile(list_, dc, name, cell.right - cell.left);
        DrawTextA(dc, name, -1, &cell, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        if (columns) {
            char text[64];
            cell.left = cell.right;
            cell.right = cell.left + size_w - 4;
            if (e.kind == Entry::kFile) DrawTextA(dc, grouped(e.size).c_str(), -1, &cell, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
            else DrawTextA(dc, "<DIR>", -1, &cell, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
            cell.left = cell.right + 8;
            cell.right = cell.left + date_w;
            myFileDate(text, DWORD(e.time), DWORD(e.time >> 32));
            DrawTextA(dc, text, -1, &cell, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
            cell.left = cell.right;
            cell.right = r.right;
            GetAttributeChar(LONG(e.attributes), text);
            DrawTextA(dc, text, -1, &cell, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        }
    }
    if (at_cursor && !active_) {
        HBRUSH frame = CreateSolidBrush(GetSysColor(COLOR_HIGHLIGHT));
        FrameRect(dc, &r, frame);
        DeleteObject(frame);
    }
    if ((item->itemState & ODS_FOCUS) && active_) DrawFocusRect(dc, &r);
}

LRESULT CALLBACK Pane::list_proc(HWND list, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR, DWORD_PTR self) {
    return reinterpret_cast<Pane*>(self)->on_list_message(list, message, wparam, lparam);
}

LRESULT Pane::on_list_message(HWND list, UINT message, WPARAM wparam, LPARAM lparam) {
    const bool control_key = GetKeyState(VK_CONTROL) < 0, shift_key = GetKeyState(VK_SHIFT) < 0;
    switch (message) {
    case WM_SETFOCUS:
        app_.activate(side_);
        break;
    case WM_GETDLGCODE:
        return DLGC_WANTALLKEYS | DLGC_WANTCHARS;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (app_.on_key(side_, UINT(wparam), control_key, shift_key)) return 0;
        if (message == WM_SYSKEYDOWN && wparam == VK_F10) return 0;  // F10 is a command key, not the menu
        break;
    case LB_GETTEXTLEN:
    case LB_GETTEXT: {
        // The text of a row is the name the pane shows for it.
        if (wparam >= listing_.entries.size()) return LB_ERR;
        const Entry& e = listing_.entries[wparam];
        const char* shown = e.kind == Entry::kUpper ? GetUPPERDIR() : listing_.name(e);
        const LRESULT length = LRESULT(std::strlen(shown));
        if (message == LB_GETTEXT && lparam) std::memcpy(reinterpret_cast<char*>(lparam), shown, size_t(length) + 1);
        return length;
    }
    case WM_CHAR:
        // A letter or digit moves the cursor to the next entry that starts with it.
        if (wparam > ' ' && wparam < 0x80 && wparam != '*' && wparam != '+' && wparam != '-') jump_to(char(wparam));
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN: {
        SetFocus(list);
        const LRESULT hit = SendMessageA(list, LB_ITEMFROMPOINT, 0, lparam);
        const bool inside = HIWORD(hit) == 0 && size_t(LOWORD(hit)) < listing_.entries.size();
        const size_t at = LOWORD(hit);
        if (message == WM_RBUTTONDOWN) {
            if (inside) set_cursor(at);
            POINT p = {GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
            ClientToScreen(list, &p);
            app_.show_context_menu(side_, p);
            return 0;
        }
        if (inside && (wparam & MK_CONTROL)) {
            toggle_mark(at);
            set_cursor(at);
            anchor_ = long(at);
            return 0;
        }
        if (inside && (wparam & MK_SHIFT)) {
            mark_range(size_t(std::max(anchor_, 0L)), at);
            set_cursor(at);
            return 0;
        }
        if (inside) anchor_ = long(at);
        press_ = {GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
        pressed_ = inside;
        break;
    }
    case WM_MOUSEMOVE:
        // Entries dragged out: the engine judges the window under the cursor.
        if (dragging_) {
            SetCursor(LoadCursor(nullptr, IsDropAllowed() ? IDC_ARROW : IDC_NO));
            return 0;
        }
        if (pressed_ && (wparam & MK_LBUTTON) &&
            (std::abs(GET_X_LPARAM(lparam) - press_.x) > GetSystemMetrics(SM_CXDRAG) ||
             std::abs(GET_Y_LPARAM(lparam) - press_.y) > GetSystemMetrics(SM_CYDRAG))) {
            dragging_ = true;
            SetCapture(list);
            IsDropAllowed();
            return 0;
        }
        break;
    case WM_LBUTTONUP:
        pressed_ = false;
        if (dragging_) {
            dragging_ = false;
            // The list ends its own tracking (and the capture) first.
            const LRESULT result = DefSubclassProc(list, message, wparam, lparam);
            ReleaseCapture();
            ops::drag_out(app_, side_);
            return result;
        }
        break;
    case WM_CAPTURECHANGED:
        // Another window took the mouse (the list taking it again is the drag's own).
        if (reinterpret_cast<HWND>(lparam) != list) dragging_ = pressed_ = false;
        break;
    case WM_LBUTTONDBLCLK:
        app_.run(kCmdOpen);
        return 0;
    case WM_NCDESTROY:
        RemoveWindowSubclass(list, list_proc, kSubclassId);
        break;
    }
    return DefSubclassProc(list, message, wparam, lparam);
}
}  // namespace ferrolan
