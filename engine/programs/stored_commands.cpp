// The user's named commands (at most 26): read from and written to the
// profile, run with the selected files, and listed in the command dialog.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>
#include "frame/error_state.h"
#include "frame/memory_blocks.h"
#include "frame/text.h"
#include "programs/command_dialogs.h"
#include "programs/launch.h"
#include "programs/launch_internal.h"
#include "programs/settings_link.h"

namespace {
constexpr int kMostCommands = 26;
constexpr int kCommandList = 2100;
constexpr int kRunButton = 2107;
constexpr DWORD kStopWriting = 255;  // the stored error at which writing stops

// One stored command: the command, the second text, and two numbers (the
// first asks for extra options before a run; the second is kept as read).
struct CommandEntry {
    HGLOBAL command;
    HGLOBAL second;
    LONG first_number;
    LONG second_number;
};
#ifndef _WIN64
static_assert(sizeof(CommandEntry) == 16, "four 32-bit words");
#endif

CommandEntry g_entries[kMostCommands];

std::string text_of(HGLOBAL block) {
    const char* p = block ? static_cast<const char*>(GlobalLock(block)) : nullptr;
    std::string text = p ? p : "";
    if (p) GlobalUnlock(block);
    return text;
}

bool is_number(const std::string& text) {
    std::size_t start = !text.empty() && text[0] == '-' ? 1 : 0;
    return text.size() > start && text.find_first_not_of("0123456789", start) == std::string::npos;
}

struct Parsed {
    std::string command, second;
    LONG first_number = 0, second_number = 0;
};

// "command" or "command<second>first:second". The full form counts only when
// both numbers are there, so a command that holds a colon (a drive) stays whole.
Parsed parse(const std::string& value) {
    Parsed out;
    out.command = value;
    std::size_t open = value.find('<'), close = value.rfind('>'), colon = value.rfind(':');
    if (open != std::string::npos && close != std::string::npos && colon != std::string::npos && open < close &&
        close < colon && is_number(value.substr(close + 1, colon - close - 1)) &&
        is_number(value.substr(colon + 1))) {
        out.command = value.substr(0, open);
        out.second = value.substr(open + 1, close - open - 1);
        out.first_number = std::atol(value.c_str() + close + 1);
        out.second_number = std::atol(value.c_str() + colon + 1);
    }
    std::size_t end = out.command.find_last_not_of(' ');
    out.command.resize(end == std::string::npos ? 0 : end + 1);
    return out;
}

// The value written for an entry: the command alone when nothing else is set.
std::string format(const CommandEntry& entry) {
    std::string command = text_of(entry.command), second = text_of(entry.second);
    if (second.empty() && entry.first_number == 0 && entry.second_number == 0) return command;
    char numbers[32];
    std::snprintf(numbers, sizeof numbers, "%ld%c%ld", static_cast<long>(entry.first_number), ':',
                  static_cast<long>(entry.second_number));
    return command + '<' + second + '>' + numbers;
}
}  // namespace

namespace ferro::programs {
std::vector<std::string> stored_command_texts() {
    std::vector<std::string> texts;
    for (const CommandEntry& entry : g_entries) texts.push_back(text_of(entry.command));
    return texts;
}
}  // namespace ferro::programs

LONG WINAPI ReadCommandStrings(HWND owner) {
    FreeMacroCommandHandle();
    std::vector<std::string> keys;
    LONG listed = ferro::programs::settings::list_current_keys(keys);
    if (keys.empty()) return listed;
    LONG last = 0;
    int count = 0;
    for (const std::string& key : keys) {
        if (count == kMostCommands) break;
        char value[520];
        if (ferro::programs::settings::read_current_text(key.c_str(), value) <= 0 || !*value) continue;
        Parsed parsed = parse(value);
        ConvertDosCharacterSet(parsed.command.data(), IsWhatCharacterSet());
        CommandEntry& entry = g_entries[count++];
        entry.command = SaveToGlobalMemory(owner, nullptr, parsed.command.c_str());
        entry.second = SaveToGlobalMemory(owner, nullptr, parsed.second.c_str());
        entry.first_number = parsed.first_number;
        entry.second_number = last = parsed.second_number;
    }
    return last;
}

LONG WINAPI SetCommandStrings(HKEY hive, LPCSTR section) {
    LONG written = 0;
    for (int i = 0; i < kMostCommands; ++i) {
        const CommandEntry& entry = g_entries[i];
        if (text_of(entry.command).empty()) continue;
        const char key[] = {char('A' + i), '\0'};
        if (ferro::programs::settings::write_text(hive, section, key, format(entry).c_str())) ++written;
        if (Get_nERRNO() == kStopWriting) break;
    }
    return written;
}

LONG WINAPI ExecuteCmdExe(HWND dialog, int index, int mode) {
    if (mode != -1) {
        // The dialog's list: its item goes to the template field and may be run.
        HWND list = GetDlgItem(dialog, kCommandList);
        LRESULT length = list ? SendMessageA(list, LB_GETTEXTLEN, WPARAM(index), 0) : LB_ERR;
        std::string text(length > 0 ? std::size_t(length) : 0, '\0');
        if (length > 0) SendMessageA(list, LB_GETTEXT, WPARAM(index), reinterpret_cast<LPARAM>(text.data()));
        bool runnable = text.find_first_not_of(' ') != std::string::npos;
        if (runnable) SetDlgItemTextA(dialog, ferro::programs::kTemplateField, text.c_str());
        EnableWindow(GetDlgItem(dialog, kRunButton), runnable);
        return 1;
    }
    if (index < 0 || index >= kMostCommands) return 1;
    const CommandEntry& entry = g_entries[index];
    std::string command = text_of(entry.command), extra = text_of(entry.second);
    if (command.empty()) return 1;
    if (entry.first_number != 0 && !ferro::programs::ask_extra_options(dialog, extra)) return 1;
    return ferro::programs::run_command_macro(dialog, command.c_str(), extra.c_str()) ? 1 : 0;
}

LONG WINAPI FreeMacroCommandHandle() {
    LONG freed = 0;
    for (CommandEntry& entry : g_entries) {
        for (HGLOBAL block : {entry.command, entry.second})
            if (block) {
                GlobalFree(block);
                ++freed;
            }
        entry = CommandEntry{};
    }
    return freed ? 1 : 0;
}
