// What tests keep for a person to look at (screenshots, printed pages) and
// what they measure about the process's own GDI objects.
#pragma once
#include <windows.h>
#include <optional>
#include <string>

namespace ferro_test {
// The path of `name` in the build tree's artefacts folder (made when missing).
std::string artefact(const char* name);
// The window as the screen shows it, as a 24-bit BMP file.
void save_screenshot(HWND window, const std::string& path);
// The number of GDI objects of this process: GetGuiResources, or where Wine
// leaves that unimplemented the process's own GDI handle table (64-bit
// Wine exposes it in the process block); nothing where neither is there
// (32-bit Wine).
std::optional<DWORD> gdi_object_count();
}  // namespace ferro_test
