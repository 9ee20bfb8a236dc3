#include "console.h"
#include <windows.h>
#include <cstdarg>
#include <cstdio>
#include <io.h>
#include <vector>

namespace host {
std::string to_utf8(std::string_view cp932) {
    if (cp932.empty()) return {};
    int wide_len = MultiByteToWideChar(932, 0, cp932.data(), int(cp932.size()), nullptr, 0);
    std::vector<wchar_t> wide(wide_len);
    MultiByteToWideChar(932, 0, cp932.data(), int(cp932.size()), wide.data(), wide_len);
    int len = WideCharToMultiByte(CP_UTF8, 0, wide.data(), wide_len, nullptr, 0, nullptr, nullptr);
    std::string out(len, '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), wide_len, out.data(), len, nullptr, nullptr);
    return out;
}

void out(std::string_view line) {
    std::string text = to_utf8(line) + "\n";
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}

void err(std::string_view line) {
    std::string text = to_utf8(line) + "\n";
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
}

void outf(const char* format, ...) {
    char buf[4096];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buf, sizeof buf, format, args);
    va_end(args);
    std::string text = to_utf8(buf);
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}

bool stderr_is_terminal() { return _isatty(_fileno(stderr)) != 0; }

ProgressLine::ProgressLine(bool terminal, std::FILE* to, Clock clock) : terminal_(terminal), to_(to), clock_(clock) {
    last_ = now();
}

unsigned long long ProgressLine::now() const { return clock_ ? clock_() : GetTickCount64(); }

void ProgressLine::begin() { last_ = now(); }

void ProgressLine::show(std::string_view cp932) {
    const std::string text = to_utf8(cp932);
    if (terminal_) {
        std::fprintf(to_, "\r%s\x1b[K", text.c_str());
        drawn_ = true;
    } else {
        const unsigned long long t = now();
        if (t - last_ < 1000) return;
        last_ = t;
        std::fprintf(to_, "%s\n", text.c_str());
    }
    std::fflush(to_);
}

void ProgressLine::end() {
    if (!drawn_) return;
    std::fputs("\r\x1b[K", to_);
    std::fflush(to_);
    drawn_ = false;
}
}  // namespace host
