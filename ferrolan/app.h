// The window host: the main window with its two panes, the function-key bar
// and the menus, the engine's session around it, and the commands.
#pragma once
#include <windows.h>
#include <memory>
#include <string>
#include "command_ids.h"
#include "pane.h"
#include "settings.h"

namespace ferrolan {
class OutputWindow;

struct StartOptions {
    std::string folders[2];  // from the command line; empty: the ones restored
    ProfilePlace place;      // where the settings are
    int show = SW_SHOWNORMAL;
};

// Messages of the host's own.
constexpr UINT kCopyProgressMessage = WM_APP + 10;  // myOrgCopyFile's progress (bytes of the file so far)
constexpr UINT kOutputLineMessage = 3072;           // lines for the output window
constexpr UINT kFinishStartMessage = WM_APP + 11;   // the rest of the start, after the first listing
constexpr UINT_PTR kWatchTimer = 1;                 // a look at the watched folders
constexpr UINT kWatchMilliseconds = 500;
constexpr UINT_PTR kWaitTimer = 2;                  // the engine's wait window of a long operation
// Child windows of the main window: the function-key bar, and the copy
// progress box shown in its place while a copy runs.
constexpr int kFunctionBarId = 900;
constexpr int kProgressBoxId = 950;

class App {
public:
    explicit App(HINSTANCE instance);
    ~App();
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    // Makes the main window, starts the engine's session and lists both
    // panes. Null when the window could not be made.
    HWND start(const StartOptions& options);
    // The message loop; returns the exit code.
    static int run_loop();
    // The app whose main window exists, or null.
    static App* current();

    HWND window() const { return window_; }
    HINSTANCE instance() const { return instance_; }
    Pane& pane(int side) { return *panes_[side]; }
    Pane& source() { return *panes_[active_]; }
    Pane& target() { return *panes_[1 - active_]; }
    int active_side() const { return active_; }
    // The engine's selector of a pane: 2 the source (the active pane), 4 the target.
    LONG selector(int side) const { return side == active_ ? 2 : 4; }
    HFONT font() const { return font_; }

    // Makes a pane the source (the engine's panes are swapped to follow).
    void activate(int side);
    // A pane has a new folder: the engine's current folders and the title follow.
    void pane_opened(int side);
    // Runs a command (menu, function key, keyboard); ignored while another runs.
    void run(Command command);
    // A key pressed in a pane's list; true when the host handled it.
    bool on_key(int side, UINT key, bool control, bool shift);
    void show_context_menu(int side, POINT screen);
    bool busy() const { return busy_; }
    OutputWindow& output();
    const ProfilePlace& place() const { return place_; }

private:
    static LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    LRESULT on_message(UINT message, WPARAM wparam, LPARAM lparam);
    void create_children();
    void layout();
    void save_settings();
    void update_title();
    void update_menu(HMENU menu);
    void run_command(Command command);
    void show_key_list();
    void switch_settings_place();
    void look_for_changes();

    HINSTANCE instance_;
    HWND window_ = nullptr;
    HWND function_bar_ = nullptr;
    DWORD laid_out_size_ = ~0u;  // the client size (as WM_SIZE gives it) the children were last placed for
    HFONT font_ = nullptr;
    std::unique_ptr<Pane> panes_[2];
    std::unique_ptr<OutputWindow> output_;
    int active_ = 0;
    bool busy_ = false;
    bool closing_ = false;
    ProfilePlace place_;
};
}  // namespace ferrolan
