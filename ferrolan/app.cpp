#include "app.h"
#include <commctrl.h>
#include <algorithm>
#include "ferromes.h"
#include "file_colors.h"
#include "frame/cursors.h"
#include "frame/handles.h"
#include "frame/message_box.h"
#include "frame/message_pump.h"
#include "frame/paths.h"
#include "frame/places.h"
#include "fs/drives.h"
#include "host_paths.h"
#include "listing/listing_store.h"
#include "listing/selection.h"
#include "menus.h"
#include "operations.h"
#include "output_window.h"
#include "search/text_search.h"
#include "settings/places.h"
#include "shutdown.h"
#include "texts.h"
#include "ui/function_keys.h"

namespace ferrolan {
namespace {
constexpr char kWindowClass[] = "FerrolanMain";
App* g_app = nullptr;

std::string program_folder() {
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string p(path, n);
    return p.substr(0, host::last_yen(p));
}

// A folder that was restored but is gone: the nearest folder above it that
// is still there, else nothing.
std::string nearest_existing(const std::string& folder) {
    if (folder.empty() || folder.size() >= 520) return {};
    char path[520];
    lstrcpynA(path, folder.c_str(), sizeof path);
    const int code = IsUpperDirectoryObtained(path);
    return code != -1 && code != -10 && is_folder(path) ? std::string(path) : std::string();
}

// The function-key bar: the buttons in the order of the keys (F1 ... F12),
// each showing the command of the slot that key now stands for.
LRESULT CALLBACK bar_proc(HWND bar, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_COMMAND && HIWORD(wparam) == BN_CLICKED) {
        if (App* app = App::current()) {
            const int key = LOWORD(wparam) - kFunctionBarId - 1;
            for (LONG slot = 0; slot < 12; ++slot)
                if (GetFunctionKeycode(slot) == VK_F1 + key) {
                    SetFocus(app->source().list());
                    app->run(kSlotCommands[slot]);
                    break;
                }
        }
        return 0;
    }
    return DefWindowProcA(bar, message, wparam, lparam);
}

void label_function_bar(HWND bar) {
    for (int key = 0; key < 12; ++key) {
        std::string label = "F" + std::to_string(key + 1);
        for (LONG slot = 0; slot < 12; ++slot)
            if (GetFunctionKeycode(slot) == VK_F1 + key) label += " " + text(ids::kSlotLabels + UINT(slot));
        SetWindowTextA(GetDlgItem(bar, kFunctionBarId + 1 + key), label.c_str());
    }
}
}  // namespace

App::App(HINSTANCE instance) : instance_(instance) {
    panes_[0] = std::make_unique<Pane>(*this, 0);
    panes_[1] = std::make_unique<Pane>(*this, 1);
}

App::~App() {
    if (window_ && IsWindow(window_)) DestroyWindow(window_);
    output_.reset();
    // The engine lets go of the listings before the panes free their columns.
    FreeGlobalHandleInDll();
    SetDirHandle(nullptr, nullptr, nullptr, nullptr);
    SetFileHandle(nullptr, nullptr, nullptr, nullptr);
    SetDirAttribute(nullptr), SetDirTime(nullptr), SetDirDate(nullptr), SetDirSize(nullptr);
    panes_[0].reset();
    panes_[1].reset();
    FreeAllAllocateMemoryInDll();
    SethWndMain(nullptr);
    if (font_) DeleteObject(font_);
    if (g_app == this) g_app = nullptr;
}

App* App::current() { return g_app; }

