#include "tar/entry_names.h"
#include <cctype>
#include <cstring>
#include <vector>
#include "common_archiver.h"

namespace tar {
namespace {
bool is_lead(unsigned char c) { return (c >= 0x81 && c <= 0x9f) || (c >= 0xe0 && c <= 0xfc); }

// The components of a name split at single-byte "/" and "\"; false when a
// byte in a single-byte position can never stand in a Windows name.
bool split(const std::string& name, std::vector<std::string>& parts, bool& absolute) {
    parts.clear();
    absolute = !name.empty() && (name[0] == '/' || name[0] == '\\');
    std::string part;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(name[i]);
        if (is_lead(c) && i + 1 < name.size()) {
            part += name[i];
            part += name[++i];
            continue;
        }
        if (c == '/' || c == '\\') {
            parts.push_back(part);
            part.clear();
            continue;
        }
        if (c < 0x20 || std::strchr("<>:\"|?*", c)) return false;
        part += name[i];
    }
    parts.push_back(part);
    return true;
}

// CON, PRN, AUX, NUL, COM1-9, LPT1-9, with or without an extension.
bool is_device(const std::string& part) {
    std::string base = part.substr(0, part.find('.'));
    while (!base.empty() && base.back() == ' ') base.pop_back();
    for (char& c : base) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL" || base == "CONIN$" || base == "CONOUT$")
        return true;
    return base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0) && base[3] >= '1' &&
           base[3] <= '9';
}

// Joins the parts, resolving ".." against the parts before it when `climb`
// is allowed; false for a ".." above the root, a device name, or a name
// ending in a dot or a blank (which Windows would quietly change).
bool join(const std::vector<std::string>& parts, bool climb, std::string& out) {
    std::vector<std::string> kept;
    for (const std::string& p : parts) {
        if (p.empty() || p == ".") continue;
        if (p == "..") {
            if (!climb || kept.empty()) return false;
            kept.pop_back();
            continue;
        }
        if (is_device(p) || p.back() == '.' || p.back() == ' ') return false;
        kept.push_back(p);
    }
    out.clear();
    for (const std::string& p : kept) out += (out.empty() ? "" : "\\") + p;
    return true;
}
}  // namespace

int relative_path(const std::string& name, std::string& out) {
    std::vector<std::string> parts;
    bool absolute;
    if (!split(name, parts, absolute) || absolute || !join(parts, false, out)) return ERROR_NOT_CONFIRM_NAME;
    return 0;
}

int link_target(const std::string& entry, const std::string& link, bool symbolic, std::string& out) {
    std::vector<std::string> parts, link_parts;
    bool absolute;
    if (!split(link, link_parts, absolute) || absolute) return ERROR_NOT_CONFIRM_NAME;
    if (symbolic) {
        if (!split(entry, parts, absolute) || absolute) return ERROR_NOT_CONFIRM_NAME;
        while (!parts.empty() && parts.back().empty()) parts.pop_back();
        if (!parts.empty()) parts.pop_back();  // the link's own name
    }
    parts.insert(parts.end(), link_parts.begin(), link_parts.end());
    if (!join(parts, true, out) || out.empty()) return ERROR_NOT_CONFIRM_NAME;
    return 0;
}

std::string last_component(const std::string& relative) {
    std::size_t cut = 0;
    for (std::size_t i = 0; i < relative.size(); ++i) {
        if (is_lead(static_cast<unsigned char>(relative[i])) && i + 1 < relative.size()) {
            ++i;
            continue;
        }
        if (relative[i] == '\\') cut = i + 1;
    }
    return relative.substr(cut);
}

namespace {
bool same_char(const char* a, const char* b, int n) {
    if (n == 2) return a[0] == b[0] && a[1] == b[1];
    const auto fold = [](char c) { return c == '\\' ? '/' : static_cast<char>(std::tolower(static_cast<unsigned char>(c))); };
    return fold(*a) == fold(*b);
}
int size_at(const char* p) { return is_lead(static_cast<unsigned char>(*p)) && p[1] ? 2 : 1; }

bool match_here(const char* n, const char* p) {
    while (*p) {
        if (*p == '*') {
            while (*p == '*') ++p;
            if (!*p) return true;
            for (const char* q = n; *q; q += size_at(q))
                if (match_here(q, p)) return true;
            return false;
        }
        if (!*n) return false;
        const int sn = size_at(n), sp = size_at(p);
        if (!(*p == '?' || (sn == sp && same_char(n, p, sn)))) return false;
        n += sn;
        p += sp;
    }
    return *n == '\0' || *n == '/' || *n == '\\';  // a folder's pattern matches what lies inside it
}
}  // namespace

bool matches(const std::string& name, const std::string& pattern) {
    if (pattern.empty() || pattern == "*" || pattern == "*.*") return true;
    return match_here(name.c_str(), pattern.c_str());
}

std::string windows_separators(const std::string& name) {
    std::string s = name;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (is_lead(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) ++i;
        else if (s[i] == '/') s[i] = '\\';
    }
    return s;
}

std::string archive_separators(const std::string& name) {
    std::string s = name;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (is_lead(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) ++i;
        else if (s[i] == '\\') s[i] = '/';
    }
    return s;
}
}  // namespace tar
