#include "host_paths.h"
#include "frame/mbcs.h"

namespace host {
std::string windows_path(const std::string& path) {
    if (path.empty() || path[0] != '/') return path;
    std::string out = "Z:" + path;
    for (char& c : out)  // '/' is never the second byte of a double-byte character
        if (c == '/') c = '\\';
    return out;
}

bool ends_with_yen(const std::string& path) {
    return !path.empty() && ferro::mbcs::char_at(path.c_str(), path.size() - 1, '\\');
}

std::string without_final_yen(std::string path) {
    while (path.size() > 3 && ends_with_yen(path)) path.pop_back();
    return path;
}

std::string::size_type last_yen(const std::string& path) {
    std::string::size_type found = std::string::npos;
    for (const char* p = path.c_str(); *p; p = ferro::mbcs::next(p))
        if (*p == '\\') found = std::string::size_type(p - path.c_str());
    return found;
}

std::string name_of(const std::string& path) {
    const std::string::size_type yen = last_yen(path);
    return yen == std::string::npos ? path : path.substr(yen + 1);
}

std::string joined(const std::string& folder, const std::string& name) {
    return folder.empty() || ends_with_yen(folder) ? folder + name : folder + "\\" + name;
}
}  // namespace host
