// File colours: the text form and back, the older eight-colour layout, bad
// texts, the copies, extension colours, brushes and pens that never leak or
// go stale, and the owner-drawn drive list drawn into a real list box.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "fs/drives.h"
#include "listing/selection.h"
#include "support/artefacts.h"
#include "ui/colors.h"
#include "ui/drive_draw.h"

namespace {
std::string text_of(LONG set) {
    char buffer[162];
    GetStringFormattedFromFileColor(buffer, set);
    return buffer;
}

COLORREF (WINAPI* const kGet[3])(LONG) = {Get_rgbSRCDIRCOLOR, Get_rgbTGTDIRCOLOR, Get_rgbFILECOLOR};
COLORREF (WINAPI* const kSet[3])(LONG, COLORREF) = {Set_rgbSRCDIRCOLOR, Set_rgbTGTDIRCOLOR, Set_rgbFILECOLOR};

LRESULT CALLBACK drive_list_host(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_MEASUREITEM && wmMeasureItem(w, UINT(wp), reinterpret_cast<MEASUREITEMSTRUCT*>(lp))) return TRUE;
    if (m == WM_DRAWITEM && wmDrawItem(w, UINT(wp), reinterpret_cast<DRAWITEMSTRUCT*>(lp), 2)) return TRUE;
    return DefWindowProcA(w, m, wp, lp);
}

class Colors : public testing::Test {
protected:
    void SetUp() override { DefFileColors(1), DefFileColors(0); }
    void TearDown() override { DefFileColors(1), DefFileColors(0); }
};
}  // namespace

TEST_F(Colors, IndexesAndDefaults) {
    const LONG kinds[][2] = {{0, 0}, {5, 5}, {7, 1}, {11, 5}, {12, 0}, {14, 2}, {17, 5}};
    for (const auto& [index, kind] : kinds) EXPECT_EQ(kind, GetNormalColorIndex(index)) << index;
    EXPECT_EQ(9, GetBakCharColorIndex(3));
    EXPECT_EQ(15, GetBakRevColorIndex(3));
    EXPECT_EQ("0$ff$ff0000$ff00ff$0$e0ffff$ffffff$ffffff$ffffff$ffffff$ffffff$ffffff$0$ff$ff0000$ff00ff$0$0",
              text_of(2));
    EXPECT_EQ(0u, Get_rgbFILECOLOR(18));  // outside the set: nothing read or written
    Set_rgbFILECOLOR(-1, 5);
}

// Every kind of every set: written to text and read back, with the
// selected colours of kinds 0 and 4 taking that of kind 5.
TEST_F(Colors, TextFormRoundTripsEveryKindOfEverySet) {
    for (LONG set = 0; set < 3; ++set) {
        for (LONG i = 0; i < 18; ++i) kSet[set](i, RGB(i * 13, set * 70, 255 - i));
        const std::string text = text_of(set);
        for (LONG i = 0; i < 18; ++i) kSet[set](i, 0);
        ASSERT_EQ(1, SetFileColorFromStringFormatted(text.c_str(), set));
        for (LONG i = 0; i < 18; ++i) {
            const LONG source = i == 12 || i == 16 ? 17 : i;
            EXPECT_EQ(RGB(source * 13, set * 70, 255 - source), kGet[set](i)) << "set " << set << " index " << i;
        }
    }
}

TEST_F(Colors, BadAndShortTextsChangeNothingOrUseDefaults) {
    Set_rgbFILECOLOR(3, 0x123456);
    const std::string before = text_of(2);
    for (const char* text : {"no separators", "zz"}) {
        EXPECT_EQ(0, SetFileColorFromStringFormatted(text, 2)) << text;
        EXPECT_EQ(before, text_of(2));
    }
    EXPECT_EQ(0, SetFileColorFromStringFormatted("1$2", 3));  // no such set
    EXPECT_EQ(0, SetFileColorFromStringFormatted(nullptr, 0));
    // Fields that are no numbers take their default; extra fields are ignored.
    std::string text = "zz$123456789$$-1$ 5";
    for (int i = 0; i < 30; ++i) text += "$abc";
    ASSERT_EQ(1, SetFileColorFromStringFormatted(text.c_str(), 2));
    EXPECT_EQ(0x000000u, Get_rgbFILECOLOR(0));
    EXPECT_EQ(0x0000FFu, Get_rgbFILECOLOR(1));  // 9 digits: not a colour
    EXPECT_EQ(0xFF0000u, Get_rgbFILECOLOR(2));  // "-1"
    EXPECT_EQ(0xFF00FFu, Get_rgbFILECOLOR(3));  // " 5"
    EXPECT_EQ(0xABCu, Get_rgbFILECOLOR(4));
    // An empty text gives the pane sets the file list's colours.
    Set_rgbFILECOLOR(0, 0x777777);
    EXPECT_EQ(1, SetFileColorFromStringFormatted("", 1));
    EXPECT_EQ(0x777777u, Get_rgbTGTDIRCOLOR(0));
    EXPECT_EQ(0, SetFileColorFromStringFormatted("", 2));
}

