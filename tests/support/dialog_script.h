// Drives a modal dialog from its own message loop: a timer runs one scripted
// step per tick on the visible dialog that holds a given control, and after
// 20 seconds closes it, so that a test never hangs. Also keeps screenshots
// of dialogs as test artefacts under the build tree.
#pragma once
#include <windows.h>
#include <functional>
#include <string>
#include <vector>

namespace ferro_test {
using DialogStep = std::function<bool(HWND)>;  // true: done, go to the next step

// Runs `open` (which shows the dialog) while the steps are played on the
// dialog holding control `marker`; a step left unplayed fails the test.
INT_PTR run_dialog_script(int marker, std::vector<DialogStep> steps, const std::function<INT_PTR()>& open);

DialogStep click(int id);                   // presses a button
DialogStep select_item(int list, int index);  // selects a list-box item
DialogStep set_text(int id, const std::string& text);
DialogStep check(int id, bool on);
// Saves the window as the screen shows it in build/<preset>/artefacts/<name>
// (a 24-bit BMP); the step does the same with the dialog.
void save_screenshot(HWND window, const char* name);
DialogStep screenshot(const char* name);
}  // namespace ferro_test
