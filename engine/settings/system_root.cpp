// Expanding the environment names of a stored path or command.
#include <string>
#include "frame/mbcs.h"
#include "settings/places.h"
#include "settings/special_folders.h"

using namespace ferro;

namespace {
// The value of an environment variable in the code page, or false when it is
// not set. Asked in UTF-16: the code-page form of the call loses the second
// byte of double-byte characters on some platforms.
bool environment_value(const std::string& name, std::string& value) {
    wchar_t wide_name[1024], wide_value[4096];
    if (!MultiByteToWideChar(CP_ACP, 0, name.c_str(), -1, wide_name, 1024)) return false;
    const DWORD length = GetEnvironmentVariableW(wide_name, wide_value, 4096);
    if (length == 0 || length >= 4096) return false;
    char converted[8192];
    const int bytes = WideCharToMultiByte(CP_ACP, 0, wide_value, static_cast<int>(length), converted,
                                          sizeof converted, nullptr, nullptr);
    if (bytes <= 0) return false;
    value.assign(converted, static_cast<std::size_t>(bytes));
    return true;
}
}  // namespace

LONG WINAPI ReplaceSystemRoot(LPSTR text) {
    if (!text) return 0;
    const std::size_t capacity = settings::kFolderPathSize;
    if (strnlen(text, capacity) >= capacity) return 0;
    std::string expanded;
    LONG replaced = 0;
    for (const char* p = text; *p;) {
        if (*p != '%') {
            expanded.append(p, static_cast<std::size_t>(mbcs::char_size(p)));
            p = mbcs::next(p);
            continue;
        }
        // A name without a value stays as written; its closing mark may open the next name.
        const char* close = mbcs::find_first(text, '%', p + 1);
        if (close && close > p + 1) {
            std::string value;
            if (environment_value(std::string(p + 1, close), value)) {
                expanded += value;
                ++replaced;
                p = close + 1;
                continue;
            }
        }
        expanded += '%';
        ++p;
    }
    if (replaced == 0 || expanded.size() >= capacity) return 0;
    expanded.copy(text, expanded.size());
    text[expanded.size()] = '\0';
    return replaced;
}
