// The window host driven like a user: its real main window made on the
// test's thread, keys sent to the pane's list, menu commands as the menu
// sends them, the dialogs of the host answered by a script, results read
// from the list boxes and the file system.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>
#include "app.h"
#include "support/message_box_recorder.h"
#include "support/registry_keys.h"
#include "support/temp_folder.h"

namespace ferro_test {
// Answers the host's own dialogs (not message boxes): each scripted step
// fills controls and presses a button of the next dialog that opens.
class DialogScript {
public:
    struct Step {
        std::vector<std::pair<int, std::string>> texts = {};  // control id, text
        std::vector<int> checks = {};                    // check boxes to tick
        int button = IDOK;
        int then_button = 0;     // pressed once the dialog's OK is enabled again (its work done)
        std::vector<int> reads = {};  // controls whose text is kept in read()
    };
    DialogScript();
    ~DialogScript();
    void then(Step step) { steps_.push_back(std::move(step)); }
    int shown() const { return shown_; }
    // The text a scripted step read from a control.
    std::string read(int control) const;

private:
    static LRESULT CALLBACK cbt(int code, WPARAM wparam, LPARAM lparam);
    static void CALLBACK on_timer(HWND window, UINT, UINT_PTR id, DWORD);
    static void CALLBACK on_then(HWND window, UINT, UINT_PTR id, DWORD);
    HHOOK hook_ = nullptr;
    std::vector<std::pair<int, std::string>> read_;
    int then_button_ = 0;
    std::deque<Step> steps_;
    int shown_ = 0;
};

class WindowHost : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts (again) with the settings key of the test; empty folders: the restored ones.
    void start(const std::string& left, const std::string& right);
    void close();
    HWND list(int side) const { return app_->pane(side).list(); }
    std::vector<std::string> items(int side) const;
    int index_of(int side, const std::string& name) const;
    // A key pressed in a pane's list, with Ctrl or Shift held.
    void key(int side, UINT vk, bool control = false, bool shift = false);
    // A left click on an entry of a pane's list, with Ctrl or Shift held.
    void click(int side, const std::string& name, bool control = false, bool shift = false);
    void command(ferrolan::Command c);
    // Dispatches this thread's messages until `done` or `ms` milliseconds.
    bool pump_until(DWORD ms, const std::function<bool()>& done);
    std::string shot(const std::string& name);

    TempFolder temp;
    OwnedKey key_ = OwnedKey::fresh();
    MessageBoxRecorder boxes;
    DialogScript dialogs;
    std::unique_ptr<ferrolan::App> app_;
};
}  // namespace ferro_test
