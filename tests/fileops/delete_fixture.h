// Shared by the delete, rename and search tests: a progress dialog with the
// controls the walk writes to, the reset of every run setting, and files
// with attributes.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <vector>
#include "fileops/delete.h"
#include "ferromes.h"
#include "frame/message_box.h"
#include "frame/message_pump.h"
#include "frame/text.h"
#include "programs/error_report.h"
#include "search/search_conditions.h"
#include "support/message_box_recorder.h"
#include "support/sjis.h"
#include "support/temp_folder.h"

namespace delete_test {
enum Control { kFolderControl = 101, kListControl = 102, kFileControl = 103, kCounterControl = 104 };

// A top-level window with a folder line, a list box, a file line and a counter.
class ProgressDialog {
public:
    ProgressDialog() {
        window_ = CreateWindowExA(0, "STATIC", "progress", WS_OVERLAPPEDWINDOW, 0, 0, 600, 400, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
        child("STATIC", kFolderControl, 10, 300);
        child("LISTBOX", kListControl, 40, 2000, LBS_HASSTRINGS);
        child("STATIC", kFileControl, 200, 300);
        child("STATIC", kCounterControl, 230, 100);
    }
    ~ProgressDialog() { DestroyWindow(window_); }
    ProgressDialog(const ProgressDialog&) = delete;
    ProgressDialog& operator=(const ProgressDialog&) = delete;
    HWND window() const { return window_; }
    HWND control(int id) const { return GetDlgItem(window_, id); }
    std::string text(int id) const {
        char buffer[1040] = {};
        GetDlgItemTextA(window_, id, buffer, sizeof buffer);
        return buffer;
    }
    std::vector<std::string> lines() const {
        std::vector<std::string> out;
        const LRESULT count = SendDlgItemMessageA(window_, kListControl, LB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            char buffer[2048] = {};
            SendDlgItemMessageA(window_, kListControl, LB_GETTEXT, i, reinterpret_cast<LPARAM>(buffer));
            out.push_back(buffer);
        }
        return out;
    }
    // All four controls for the next run.
    void attach(LONG selection = 0) {
        SetDlgBoxItemsForDeleting(window_, kFolderControl, kListControl, kFileControl, kCounterControl, nullptr,
                                  nullptr, selection);
    }

private:
    void child(const char* kind, int id, int top, int width, DWORD style = 0) {
        CreateWindowExA(0, kind, "", WS_CHILD | WS_VISIBLE | style, 10, top, width, kind[0] == 'L' ? 150 : 20,
                        window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr),
                        nullptr);
    }
    HWND window_;
};

inline void reset_run_settings() {
    SetTrashActivated(0, 0);
    SetAllDelByForce(0);
    SetNoerrorMessageOnDelete(0);
    SetNoHourCursorInDelwild(1);
    SetHandleForListedFilenameForDelWild(nullptr, 0);
    SetDlgBoxItemsForDeleting(nullptr, 0, 0, 0, 0, nullptr, nullptr, 0);
    SetMultipleFilesForDeleting(nullptr, nullptr);
    SetReturnedValueForDeleteOperation(0);
    ReleaseSearchedNameInFileName();
    FreeAllocateFoundFiles();
    SetChangeAttrInFileName(0);
    ResetCancellingFlags(0);
    ReleaseOutputFileMemoryHandle();
    SetWaitForErrorMessge(0);
    SetLanguage(1);
}

class DeleteTest : public testing::Test {
protected:
    void SetUp() override { reset_run_settings(); }
    void TearDown() override { reset_run_settings(); }
};

inline std::string message(UINT id) {
    MyLoadString(id, 0);
    return GetLoadStrMessage();
}
inline bool read_only(const std::string& path) {
    const DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_READONLY);
}
inline void make_read_only(const std::string& path) {
    SetFileAttributesA(path.c_str(), GetFileAttributesA(path.c_str()) | FILE_ATTRIBUTE_READONLY);
}
inline std::string report() {
    const char* p = GetOutputFileList();
    return p ? p : "";
}
// The magnitude of a result word.
inline LONG bits(LONG result) { return -result; }
}  // namespace delete_test
