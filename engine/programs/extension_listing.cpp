// All registered extensions, one at a time, for the association dialog:
// each with its type and the commands of the verbs the dialog selected.
// The list of extensions is read once, at index 0, and kept until the next
// start or FreeRegKeyMemory. Search handlers (PersistentHandler keys) are no
// types and give nothing; commands that run rundll32 open parts of the
// system, not programs, and are left out.
#include <cstring>
#include <string>
#include <vector>
#include "frame/error_internal.h"
#include "frame/text.h"
#include "frame/text_internal.h"
#include "programs/file_types.h"
#include "programs/file_types_internal.h"
#include "settings/profile.h"

using namespace ferro;

namespace {
std::vector<std::string> g_extensions;

void add_commands(programs::EntryList& list, const std::string& type) {
    for (const programs::Command& command : programs::commands_of_type(type, programs::is_selected_verb))
        if (!j_lstristr(command.text.c_str(), "rundll32")) list.add(command, type);
}

LONG start_or_go_on(LONG index, LPSTR extensionOut, LONG* foundOut) {
    if (foundOut) *foundOut = 0;
    if (extensionOut) extensionOut[0] = '\0';
    return index < 0 ? 0 : index;
}

LONG found_at(LONG index, const std::string& extension, LPSTR extensionOut, LONG* foundOut) {
    if (extensionOut) errors::Composer(extensionOut, text::kPathSize).add(extension.c_str());
    if (foundOut) *foundOut = 1;
    return index + 1;
}
}  // namespace

namespace ferro::programs {
void forget_listed_extensions() { std::vector<std::string>().swap(g_extensions); }
}  // namespace ferro::programs

LONG WINAPI myDirectGetFileExtensionSystemProfileString(LPSTR buffer, DWORD size, LONG index, LPSTR extensionOut,
                                                        LONG* foundOut) {
    index = start_or_go_on(index, extensionOut, foundOut);
    if (index == 0 || g_extensions.empty()) g_extensions = programs::class_extensions();
    for (; index < LONG(g_extensions.size()); ++index) {
        const std::string& extension = g_extensions[index];
        std::string type;
        programs::class_text(extension, nullptr, type);
        programs::EntryList list;  // the type first, then the entries
        list.add_text(type);
        if (!type.empty()) add_commands(list, type);
        add_commands(list, extension);
        if (list.size() < 2) continue;
        if (buffer && size >= 2) list.write(buffer, size);
        return found_at(index, extension, extensionOut, foundOut);
    }
    return -1;
}

LONG WINAPI myGetFileExtensionSystemProfileString(LPSTR buffer, DWORD size, LONG index, LPSTR extensionOut,
                                                  LONG* foundOut) {
    if (!GetUseInifileInsteadOfRegistry())
        return myDirectGetFileExtensionSystemProfileString(buffer, size, index, extensionOut, foundOut);
    // The portable setup: the product's own associations in the INI file.
    index = start_or_go_on(index, extensionOut, foundOut);
    std::vector<char> names(65536);
    const LONG count = ListAllSubkeysSeparatedByZero(HKEY_CLASSES_ROOT, "", names.data(), DWORD(names.size()), 0);
    const char* name = names.data();
    for (LONG i = 0; i < index && *name; ++i) name += std::strlen(name) + 1;
    if (index >= count || !*name) return -1;
    char command[text::kPathSize];
    FindPrivateProfileString(HKEY_CLASSES_ROOT, "", name, "", command, sizeof command);
    const std::string type = std::string(name[0] == '.' ? name + 1 : name) + "file";
    if (buffer && size >= 2) {
        programs::EntryList list;
        list.add_text(type);
        list.add({command, REG_SZ, "open"}, name);
        list.write(buffer, size);
    }
    return found_at(index, name, extensionOut, foundOut);
}