// The older layout of eight colours rearranges the set that was read, and
// only that one: the file list's colours stay as they were.
TEST_F(Colors, OlderLayoutRearrangesTheSetThatWasRead) {
    const std::string file_list = text_of(2);
    ASSERT_EQ(1, SetFileColorFromStringFormatted("10$11$12$13$14$15$16$17", 0));
    EXPECT_EQ(file_list, text_of(2));
    const COLORREF expected[18] = {0x10, 0x11, 0x12, 0x13, 0x14, 0x16, 0x15, 0x15, 0x15,
                                   0x15, 0x15, 0x15, 0x17, 0x11, 0x12, 0x13, 0x17, 0x17};
    for (LONG i = 0; i < 18; ++i) EXPECT_EQ(expected[i], Get_rgbSRCDIRCOLOR(i)) << i;
}

TEST_F(Colors, EditCopiesCompareApplyAndFollowTheFileList) {
    Set_rgbTGTDIRCOLOR(4, 0x4444);
    SetFileAndExtColors(0, 0);
    EXPECT_EQ(0x4444u, Get_rgbTGTDIRCOLOR0(4));
    EXPECT_EQ(0, IsFileColorChangedByComparingFileColor0(4, 0));
    Set_rgbSRCDIRCOLOR0(4, 0x5555);
    EXPECT_EQ(1, IsFileColorChangedByComparingFileColor0(4, 0));
    EXPECT_EQ(0x000000u, Get_rgbSRCDIRCOLOR(4));
    EXPECT_EQ(1, IsFileColorChangedByComparingFileColor0(4, 1));
    EXPECT_EQ(0x5555u, Get_rgbSRCDIRCOLOR(4));
    EXPECT_EQ(0, IsFileColorChangedByComparingFileColor0(4, 0));

    for (LONG i = 0; i < 18; ++i) Set_rgbFILECOLOR0(i, 0x100 + i);
    EXPECT_EQ(0, SetColorsAsFileColors_0(3));
    ASSERT_EQ(1, SetColorsAsFileColors_0(1));
    EXPECT_EQ(0x100u + 4, Get_rgbSRCDIRCOLOR0(4));
    EXPECT_EQ(0x100u + 10, Get_rgbTGTDIRCOLOR0(10));
    EXPECT_EQ(0xFFFFFFu, Get_rgbTGTDIRCOLOR0(11));  // kind 5 stays with mode 1
    EXPECT_EQ(Get_rgbTGTDIRCOLOR0(17), Get_rgbTGTDIRCOLOR0(12));
    ASSERT_EQ(1, SetColorsAsFileColors_0(2));
    EXPECT_EQ(0x100u + 11, Get_rgbTGTDIRCOLOR0(11));
}

TEST_F(Colors, ExtensionColoursAreFoundWithoutCase) {
    for (LONG i = 0; i < 16; ++i) GetExtColorString(i)[0] = '\0';
    EXPECT_EQ(0, IsExtColorStringSet());
    lstrcpyA(GetExtColorString(3), "txt");
    Set_rgbEXTCOLOR(3, 0xABCDEF);
    lstrcpyA(GetExtColorString(15), std::string(20, 'x').c_str());  // a full 20-byte text
    Set_rgbEXTCOLOR(15, 0x1);
    LONG found = -1;
    EXPECT_EQ(0xABCDEFu, GetExtRgbColor("TXT", &found));
    EXPECT_EQ(1, found);
    EXPECT_EQ(0x1u, GetExtRgbColor(std::string(20, 'X').c_str(), &found));
    EXPECT_EQ(0u, GetExtRgbColor("doc", &found));
    EXPECT_EQ(0, found);
    EXPECT_EQ(0u, GetExtRgbColor("", nullptr));
    EXPECT_EQ(Get_rgbEXTCOLORPointer()[3], 0xABCDEFu);
    EXPECT_EQ(nullptr, GetExtColorString(16));
    EXPECT_EQ(2, SetFileAndExtColors(0, 16));
    EXPECT_EQ(0, IsExtColorChanged(3, 0));
    Set_rgbEXTCOLOR0(3, 7);
    EXPECT_EQ(1, IsExtColorChanged(3, 1));
    EXPECT_EQ(7u, Get_rgbEXTCOLOR(3));
}

