// Output of the console host. The engine speaks code page 932; the terminal
// speaks UTF-8, so every line is converted on the way out.
#pragma once
#include <cstdio>
#include <string>
#include <string_view>

namespace host {
std::string to_utf8(std::string_view cp932);
void out(std::string_view cp932_line);             // one line on stdout
void err(std::string_view cp932_line);             // one line on stderr
void outf(const char* format, ...);                // printf-style, cp932 arguments

// Whether stderr is a terminal (not a file or a pipe).
bool stderr_is_terminal();

// The progress of long work on stderr. On a terminal one line is rewritten in
// place; in a file or a pipe at most one plain line per second per item is
// written, so that a log stays readable.
class ProgressLine {
public:
    using Clock = unsigned long long (*)();  // milliseconds
    explicit ProgressLine(bool terminal = stderr_is_terminal(), std::FILE* to = stderr, Clock clock = nullptr);
    ~ProgressLine() { end(); }
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    void begin();                         // a new item: its second starts now
    void show(std::string_view cp932);    // the item's progress, as text
    void end();                           // the rewritten line is cleared

private:
    unsigned long long now() const;
    bool terminal_;
    std::FILE* to_;
    Clock clock_;
    unsigned long long last_ = 0;
    bool drawn_ = false;
};
}  // namespace host
