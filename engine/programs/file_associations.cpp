// The programs that open a file: the commands registered for its
// extension, its file type and the alternative types, and the Explorer's
// per-user choices; and the platform's own answer (FindExecutable).
#include <windows.h>
#include <shellapi.h>
#include <cstring>
#include "frame/error_internal.h"
#include "frame/memory_blocks.h"
#include "frame/paths.h"
#include "frame/text.h"
#include "frame/text_internal.h"
#include "fs/dos_names.h"
#include "programs/file_types.h"
#include "programs/file_types_internal.h"

using namespace ferro;

namespace {
constexpr char kFileExts[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\";
MemoryTag g_temporary;  // the list when the caller gives no buffer

std::string joined(const std::string& a, const std::string& b) { return a + "\\" + b; }

// The program and options of an entry: what two entries are compared by.
std::string command_part(const std::string& entry) {
    const std::size_t caret = entry.rfind(" ^");
    return caret == std::string::npos ? entry : entry.substr(0, caret);
}

// The types of a file type's name and its per-user choices, in order.
class Types {
public:
    void add(const std::string& type) {
        if (type.empty()) return;
        for (const std::string& known : types_)
            if (text::same_without_case(known.c_str(), type.c_str())) return;
        types_.push_back(type);
    }
    const std::vector<std::string>& all() const { return types_; }

private:
    std::vector<std::string> types_;
};

// A text value of a key of HKEY_CURRENT_USER.
std::string user_text(const std::string& path, const char* name) {
    registry::Key key;
    std::string text;
    if (registry::open(HKEY_CURRENT_USER, path.c_str(), KEY_READ, key) == ERROR_SUCCESS)
        registry::read_whole_text(key.get(), name, text);
    return text;
}

std::vector<std::string> user_value_names(const std::string& path) {
    std::vector<std::string> names;
    registry::Key key;
    if (registry::open(HKEY_CURRENT_USER, path.c_str(), KEY_READ, key) != ERROR_SUCCESS) return names;
    char name[16384];
    for (DWORD index = 0;; ++index) {
        DWORD length = sizeof name;
        const LONG status = RegEnumValueA(key.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_NO_MORE_ITEMS) break;
        if (status == ERROR_SUCCESS && length > 0) names.emplace_back(name, length);
    }
    return names;
}

// The Explorer's choices for the extension: the types and applications the
// user picked, in the order the registry lists them.
void add_user_choices(const std::string& extension, Types& types) {
    const std::string path = kFileExts + extension;
    types.add(user_text(path, "Progid"));
    const std::string application = user_text(path, "Application");
    if (!application.empty()) types.add("Applications\\" + application);
    for (const std::string& progid : user_value_names(path + "\\OpenWithProgids")) types.add(progid);
    for (const std::string& name : user_value_names(path + "\\OpenWithList")) {
        if (text::same_without_case(name.c_str(), "MRUList")) continue;
        const std::string chosen = user_text(path + "\\OpenWithList", name.c_str());
        if (!chosen.empty()) types.add("Applications\\" + chosen);
    }
}

LONG add_type_commands(const std::string& type, programs::EntryList& list, bool arrange) {
    LONG added = 0;
    for (const programs::Command& command : programs::commands_of_type(type, programs::is_read_verb))
        if (list.add(command, type, arrange)) ++added;
    return added > 0 ? 1 : 0;
}

// Fills the caller's buffer, or the temporary block for a null one.
LONG write_list(const programs::EntryList& list, char* buffer, DWORD size) {
    if (!buffer) {
        DWORD got = 0;
        buffer = GetMemoryTagBySize(&g_temporary, DWORD(list.bytes()), &got);
        size = got;
    }
    return buffer && size >= 2 ? list.write(buffer, size) : 0;
}
}  // namespace

namespace ferro::programs {
std::vector<Command> commands_of_type(const std::string& type, bool (*wanted)(const char*)) {
    std::vector<Command> commands;
    std::string shell = joined(type, "Shell");
    if (!class_exists(shell)) shell = joined(type, "shell");
    if (!class_exists(shell)) shell = joined(type, "ShellNew");
    for (const std::string& verb : class_subkeys(shell)) {
        if (!wanted(verb.c_str())) continue;
        for (const std::string& sub : class_subkeys(joined(shell, verb))) {
            if (!j_lstristr(sub.c_str(), "command")) continue;
            Command command{{}, REG_SZ, verb};
            if (class_text(joined(joined(shell, verb), sub), nullptr, command.text, &command.type) &&
                !command.text.empty()) {
                commands.push_back(command);
                break;
            }
        }
    }
    return commands;
}

bool EntryList::add(const Command& command, const std::string& key, bool arrange) {
    std::string entry = command.text;
    if (arrange) {
        char work[text::kPathSize];
        if (!text::copy_bounded(work, command.text.c_str(), sizeof work) ||
            !ArrangeExefileWithOptionSeparated(key.c_str(), work, command.type, command.verb.c_str()))
            return false;
        entry = work;
    }
    const std::string part = command_part(entry);
    for (const std::string& known : entries_)
        if (text::same_without_case(command_part(known).c_str(), part.c_str())) return false;
    entries_.push_back(entry);
    return true;
}

LONG EntryList::write(char* buffer, std::size_t size) const {
    LONG written = 0;
    std::size_t used = 0;
    for (const std::string& entry : entries_) {
        if (used + entry.size() + 2 > size) break;
        std::memcpy(buffer + used, entry.c_str(), entry.size() + 1);
        used += entry.size() + 1;
        ++written;
    }
    buffer[used] = '\0';
    return written;
}

LONG collect_commands(const char* name, EntryList& list, bool arrange, std::string* type_out) {
    if (type_out) type_out->clear();
    char plain[text::kPathSize];
    if (text::is_empty(name) || !text::copy_bounded(plain, name, sizeof plain)) return 0;
    text::strip_quotes(plain);
    const char* found = GetFileExtension(plain);
    if (!found || !*found) return 0;
    const std::string extension = std::string(".") + found;

    Types types;
    types.add(found + std::string("file"));
    std::string named;
    DWORD type = REG_NONE;
    if (class_text(extension, nullptr, named, &type)) types.add(named);
    if (type_out) *type_out = named;
    for (const std::string& progid : class_value_names(joined(extension, "OpenWithProgids"))) types.add(progid);
    add_user_choices(extension, types);

    LONG giving = 0;
    for (const std::string& each : types.all()) giving += add_type_commands(each, list, arrange);
    return giving + add_type_commands(extension, list, arrange);
}
}  // namespace ferro::programs

LONG WINAPI IsFileRelatedByRegistry(LPSTR buffer, DWORD size, LPCSTR name) {
    programs::EntryList list;
    const LONG types = programs::collect_commands(name, list, true);
    write_list(list, buffer, size);
    return types;
}

LONG WINAPI IsFileRelatedByRegistryForFerro(LPSTR buffer, DWORD size, LPCSTR name, LONG noArrange, LPSTR work) {
    programs::EntryList list;
    std::string type;
    programs::collect_commands(name, list, noArrange == 0, &type);
    if (work) errors::Composer(work, text::kPathSize).add(type.c_str());
    write_list(list, buffer, size);
    return static_cast<LONG>(list.size());
}

LONG WINAPI IsFileRelatedByFindExecutable(LPSTR buffer, DWORD size, LPCSTR name, LONG mode) {
    if (text::is_empty(name)) return SE_ERR_FNF;
    char program[MAX_PATH + 1] = {};
    const INT_PTR code = reinterpret_cast<INT_PTR>(FindExecutableA(name, nullptr, program));
    if (code <= 32) return static_cast<LONG>(code);
    if (mode == 2) {
        // Old systems put a NUL where a blank of the program's path was.
        std::size_t end = MAX_PATH;
        while (end > 0 && program[end - 1] == '\0') --end;
        for (std::size_t i = 0; i < end; ++i)
            if (program[i] == '\0') program[i] = ' ';
    }
    program[MAX_PATH] = '\0';
    LONG result = static_cast<LONG>(code);
    if (buffer && size) {
        const std::size_t length = std::strlen(program);
        if (length + 2 > size) {
            result = 0;
        } else {
            std::memcpy(buffer, program, length + 1);
            buffer[length + 1] = '\0';
        }
    }
    return IsFileDirExist(program) ? result : -1;
}

LONG WINAPI FreeRegKeyMemory() {
    FreeMemoryTag(&g_temporary);
    programs::forget_listed_extensions();
    return 1;
}
