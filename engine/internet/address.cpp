// The parts of a download address: scheme, user and password, host, port
// and path, each checked against its buffer.
#include <cstdlib>
#include <cstring>
#include "internet/internet_internal.h"

namespace ferro::internet {
namespace {
struct SchemeRow {
    const char* prefix;
    Scheme scheme;
    INTERNET_PORT port;
};
constexpr SchemeRow kSchemes[] = {
    {"ftp://", Scheme::kFtp, INTERNET_DEFAULT_FTP_PORT},
    {"http://", Scheme::kHttp, INTERNET_DEFAULT_HTTP_PORT},
    {"https://", Scheme::kHttps, INTERNET_DEFAULT_HTTPS_PORT},
};

int hex_value(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool copy_part(char* out, std::size_t cap, const char* from, std::size_t n) {
    if (n >= cap) return false;
    std::memcpy(out, from, n);
    out[n] = '\0';
    return true;
}
}  // namespace

const char* Address::file_name() const {
    const char* slash = std::strrchr(path, '/');
    return slash ? slash + 1 : path;
}

bool escaped_url(const char* url, char* out, std::size_t cap) {
    wchar_t wide[kUrlSize];
    char utf8[kUrlSize * 3];
    if (!MultiByteToWideChar(CP_ACP, 0, url, -1, wide, kUrlSize) ||
        !WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8, sizeof utf8, nullptr, nullptr))
        return false;
    constexpr char kHex[] = "0123456789ABCDEF";
    std::size_t n = 0;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(utf8); *p; ++p) {
        const bool escape = *p >= 0x80 || *p == ' ';
        if (n + (escape ? 3 : 1) >= cap) return false;
        if (escape) {
            out[n++] = '%';
            out[n++] = kHex[*p >> 4];
            out[n++] = kHex[*p & 15];
        } else {
            out[n++] = static_cast<char>(*p);
        }
    }
    out[n] = '\0';
    return true;
}

bool local_name(const char* name, char* out, std::size_t cap) {
    char raw[kUrlSize];
    std::size_t n = 0;
    for (const char* p = name; *p; ++p) {
        const int high = p[0] == '%' ? hex_value(p[1]) : -1;
        const int low = high >= 0 ? hex_value(p[2]) : -1;
        if (n + 1 >= sizeof raw) return false;
        if (low >= 0) {
            raw[n++] = static_cast<char>(high * 16 + low);
            p += 2;
        } else {
            raw[n++] = *p;
        }
    }
    raw[n] = '\0';
    wchar_t wide[kUrlSize];
    BOOL lossy = FALSE;
    if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, raw, -1, wide, kUrlSize) > 0 &&
        WideCharToMultiByte(CP_ACP, 0, wide, -1, out, static_cast<int>(cap), nullptr, &lossy) > 0 && !lossy)
        return true;
    if (n >= cap) return false;
    std::memcpy(out, raw, n + 1);
    return true;
}

bool parse_address(const char* url, Address* out, DWORD* error) {
    *out = Address{};
    *error = ERROR_INTERNET_INVALID_URL;
    if (!url || !*url || strnlen(url, kUrlSize) >= kUrlSize) return false;
    const SchemeRow* row = nullptr;
    for (const SchemeRow& r : kSchemes)
        if (_strnicmp(url, r.prefix, std::strlen(r.prefix)) == 0) row = &r;
    if (!row) {
        // Text before "://" names a scheme this library does not speak; without
        // one the address is simply not a URL.
        if (std::strstr(url, "://")) *error = ERROR_INTERNET_UNRECOGNIZED_SCHEME;
        return false;
    }
    out->scheme = row->scheme;
    out->port = row->port;
    const char* host = url + std::strlen(row->prefix);
    const char* slash = std::strchr(host, '/');
    const char* host_end = slash ? slash : host + std::strlen(host);
    // user[:password]@ before the host
    const char* at = static_cast<const char*>(std::memchr(host, '@', static_cast<std::size_t>(host_end - host)));
    if (at) {
        const char* colon = static_cast<const char*>(std::memchr(host, ':', static_cast<std::size_t>(at - host)));
        const char* user_end = colon ? colon : at;
        if (!copy_part(out->user, sizeof out->user, host, static_cast<std::size_t>(user_end - host))) return false;
        if (colon && !copy_part(out->password, sizeof out->password, colon + 1,
                                static_cast<std::size_t>(at - colon - 1)))
            return false;
        host = at + 1;
    }
    const char* colon = static_cast<const char*>(std::memchr(host, ':', static_cast<std::size_t>(host_end - host)));
    if (colon) {
        char* end = nullptr;
        const unsigned long port = std::strtoul(colon + 1, &end, 10);
        if (end != host_end || colon + 1 == host_end || port == 0 || port > 65535) return false;
        out->port = static_cast<INTERNET_PORT>(port);
    }
    const char* name_end = colon ? colon : host_end;
    if (name_end == host || !copy_part(out->host, sizeof out->host, host, static_cast<std::size_t>(name_end - host)))
        return false;
    if (!copy_part(out->path, sizeof out->path, slash ? slash : "/", slash ? std::strlen(slash) : 1)) return false;
    // A host is plain bytes; a double-byte character there cannot be looked up.
    for (const char* p = out->host; *p; ++p)
        if (static_cast<unsigned char>(*p) >= 0x80 || *p == ' ') return false;
    *error = 0;
    return true;
}
}  // namespace ferro::internet
