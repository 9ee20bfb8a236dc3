// The function-key order: for each command slot the number of the key that
// stands for it, its virtual-key code, and the codes last read from the
// profile (to tell whether the user changed them).
#include <cstring>
#include <string>
#include "frame/error_internal.h"
#include "settings/profile.h"
#include "settings/profile_internal.h"
#include "ui/function_keys.h"
#include "ui/ui_internal.h"

using namespace ferro;
using ui::kFunctionKeys;

namespace {
constexpr LONG kDefaultCodes[kFunctionKeys] = {0x70, 0x71, 0x72, 0x73, 0x74, 0x75,
                                               0x76, 0x77, 0x78, 0x79, 0x7A, 0x7B};  // VK_F1 to VK_F12
constexpr char kOrderKey[] = "Order";

LONG g_order[kFunctionKeys] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
LONG g_codes[kFunctionKeys] = {0x70, 0x71, 0x72, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7A, 0x7B};
// Nothing read yet counts as the keys in their order.
LONG g_loaded[kFunctionKeys] = {0x70, 0x71, 0x72, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7A, 0x7B};
LONG g_always_altered = 0;

bool is_slot(LONG slot) { return slot >= 0 && slot < kFunctionKeys; }

LONG reset() {
    ui::reset_function_keys();
    return kFunctionKeys;
}

bool is_identity() {
    for (int i = 0; i < kFunctionKeys; ++i)
        if (g_order[i] != i) return false;
    return true;
}

// The key a token names: 1 to 12; 0 when it is no number; -1 for a number
// no key has.
int key_number(const std::string& token) {
    if (token.empty() || token.find_first_not_of("0123456789") != std::string::npos) return 0;
    if (token.size() > 2) return -1;
    const int n = std::stoi(token);
    return n >= 1 && n <= kFunctionKeys ? n : -1;
}
}  // namespace

namespace ferro::ui {
void reset_function_keys() {
    for (int i = 0; i < kFunctionKeys; ++i) assign_function_key(i, i);
}

void assign_function_key(int slot, int key) {
    g_order[slot] = key;
    g_codes[slot] = kDefaultCodes[key];
}
}  // namespace ferro::ui

LONG WINAPI GetFunctionKeycode(LONG slot) { return is_slot(slot) ? g_codes[slot] : 0; }
LONG WINAPI GetFunctionCurrentOrder(LONG slot) { return is_slot(slot) ? g_order[slot] : -1; }
LONG WINAPI SetFunctionKeyOrderAlwaysAltered(LONG flag) { return g_always_altered = flag; }

LONG WINAPI IsFunctionKeyOrderAltered() {
    if (g_always_altered) return 1;
    for (int i = 0; i < kFunctionKeys; ++i)
        if (g_codes[i] != g_loaded[i]) return 1;
    return 0;
}

LONG WINAPI ReadFuncKeyString(LONG) {
    char text[520];
    myGetPrivateProfileString(kOrderKey, "", text, sizeof text);
    if (!text[0]) return reset();
    // A token that is no number repeats the one before (none before: no key).
    LONG number = 0, code = 0;
    int slot = 0;
    for (const char* token = text;;) {
        const char* comma = std::strchr(token, ',');
        const std::string word(token, comma ? std::size_t(comma - token) : std::strlen(token));
        const int n = key_number(word);
        // A 0, a number no key has, or a thirteenth entry: the text is damaged.
        if (n < 0 || slot >= kFunctionKeys) return reset();
        if (n > 0) {
            number = n - 1;
            code = kDefaultCodes[number];
        }
        g_order[slot] = number;
        g_codes[slot] = g_loaded[slot] = code;
        ++slot;
        if (!comma || !comma[1]) break;
        token = comma + 1;
    }
    return code == 0 ? reset() : code;
}

LONG WINAPI SetFunctionStrings(HKEY hive, LPCSTR section) {
    if (is_identity()) {
        profile::close_hive(hive);
        return 1;
    }
    char text[64];
    errors::Composer out(text, sizeof text);
    for (int i = 0; i < kFunctionKeys; ++i) {
        char number[8];
        wsprintfA(number, i ? ",%d" : "%d", g_order[i] + 1);
        out.add(number);
    }
    return SetStrInRegistry(hive, section, "", kOrderKey, text);
}
