// Keeps a picture of a window as a test artefact: a bitmap file under the
// build tree's artefacts folder (beside bin/).
#pragma once
#include <windows.h>
#include <string>

namespace ferro_test {
// Writes the window as drawn into artefacts/<name>.bmp; returns the path, or "" on failure.
std::string save_window_picture(HWND window, const std::string& name);
}  // namespace ferro_test
