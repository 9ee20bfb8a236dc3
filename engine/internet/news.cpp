// The maker's news page: plain text with keyed lines. "baseurl:" gives the
// address base (with an optional number in brackets), "version:" the
// platforms a message is for, "date:" its serial in brackets, "year" and
// "number" the last product version it concerns, and "message:" the text
// shown once per serial. A line that begins with "//" is a comment.
#include <cstdlib>
#include <cstring>
#include "frame/message_box.h"
#include "frame/platform_version.h"
#include "frame/text.h"
#include "internet/internet_internal.h"

namespace {
constexpr char kNewsTitle[] = "\x8d\xec\x8e\xd2\x82\xe6\x82\xe8\x82\xcc\x82\xa8\x92m\x82\xe7\x82\xb9";  // 作者よりのお知らせ
constexpr UINT kNewsStyle = MB_ICONEXCLAMATION;

struct PlatformName {
    const char* name;
    DWORD bits;
};
constexpr PlatformName kPlatformNames[] = {
    {"Windows XP", 0x200}, {"Windows Vista", 0x800}, {"Windows 7", 0x100000},
    {"Windows 64", 0x4000}, {"Windows Next", 0x200000},
};

LONG g_once_news;

bool starts_with(const char* s, const char* prefix) { return std::strncmp(s, prefix, std::strlen(prefix)) == 0; }

// The start of the line that holds p.
const char* line_start(const char* text, const char* p) {
    while (p > text && p[-1] != '\n' && p[-1] != '\r') --p;
    return p;
}

bool in_comment(const char* text, const char* p) {
    const char* s = line_start(text, p);
    while (*s == ' ' || *s == '\t') ++s;
    return starts_with(s, "//");
}

// The first occurrence of `key` at or after `from` outside comment lines; null
// when there is none.
const char* find_key(const char* text, const char* from, const char* key) {
    for (const char* p = from; (p = std::strstr(p, key)) != nullptr; p += std::strlen(key))
        if (!in_comment(text, p)) return p;
    return nullptr;
}

const char* line_end(const char* p) {
    const char* end = FindLineEnd(p);
    return end ? end : p + std::strlen(p);
}

// Step 1: the "baseurl:" line. 1 stored, 0 no such line, -1 an address that
// does not fit (nothing stored). *after is where parsing goes on.
LONG read_base_url(NewsRecord* news, const char* text, const char** after) {
    *after = text;
    const char* key = find_key(text, text, "baseurl:");
    if (!key) return 0;
    const char* p = key + std::strlen("baseurl:");
    const char* end = line_end(p);
    *after = end;
    LONG number = 0;
    if (*p == '[') {
        number = std::atol(p + 1);
        const char* close = static_cast<const char*>(std::memchr(p, ']', static_cast<std::size_t>(end - p)));
        p = close ? close + 1 : p + 1;
    }
    while (p < end && (*p == ' ' || *p == '\t')) ++p;
    const std::size_t n = static_cast<std::size_t>(end - p);
    if (n >= sizeof news->text) return -1;
    news->number = number;
    std::memcpy(news->text, p, n);
    news->text[n] = '\0';
    return 1;
}

// Step 2: whether the message is for the running platform.
bool for_this_platform(const char* text, const char* from) {
    const char* key = find_key(text, from, "version:");
    if (!key) return true;
    const char* end = line_end(key);
    DWORD wanted = 0;
    for (const PlatformName& row : kPlatformNames) {
        for (const char* p = key; (p = std::strstr(p, row.name)) != nullptr && p < end; p += std::strlen(row.name)) {
            const char next = p[std::strlen(row.name)];
            if (!(next >= '0' && next <= '9')) wanted |= row.bits;  // "Windows 7" is not "Windows 70"
        }
    }
    return (wanted & GetWindowsPlatform(nullptr)) != 0;
}

// The number after a "year" or "number" key before `limit` (the message
// text), or -1 when there is none.
LONG value_of(const char* text, const char* from, const char* limit, const char* key) {
    const char* p = find_key(text, from, key);
    if (!p || (limit && p >= limit)) return -1;
    for (p += std::strlen(key); *p == ':' || *p == '=' || *p == ' ' || *p == '\t'; ++p) {
    }
    return std::atol(p);
}
}  // namespace

LONG WINAPI GetUpdateBaseUrl(NewsRecord* news, LPCSTR text, LPCSTR) {
    if (!news || !text) return 0;
    const char* after = nullptr;
    return read_base_url(news, text, &after);
}

LONG WINAPI GetUpdateNews(NewsRecord* news, LPCSTR text, LPCSTR currentVersion) {
    if (!text) return 0;
    const char* from = text;
    if (news) read_base_url(news, text, &from);
    if (!for_this_platform(text, from)) return 0;
    const char* date = find_key(text, from, "date:");
    if (!date) return 0;
    const char* bracket = static_cast<const char*>(std::memchr(date, '[', static_cast<std::size_t>(line_end(date) - date)));
    if (!bracket) return -1;
    const LONG serial = std::atol(bracket + 1);
    // A message names the last version it concerns; without "year" it
    // concerns every version.
    const char* message = find_key(text, date, "message:");
    const LONG year = value_of(text, date, message, "year");
    if (year >= 0) {
        LONG current_year = 0, current_number = 0;
        GetVersionYearAndNumberFromString(currentVersion, &current_year, &current_number);
        const LONG number = value_of(text, date, message, "number");
        if (!(current_year < year || (current_year == year && current_number <= number))) return -1;
    }
    if (serial <= g_once_news) return 1;
    g_once_news = serial;
    if (!message) return 1;
    message += std::strlen("message:");
    while (*message == ' ' || *message == '\t' || *message == '\r' || *message == '\n') ++message;
    myMessageBox(nullptr, message, kNewsTitle, kNewsStyle);
    return 1;
}

LPCSTR WINAPI GetTitleForNews() { return kNewsTitle; }
LONG WINAPI GetOnceNewsMessage() { return g_once_news; }
LONG WINAPI SetOnceNewsMessage(LONG serial) { return g_once_news = serial; }
