// The other resources of ferromes: bitmaps, icons and cursors by name and
// size, the shortcut dialog template, the version resource and the manifest.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <vector>
#include "ferromes.h"
#include "support/sjis.h"

using ferro_test::sjis;

namespace {
HMODULE library() { return GetModuleHandleA("ferromes.dll"); }

// The raw bytes of a resource, or an empty view when it is missing.
std::string_view resource_bytes(LPCSTR name, LPCSTR type, WORD language = 0) {
    HRSRC found = language ? FindResourceExA(library(), type, name, language) : FindResourceA(library(), name, type);
    if (!found) return {};
    HGLOBAL loaded = LoadResource(library(), found);
    return {static_cast<const char*>(LockResource(loaded)), SizeofResource(library(), found)};
}

struct BitmapCase { std::string name; int width, height, bits; };

std::vector<BitmapCase> all_bitmaps() {
    std::vector<BitmapCase> out;
    const char* const tools[] = {"95",  "A",     "C",     "CLIP", "CTL", "D",    "DOS", "ED",  "F",   "FAV", "FPROP",
                                 "FVER", "I",    "ICBLW", "ICRGT", "IF", "IF2",  "K",   "L",   "LNK", "LRG", "M",
                                 "MNGMT", "NEXT", "P",    "PREV",  "Q",  "R",    "RFM", "RFM2", "S",  "SC",  "SML",
                                 "SRC", "SWP",   "T",     "T2",    "TGT", "U",   "UP",  "UTL", "V",   "W"};
    for (const char* suffix : tools) {
        const int height = std::string(suffix) == "SRC" || std::string(suffix) == "TGT" ? 25 : 26;
        out.push_back({std::string("UP_") + suffix, 26, height, 4});
        out.push_back({std::string("MS_") + suffix, 26, height, 4});
    }
    for (const char* name : {"UP2_NEXT", "UP2_PREV", "MS2_NEXT", "MS2_PREV"}) out.push_back({name, 26, 26, 4});
    for (const char* name : {"SRC", "SRCMS"}) out.push_back({name, 26, 25, 4});
    for (const char* name : {"DIR", "DIRB", "DIRHASUB", "DIRIT", "DIRITB", "DIRNETOB", "DIRNETOP", "DIRNETSB",
                             "DIRNETUB", "DIRNETUP", "DIROPEN", "DIROPENB", "DIRRT", "DIRRTB", "DIRSR", "DIRSRB",
                             "DIRSV", "DIRSVB", "DIRUPPEB", "DIRUPPER"})
        out.push_back({name, 16, 12, 4});
    for (const char* name : {"DIRTXT", "DIRTXTRT", "DIRTXTUP", "EXE", "OTHER", "TXT", "TXTB"})
        out.push_back({name, 9, 12, 4});
    for (const char* name : {"CDROM", "DRIVE0", "DRIVE0B", "DRIVE1", "DRIVE1B", "DRIVEB", "FDD", "HDD", "NETWORK",
                             "RAM", "RAMB", "REMOVAL"})
        out.push_back({name, 30, 14, 4});
    for (int i = 0; i < 4; ++i) {
        out.push_back({"ICREAD" + std::to_string(i), 8, 15, 4});
        out.push_back({"ICREAD" + std::to_string(i) + "B", 8, 15, 4});
    }
    for (int i = 0; i < 5; ++i) {
        out.push_back({"FROMCPY" + std::to_string(i), 32, 24, 4});
        out.push_back({"FROMMSK" + std::to_string(i), 32, 24, 4});
    }
    out.push_back({"FRAME", 45, 21, 4});
    out.push_back({"FERRO0", 38, 38, 4});
    for (int i = 1; i <= 17; ++i) out.push_back({"FERRO" + std::to_string(i), 32, 32, 4});
    out.push_back({"FRLLOGO", 246, 80, 8});
    return out;
}

const char* const kIcons[] = {"AAMES",    "ALERTLNK", "BADEDIT",  "BATCH",    "BATCHEDT", "BATCHLNK", "CTLPNL",
                              "DIRLNK",   "DOSDATA",  "DOSDEF",   "DOSDEFA",  "DOSFNT",   "EXPLORER", "FILELNK",
                              "FOLDER",   "FOLDERIT", "FOLDERNT", "FOLDERRT", "FOLDERSR", "FOLDERSV", "FOLDERUP",
                              "FONT",     "HELP",     "INI",      "LHADFILE", "LHAFILE",  "LONGDIR",  "LONGNAME",
                              "NODIRLNK", "NOFLELNK", "PIF",      "PIFEDT",   "READING",  "REGEDIT",  "SYSTEM",
                              "TTFONT",   "WINDEF",   "WINDEFA"};

const char* const kCursors[] = {"BORDER",  "BORDERNO", "COPY",     "COPYDIR", "COPYX",   "DFNOTOK", "DRAWING",
                                "FILE",    "FOLDER",   "FOLDERNT", "HDBORDER", "ICON",   "ICON1",   "ICON2",
                                "ICON3",   "ICON4",    "MENU",     "MOVE",    "MOVEDIR", "MOVEX",   "NET",
                                "PACKING", "REGISTRY", "SORTING",  "VIEWER0", "VIEWER1", "VIEWER2", "WINDOWS",
                                "FERRO"};

BOOL CALLBACK count_one(HMODULE, LPCSTR, LPSTR, LONG_PTR count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

int count_resources(LPCSTR type) {
    int count = 0;
    EnumResourceNamesA(library(), type, count_one, reinterpret_cast<LONG_PTR>(&count));
    return count;
}

constexpr WORD kJapanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);
}  // namespace

