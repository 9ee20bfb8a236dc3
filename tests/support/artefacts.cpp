#include "support/artefacts.h"
#include <winternl.h>
#include <vector>

namespace ferro_test {
std::string artefact(const char* name) {
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string folder(exe);
    folder.resize(folder.rfind('\\'));  // bin
    folder.resize(folder.rfind('\\'));  // the build tree
    folder += "\\artefacts";
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder + "\\" + name;
}

void save_screenshot(HWND window, const std::string& path) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT r;
    GetWindowRect(window, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    SelectObject(memory, old);
    BITMAPINFOHEADER info = {sizeof info, w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<char> pixels(size_t((w * 3 + 3) & ~3) * size_t(h));
    GetDIBits(memory, bitmap, 0, UINT(h), pixels.data(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    BITMAPFILEHEADER file = {0x4d42, DWORD(sizeof file + sizeof info + pixels.size()), 0, 0,
                             DWORD(sizeof file + sizeof info)};
    HANDLE out = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written;
    WriteFile(out, &file, sizeof file, &written, nullptr);
    WriteFile(out, &info, sizeof info, &written, nullptr);
    WriteFile(out, pixels.data(), DWORD(pixels.size()), &written, nullptr);
    CloseHandle(out);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

std::optional<DWORD> gdi_object_count() {
    SetLastError(0);
    const DWORD count = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (count || GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) return count;
#ifdef _WIN64
    // Wine's table: 65536 entries of {object, owner, unique, type, flags, user}.
    struct Entry {
        ULONGLONG object;
        ULONG owner;
        USHORT unique;
        UCHAR type;
        UCHAR flags;
        ULONGLONG user;
    };
    static_assert(sizeof(Entry) == 24);
    const auto* peb = reinterpret_cast<const BYTE*>(NtCurrentTeb()->ProcessEnvironmentBlock);
    const auto* table = *reinterpret_cast<const Entry* const*>(peb + 0xF8);  // GdiSharedHandleTable
    if (!table) return std::nullopt;
    DWORD used = 0;
    for (int i = 0; i < 0x10000; ++i) used += table[i].type ? 1 : 0;
    return used;
#else
    return std::nullopt;
#endif
}
}  // namespace ferro_test
