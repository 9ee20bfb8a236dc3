// Printing a rich edit control to a real printer: the CUPS server of the
// test run (scripts/print-server.sh, started by CTest on the loopback
// address) with its CUPS-PDF printer as the default. The PDF that lands in
// the user's ~/PDF is read back with pdftotext and kept, with its text, as
// artefacts. The printer maps the Courier face to its own Courier font, so
// the text in the PDF can be read back.
#include <gtest/gtest.h>
#include <windows.h>
#include <richedit.h>
#include <winspool.h>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>
#include "support/artefacts.h"
#include "support/temp_folder.h"
#include "viewer/rich_text.h"

namespace {
// A Windows path as the Unix side sees it.
std::string unix_path(const std::string& path) {
    using ToUnix = char*(CDECL*)(LPCWSTR);
    static auto to_unix = reinterpret_cast<ToUnix>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name"));
    std::wstring wide(path.size() + 1, L'\0');
    wide.resize(size_t(MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), int(wide.size()))));
    char* converted = to_unix ? to_unix(wide.c_str()) : nullptr;
    std::string out = converted ? converted : "";
    if (converted) HeapFree(GetProcessHeap(), 0, converted);
    return out;
}

// Where CUPS-PDF puts the pages of this user: ~/PDF.
std::string pdf_folder() {
    const char* home = std::getenv("WINEHOMEDIR");  // \??\Z:\root
    std::string folder = home ? home : "";
    if (folder.rfind("\\??\\", 0) == 0) folder.erase(0, 4);
    return folder + "\\PDF";
}