HWND App::start(const StartOptions& options) {
    g_app = this;
    place_ = options.place;
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    // The settings first: where they are, then what they say.
    use_profile_place(place_);
    const HostSettings saved = read_host_settings();

    WNDCLASSEXA type{};
    type.cbSize = sizeof type;
    type.style = CS_DBLCLKS;
    type.lpfnWndProc = window_proc;
    type.hInstance = instance_;
    type.hCursor = LoadCursor(nullptr, IDC_ARROW);
    type.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    type.lpszClassName = kWindowClass;
    type.hIcon = LoadIconA(GetUserDlgInstance(), "EXPLORER");  // a picture of the message library
    RegisterClassExA(&type);
    font_ = CreateFontA(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                        DEFAULT_QUALITY, FF_MODERN, "MS UI Gothic");

    // A restored placement is used only where a screen shows it.
    RECT area;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    RECT r = saved.window;
    RECT seen;
    const bool usable = r.right > r.left && IntersectRect(&seen, &r, &area) && seen.right - seen.left >= 100 &&
                        seen.bottom - seen.top >= 50;
    if (!usable) r = {area.left + 40, area.top + 40, area.left + 40 + 900, area.top + 40 + 600};
    window_ = CreateWindowExA(WS_EX_ACCEPTFILES, kWindowClass, GetFerroTitle(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                              r.left, r.top, r.right - r.left, r.bottom - r.top, nullptr, make_main_menu(), instance_,
                              this);
    if (!window_) return nullptr;

    // The engine's session: the host's window and instance, its places and
    // its options from the profile store.
    SethWndMain(window_);
    SethInstMain(instance_);
    SaveFerroDir(program_folder().c_str());
    SetArrowCursor(nullptr);
    SetHourGlassCursor(nullptr);
    CheckSHFunctions();
    apply_engine_options();
    read_function_keys();
    ops::load_favourites(window_);
    ops::register_wait_window();
    read_file_colors();
    SetDefaultFileSpec();

    create_children();
    ops::accept_drops(*this);
    active_ = saved.active;
    for (int side = 0; side < 2; ++side) {
        Pane& p = pane(side);
        p.set_spec(saved.spec[side]);
        p.set_sort(SortKey(saved.sort[side]), saved.reverse[side] != 0);
    }
    layout();
    for (int side = 0; side < 2; ++side) {
        // The command line, then the restored folder (or the nearest one above
        // it that is still there), then the program's folder.
        const std::string& given = options.folders[side];
        std::string folder = given.empty() ? std::string() : host::without_final_yen(host::windows_path(given));
        bool opened = !folder.empty() && pane(side).open(folder);
        if (!opened) {
            folder = is_folder(saved.folders[side]) ? saved.folders[side] : nearest_existing(saved.folders[side]);
            opened = !folder.empty() && pane(side).open(folder);
        }
        if (!opened) opened = pane(side).open(program_folder());
        if (!opened) pane(side).open("C:\\");
    }
    pane(0).set_active(active_ == 0);
    pane(1).set_active(active_ == 1);
    update_title();
    ShowWindow(window_, saved.maximized && options.show == SW_SHOWNORMAL ? SW_SHOWMAXIMIZED : options.show);
    UpdateWindow(window_);
    SetFocus(source().list());
    // What the first listing does not need (the drive list with the volume
    // names, the special folders of the menus) is done once the panes are shown.
    PostMessageA(window_, kFinishStartMessage, 0, 0);
    SetTimer(window_, kWatchTimer, kWatchMilliseconds, nullptr);
    return window_;
}

int App::run_loop() {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (IsFindTextDlgMessage(&message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return int(message.wParam);
}

void App::create_children() {
    for (int side = 0; side < 2; ++side) pane(side).create(window_, font_);
    WNDCLASSA bar = {};
    bar.lpfnWndProc = bar_proc;
    bar.hInstance = instance_;
    bar.lpszClassName = "FerrolanFunctionBar";
    bar.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    RegisterClassA(&bar);
    function_bar_ = CreateWindowExA(0, bar.lpszClassName, "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, window_,
                                    reinterpret_cast<HMENU>(INT_PTR(kFunctionBarId)), instance_, nullptr);
    for (int key = 0; key < 12; ++key) {
        HWND b = CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 10, 10, function_bar_,
                                 reinterpret_cast<HMENU>(INT_PTR(kFunctionBarId + 1 + key)), instance_, nullptr);
        SendMessageA(b, WM_SETFONT, WPARAM(font_), 0);
    }
    label_function_bar(function_bar_);
}

void App::layout() {
    if (!function_bar_) return;
    RECT client;
    GetClientRect(window_, &client);
    laid_out_size_ = DWORD(MAKELPARAM(client.right - client.left, client.bottom - client.top));
    const int bar_height = measure_font(window_, font_).height + 10, margin = 4, width = client.right - client.left;
    MoveWindow(function_bar_, 0, client.bottom - bar_height, width, bar_height, TRUE);
    const int button = width / 12;
    for (int key = 0; key < 12; ++key)
        MoveWindow(GetDlgItem(function_bar_, kFunctionBarId + 1 + key), key * button + 1, 1, button - 2, bar_height - 2,
                   TRUE);
    const int half = (width - 3 * margin) / 2, bottom = client.bottom - bar_height - margin;
    pane(0).layout({margin, margin, margin + half, bottom});
    pane(1).layout({2 * margin + half, margin, width - margin, bottom});
}

void App::activate(int side) {
    if (side == active_) return;
    // The engine's source and target panes follow the one with the cursor.
    SwapSrcAndTgtCurDirHandle();
    SwapSrcAndTgtCurDirPointer();
    SwapSrcAndTgtDrives();
    SwapWeInNetworkDrive();
    active_ = side;
    pane(side).set_active(true);
    pane(1 - side).set_active(false);
    update_title();
}

void App::pane_opened(int side) {
    SaveCurDirectoryWith95Format(window_, pane(side).folder().c_str(), selector(side));
    if (side == active_) ops::record_visit(*this, pane(side).folder());  // the history is the source pane's
    ops::watch_folder(*this, side);
    pane(side).update_status();
    update_title();
}

// A pane whose folder another program changed is listed again with its
// cursor and marks; one whose folder went away shows the nearest one above.
void App::look_for_changes() {
    if (busy_ || closing_) return;
    const int side = ops::changed_side();
    if (side != 0 && side != 1) return;
    Pane& p = pane(side);
    if (is_folder(p.folder())) {
        p.refresh(true);
        return;
    }
    const std::string above = nearest_existing(p.folder());
    if (!above.empty()) p.open(above);
}

void App::update_title() {
    if (!window_) return;
    const std::string title = std::string(GetFerroTitle()) + " - " + source().folder();
    SetWindowTextA(window_, title.c_str());
}

void App::run(Command command) {
    if (busy_ || closing_) return;
    busy_ = true;
    run_command(command);
    // What the command changed itself is listed already: its changes seen
    // by the watches are let go (a bounded number of looks).
    for (int look = 0; look < 4 && ops::changed_side() >= 0; ++look) {}
    busy_ = false;
    if (closing_) PostMessageA(window_, WM_CLOSE, 0, 0);
}

bool App::on_key(int side, UINT key, bool control, bool shift) {
    if (busy_) {
        if (key == VK_ESCAPE) SetStopExecutingFlag(1);
        return true;
    }
    if (key >= VK_F1 && key <= VK_F12) {
        for (LONG slot = 0; slot < 12; ++slot)
            if (GetFunctionKeycode(slot) == LONG(key)) {
                run(kSlotCommands[slot]);
                return true;
            }
        return false;
    }
    Pane& p = pane(side);
    const long at = p.cursor();
    switch (key) {
    case VK_TAB:
        SetFocus(pane(1 - side).list());
        return true;
    case VK_LEFT:
    case VK_RIGHT:
        SetFocus(pane(key == VK_LEFT ? 0 : 1).list());
        return true;
    case VK_SPACE:
    case VK_INSERT:
        if (at >= 0) {
            p.toggle_mark(size_t(at));
            p.set_cursor(size_t(at) + 1);
        }
        return true;
    case VK_MULTIPLY:
        p.invert_marks();
        return true;
    case VK_ADD:
        p.mark_all();
        return true;
    case VK_SUBTRACT:
        p.clear_marks();
        return true;
    case VK_RETURN:
        run(kCmdOpen);
        return true;
    case VK_BACK:
        run(kCmdUpFolder);
        return true;
    case VK_DELETE:
        run(kCmdDelete);
        return true;
    }
    if (control) {
        switch (key) {
        case 'A': p.mark_all(); return true;
        case 'R': run(kCmdRefresh); return true;
        case 'G': run(kCmdGrep); return true;
        case 'F': run(kCmdFind); return true;
        }
    }
    return false;
}

void App::show_context_menu(int side, POINT screen) {
    SetFocus(pane(side).list());
    HMENU menu = make_context_menu();
    update_menu(menu);
    const UINT chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, 0, window_, nullptr);
    DestroyMenu(menu);
    if (chosen) run(Command(chosen));
}

OutputWindow& App::output() {
    if (!output_) output_ = std::make_unique<OutputWindow>(instance_, window_, font_);
    return *output_;
}

void App::update_menu(HMENU menu) { prepare_menu(*this, menu); }

void App::save_settings() {
    HostSettings s;
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (GetWindowPlacement(window_, &placement)) {
        s.window = placement.rcNormalPosition;
        s.maximized = placement.showCmd == SW_SHOWMAXIMIZED;
    }
    for (int side = 0; side < 2; ++side) {
        s.folders[side] = pane(side).folder();
        s.sort[side] = LONG(pane(side).sort_key());
        s.reverse[side] = pane(side).reverse() ? 1 : 0;
        s.spec[side] = pane(side).spec();
    }
    s.active = active_;
    write_host_settings(s);
    if (IsFunctionKeyOrderAltered()) write_function_keys();
    ops::save_favourites();
}

void App::show_key_list() {
    std::string list;
    for (int key = 0; key < 12; ++key)
        for (LONG slot = 0; slot < 12; ++slot)
            if (GetFunctionKeycode(slot) == VK_F1 + key)
                list += "F" + std::to_string(key + 1) + "\t" + text(ids::kSlotLabels + UINT(slot)) + "\n";
    myMessageBox(window_, list.c_str(), text(ids::kKeyListTitle).c_str(), MB_OK | MB_ICONINFORMATION);
}

void App::switch_settings_place() {
    const bool to_ini = place_.ini.empty();
    std::string problem;
    save_settings();  // what is on screen goes along
    if (!move_settings(place_, to_ini, problem)) {
        _MessageBoxPrintf(GetSysDlgInstance(), 33184, ids::kIniTitle, problem.c_str(), window_, MB_ICONEXCLAMATION,
                          nullptr);
        return;
    }
    place_.ini = to_ini ? ini_beside_program() : std::string();
    use_profile_place(place_);
    myMessageBox(window_,
                 to_ini ? format(ids::kSettingsToIni, place_.ini.c_str()).c_str() : text(ids::kSettingsToRegistry).c_str(),
                 text(ids::kIniTitle).c_str(), MB_OK | MB_ICONINFORMATION);
}

void App::run_command(Command command) {
    Pane& src = source();
    switch (command) {
    case kCmdOpen: ops::open_item(*this); break;
    case kCmdView: ops::view_files(*this); break;
    case kCmdEdit: ops::edit_file(*this); break;
    case kCmdOpenWith: ops::open_with(*this); break;
    case kCmdShortcut: ops::shortcut_properties(*this); break;
    case kCmdPrint: ops::print_file(*this); break;
    case kCmdCopy: ops::copy_or_move(*this, false); break;
    case kCmdMove: ops::copy_or_move(*this, true); break;
    case kCmdDelete: ops::delete_items(*this); break;
    case kCmdRename: ops::rename_item(*this); break;
    case kCmdAttributes: ops::change_attributes(*this); break;
    case kCmdMakeFolder: ops::make_folder(*this); break;
    case kCmdPack: ops::pack(*this); break;
    case kCmdUnpack: ops::unpack(*this); break;
    case kCmdPackOrUnpack: ops::pack_or_unpack(*this); break;
    case kCmdSync: ops::synchronise(*this); break;
    case kCmdFind: ops::find_files(*this); break;
    case kCmdGrep: ops::grep_files(*this); break;
    case kCmdDownload: ops::download(*this); break;
    case kCmdNewerVersion: ops::check_newer_version(*this); break;
    case kCmdExit: PostMessageA(window_, WM_CLOSE, 0, 0); break;
    case kCmdUpFolder: {
        char path[520];
        lstrcpynA(path, src.folder().c_str(), sizeof path);
        const std::string from = src.folder();
        const int code = GetUpperDirectory(path);
        if (code == -20 || code == -30) src.open(path, from);
        break;
    }
    case kCmdRefresh: src.refresh(); break;
    case kCmdSameFolder: target().open(src.folder()); break;
    case kCmdSwapPanes: {
        const std::string a = pane(0).folder(), b = pane(1).folder();
        pane(0).open(b);
        pane(1).open(a);
        break;
    }
    case kCmdSortName: src.set_sort(SortKey::kName, src.reverse()); break;
    case kCmdSortExtension: src.set_sort(SortKey::kExtension, src.reverse()); break;
    case kCmdSortSize: src.set_sort(SortKey::kSize, src.reverse()); break;
    case kCmdSortDate: src.set_sort(SortKey::kDate, src.reverse()); break;
    case kCmdSortReverse: src.set_sort(src.sort_key(), !src.reverse()); break;
    case kCmdMarkAll: src.mark_all(); break;
    case kCmdMarkInvert: src.invert_marks(); break;
    case kCmdMarkNone: src.clear_marks(); break;
    case kCmdOutput: output().show(); break;
    case kCmdKeyOrder:
        if (OpenFunkKeyDialog(window_, 0) == 1) {
            label_function_bar(function_bar_);
            write_function_keys();
        }
        break;
    case kCmdIniSettings: switch_settings_place(); break;
    case kCmdAbout:
        myMessageBox(window_, format(ids::kAboutText, GetFerroTitle()).c_str(), text(ids::kProductName).c_str(),
                     MB_OK | MB_ICONINFORMATION);
        break;
    case kCmdKeyList: show_key_list(); break;
    case kCmdErrorListInEditor: ops::error_list_in_editor(*this); break;
    default:
        if (command >= kCmdProgramFirst && command <= kCmdProgramLast) ops::run_program(*this, command - kCmdProgramFirst);
        else menu_command(*this, command);
        break;
    }
}

LRESULT CALLBACK App::window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    App* app = g_app;
    if (message == WM_NCCREATE) {
        app = static_cast<App*>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams);
        app->window_ = window;
    }
    if (app && app->window_ == window) return app->on_message(message, wparam, lparam);
    return DefWindowProcA(window, message, wparam, lparam);
}

