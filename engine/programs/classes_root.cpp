// The classes of the registry as Windows merges them: the user's classes
// over the machine's.
#include "frame/text_internal.h"
#include "programs/file_types_internal.h"

namespace ferro::programs {
namespace {
// The two halves of a class key that exist, the user's first.
std::vector<registry::Key> open_halves(const std::string& path) {
    std::vector<registry::Key> halves;
    registry::Key user, machine;
    if (registry::open(HKEY_CURRENT_USER, user_class_path(path).c_str(), KEY_READ, user) == ERROR_SUCCESS)
        halves.push_back(std::move(user));
    if (registry::open(HKEY_CLASSES_ROOT, path.c_str(), KEY_READ, machine) == ERROR_SUCCESS)
        halves.push_back(std::move(machine));
    return halves;
}

void add_once(std::vector<std::string>& names, const char* name) {
    for (const std::string& known : names)
        if (text::same_without_case(known.c_str(), name)) return;
    names.emplace_back(name);
}

template <class Enumerate>
std::vector<std::string> union_of(const std::string& path, Enumerate enumerate) {
    std::vector<std::string> names;
    for (const registry::Key& half : open_halves(path)) {
        char name[16384];
        for (DWORD index = 0;; ++index) {
            DWORD length = sizeof name;
            const LONG status = enumerate(half.get(), index, name, &length);
            if (status == ERROR_NO_MORE_ITEMS) break;
            if (status == ERROR_SUCCESS && length > 0) add_once(names, name);
            if (status != ERROR_SUCCESS && status != ERROR_MORE_DATA) break;
        }
    }
    return names;
}
}  // namespace

std::string user_class_path(const std::string& path) {
    return path.empty() ? std::string(kUserClasses) : std::string(kUserClasses) + "\\" + path;
}

bool class_text(const std::string& path, const char* name, std::string& text, DWORD* type) {
    for (const registry::Key& half : open_halves(path))
        if (registry::read_whole_text(half.get(), name, text, type)) return true;
    text.clear();
    return false;
}

bool class_exists(const std::string& path) { return !open_halves(path).empty(); }

std::vector<std::string> class_subkeys(const std::string& path) {
    return union_of(path, [](HKEY key, DWORD index, char* name, DWORD* length) {
        return RegEnumKeyExA(key, index, name, length, nullptr, nullptr, nullptr, nullptr);
    });
}

std::vector<std::string> class_value_names(const std::string& path) {
    return union_of(path, [](HKEY key, DWORD index, char* name, DWORD* length) {
        return RegEnumValueA(key, index, name, length, nullptr, nullptr, nullptr, nullptr);
    });
}

std::vector<std::string> class_extensions() {
    std::vector<std::string> extensions;
    for (const std::string& name : class_subkeys(""))
        if (name[0] == '.') extensions.push_back(name);
    return extensions;
}
}  // namespace ferro::programs