// The pens are made again after DeleteBrushAndPen (never handed out
// deleted), every brush and pen is released, and a thousand rebuilds leave
// the process's GDI object count where it was.
TEST_F(Colors, BrushesAndPensAreRebuiltAndReleased) {
    const auto before = ferro_test::gdi_object_count();
    ASSERT_EQ(1, CreateBrushAndPen());
    HPEN (WINAPI* const pens[])() = {Get_hLighterFramePen, Get_hDarkerFramePen, Get_hLightestLinePen,
                                     Get_hLighterLinePen,  Get_hDarkerLinePen,  Get_hDarkestLinePen, Get_hBkPen};
    DeleteBrushAndPen();
    for (auto pen : pens) EXPECT_EQ(nullptr, pen());
    ASSERT_EQ(1, CreateBrushAndPen());
    for (auto pen : pens) EXPECT_EQ(static_cast<DWORD>(OBJ_PEN), GetObjectType(pen()));
    HBRUSH background = nullptr, selected = nullptr;
    HPEN background_pen = nullptr;
    for (int i = 0; i < 1000; ++i) {
        CreateBrushAndPen();
        SetListWindowsColors(i % 3, &background, &background_pen, &selected);
        Prepare_hBkBrush(RGB(i, 0, 0));
        Prepare_hReversedBkBrush(RGB(0, i, 0));
        Prepare_hLighterLinePen(RGB(10, 20, 30));
    }
    EXPECT_EQ(static_cast<DWORD>(OBJ_BRUSH), GetObjectType(background));
    DeleteBrushAndPen();
    for (HGDIOBJ gone : {static_cast<HGDIOBJ>(background), static_cast<HGDIOBJ>(background_pen),
                         static_cast<HGDIOBJ>(selected)})
        EXPECT_EQ(0u, GetObjectType(gone));
    EXPECT_EQ(nullptr, Get_hBkBrush());
    if (before) EXPECT_EQ(*before, *ferro_test::gdi_object_count());
}

// The drive list drawn into a real owner-drawn list box: the item's
// background and the selected (inverted) item in the pane's chosen colours.
TEST_F(Colors, DriveListIsDrawnInThePaneColours) {
    constexpr int kList = 300;
    static const COLORREF kBackground = RGB(0x20, 0xC0, 0x40);
    Set_rgbSRCDIRCOLOR(GetBakCharColorIndex(0), kBackground);
    Set_rgbSRCDIRCOLOR(0, RGB(0x80, 0, 0));
    HBITMAP small[9], large[9];
    for (int i = 0; i < 9; ++i) {
        small[i] = CreateBitmap(30, 14, 1, 32, nullptr);
        large[i] = small[i];
    }
    ASSERT_GT(SaveDriveMemoryAndGetDriveStringAndBtmp(nullptr, small, large, 0), 0);
    SetDrawItemParam(kList, 0, ODT_LISTBOX, TRUE, nullptr);
    WNDCLASSA kind = {};
    kind.lpfnWndProc = drive_list_host;
    kind.hInstance = GetModuleHandleA(nullptr);
    kind.lpszClassName = "FerroDriveListHost";
    kind.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    RegisterClassA(&kind);
    HWND host = CreateWindowA("FerroDriveListHost", "drives", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 320, 260,
                              nullptr, nullptr, kind.hInstance, nullptr);
    HWND list = CreateWindowA("LISTBOX", "", WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | WS_BORDER,
                              10, 10, 280, 200, host, reinterpret_cast<HMENU>(kList), kind.hInstance, nullptr);
    ASSERT_GT(SetDriveStringInListbox(list, TRUE), 1);
    SendMessageA(list, LB_SETCURSEL, 1, 0);
    UpdateWindow(list);
    ferro_test::save_screenshot(host, ferro_test::artefact("drive_list.bmp"));

    RECT first, second;
    SendMessageA(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
    SendMessageA(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second));
    HDC dc = GetDC(list);
    const COLORREF plain = GetPixel(dc, first.right - 4, (first.top + first.bottom) / 2);
    const COLORREF inverted = GetPixel(dc, second.right - 4, (second.top + second.bottom) / 2);
    ReleaseDC(list, dc);
    EXPECT_EQ(kBackground, plain);
    EXPECT_EQ(kBackground ^ 0xFFFFFF, inverted);
    DestroyWindow(host);
    FreeGlobalHandleInDrawItem();
    FreeDriveMemoryHandle();
    for (HBITMAP b : small) DeleteObject(b);
}
