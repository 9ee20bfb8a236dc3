// The verbs: the table of verbs whose commands are read for a file, and the
// table of shell commands that the association dialog lists and edits.
#include <iterator>
#include "frame/text.h"
#include "frame/text_internal.h"
#include "programs/file_types.h"
#include "programs/file_types_internal.h"

using namespace ferro;

namespace {
constexpr char kReadVerbs[][5] = {"open", "edit", "read", "new", "add"};

struct ShellCommand {
    const char* verb;
    LONG selected, standard, saved, by_system;
};

// Initial values: selected, default, saved copy, set by the system.
ShellCommand g_commands[] = {
    {"open", 1, 1, 1, 1},    {"edit", 1, 1, 1, 1},      {"new", 0, 0, 0, 0},   {"add", 0, 0, 0, 0},
    {"install", 0, 0, 0, 0}, {"explore", 0, 0, 0, 0},   {"find", 0, 0, 0, 0},  {"play", 1, 1, 0, 0},
    {"print", 0, 0, 0, 0},   {"subscribe", 0, 0, 0, 0}, {"properties", 0, 0, 0, 0},
};
constexpr LONG kRows = LONG(std::size(g_commands));

ShellCommand* row_of(const char* verb) {
    if (text::is_empty(verb)) return nullptr;
    for (ShellCommand& row : g_commands)
        if (text::same_without_case(row.verb, verb)) return &row;
    return nullptr;
}

template <class Change>
LONG each_row(Change change) {
    for (ShellCommand& row : g_commands) change(row);
    return 1;
}
}  // namespace

namespace ferro::programs {
bool is_read_verb(const char* key_name) {
    for (const char* verb : kReadVerbs)
        if (j_lstristr(key_name, verb)) return true;
    return false;
}

bool is_selected_verb(const char* key_name) {
    for (const ShellCommand& row : g_commands)
        if (row.selected > 0 && text::same_without_case(row.verb, key_name)) return true;
    return false;
}
}  // namespace ferro::programs

LPCSTR WINAPI GetCommandNameInRegistry(LONG index) {
    return index >= 0 && index < LONG(std::size(kReadVerbs)) ? kReadVerbs[index] : "";
}

LPCSTR WINAPI GetShellCommandNameInRegistry(LONG index, LONG* selectedOut, LONG* defaultOut) {
    // The table has eleven rows: 0 to 10.
    if (index < 0 || index >= kRows) {
        if (selectedOut) *selectedOut = -1;
        return nullptr;
    }
    if (selectedOut) *selectedOut = g_commands[index].selected;
    if (defaultOut) *defaultOut = g_commands[index].standard;
    return g_commands[index].verb;
}

LONG WINAPI SetCommandNameInRegistry(LPCSTR verb, LONG value) {
    ShellCommand* row = row_of(verb);
    if (!row) return 0;
    if (value != -3) row->selected = value;
    return 1;
}

LONG WINAPI SpecifyShellCommandInRegistry(LPCSTR verb) {
    SaveShellCommandInTemp();
    ShellCommand* named = row_of(verb);
    if (!named) return 0;
    each_row([&](ShellCommand& row) { row.selected = &row == named ? 1 : 0; });
    return 1;
}

LONG WINAPI SaveShellCommandInTemp() {
    return each_row([](ShellCommand& row) { row.saved = row.selected; });
}

LONG WINAPI RecoverShellCommandFromTemp() {
    return each_row([](ShellCommand& row) { row.selected = row.saved; });
}

LONG WINAPI IsShellCommandInRegistryAltered() {
    for (const ShellCommand& row : g_commands)
        if (row.selected != row.saved) return 1;
    return 0;
}

LONG WINAPI RecoverCommandNameInRegistry() {
    return each_row([](ShellCommand& row) { row.selected = row.standard; });
}

LONG WINAPI IsShellCmdSetBySystem(LPCSTR verb) {
    const ShellCommand* row = row_of(verb);
    return row ? row->by_system : 0;
}

LPSTR WINAPI FindOpenShellCommandDefault(LPCSTR text) { return text ? j_lstristr(text, "open as...") : nullptr; }