// ---- Pictures

TEST(Pictures, EveryBitmapWithItsSizeAndDepth) {
    const std::vector<BitmapCase> bitmaps = all_bitmaps();
    EXPECT_EQ(169u, bitmaps.size());
    EXPECT_EQ(169, count_resources(RT_BITMAP));
    for (const BitmapCase& b : bitmaps) {
        SCOPED_TRACE(b.name);
        std::string_view bytes = resource_bytes(b.name.c_str(), RT_BITMAP, kJapanese);
        ASSERT_GE(bytes.size(), sizeof(BITMAPINFOHEADER));
        BITMAPINFOHEADER header;
        memcpy(&header, bytes.data(), sizeof header);
        EXPECT_EQ(b.width, header.biWidth);
        EXPECT_EQ(b.height, header.biHeight);
        EXPECT_EQ(b.bits, header.biBitCount);
        HBITMAP bitmap = LoadBitmapA(GetUserDlgInstance(), b.name.c_str());
        ASSERT_NE(nullptr, bitmap);
        BITMAP info;
        ASSERT_TRUE(GetObjectA(bitmap, sizeof info, &info));
        EXPECT_EQ(b.width, info.bmWidth);
        EXPECT_EQ(b.height, info.bmHeight);
        DeleteObject(bitmap);
    }
}

TEST(Pictures, EveryIconIsOne32By32ImageOfSixteenColours) {
    EXPECT_EQ(38, count_resources(RT_GROUP_ICON));
    for (const char* name : kIcons) {
        SCOPED_TRACE(name);
        std::string_view group = resource_bytes(name, RT_GROUP_ICON, kJapanese);
        ASSERT_GE(group.size(), 6u + 14u);
        const BYTE* p = reinterpret_cast<const BYTE*>(group.data());
        EXPECT_EQ(1, p[4] | p[5] << 8);            // one image
        EXPECT_EQ(32, p[6]);                       // width
        EXPECT_EQ(32, p[7]);                       // height
        EXPECT_EQ(4, p[6 + 6] | p[6 + 7] << 8);    // bits per pixel
        HICON icon = LoadIconA(GetUserDlgInstance(), name);
        EXPECT_NE(nullptr, icon);
    }
}

TEST(Pictures, EveryCursorIs32By32) {
    EXPECT_EQ(29, count_resources(RT_GROUP_CURSOR));
    for (const char* name : kCursors) {
        SCOPED_TRACE(name);
        std::string_view group = resource_bytes(name, RT_GROUP_CURSOR, kJapanese);
        ASSERT_GE(group.size(), 6u + 14u);
        const BYTE* p = reinterpret_cast<const BYTE*>(group.data());
        EXPECT_EQ(1, p[4] | p[5] << 8);
        EXPECT_EQ(32, p[6] | p[7] << 8);           // width
        EXPECT_EQ(64, p[8] | p[9] << 8);           // height of the two masks
        EXPECT_NE(nullptr, LoadCursorA(GetUserDlgInstance(), name));
    }
}

// ---- The shortcut dialog template

