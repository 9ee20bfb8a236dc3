// The command function. A command line is a command word, the archive and
// its arguments, separated by blanks ("..." keeps blanks inside a name):
//   l ARCHIVE [PATTERN...]        list the entries (t and v are the same)
//   x ARCHIVE FOLDER [PATTERN...] extract with the entries' folders
//   e ARCHIVE FOLDER [PATTERN...] extract, every file into FOLDER itself
//   c ARCHIVE NAME...             create (gzip-compressed for -z or a name ending .tgz or .gz)
//   a ARCHIVE NAME...             add to the end of a plain archive (create it when missing)
// Options anywhere after the command word: -z (compress), -C FOLDER (the
// NAMEs of c and a are relative to FOLDER and stored under those names).
// The command word may start with "-" ("-x").
#include <cstdio>
#include <cstring>
#include <ctime>
#include "tar/entry_names.h"
#include "tar/operations.h"
#include "tar/tar32.h"
#include "tar/tar_format.h"

namespace tar {
namespace {
std::vector<std::string> words_of(const char* line) {
    std::vector<std::string> words;
    std::string word;
    bool quoted = false, any = false;
    for (const char* p = line; *p; ++p) {
        if (*p == '"') {
            quoted = !quoted;
            any = true;
        } else if ((*p == ' ' || *p == '\t') && !quoted) {
            if (any) words.push_back(word);
            word.clear();
            any = false;
        } else {
            word += *p;
            any = true;
        }
    }
    if (any) words.push_back(word);
    return words;
}

bool ends_with(const std::string& s, const char* tail) {
    const std::size_t n = std::strlen(tail);
    return s.size() >= n && lstrcmpiA(s.c_str() + s.size() - n, tail) == 0;
}

// "-rw-r--r--" for a mode and type.
std::string mode_text(const Entry& e) {
    std::string s = e.is_folder() ? "d" : e.type == '2' ? "l" : e.type == '1' ? "h" : "-";
    static const char kBits[] = "rwxrwxrwx";
    for (int i = 0; i < 9; ++i) s += (e.mode >> (8 - i)) & 1 ? kBits[i] : '-';
    return s;
}

// Copies the text into the caller's buffer, cut (never inside a double-byte
// character) to fit with its NUL.
void hand_out(const std::string& text, char* out, DWORD size) {
    if (!out || size == 0) return;
    std::size_t n = text.size() < size ? text.size() : size - 1;
    std::size_t i = 0, fit = 0;
    while (i < n) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const std::size_t k = ((c >= 0x81 && c <= 0x9f) || (c >= 0xe0 && c <= 0xfc)) ? 2 : 1;
        if (i + k > n) break;
        i += k;
        fit = i;
    }
    std::memcpy(out, text.data(), fit);
    out[fit] = '\0';
}
}  // namespace

int list(const Request& r, std::string& log) {
    Reader in;
    if (int e = in.open(r.archive.c_str())) return e;
    for (;;) {
        Entry e;
        bool end;
        if (int code = read_entry(in, e, end)) return code;
        if (end) return 0;
        bool wanted = r.names.empty();
        for (const std::string& p : r.names) wanted = wanted || matches(e.name, p);
        if (wanted) {
            const std::time_t t = static_cast<std::time_t>(e.mtime);
            char when[32] = "(no date)";
            if (const std::tm* utc = std::gmtime(&t)) std::strftime(when, sizeof when, "%Y-%m-%d %H:%M:%S", utc);
            char line[96];
            std::snprintf(line, sizeof line, "%s %12llu %s ", mode_text(e).c_str(),
                          static_cast<unsigned long long>(e.size), when);
            log += line + e.name + (e.is_link() ? " -> " + e.link : "") + "\r\n";
        }
        bool short_read;
        if (!in.skip(e.size + padding(e.size), short_read)) return short_read ? ERROR_UNEXPECTED_EOF : ERROR_CANNOT_READ;
    }
}
}  // namespace tar

int WINAPI Tar(const HWND, LPCSTR commandLine, LPSTR output, const DWORD size) {
    tar::Running guard;
    if (guard.busy()) return ERROR_ALREADY_RUNNING;
    if (!commandLine) return ERROR_COMMAND_NAME;
    std::vector<std::string> words = tar::words_of(commandLine);
    tar::Request r;
    std::vector<std::string> rest;
    for (std::size_t i = 1; i < words.size(); ++i) {
        if (words[i] == "-z") r.gzip = true;
        else if (words[i] == "-C" && i + 1 < words.size()) r.folder = words[++i];
        else rest.push_back(words[i]);
    }
    if (words.empty() || rest.empty()) return ERROR_COMMAND_NAME;
    std::string command = words[0];
    if (command.size() == 2 && command[0] == '-') command.erase(0, 1);
    if (command.size() != 1) return ERROR_COMMAND_NAME;
    r.archive = rest[0];
    rest.erase(rest.begin());
    std::string log;
    int result;
    switch (command[0]) {
        case 'l': case 't': case 'v':
            r.names = rest;
            result = tar::list(r, log);
            break;
        case 'x': case 'e':
            if (rest.empty()) return ERROR_COMMAND_NAME;
            r.folder = rest[0];
            r.names.assign(rest.begin() + 1, rest.end());
            r.with_paths = command[0] == 'x';
            result = tar::extract(r, log);
            break;
        case 'c': case 'a':
            r.names = rest;
            r.gzip = r.gzip || tar::ends_with(r.archive, ".tgz") || tar::ends_with(r.archive, ".gz");
            result = tar::create(r, command[0] == 'a', log);
            break;
        default:
            return ERROR_COMMAND_NAME;
    }
    tar::hand_out(log, output, size);
    return result;
}
