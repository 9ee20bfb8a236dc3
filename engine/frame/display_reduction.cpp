// Shortening paths and names to a width in pixels for display, measured with
// the font of the window that shows them.
#include <cstring>
#include <string>
#include "frame/mbcs.h"
#include "frame/paths.h"
#include "frame/text.h"
#include "frame/text_internal.h"

using namespace ferro;
using text::kPathMax;
using text::kPathSize;
using text::kYen;

namespace {
constexpr char kSample[] = "M:\\..";  // a drive, a yen mark and the two periods
constexpr char kWideName[] = "MMMMMMMMMMMMMMMMMMMMMM";  // 22 capital M
constexpr std::size_t kKeptRoot = 3;   // bytes of the path kept in front (C:\)
constexpr std::size_t kMinCut = 6;     // a cut point lies at least this far in

bool g_reduced = false;

// A device context for measuring: the caller's, or the window's own with the
// window's font selected, given back when done.
class Measure {
public:
    Measure(HWND window, HDC given) : window_(window), dc_(given) {
        if (!dc_) {
            dc_ = _myGetDC(window, &previous_);
            owned_ = dc_ != nullptr;
        }
    }
    ~Measure() {
        if (!owned_) return;
        if (previous_) SelectObject(dc_, previous_);
        ReleaseDC(window_, dc_);
    }
    Measure(const Measure&) = delete;
    Measure& operator=(const Measure&) = delete;

    explicit operator bool() const { return dc_ != nullptr; }
    HDC dc() const { return dc_; }
    int width(const char* s, std::size_t n) const {
        SIZE size{};
        if (!dc_ || !GetTextExtentPoint32A(dc_, s, static_cast<int>(n), &size)) return 0;
        return size.cx;
    }
    int width(const char* s) const { return width(s, std::strlen(s)); }

private:
    HWND window_;
    HDC dc_;
    HGDIOBJ previous_ = nullptr;
    bool owned_ = false;
};

// Whole characters of the path's front, at most three bytes.
std::size_t kept_front(const char* path) {
    std::size_t n = 0;
    while (n < kKeptRoot && path[n]) {
        std::size_t size = static_cast<std::size_t>(mbcs::char_size(path + n));
        if (n + size > kKeptRoot) break;
        n += size;
    }
    return n;
}

// As many characters of `name` as measure less than `room` together with
// `head`; the last one to three of them become periods.
std::string truncated(const Measure& m, const std::string& head, const char* name, int room) {
    std::string result = head;
    int taken = 0;
    for (const char* p = name; *p; p = mbcs::next(p)) {
        std::string candidate = result + std::string(p, static_cast<std::size_t>(mbcs::char_size(p)));
        if (m.width(candidate.c_str()) >= room) break;
        result = candidate;
        ++taken;
    }
    std::string part = result.substr(head.size());
    for (int k = taken < 3 ? taken : 3; k > 0; --k) part.resize(static_cast<std::size_t>(mbcs::last_char(part.c_str(), part.size()) - part.c_str()));
    part.append(static_cast<std::size_t>(taken < 3 ? taken : 3), '.');
    return head + part;
}

// Reduces the path; false when it is left as it is.
bool reduce_dir(HWND window, HDC given, char* path, int width) {
    g_reduced = false;
    if (text::is_empty(path)) return false;
    std::size_t len = std::strlen(path);
    const char* last_yen = text::last_separator(path, len);
    if (!last_yen) return false;
    if (last_yen > path) {
        const char* before = mbcs::prev(path, last_yen);
        if (*before == ':' || *before == kYen) return false;  // directly below a root
    }
    Measure m(window, given);
    if (!m) return false;
    int sample = m.width(kSample);
    int whole = m.width(path, len);
    if (sample == 0 || whole == 0 || whole <= width) return false;
    g_reduced = true;
    int room = width - sample;

    std::string head(path, kept_front(path));
    head += "..\\";
    std::string result;
    for (const char* yen = text::first_separator(path); yen; yen = text::first_separator(path, yen + 1)) {
        const char* from = yen + 1;
        if (*from && static_cast<std::size_t>(from - path) >= kMinCut && m.width(from) <= room) {
            result = head + from;
            break;
        }
    }
    if (result.empty()) {
        bool final_yen = mbcs::ends_with(path, len, kYen);
        const char* name = last_yen + 1;
        if (final_yen) {
            const char* yen = mbcs::find_last(path, len - 1, kYen);
            name = yen ? yen + 1 : path;
        }
        std::size_t start = static_cast<std::size_t>(name - path);
        if (final_yen) {
            result = start >= kMinCut ? head + name : std::string(path, len);
        } else if (start >= kMinCut) {
            result = truncated(m, head, name, room + m.width(head.c_str()));
        } else {
            // The last name starts among the first bytes: nothing is left out
            // in front of it, so only the name itself is shortened.
            result = truncated(m, std::string(path, start), name, width);
        }
    }
    if (result.size() > kPathMax) return false;
    std::memcpy(path, result.c_str(), result.size() + 1);
    return true;
}

// Shortens the text until it measures less than the width, then marks the
// cut with periods. False when the text already fits or cannot be measured.
bool reduce_name(HWND window, HDC given, char* s, int width) {
    if (text::is_empty(s) || width < 1) return false;
    Measure m(window, given);
    std::size_t len = std::strlen(s);
    int whole = m.width(s, len);
    if (whole == 0 || whole < width) return false;
    while (len > 0 && m.width(s, len) >= width) len = static_cast<std::size_t>(mbcs::prev(s, s + len) - s);
    s[len] = '\0';
    if (len >= 6) {
        std::size_t n = mbcs::class_at(s, len - 3) == 2 ? 4 : 3;
        std::memset(s + len - n, '.', n);
    }
    return true;
}

int control_width(HWND control) {
    RECT rc{};
    if (!control || !GetClientRect(control, &rc)) return 0;
    return rc.right - rc.left;
}
}  // namespace

