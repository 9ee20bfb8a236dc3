// Output of the console host. The engine speaks code page 932; the terminal
// speaks UTF-8, so every line is converted on the way out.
#pragma once
#include <string>
#include <string_view>

namespace host {
std::string to_utf8(std::string_view cp932);
void out(std::string_view cp932_line);             // one line on stdout
void err(std::string_view cp932_line);             // one line on stderr
void outf(const char* format, ...);                // printf-style, cp932 arguments
}  // namespace host
