// Shared by the tests of the message boxes and error texts: a fixture that
// puts the box state, language and error state back to their start values,
// and the texts the boxes are expected to carry.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "ferromes.h"
#include "frame/error_boxes.h"
#include "frame/error_texts.h"
#include "frame/message_box.h"
#include "frame/paths.h"
#include "frame/text.h"
#include "frame/error_state.h"
#include "support/message_box_recorder.h"
#include "support/sjis.h"

namespace error_test {
inline void reset_box_state() {
    SetWaitForErrorMessge(0);
    SetDisableBoxBeforeMessageBox(nullptr, nullptr);
    DonotShowTitleDlg(0);
    SetHelpDosErrorMessage(MB_ICONEXCLAMATION, nullptr);
    SetExtraErrorMessage(nullptr);
    SetLanguage(1);
    SetRemoveLastYenmark(0);
    Set_nERRNO(0);
    Set_errno(0);
    FreeDosErrorMesHandle();
}

class ErrorBoxTest : public testing::Test {
protected:
    void SetUp() override { reset_box_state(); }
    void TearDown() override { reset_box_state(); }
};

// A message of ferromes by number.
inline std::string message(UINT id) {
    MyLoadString(id, 0);
    return GetLoadStrMessage();
}

// The platform's text of a Win32 error, as the library asks for it.
inline std::string platform_text(DWORD error, const char* insert = nullptr, bool trimmed = true) {
    DWORD_PTR args[16];
    for (auto& a : args) a = reinterpret_cast<DWORD_PTR>("");
    args[0] = reinterpret_cast<DWORD_PTR>(insert);
    DWORD flags = FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                  (insert ? FORMAT_MESSAGE_ARGUMENT_ARRAY : FORMAT_MESSAGE_IGNORE_INSERTS);
    char* text = nullptr;
    if (!FormatMessageA(flags, nullptr, error, 0, reinterpret_cast<LPSTR>(&text), 0,
                        insert ? reinterpret_cast<va_list*>(args) : nullptr))
        return {};
    std::string out = text;
    LocalFree(text);
    while (trimmed && !out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
    return out;
}

inline const std::string kWindows = "Windows>>";
inline std::string fallback_ja() { return ferro_test::sjis("ｴﾗｰが発生しました。"); }
}  // namespace error_test