HDC WINAPI _myGetDC(HWND window, HGDIOBJ* previousFont) {
    if (previousFont) *previousFont = nullptr;
    HDC dc = GetDC(window);
    if (!dc) return nullptr;
    HFONT font = window ? reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)) : nullptr;
    if (font) {
        HGDIOBJ previous = SelectObject(dc, font);
        if (previousFont) *previousFont = previous;
    }
    return dc;
}

int WINAPI GetStrWidth(HWND window, HDC deviceContext, LPCSTR s) {
    if (!s) return 0;
    Measure m(window, deviceContext);
    return m.width(s);
}

LPSTR WINAPI GetReducedDir(HWND window, HDC deviceContext, LPSTR path, int width) {
    return reduce_dir(window, deviceContext, path, width) ? path : nullptr;
}

BOOL WINAPI GetReducedDirDone() { return g_reduced; }

LPSTR WINAPI SetReducedDirWithLength(HWND window, HDC deviceContext, LPSTR path, int width) {
    reduce_dir(window, deviceContext, path, width);
    return path;
}

LPSTR WINAPI SetReducedDirWithCtlID(HWND dialog, HDC deviceContext, LPSTR path, int controlId) {
    HWND control = GetDlgItem(dialog, controlId);
    return SetReducedDirWithLength(control, deviceContext, path, control_width(control));
}

LPSTR WINAPI SetReducedFileWithCtlID(HWND dialog, HDC deviceContext, LPSTR name, int controlId) {
    HWND control = GetDlgItem(dialog, controlId);
    reduce_name(control, deviceContext, name, control_width(control));
    return name;
}

LPSTR WINAPI GetReducedFile(HWND window, HDC deviceContext, LPSTR s, int width) {
    return reduce_name(window, deviceContext, s, width) ? s : nullptr;
}

LPSTR WINAPI GetReducedFileWithExtensionNotReduced(HWND window, LPSTR s, int width) {
    if (text::is_empty(s)) return nullptr;
    if (width < 1) {
        Measure m(window, nullptr);
        width = m.width(kWideName);
    }
    char* period = mbcs::find_last(s, '.');
    if (!period || period == s) {
        reduce_name(window, nullptr, s, width);
        return s;
    }
    std::string extension(period);  // the period and the extension
    *period = '\0';
    const char* last = mbcs::last_char(s, static_cast<std::size_t>(period - s));
    std::string last_char(last, static_cast<std::size_t>(period - last));
    if (reduce_name(window, nullptr, s, width)) {
        std::string tail = last_char + extension;
        std::memcpy(s + std::strlen(s), tail.c_str(), tail.size() + 1);
    } else {
        *period = '.';
    }
    return s;
}
