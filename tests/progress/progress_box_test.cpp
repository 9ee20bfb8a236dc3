// The copy progress box of both libraries on a real window under Xvfb: the
// bar follows the bytes done in the colours of its state, the labels and the
// status texts come from the progress codes, and a screenshot of each box is
// kept under the build tree (artefacts/progress_box_*.bmp).
#include <windows.h>
#include <gtest/gtest.h>
#include <fstream>
#include <string>
#include "internet/internet.h"
#include "progress/progress_box.h"
#include "support/sjis.h"

using ferro_test::sjis;

namespace {
constexpr UINT kProgress = WM_USER + 10;
constexpr int kBox = 100, kStatus = 101, kWidth = 401, kHeight = 22;

// The exports of one library's box.
struct BoxFunctions {
    const char* library;
    decltype(&StartEditboxSubClassCopyRightDlg) start;
    decltype(&EndEditboxSubClassCopyRightDlg) end;
    decltype(&GetCopiedFile) text;
    decltype(&DrawEntireCopyingRateBoxByBackGroundColor) fill;
};

// The functions as the library exports them (update.dll is loaded the way a
// host loads it, beside ferro32.dll).
BoxFunctions from(const char* library) {
    HMODULE module = LoadLibraryA((std::string(library) + ".dll").c_str());
    auto get = [module](const char* name) { return module ? GetProcAddress(module, name) : nullptr; };
    return {library, reinterpret_cast<decltype(&StartEditboxSubClassCopyRightDlg)>(get("StartEditboxSubClassCopyRightDlg")),
            reinterpret_cast<decltype(&EndEditboxSubClassCopyRightDlg)>(get("EndEditboxSubClassCopyRightDlg")),
            reinterpret_cast<decltype(&GetCopiedFile)>(get("GetCopiedFile")),
            reinterpret_cast<decltype(&DrawEntireCopyingRateBoxByBackGroundColor)>(get("DrawEntireCopyingRateBoxByBackGroundColor"))};
}

std::string artefact(const std::string& name) {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path);
    folder = folder.substr(0, folder.rfind('\\'));            // bin
    folder = folder.substr(0, folder.rfind('\\')) + "\\artefacts";
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder + "\\" + name;
}

// The window as a 24-bit bitmap file.
void screenshot(HWND window, const std::string& file) {
    RECT r;
    GetWindowRect(window, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    HDC screen = GetWindowDC(window), memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, w, h, screen, 0, 0, SRCCOPY);
    GdiFlush();
    const DWORD size = static_cast<DWORD>(((w * 3 + 3) & ~3) * h);
    BITMAPFILEHEADER head = {0x4d42, static_cast<DWORD>(sizeof head + sizeof info.bmiHeader + size), 0, 0,
                             static_cast<DWORD>(sizeof head + sizeof info.bmiHeader)};
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&head), sizeof head);
    out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
    out.write(static_cast<const char*>(bits), size);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, screen);
}

class ProgressBox : public ::testing::TestWithParam<BoxFunctions> {
protected:
    void SetUp() override {
        dialog = CreateWindowExA(0, "#32770", "Ferrolan", WS_POPUP | WS_CAPTION | WS_VISIBLE, 40, 40, 440, 110, nullptr,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
        box = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 10, 10, kWidth + 1, kHeight + 1, dialog,
                              reinterpret_cast<HMENU>(kBox), GetModuleHandleA(nullptr), nullptr);
        status = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 10, 44, 400, 20, dialog,
                                 reinterpret_cast<HMENU>(kStatus), GetModuleHandleA(nullptr), nullptr);
        SendMessageA(box, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
        UpdateWindow(dialog);
        own_procedure = GetWindowLongPtrA(box, GWLP_WNDPROC);
    }
    void TearDown() override { DestroyWindow(dialog); }
    // The colour of the box at a fraction of its width, on its bottom row
    // (below the text).
    COLORREF at(double fraction) {
        HDC dc = GetDC(box);
        const COLORREF c = GetPixel(dc, static_cast<int>(kWidth * fraction), kHeight - 2);
        ReleaseDC(box, dc);
        return c;
    }
    void code(WPARAM c, LPARAM l = 0) { SendMessageA(box, kProgress, c, l); }
    HWND dialog = nullptr, box = nullptr, status = nullptr;
    LONG_PTR own_procedure = 0;
};

TEST_P(ProgressBox, TheBarFollowsTheBytesInTheColoursOfItsState) {
    const BoxFunctions& f = GetParam();
    ASSERT_NE(nullptr, f.start) << "update.dll is loaded beside ferro32.dll";
    ASSERT_EQ(1, f.start(dialog, kBox, status));
    EXPECT_EQ(reinterpret_cast<FARPROC>(f.text), reinterpret_cast<FARPROC>(SetGetCopiedFile(f.text)));  // downloads write here
    f.text("file.bin", 3, 10);
    code(0, 0);
    code(1, 500);  // a total of 0: nothing to measure against
    EXPECT_EQ(RGB(255, 255, 255), at(0.1));
    code(0, 1000);
    code(1, 250);
    EXPECT_EQ(RGB(0, 0, 255), at(0.1));  // bar 0xFF0000
    EXPECT_EQ(RGB(255, 255, 255), at(0.5));
    code(1, 750);
    EXPECT_EQ(RGB(0, 0, 255), at(0.5));
    EXPECT_EQ(RGB(255, 255, 255), at(0.9));
    code(19, 0);
    char shown[100];
    GetWindowTextA(status, shown, sizeof shown);
    EXPECT_EQ(sjis("読込失敗"), shown);
    screenshot(dialog, artefact(std::string("progress_box_") + f.library + ".bmp"));
    code(2, 0);  // already there: the bar in its own colours
    EXPECT_EQ(RGB(0, 255, 255), at(0.5));
    code(3, 0);  // not found: the whole width
    EXPECT_EQ(RGB(255, 0, 0), at(0.99));
    screenshot(dialog, artefact(std::string("progress_box_") + f.library + "_not_found.bmp"));
    EXPECT_EQ(2, f.start(dialog, kBox, status));  // already active
    ASSERT_EQ(1, f.end(dialog, kBox));
    EXPECT_EQ(own_procedure, GetWindowLongPtrA(box, GWLP_WNDPROC));
    EXPECT_EQ(nullptr, SetGetCopiedFile(nullptr));  // the previous callback is back
    f.fill(box, RGB(0, 128, 0));
    EXPECT_EQ(RGB(0, 128, 0), at(0.5));
}

INSTANTIATE_TEST_SUITE_P(BothLibraries, ProgressBox,
                         ::testing::Values(from("ferro32"), from("update")),
                         [](const auto& info) { return std::string(info.param.library); });
}  // namespace