// The PDFs with their times of last writing. A print server started anew
// numbers its jobs from 1 again and overwrites a PDF of an earlier run under
// the same name: a PDF is new when its name or its time is.
using PdfList = std::map<std::string, ULONGLONG>;
PdfList pdfs() {
    PdfList names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((pdf_folder() + "\\*.pdf").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do names[found.cFileName] = ULONGLONG(found.ftLastWriteTime.dwHighDateTime) << 32 | found.ftLastWriteTime.dwLowDateTime;
    while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

// The first complete PDF with `title` in its name that was not there before
// (waits on the folder's change notifications, at most 120 s).
bool is_new(const PdfList& before, const PdfList::value_type& pdf) {
    const auto there = before.find(pdf.first);
    return there == before.end() || there->second != pdf.second;
}

std::string next_pdf(const PdfList& before, const char* title) {
    CreateDirectoryA(pdf_folder().c_str(), nullptr);
    HANDLE change = FindFirstChangeNotificationA(pdf_folder().c_str(), FALSE,
                                                 FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_SIZE |
                                                     FILE_NOTIFY_CHANGE_LAST_WRITE);
    const DWORD end = GetTickCount() + 120000;
    std::string result;
    while (result.empty() && GetTickCount() < end) {
        for (const auto& pdf : pdfs()) {
            // Other test runs may print to the same folder: only this run's title counts.
            const std::string& name = pdf.first;
            if (!is_new(before, pdf) || name.find(title) == std::string::npos) continue;
            const std::string text = ferro_test::read_file(pdf_folder() + "\\" + name);
            if (text.find("%%EOF", text.size() > 64 ? text.size() - 64 : 0) != std::string::npos) result = name;
        }
        if (result.empty()) {
            WaitForSingleObject(change, 500);
            FindNextChangeNotification(change);
        }
    }
    FindCloseChangeNotification(change);
    return result;
}

// pdftotext of the PDF, one string per page. The PDF and its text are kept.
std::vector<std::string> pages_of(const std::string& pdf, const char* keep_as) {
    const std::string kept = ferro_test::artefact((std::string(keep_as) + ".pdf").c_str());
    const std::string text_file = ferro_test::artefact((std::string(keep_as) + ".txt").c_str());
    CopyFileA((pdf_folder() + "\\" + pdf).c_str(), kept.c_str(), FALSE);
    DeleteFileA(text_file.c_str());
    // A Unix program started from Wine gives no handle to wait on: its
    // output is written aside and moved into place when complete.
    const std::string out = unix_path(text_file);
    std::string command = "/bin/sh -c \"pdftotext -layout '" + unix_path(kept) + "' '" + out + ".part' && mv '" +
                          out + ".part' '" + out + "'\"";
    STARTUPINFOA startup = {sizeof startup};
    PROCESS_INFORMATION process;
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return {};
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    const std::string folder = text_file.substr(0, text_file.rfind('\\'));
    HANDLE change = FindFirstChangeNotificationA(folder.c_str(), FALSE, FILE_NOTIFY_CHANGE_FILE_NAME);
    for (const DWORD end = GetTickCount() + 60000; GetFileAttributesA(text_file.c_str()) == INVALID_FILE_ATTRIBUTES &&
                                                   GetTickCount() < end;) {
        WaitForSingleObject(change, 500);
        FindNextChangeNotification(change);
    }
    FindCloseChangeNotification(change);
    std::vector<std::string> pages(1);
    for (char c : ferro_test::read_file(text_file)) {
        if (c == '\f') pages.emplace_back();
        else pages.back() += c;
    }
    if (pages.back().find_first_not_of(" \r\n") == std::string::npos) pages.pop_back();
    return pages;
}

class Printing : public testing::Test {
protected:
    static void SetUpTestSuite() {
        char name[256];
        DWORD size = sizeof name;
        if (std::getenv("CUPS_SERVER") && GetDefaultPrinterA(name, &size)) printer_ = name;
    }
    void SetUp() override {
        if (!std::getenv("CUPS_SERVER")) GTEST_SKIP() << "no print server: run under CTest (scripts/print-server.sh)";
        ASSERT_EQ("FerroPDF", printer_) << "the default printer is not the test server's";
        // The printer's own Courier must stand for the Courier face (set by
        // PrintSetup in an earlier process: the printer driver reads its
        // settings once per process).
        HDC dc = CreateDCA("WINSPOOL", printer_.c_str(), nullptr, nullptr);
        HFONT courier = CreateFontA(-50, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, FIXED_PITCH, "Courier");
        HGDIOBJ old = SelectObject(dc, courier);
        TEXTMETRICA metrics = {};
        GetTextMetricsA(dc, &metrics);
        SelectObject(dc, old);
        DeleteObject(courier);
        DeleteDC(dc);
        ASSERT_TRUE(metrics.tmPitchAndFamily & TMPF_DEVICE)
            << "the printer's Courier is not in effect: run test_viewer --gtest_filter=PrintSetup.* first";
        LoadLibraryA("riched20.dll");
        control_ = CreateWindowExA(0, "RichEdit20A", "", WS_POPUP | ES_MULTILINE, 0, 0, 400, 300, nullptr, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
        CHARFORMATA format = {};
        format.cbSize = sizeof format;
        format.dwMask = CFM_FACE | CFM_SIZE | CFM_CHARSET;
        format.yHeight = 200;
        format.bCharSet = ANSI_CHARSET;
        lstrcpyA(format.szFaceName, "Courier");
        SendMessageA(control_, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
        SendMessageA(control_, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
        font_ = CreateFontA(-50, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, FIXED_PITCH, "Courier");
        SetAbortPrinting(0);
        SetPrintRichTextContentsFormat(0);
        FreeSetFormatForRichTextContentsPointer();
        const double cm = 2.0;
        SetMarginForRichTextContents(&cm, &cm, &cm, &cm, 1);
    }
    void TearDown() override {
        DestroyWindow(control_);
        DeleteObject(font_);
    }
    void fill(int lines) {
        std::string text;
        for (int i = 1; i <= lines; ++i) text += "body line " + std::to_string(i) + "\r\n";
        SetWindowTextA(control_, text.c_str());
    }
    RichPrintRecord record(const char* file) { return {control_, nullptr, file, 0, 0, 0, font_, 1, 0, 0, nullptr}; }
    static inline std::string printer_;
    HWND control_ = nullptr;
    HFONT font_ = nullptr;
    ferro_test::TempFolder dir_;
};

// The progress window of a run: stops it at its second page.
int g_pages;
LRESULT CALLBACK progress_proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_APP + 7) {
        g_pages = int(wp);
        if (wp == 2) SetAbortPrinting(1);
        return 0;
    }
    return DefWindowProcA(w, m, wp, lp);
}

// The printer's own Courier for the Courier face, so that printed text can
// be read back; CTest runs this before the other tests, in a process of its
// own.
TEST(PrintSetup, PrinterCourierStandsForTheCourierFace) {
    char name[256];
    DWORD size = sizeof name;
    if (!std::getenv("CUPS_SERVER")) GTEST_SKIP() << "no print server: run under CTest (scripts/print-server.sh)";
    ASSERT_TRUE(GetDefaultPrinterA(name, &size));
    HANDLE printer;
    ASSERT_TRUE(OpenPrinterA(name, &printer, nullptr));
    EXPECT_EQ(ERROR_SUCCESS, SetPrinterDataExA(printer, "PrinterDriverData\\FontSubTable", "Courier", REG_SZ,
                                               reinterpret_cast<BYTE*>(const_cast<char*>("Courier")), 8));
    ClosePrinter(printer);
}

int count_of(const std::string& text, const std::string& what) {
    int n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}
}  // namespace

// Three pages, two copies each: every printed page has the file name, its
// page number in the header and the footer, and the file's date and time.
TEST_F(Printing, PagesHeadersFootersAndCopiesReachThePrinter) {
    const std::string file = dir_.file("print_sample.txt", "x");
    SYSTEMTIME stamp = {2024, 2, 0, 29, 13, 5, 9, 0};
    FILETIME local, utc;
    SystemTimeToFileTime(&stamp, &local);
    LocalFileTimeToFileTime(&local, &utc);
    HANDLE handle = CreateFileA(file.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    SetFileTime(handle, nullptr, nullptr, &utc);
    CloseHandle(handle);

    SetFormatStringForRichTextContents("&F", 0x40);
    SetFormatStringForRichTextContents("Page &P", 0x80);
    SetFormatStringForRichTextContents("&D &T", 0x100);
    SetFormatStringForRichTextContents("- &P -", 0x80 | 0x200);
    fill(130);
    const auto before = pdfs();
    RichPrintRecord r = record(file.c_str());
    r.copies = 2;
    ASSERT_EQ(1, PrintRichTextContents(&r));
    EXPECT_EQ(0, IsAbortPrinting());
    const std::string pdf = next_pdf(before, "print_sample");
    ASSERT_FALSE(pdf.empty()) << "no PDF arrived in " << pdf_folder();
    const auto pages = pages_of(pdf, "printed_pages");
    ASSERT_GE(pages.size(), 4u);
    ASSERT_EQ(0u, pages.size() % 2);
    for (size_t i = 0; i < pages.size(); ++i) {
        const std::string number = std::to_string(i / 2 + 1);
        EXPECT_NE(std::string::npos, pages[i].find("Page " + number)) << "page " << i << ":\n" << pages[i];
        EXPECT_NE(std::string::npos, pages[i].find("- " + number + " -")) << "page " << i;
        EXPECT_NE(std::string::npos, pages[i].find("print_sample.txt")) << "page " << i;
        EXPECT_NE(std::string::npos, pages[i].find("2024-02-29 13:05:09")) << "page " << i;
    }
    EXPECT_EQ(pages[0], pages[1]);  // the copies
    std::string all;
    for (size_t i = 0; i < pages.size(); i += 2) all += pages[i];
    for (int line : {1, 65, 130}) EXPECT_EQ(1, count_of(all, "body line " + std::to_string(line) + "\n")) << line;
}

// A run stopped at its second page, and a range past the end of the text,
// send nothing to the printer: the next PDF to arrive is the run after them.
TEST_F(Printing, CancelledRunsAndRangesPastTheEndPrintNothing) {
    WNDCLASSA kind = {};
    kind.lpfnWndProc = progress_proc;
    kind.hInstance = GetModuleHandleA(nullptr);
    kind.lpszClassName = "FerroPrintProgress";
    RegisterClassA(&kind);
    HWND progress = CreateWindowA("FerroPrintProgress", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, kind.hInstance, nullptr);
    SetFormatStringForRichTextContents("Page &P", 0x80);
    fill(130);
    const auto before = pdfs();
    RichPrintRecord cancelled = record("cancelled.txt");
    cancelled.progress = progress;
    cancelled.message = WM_APP + 7;
    ASSERT_EQ(1, PrintRichTextContents(&cancelled));
    EXPECT_EQ(2, g_pages);
    EXPECT_EQ(1, IsAbortPrinting());

    SetAbortPrinting(0);
    RichPrintRecord past = record("past_the_end.txt");
    past.firstPage = 40;
    ASSERT_EQ(1, PrintRichTextContents(&past));
    EXPECT_EQ(1, IsAbortPrinting());

    SetAbortPrinting(0);
    fill(3);
    RichPrintRecord after = record("after_them.txt");
    ASSERT_EQ(1, PrintRichTextContents(&after));
    const std::string pdf = next_pdf(before, "after_them");
    ASSERT_FALSE(pdf.empty()) << "no PDF arrived in " << pdf_folder();
    // The printer takes its jobs in order: the stopped runs would have come first.
    for (const auto& printed : pdfs()) {
        if (!is_new(before, printed)) continue;
        for (const char* stopped : {"cancelled", "past_the_end"})
            EXPECT_EQ(std::string::npos, printed.first.find(stopped)) << "printed though stopped: " << printed.first;
    }
    const auto pages = pages_of(pdf, "printed_after_cancel");
    EXPECT_EQ(1u, pages.size());
    DestroyWindow(progress);
}
