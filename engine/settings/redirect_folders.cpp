// Folders the system keeps apart: the Internet cache folders of the machine's
// Internet settings, and the per-user copies ("VirtualStore") that Windows
// Vista and later keep of files that programs wrote below protected folders.
#include <cstring>
#include "frame/error_internal.h"
#include "frame/text_internal.h"
#include "settings/places.h"
#include "settings/registry_key.h"
#include "settings/settings_internal.h"
#include "settings/special_folders.h"

using namespace ferro;

namespace {
constexpr std::size_t kPathSize = settings::kFolderPathSize;
constexpr char kRedirectSubfolder[] = "VirtualStore";
constexpr int kLocalApplicationData = 23;
constexpr char kCacheKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Cache";

// The "VirtualStore" folder; false when folder 23 is not known.
bool redirect_folder(char* out) {
    char base[kPathSize];
    out[0] = '\0';
    if (!settings::stored_folder(kLocalApplicationData, base)) return false;
    const std::size_t length = std::strlen(base);
    const bool separator = !mbcs::ends_with(base, length, text::kYen);
    if (length + (separator ? 1 : 0) + std::strlen(kRedirectSubfolder) >= kPathSize) return false;
    errors::Composer(out, kPathSize).add(base).add(separator ? "\\" : "").add(kRedirectSubfolder);
    return true;
}
}  // namespace

namespace ferro::settings {
bool redirect_copy_of(char* out, const char* path) {
    out[0] = '\0';
    char folder[kPathSize];
    if (!path || !redirect_folder(folder)) return false;
    const char* rest = path;
    if (text::is_drive_letter(rest[0]) && rest[1] == ':') rest += 2;
    while (*rest == text::kYen) ++rest;
    if (std::strlen(folder) + 1 + std::strlen(rest) >= kPathSize) return false;
    errors::Composer(out, kPathSize).add(folder).add(*rest ? "\\" : "").add(rest);
    return true;
}
}  // namespace ferro::settings

LPCSTR WINAPI GetRedirectSubfolderNameInVista() { return kRedirectSubfolder; }

LPSTR WINAPI GetRedirectFolderNameInVista(LPSTR buffer) {
    if (buffer) redirect_folder(buffer);
    return buffer;
}

LPSTR WINAPI MakeRedirectFolderInVista(LPSTR buffer, LPCSTR path) {
    if (!buffer) return nullptr;
    return settings::redirect_copy_of(buffer, path) ? buffer : nullptr;
}

LONG WINAPI GetInternetSettingDirectoryFromRegistry(LPSTR buffer, LONG number, LONG size) {
    static constexpr int kSubkeys[] = {12249, 11220, 11221};  // "Content", "Cookies", "History"
    if (!buffer) return 0;
    const std::size_t capacity = size > 0 ? static_cast<std::size_t>(size) : kPathSize;
    buffer[0] = '\0';
    if (number < 19 || number > 21) return 0;
    char subkey[kPathSize], path[kPathSize];
    settings::load_text(kSubkeys[number - 19], subkey);
    errors::Composer(path, sizeof path).add(kCacheKey).add("\\").add(subkey);
    registry::Key key;
    if (registry::open(HKEY_LOCAL_MACHINE, path, KEY_READ, key) != ERROR_SUCCESS) return 0;
    return registry::read_text(key.get(), "CachePath", buffer, capacity) == registry::Read::text && buffer[0] ? 1 : 0;
}
