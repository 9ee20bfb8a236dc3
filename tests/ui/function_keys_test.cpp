#include <functional>
#include <string>
#include <vector>
#include "ferromes.h"
#include "frame/handles.h"
#include "settings/profile_fixture.h"
#include "support/message_box_recorder.h"
#include "support/screenshot.h"
#include "support/sjis.h"
#include "ui/function_keys.h"

using ferro_test::sjis;

namespace {
std::vector<LONG> codes() {
    std::vector<LONG> all;
    for (LONG slot = 0; slot < 12; ++slot) all.push_back(GetFunctionKeycode(slot));
    return all;
}
const std::vector<LONG> kIdentity = {0x70, 0x71, 0x72, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7A, 0x7B};

std::vector<LONG> with(std::vector<LONG> all, std::initializer_list<std::pair<int, LONG>> changes) {
    for (const auto& [slot, code] : changes) all[slot] = code;
    return all;
}

void reset_order() {
    EndIniAccessForReading();
    EXPECT_EQ(ReadFuncKeyString(0), 12) << "nothing to read: the keys in their order";
}

struct FunctionKeyOrder : ProfileFixture {
    // Stores "Order" (none for null) and reads it as the host does.
    LONG read(const char* order) {
        const Place at = place("FunctionKey");
        if (order) SetPrivateProfileString(at.hive, at.section.c_str(), "Order", order, 0);
        else EraseIndividualSectionName(at.hive, at.section.c_str(), "Order");
        StartIniAccessForReading(0);
        SetSectionNameForReading("FunctionKey");
        const LONG result = ReadFuncKeyString(0);
        EndIniAccessForReading();
        return result;
    }
};

// The modal dialog is driven from a timer that its own message loop runs.
std::function<void(HWND)> g_script;
int g_waits;
void CALLBACK drive(HWND, UINT, UINT_PTR id, DWORD) {
    HWND dialog = FindWindowA("#32770", sjis("Ferrolan:ﾌｧﾝｸｼｮﾝｷｰ設定").c_str());
    if ((!dialog || !IsWindowVisible(dialog)) && ++g_waits < 500) return;  // at most five seconds
    KillTimer(nullptr, id);
    ASSERT_TRUE(dialog) << "the dialog is shown";
    g_script(dialog);
}

INT_PTR run_dialog(std::function<void(HWND)> script) {
    g_script = std::move(script);
    g_waits = 0;
    SetTimer(nullptr, 0, 10, drive);
    return OpenFunkKeyDialog(nullptr, 0);
}

void choose(HWND dialog, int slot, int key) {
    const HWND list = GetDlgItem(dialog, 2230 + slot);
    SendMessageA(list, CB_SETCURSEL, key, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(2230 + slot, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

INT_PTR CALLBACK no_procedure(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

std::string item_text(HWND dialog, int id) {
    char text[1040];
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}
}  // namespace

TEST_P(FunctionKeyOrder, ReadFromTheProfileAndWrittenBack) {
    struct Row {
        const char* order;
        LONG result;
        std::vector<LONG> codes;
    } rows[] = {
        {"2,1,3,4,5,6,7,8,9,10,11,12", 0x7B, with(kIdentity, {{0, 0x71}, {1, 0x70}})},
        {"0,1,2", 12, kIdentity},
        {nullptr, 12, kIdentity},
        {"3,x,5", 0x74, with(kIdentity, {{0, 0x72}, {1, 0x72}, {2, 0x74}})},
        {"12,", 0x7B, with(kIdentity, {{0, 0x7B}})},
        {"x", 12, kIdentity},
        {"13,1", 12, kIdentity},                              // no key has number 13
        {"1,2,3,4,5,6,7,8,9,10,11,12,1", 12, kIdentity},      // a thirteenth entry
        {"9999999999,1", 12, kIdentity},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.order ? row.order : "(none)");
        EXPECT_EQ(read(nullptr), 12);
        EXPECT_EQ(read(row.order), row.result);
        EXPECT_EQ(codes(), row.codes);
    }
    const std::string garbage(600, ',');
    EXPECT_EQ(read(garbage.c_str()), 12) << "a damaged text gives the keys in their order";

    EXPECT_EQ(read("2,1,3,4,5,6,7,8,9,10,11,12"), 0x7B);
    EXPECT_EQ(GetFunctionCurrentOrder(0), 1);
    EXPECT_EQ(GetFunctionCurrentOrder(12), -1);
    EXPECT_EQ(GetFunctionKeycode(-1), 0);
    EXPECT_EQ(IsFunctionKeyOrderAltered(), 0) << "as read";
    SetFunctionKeyOrderAlwaysAltered(1);
    EXPECT_EQ(IsFunctionKeyOrderAltered(), 1);
    SetFunctionKeyOrderAlwaysAltered(0);
    const Place at = place("Written");
    EXPECT_EQ(SetFunctionStrings(at.hive, at.section.c_str()), 1);
    EXPECT_EQ(stored("Written", "Order"), "2,1,3,4,5,6,7,8,9,10,11,12");
    EXPECT_EQ(read(nullptr), 12);
    EXPECT_EQ(SetFunctionStrings(at.hive, (at.section + "Not").c_str()), 1);
    EXPECT_FALSE(stored("WrittenNot", "Order")) << "the keys in their order are not written";
}

INSTANTIATE_TEST_SUITE_P(BothStores, FunctionKeyOrder, testing::Values(Store::registry, Store::ini), store_name);

TEST(FunctionKeyDialog, TwoKeysChangedThenOkAndCancel) {
    reset_order();
    std::string duplicates, marker0, marker1;
    EXPECT_EQ(run_dialog([&](HWND dialog) {
                  EXPECT_EQ(SendDlgItemMessageA(dialog, 2231, CB_GETCURSEL, 0, 0), 1);
                  choose(dialog, 0, 2);  // F3 twice
                  duplicates = item_text(dialog, 2243);
                  marker0 = item_text(dialog, 2250), marker1 = item_text(dialog, 2252);
                  ferro_test::save_window_picture(dialog, "function-key-dialog");
                  choose(dialog, 2, 0);  // and F1 for slot 2: no key twice
                  EXPECT_EQ(item_text(dialog, 2243), "");
                  EXPECT_EQ(item_text(dialog, 2250), "");
                  SendMessageA(dialog, WM_COMMAND, IDOK, 0);
              }),
              1);
    MyLoadString(7021, 0);
    char expected[1040];
    wsprintfA(expected, GetLoadStrMessage(), "F3 3 ");
    EXPECT_EQ(duplicates, expected);
    EXPECT_EQ(marker0 + marker1, ">>");
    EXPECT_EQ(codes(), with(kIdentity, {{0, 0x72}, {2, 0x70}}));
    EXPECT_EQ(IsFunctionKeyOrderAltered(), 1);

    EXPECT_EQ(run_dialog([](HWND dialog) {
                  choose(dialog, 1, 11);
                  SendMessageA(dialog, WM_COMMAND, 91, 0);
              }),
              0);
    EXPECT_EQ(run_dialog([](HWND dialog) { PostMessageA(dialog, WM_CLOSE, 0, 0); }), 0);
    EXPECT_EQ(codes(), with(kIdentity, {{0, 0x72}, {2, 0x70}})) << "cancel changes nothing";
    EXPECT_EQ(run_dialog([](HWND dialog) {
                  SendMessageA(dialog, WM_COMMAND, 2242, 0);
                  SendMessageA(dialog, WM_COMMAND, IDOK, 0);
              }),
              1);
    EXPECT_EQ(codes(), kIdentity);
}

TEST(FunctionKeyDialog, ADialogThatCannotBeMadeIsReported) {
    ferro_test::MessageBoxRecorder boxes;
    boxes.answer(IDOK);
    EXPECT_EQ(DisplayBox(nullptr, no_procedure, "NoSuchTemplate", GetDllInstance()), -1);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    MyLoadString(8101, 8102);
    EXPECT_EQ(boxes.boxes()[0].text, GetLoadStrMessage());
    EXPECT_EQ(boxes.boxes()[0].caption, GetLoadStrTitle());
    EXPECT_EQ(boxes.boxes()[0].style & MB_ICONMASK, UINT(MB_ICONEXCLAMATION));
}
