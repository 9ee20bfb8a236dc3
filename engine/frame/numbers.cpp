// Parsing decimal and hexadecimal numbers and version texts, and formatting
// numbers with thousands separators or a fixed number of decimals.
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include "frame/text.h"
#include "frame/text_internal.h"

using namespace ferro;
using text::kPathMax;

namespace {
int digit_value(char c, bool hex) {
    if (c >= '0' && c <= '9') return c - '0';
    if (!hex) return -1;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// An optional "-", then digits up to the first other character; wraps
// round like the 32-bit arithmetic it stands for.
std::uint32_t parse(const char* s, bool hex) {
    if (!s) return 0;
    bool negative = *s == '-';
    if (negative) ++s;
    std::uint32_t value = 0;
    for (int d; (d = digit_value(*s, hex)) >= 0; ++s) value = value * (hex ? 16u : 10u) + static_cast<std::uint32_t>(d);
    return negative ? 0u - value : value;
}

// Copies the text with a comma after every group of three digits of its
// leading run of digits (after an optional sign), counted from the right.
bool group_digits(const char* s, std::string& out) {
    out.clear();
    if (*s == '-' || *s == '+') out += *s++;
    std::size_t n = 0;
    while (s[n] >= '0' && s[n] <= '9') ++n;
    for (std::size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) out += ',';
        out += s[i];
    }
    out += s + n;
    return out.size() <= kPathMax;
}

// The decimal number at p (at most nine digits, so it cannot overflow); the
// position after it goes to *end.
LONG read_decimal(const char* p, const char** end) {
    LONG value = 0;
    int digits = 0;
    for (; *p >= '0' && *p <= '9'; ++p)
        if (++digits <= 9) value = value * 10 + (*p - '0');
    if (end) *end = p;
    return value;
}

LPSTR write_grouped(const char* digits, LPSTR out) {
    std::string grouped;
    if (!group_digits(digits, grouped)) {
        *out = '\0';
        return nullptr;
    }
    std::memcpy(out, grouped.c_str(), grouped.size() + 1);
    return out;
}
}  // namespace

int WINAPI __fatoi(LPCSTR s) { return static_cast<int>(parse(s, false)); }
LONG WINAPI __fatol(LPCSTR s) { return static_cast<LONG>(parse(s, false)); }
UINT WINAPI __fatou(LPCSTR s) { return parse(s, false); }
ULONG WINAPI __fatolu(LPCSTR s) { return parse(s, false); }
int WINAPI __fatox(LPCSTR s) { return static_cast<int>(parse(s, true)); }
LONG WINAPI __fatolx(LPCSTR s) { return static_cast<LONG>(parse(s, true)); }
UINT WINAPI __fatoux(LPCSTR s) { return parse(s, true); }
ULONG WINAPI __fatolux(LPCSTR s) { return parse(s, true); }

// Writes the number to *result; TRUE when at least one digit was read.
BOOL WINAPI __fatof(LPCSTR s, double* result) {
    if (!result) return FALSE;
    *result = 0.0;
    if (!s) return FALSE;
    const char* p = s;
    if (*p == '-') ++p;
    const char* digits = p;
    while (*p >= '0' && *p <= '9') ++p;
    bool any = p > digits;
    if (*p == '.' && p[1] >= '0' && p[1] <= '9') {
        for (++p; *p >= '0' && *p <= '9'; ++p) {
        }
        any = true;
    }
    if (!any) return FALSE;
    double value = 0.0;
    std::from_chars(digits, p, value, std::chars_format::fixed);
    *result = *s == '-' ? -value : value;
    return TRUE;
}

LPSTR WINAPI ArrangeNumberFromString(LPCSTR digits, LPSTR out) {
    if (!out) return nullptr;
    if (!digits) {
        *out = '\0';
        return nullptr;
    }
    return write_grouped(digits, out);
}

LPSTR WINAPI ArrangedNumber(DWORD low, DWORD high, LPSTR out) {
    if (!out) return nullptr;
    char digits[24];
    std::uint64_t value = (static_cast<std::uint64_t>(high) << 32) | low;
    *std::to_chars(digits, digits + sizeof digits - 1, value).ptr = '\0';
    return write_grouped(digits, out);
}

// The integer part in full (not limited to 32 bits), then, for a non-zero
// number of decimals, a period and exactly that many digits of the fraction,
// rounded half up; a fraction that rounds up to one carries into the integer
// part. A negative number keeps its sign. Returns the length written.
int WINAPI _GetStringFromDouble(LPSTR out, double value, int decimals) {
    if (!out) return 0;
    if (!std::isfinite(value)) {
        std::strcpy(out, "0");
        return 1;
    }
    if (decimals < 0) decimals = 0;
    if (decimals > 15) decimals = 15;
    bool negative = value < 0;
    double magnitude = std::fabs(value);
    double whole = std::floor(magnitude);
    std::uint64_t scale = 1;
    for (int i = 0; i < decimals; ++i) scale *= 10;
    std::uint64_t fraction = 0;
    if (decimals > 0) {
        fraction = static_cast<std::uint64_t>(std::floor((magnitude - whole) * static_cast<double>(scale) + 0.5));
        if (fraction >= scale) {
            fraction -= scale;
            whole += 1.0;
        }
    }
    char text[400];
    char* p = text;
    if (negative && (whole != 0.0 || fraction != 0)) *p++ = '-';
    p = std::to_chars(p, text + sizeof text, whole, std::chars_format::fixed, 0).ptr;
    if (decimals > 0) {
        *p++ = '.';
        char digits[20];
        char* end = std::to_chars(digits, digits + sizeof digits, fraction).ptr;
        std::size_t n = static_cast<std::size_t>(end - digits);
        for (std::size_t i = n; i < static_cast<std::size_t>(decimals); ++i) *p++ = '0';
        std::memcpy(p, digits, n);
        p += n;
    }
    *p = '\0';
    std::memcpy(out, text, static_cast<std::size_t>(p - text) + 1);
    return static_cast<int>(p - text);
}

// A version is a year and a number written "YY-NNN" after any leading text
// ("Ferrolan 11-23", "[Update]ferro11-23.exe;"): the first decimal number is
// the year, a two-digit year counting from 2000; the number after the first
// "-" that follows it is the version number, ten times what is written when
// it is below 1000 (23 and 230 are the same version), 0 when there is none.
LONG WINAPI GetVersionYearAndNumberFromString(LPCSTR text, LONG* year, LONG* number) {
    LONG y = 0, n = 0;
    const char* p = text;
    while (p && *p && !(*p >= '0' && *p <= '9')) ++p;
    if (p && *p) {
        y = read_decimal(p, &p);
        if (y > 0 && y < 100) y += 2000;
        if ((p = std::strchr(p, '-')) != nullptr) n = read_decimal(p + 1, nullptr);
        if (n > 0 && n < 1000) n *= 10;
    }
    if (year) *year = y;
    if (number) *number = n;
    return y != 0 && n != 0 ? 1 : 0;
}

// Truncated toward zero and kept within the 32-bit range (0 for a NaN).
LONG WINAPI GetIntegerFromDouble(double value) {
    if (!(value == value)) return 0;
    if (value >= 2147483647.0) return 2147483647;
    if (value <= -2147483648.0) return static_cast<LONG>(-2147483647 - 1);
    return static_cast<LONG>(value);
}
