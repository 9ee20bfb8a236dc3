// Writing associations: an extension names a file type, whose open command
// names the program. They are written to the user's classes, which
// HKEY_CLASSES_ROOT shows over the machine's and which a program may write
// without the administrator's rights.
#include <cstring>
#include <string>
#include "ferromes.h"
#include "frame/text.h"
#include "frame/text_internal.h"
#include "programs/file_types.h"
#include "programs/file_types_internal.h"
#include "settings/profile.h"
#include "settings/profile_internal.h"

using namespace ferro;

namespace {
constexpr char kOpenCommand[] = "\\shell\\open\\command";

// Stores the unnamed value of a key of the user's classes, making the key.
bool write_class_text(const std::string& path, const std::string& value) {
    registry::Key key;
    if (registry::create(HKEY_CURRENT_USER, programs::user_class_path(path).c_str(), KEY_WRITE | KEY_READ, key) !=
        ERROR_SUCCESS)
        return false;
    return registry::write_text(key.get(), nullptr, value.c_str(), value.size() + 1) == ERROR_SUCCESS;
}

// Removes a key of the user's classes with all below it.
bool delete_user_class(const std::string& path) {
    profile::forget_kept_keys();
    return RegDeleteTreeA(HKEY_CURRENT_USER, programs::user_class_path(path).c_str()) == ERROR_SUCCESS;
}

// The extension's key name: a period and the extension, lowered.
std::string extension_key(const char* extension) {
    std::string key = extension[0] == '.' ? extension : std::string(".") + extension;
    text::lower_in_place(key.data());
    return key;
}
}  // namespace

LONG WINAPI SetAssociatedExtForExecuteFileInRegistry(LPCSTR program, LPCSTR option, LPCSTR extensionKey,
                                                      LPCSTR typeName, LONG force) {
    if (text::is_empty(program) || text::is_empty(extensionKey) || text::is_empty(typeName)) return -1;
    std::string current;
    if (!force && programs::class_text(extensionKey, nullptr, current) && !current.empty()) {
        std::string command;
        if (programs::class_text(current + kOpenCommand, nullptr, command) &&
            profile::names_item(command.c_str(), program, 1, 1))
            return 0;  // the program opens these files already
    }
    char quoted[text::kPathSize];
    if (!text::copy_bounded(quoted, program, sizeof quoted - 2)) return -1;
    Add95QuotationForAnySpaceIfNotThere(quoted);
    std::string command = quoted;
    if (!text::is_empty(option)) command += std::string(" ") + option;
    if (command.size() >= text::kPathSize) return -1;
    std::string stored;
    registry::Key user;
    const bool same_type = registry::open(HKEY_CURRENT_USER, programs::user_class_path(extensionKey).c_str(), KEY_READ,
                                          user) == ERROR_SUCCESS &&
                           registry::read_whole_text(user.get(), nullptr, stored) &&
                           text::same_without_case(stored.c_str(), typeName);
    if (!same_type && !write_class_text(extensionKey, typeName)) return -1;
    return write_class_text(std::string(typeName) + kOpenCommand, command) ? 1 : -1;
}

LONG WINAPI myWriteFileExtensionSystemProfileString(LPCSTR, LPCSTR extension, LPCSTR program, LPCSTR) {
    if (text::is_empty(extension)) return 0;
    const std::string key = extension_key(extension);
    const std::string type = key.substr(1) + "file";
    if (GetUseInifileInsteadOfRegistry()) {
        // The portable setup keeps the product's own associations in its INI file.
        const std::string command = program ? std::string(program) + " \"%1\"" : std::string();
        return SetPrivateProfileString(HKEY_CLASSES_ROOT, profile::kExtensionsSection, key.c_str(),
                                       program ? command.c_str() : nullptr, 0);
    }
    if (!program) {
        const bool type_gone = delete_user_class(type);
        const bool extension_gone = delete_user_class(key);
        return type_gone && extension_gone ? 1 : 0;
    }
    // "ﾌｧｲﾙ" in double-byte form after the extension as given: "txtファイル".
    MyLoadString(8051, 0);
    char label[64];
    ChangeOneByteCodeToTwoByteCode(label, GetLoadStrMessage(), 6);
    const std::string command = std::string(program) + " \"%1\"";
    if (command.size() >= text::kPathSize) return 0;
    if (!write_class_text(key, type) || !write_class_text(type, std::string(extension) + label)) return 0;
    return write_class_text(type + kOpenCommand, command) ? 1 : 0;
}