LRESULT App::on_message(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_SIZE:
        // The first showing of the window repeats the size it was made with.
        if (wparam == SIZE_MINIMIZED || DWORD(lparam) == laid_out_size_) return 0;
        layout();
        return 0;
    case WM_GETMINMAXINFO:
        reinterpret_cast<MINMAXINFO*>(lparam)->ptMinTrackSize = {400, 300};
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wparam) != WA_INACTIVE && function_bar_) SetFocus(source().list());
        return 0;
    case WM_MEASUREITEM: {
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lparam);
        const int side = (int(item->CtlID) - 1000) / 100;
        if (item->CtlType == ODT_LISTBOX && (side == 0 || side == 1)) pane(side).on_measure_item(item);
        return TRUE;
    }
    case WM_DRAWITEM: {
        auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
        const int side = (int(item->CtlID) - 1000) / 100;
        if (item->CtlType == ODT_LISTBOX && (side == 0 || side == 1)) pane(side).on_draw_item(item);
        return TRUE;
    }
    case WM_COMMAND: {
        const int id = LOWORD(wparam);
        if (id > 1000 && id < 1200 && lparam) {
            const int side = (id - 1000) / 100;
            pane(side).on_command(id - 1000 - side * 100, HIWORD(wparam));
            return 0;
        }
        if (!lparam) run(Command(id));
        return 0;
    }
    case WM_INITMENUPOPUP:
        update_menu(reinterpret_cast<HMENU>(wparam));
        return 0;
    case WM_SYSCOMMAND:
        // F10 is a command key: it does not open the menu.
        if ((wparam & 0xfff0) == SC_KEYMENU && lparam == 0 && GetKeyState(VK_F10) < 0) return 0;
        break;
    case WM_TIMER:
        if (wparam == kWatchTimer) look_for_changes();
        else if (wparam == kWaitTimer) ops::wait_tick(*this, text(ids::kDeleteTitle).c_str());
        return 0;
    case kFinishStartMessage:
        SaveDriveMemoryAndGetDriveStringAndBtmp(window_, nullptr, nullptr, 0);
        for (int side = 0; side < 2; ++side) pane(side).fill_drives();
        SetFirstDesktopMenuWithFolder();  // the special folders of the menus
        return 0;
    case WM_DROPFILES:
        if (!busy_) ops::receive_drop(*this, reinterpret_cast<HDROP>(wparam));
        else DragFinish(reinterpret_cast<HDROP>(wparam));
        return 0;
    case kCopyProgressMessage:
        ops::copy_progress(*this, (ULONGLONG(wparam) << 32) | DWORD(lparam));
        return 0;
    case OutputWindow::kShowFileMessage: {
        // A line of the output window: its folder in the source pane, the cursor on it.
        const std::string path = reinterpret_cast<const char*>(lparam);
        if (is_folder(path)) source().open(path);
        else source().open(path.substr(0, host::last_yen(path) == 2 ? 3 : host::last_yen(path)), host::name_of(path));
        SetForegroundWindow(window_);
        return 0;
    }
    case kOutputLineMessage:
        if (wparam == 1000 && lparam) output().append(reinterpret_cast<const char*>(lparam));
        else if (wparam == 1001) output().end_of_line();
        return 0;
    case WM_CLOSE:
        if (busy_) {
            // The running operation stops first; the window closes after it.
            closing_ = true;
            SetStopExecutingFlag(1);
            return 0;
        }
        save_settings();
        DestroyWindow(window_);
        return 0;
    case WM_DESTROY:
        KillTimer(window_, kWatchTimer);
        ops::end_watches();
        if (output_) output_->destroy();
        PostQuitMessage(0);
        return 0;
    case WM_NCDESTROY: {
        HWND gone = window_;
        window_ = nullptr;
        return DefWindowProcA(gone, message, wparam, lparam);
    }
    }
    return DefWindowProcA(window_, message, wparam, lparam);
}
}  // namespace ferrolan
