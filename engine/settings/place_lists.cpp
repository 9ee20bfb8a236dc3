// Path tests shared by the favourite folders and the folder history, and the
// calls that keep both lists in step with the file operations.
#include <cstring>
#include "frame/mbcs.h"
#include "frame/text_internal.h"
#include "fs/path_spelling.h"
#include "settings/favorites.h"
#include "settings/place_follow.h"
#include "settings/place_lists.h"

namespace ferro::settings {
bool at_or_below(const char* path, const char* folder) {
    if (text::is_empty(path) || text::is_empty(folder)) return false;
    const std::size_t n = std::strlen(folder);
    if (std::strlen(path) < n) return false;
    for (std::size_t i = 0; i < n;) {
        const int size = mbcs::char_size(folder + i);
        if (mbcs::char_size(path + i) != size ||
            text::fold_char(reinterpret_cast<const unsigned char*>(path + i), size) !=
                text::fold_char(reinterpret_cast<const unsigned char*>(folder + i), size))
            return false;
        i += static_cast<std::size_t>(size);
    }
    return path[n] == '\0' || mbcs::char_at(path, n, text::kYen) || mbcs::ends_with(folder, n, text::kYen);
}

bool renamed_path(const std::string& path, const char* oldName, const char* newName, std::string& out) {
    if (text::is_empty(newName) || !at_or_below(path.c_str(), oldName)) return false;
    std::size_t n = std::strlen(oldName);
    std::string rest = path.substr(n);
    std::string result = newName;
    // "C:\" renamed keeps one yen mark between the parts.
    if (!rest.empty() && rest[0] != '\\' && !mbcs::ends_with(result.c_str(), result.size(), text::kYen)) result += '\\';
    if (!rest.empty() && rest[0] == '\\' && mbcs::ends_with(result.c_str(), result.size(), text::kYen)) rest.erase(0, 1);
    result += rest;
    if (result.size() > text::kPathMax) return false;
    out = result;
    return true;
}

std::string stored_spelling(const std::string& path) {
    char buffer[text::kPathSize];
    if (!text::copy_bounded(buffer, path.c_str())) return path;
    if (!GetReformed95PathNameFromOS(buffer, 8 | 16, 0)) return path;
    return buffer;
}
}  // namespace ferro::settings

namespace ferro::places {
void follow_folder_deleted(const char* folder) {
    DeleteInHistoryDirectory(folder);
    DeleteDirectoryNameInGlobalHandleForFavoriteDir(nullptr, folder);
}

void follow_folder_renamed(const char* from, const char* to) {
    RenameInHistoryDirectory(nullptr, to, from);
    RenameDirectoryNameInGlobalHandleForFavoriteDir(nullptr, to, from);
}
}  // namespace ferro::places
