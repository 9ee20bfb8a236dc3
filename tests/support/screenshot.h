// Keeps a picture of a window as a test artefact that a person can look at
// (a 24-bit BMP below the build tree's artefacts folder).
#pragma once
#include <windows.h>
#include <string>

namespace ferro_test {
// Writes <build>/artefacts/<name>.bmp from what the window shows; returns
// the file's path, or "" when nothing could be written.
std::string save_window_picture(HWND window, const std::string& name);
}  // namespace ferro_test
