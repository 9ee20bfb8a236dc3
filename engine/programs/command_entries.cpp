// Command entries: a registry command rewritten as program, tab, options,
// " ^" and the key it came from, "|" and the verb key; and split again.
#include <cstring>
#include <string>
#include "frame/mbcs.h"
#include "frame/text.h"
#include "frame/text_internal.h"
#include "programs/file_types.h"
#include "settings/places.h"

using namespace ferro;

namespace {
// Expands the environment names of a part of a command (within 520 bytes).
std::string expanded(const std::string& part) {
    char work[text::kPathSize];
    if (!text::copy_bounded(work, part.c_str(), sizeof work)) return part;
    ReplaceSystemRoot(work);
    return work;
}

// Cuts the text at the last single-byte `mark` and returns what followed it.
char* cut_at_last(char* text, char mark) {
    char* at = mbcs::find_last(text, mark);
    if (!at) return nullptr;
    *at = '\0';
    return at + 1;
}
}  // namespace

LONG WINAPI ArrangeExefileWithOptionSeparated(LPCSTR key, LPSTR command, DWORD type, LPCSTR verb) {
    char work[text::kPathSize];
    if (!command || !text::copy_bounded(work, command, sizeof work)) return 0;
    LPSTR arguments = nullptr;
    const char* start = ExtractExefile(work, &arguments, 0);
    std::string program = start ? start : "";
    std::string options = arguments ? SkipSpaceAtBeginning(arguments) : "";
    if (type == REG_EXPAND_SZ) {
        program = expanded(program);
        options = expanded(options);
    }
    if (program.find('%') == std::string::npos) {
        ConvertDosCharacterSet(program.data(), IsWhatCharacterSet());
    }
    std::string entry = program + "\t" + options + " ^" + (key ? key : "");
    if (!text::is_empty(verb)) entry += std::string("|") + verb;
    if (entry.size() >= text::kPathSize) return 0;
    std::memcpy(command, entry.c_str(), entry.size() + 1);
    return static_cast<LONG>(entry.size());
}

LPSTR WINAPI GetExecuteFileName(LPSTR entry, LPSTR* program, LPSTR* options, LPSTR* key, LPSTR* verb) {
    if (options) *options = nullptr;
    if (key) *key = nullptr;
    if (verb) *verb = nullptr;
    if (program) *program = entry;
    if (!entry) return nullptr;
    // A bar in the options is no verb mark: the verb follows the key.
    const char* caret = mbcs::find_last(entry, '^');
    const char* bar = mbcs::find_last(entry, '|');
    if (bar && (!caret || bar > caret)) {
        char* after = cut_at_last(entry, '|');
        if (verb) *verb = after;
    }
    // The key is all that follows the mark: its first character is kept.
    if (char* after = cut_at_last(entry, '^'); after && key) *key = after;
    if (char* after = cut_at_last(entry, '\t')) {
        DeleteSpaceAtEnd(after);
        if (options) *options = after;
    }
    return entry;
}