namespace {
INT_PTR CALLBACK quiet_dialog(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

std::string text_of(HWND window) {
    char buffer[256] = {};
    GetWindowTextA(window, buffer, sizeof buffer);
    return buffer;
}

std::string class_of(HWND window) {
    char buffer[64] = {};
    GetClassNameA(window, buffer, sizeof buffer);
    return buffer;
}
}  // namespace

TEST(ShortcutDialog, ControlsAsTheEngineExpectsThem) {
    HWND dialog = CreateDialogParamA(GetUserDlgInstance(), "OPENSHORTCUT", nullptr, quiet_dialog, 0);
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ(sjis("Ferrolan: ｼｮｰﾄｶｯﾄ作成・変更"), text_of(dialog));

    const struct { int id; const char* cls; const char* text; } controls[] = {
        {2294, "Edit", nullptr},       {2280, "Edit", nullptr},       {2288, "Edit", nullptr},
        {2287, "Edit", nullptr},       {2300, "Edit", nullptr},       {2293, "ComboBox", nullptr},
        {2282, "ComboBox", nullptr},   {2281, "ComboBox", nullptr},   {2299, "Static", nullptr},
        {2289, "Static", nullptr},     {2291, "Static", nullptr},     {2290, "Static", nullptr},
        {2284, "Static", nullptr},     {2286, "Static", nullptr},
        {2301, "Button", "ﾃﾞｽｸﾄｯﾌﾟを選択(&D)"}, {2295, "Button", "終了時ﾘﾝｸ先ﾌｫﾙﾀﾞへ変更(&J)"},
        {IDOK, "Button", "OK"},        {2285, "Button", "参照(&B)"},  {2296, "Button", "ｷｬﾝｾﾙ"},
        {2298, "Button", "全終了(&X)"}, {2297, "Button", "ﾍﾙﾌﾟ(&H)"},
    };
    for (const auto& c : controls) {
        SCOPED_TRACE(c.id);
        HWND control = GetDlgItem(dialog, c.id);
        ASSERT_NE(nullptr, control);
        EXPECT_STRCASEEQ(c.cls, class_of(control).c_str());
        if (c.text) {
            EXPECT_EQ(sjis(c.text), text_of(control));
        }
    }
    DestroyWindow(dialog);
}

// ---- Version resource

namespace {
struct VersionApi {
    HMODULE dll = LoadLibraryA("version.dll");
    decltype(&GetFileVersionInfoSizeA) size =
        reinterpret_cast<decltype(&GetFileVersionInfoSizeA)>(GetProcAddress(dll, "GetFileVersionInfoSizeA"));
    decltype(&GetFileVersionInfoA) info =
        reinterpret_cast<decltype(&GetFileVersionInfoA)>(GetProcAddress(dll, "GetFileVersionInfoA"));
    decltype(&VerQueryValueA) query = reinterpret_cast<decltype(&VerQueryValueA)>(GetProcAddress(dll, "VerQueryValueA"));
    ~VersionApi() { FreeLibrary(dll); }
};
}  // namespace

TEST(Version, NumbersAndProductName) {
    VersionApi api;
    ASSERT_TRUE(api.size && api.info && api.query);
    char path[MAX_PATH];
    ASSERT_TRUE(GetModuleFileNameA(library(), path, sizeof path));
    DWORD ignored = 0;
    const DWORD size = api.size(path, &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> block(size);
    ASSERT_TRUE(api.info(path, 0, size, block.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(api.query(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(MAKELONG(3, 4), fixed->dwFileVersionMS);  // 4.3
    EXPECT_EQ(0u, fixed->dwFileVersionLS);              // .0.0
    EXPECT_EQ(MAKELONG(3, 4), fixed->dwProductVersionMS);
    EXPECT_EQ(0u, fixed->dwProductVersionLS);

    // The query paths come from the string table, as the engine builds them.
    MyLoadString(2000, 0);
    WORD* translation = nullptr;
    ASSERT_TRUE(api.query(block.data(), GetLoadStrMessage(), reinterpret_cast<void**>(&translation), &length));
    ASSERT_GE(length, 4u);
    EXPECT_EQ(0x0411, translation[0]);
    EXPECT_EQ(932, translation[1]);
    char language[16];
    wsprintfA(language, "%04x%04x", translation[0], translation[1]);
    MyLoadString(2001, 2002);  // "\StringFileInfo\" and "ProductName"
    const std::string product_query = std::string(GetLoadStrMessage()) + language + "\\" + GetLoadStrTitle();
    char* product = nullptr;
    ASSERT_TRUE(api.query(block.data(), product_query.c_str(), reinterpret_cast<void**>(&product), &length));
    EXPECT_STREQ("Ferrolan", product);
}

// ---- Manifest

TEST(Manifest, ResourceTwoInUsEnglish) {
    std::string_view bytes =
        resource_bytes(MAKEINTRESOURCEA(2), RT_MANIFEST, MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    ASSERT_FALSE(bytes.empty());
    const std::string xml(bytes);
    for (const char* part : {"level=\"asInvoker\"", "uiAccess=\"false\"", "name=\"Microsoft.Windows.Common-Controls\"",
                             "version=\"6.0.0.0\"", "processorArchitecture=\"x86\""})
        EXPECT_NE(std::string::npos, xml.find(part)) << part;
    EXPECT_EQ(1, count_resources(RT_MANIFEST));
}
