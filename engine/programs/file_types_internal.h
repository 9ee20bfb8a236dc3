// Inside the file types: the classes of the registry seen as Windows merges
// them, the commands of a file type, and lists of command entries.
#pragma once
#include <windows.h>
#include <string>
#include <vector>
#include "settings/registry_key.h"

namespace ferro::programs {
// ---- Verbs (shell_commands.cpp)
// The key name holds one of the verbs whose commands are read for a file.
bool is_read_verb(const char* key_name);
// The association dialog has the verb selected.
bool is_selected_verb(const char* key_name);

// ---- The classes (classes_root.cpp). HKEY_CLASSES_ROOT shows the user's
// classes (HKEY_CURRENT_USER\Software\Classes) over the machine's; where the
// platform does not merge them, the library does: a value is taken from the
// user's key first, subkeys and value names are the union of both halves.
// Associations are written to the user's half, which needs no administrator.
inline constexpr char kUserClasses[] = "Software\\Classes";
std::string user_class_path(const std::string& path);
// A text value (REG_SZ or REG_EXPAND_SZ) of a class key; `name` null for
// the unnamed value.
bool class_text(const std::string& path, const char* name, std::string& text, DWORD* type = nullptr);
bool class_exists(const std::string& path);
std::vector<std::string> class_subkeys(const std::string& path);
std::vector<std::string> class_value_names(const std::string& path);
// Extensions (keys beginning with a period) of both halves.
std::vector<std::string> class_extensions();

// ---- Commands (file_associations.cpp)
struct Command {
    std::string text;  // as the registry holds it
    DWORD type;        // REG_SZ or REG_EXPAND_SZ
    std::string verb;  // the verb key's name
};
// The commands of the verbs that `wanted` accepts, below the type's Shell
// key (or its ShellNew key when it has none).
std::vector<Command> commands_of_type(const std::string& type, bool (*wanted)(const char*));

// A list of command entries, each program and options once (without regard
// to case), written NUL-separated with a final NUL.
class EntryList {
public:
    // Adds the command as an entry (or as it is with `arrange` false); false
    // when an equal one is there already or it cannot be arranged.
    bool add(const Command& command, const std::string& key, bool arrange = true);
    void add_text(const std::string& text) { entries_.push_back(text); }
    std::size_t size() const { return entries_.size(); }
    std::size_t bytes() const {
        std::size_t total = 2;
        for (const std::string& entry : entries_) total += entry.size() + 1;
        return total;
    }
    // Writes the list into buffer (`size` bytes, at least 2); entries that do
    // not fit are left out. The number written.
    LONG write(char* buffer, std::size_t size) const;

private:
    std::vector<std::string> entries_;
};

// Collects the entries of a file into `list` (IsFileRelatedByRegistry);
// the number of types that gave entries. `type_out` receives the type the
// extension names, when not null.
LONG collect_commands(const char* name, EntryList& list, bool arrange, std::string* type_out = nullptr);

// ---- The listing of all extensions (extension_listing.cpp)
// Forgets the extensions the listing keeps between calls.
void forget_listed_extensions();
}  // namespace ferro::programs
