// Making an archive of files and folders, or adding them to the end of a
// plain one. Names are stored as the system spells them (code-page-932
// bytes) with "/" between folders.
#include <windows.h>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include "common_archiver.h"
#include "tar/entry_names.h"
#include "tar/operations.h"
#include "tar/tar_format.h"

namespace tar {
namespace {
constexpr std::size_t kPathSize = 520;

bool same_path(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) == 0; }

class Creator {
public:
    Creator(const Request& r, std::string& log) : request_(r), log_(log) {}

    int run(bool add) {
        char full[kPathSize];
        const DWORD n = GetFullPathNameA(request_.archive.c_str(), sizeof full, full, nullptr);
        if (n == 0 || n >= sizeof full) return note(ERROR_LONG_FILE_NAME, request_.archive, "the archive's name");
        archive_ = full;
        if (request_.names.empty()) return note(ERROR_NOT_FILENAME, request_.archive, "no file to store");
        const bool exists = GetFileAttributesA(archive_.c_str()) != INVALID_FILE_ATTRIBUTES;
        int r = 0;
        if (add && exists) {
            std::uint64_t end = 0;
            if ((r = end_of(end)) != 0) return r;
            r = out_.continue_at(archive_.c_str(), end);
        } else {
            r = out_.create(archive_.c_str(), request_.gzip);
        }
        if (r) return note(r, request_.archive, "cannot write the archive");
        for (const std::string& name : request_.names) {
            if (stop_) break;
            store_argument(name);
        }
        if (!write_end(out_) || !out_.finish()) note(ERROR_CANNOT_WRITE, request_.archive, "cannot write the archive");
        if (stop_ && !add) DeleteFileA(archive_.c_str());  // a broken new archive is not left behind
        return first_error_;
    }

private:
    int note(int code, const std::string& name, const char* what) {
        return note_error(log_, first_error_, code, name, what);
    }

    // Where the end mark of an existing archive starts; only plain archives grow.
    int end_of(std::uint64_t& end) {
        Reader in;
        if (int r = in.open(archive_.c_str())) return note(r, request_.archive, "cannot open the archive");
        if (in.gzip()) return note(ERROR_ADD_TO_LARC, request_.archive, "a compressed archive cannot grow");
        for (;;) {
            Entry e;
            bool done;
            if (int r = read_entry(in, e, done)) return note(r, request_.archive, "a broken header");
            if (done) {
                end = e.header_offset;
                return 0;
            }
            bool short_read;
            if (!in.skip(e.size + padding(e.size), short_read))
                return note(ERROR_UNEXPECTED_EOF, request_.archive, "the archive ends too early");
        }
    }

    // An argument: relative to the base folder when one is given (and then
    // stored under that relative name), else stored under its own name.
    void store_argument(const std::string& argument) {
        std::string path = request_.folder.empty() ? argument : request_.folder + "\\" + argument;
        char full[kPathSize];
        const DWORD n = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
        if (n == 0 || n >= sizeof full) {
            note(ERROR_LONG_FILE_NAME, argument, "the name is too long");
            return;
        }
        // Final separators are dropped by relative_path (whole characters only:
        // the trail byte of 表 is no separator).
        const std::string name = request_.folder.empty() ? last_component(full) : argument;
        std::string relative;
        if (relative_path(name, relative) || relative.empty()) {
            note(ERROR_NOT_CONFIRM_NAME, argument, "not a name to store");
            return;
        }
        store(full, archive_separators(relative));
    }

    void store(const std::string& path, const std::string& name) {
        if (same_path(path, archive_)) return;  // never the archive itself
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
            note(ERROR_NOT_FIND_FILE, path, "not found");
            return;
        }
        Entry e;
        e.mtime = unix_time(data.ftLastWriteTime);
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            e.name = name + "/";
            e.type = '5';
            e.mode = 0755;
            if (!write_entry(out_, e)) return fail();
            log_ += e.name + "\r\n";
            for (const std::string& child : children(path)) {
                if (stop_) return;
                store(path + "\\" + child, name + "/" + child);
            }
            return;
        }
        e.name = name;
        e.type = '0';
        e.mode = data.dwFileAttributes & FILE_ATTRIBUTE_READONLY ? 0444 : 0644;
        e.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        if (h == INVALID_HANDLE_VALUE) {
            note(ERROR_FILE_OPEN, path, "cannot read the file");
            return;
        }
        if (!write_entry(out_, e)) {
            CloseHandle(h);
            return fail();
        }
        std::uint64_t left = e.size;
        while (left > 0) {
            DWORD got = 0;
            const DWORD want = static_cast<DWORD>(std::min<std::uint64_t>(left, buffer_.size()));
            if (!ReadFile(h, buffer_.data(), want, &got, nullptr) || got == 0) break;
            if (!out_.write(buffer_.data(), got)) break;
            left -= got;
        }
        CloseHandle(h);
        if (left > 0) {  // the header promised more than could be read: the archive is unusable
            note(ERROR_CANNOT_READ, path, "the file could not be read whole");
            stop_ = true;
            return;
        }
        if (!out_.zeros(static_cast<std::size_t>(padding(e.size)))) return fail();
        log_ += e.name + "\r\n";
    }

    void fail() {
        note(ERROR_CANNOT_WRITE, request_.archive, "cannot write the archive");
        stop_ = true;
    }

    static std::vector<std::string> children(const std::string& folder) {
        std::vector<std::string> names;
        WIN32_FIND_DATAA f;
        HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &f);
        if (h == INVALID_HANDLE_VALUE) return names;
        do {
            if (std::strcmp(f.cFileName, ".") != 0 && std::strcmp(f.cFileName, "..") != 0) names.push_back(f.cFileName);
        } while (FindNextFileA(h, &f));
        FindClose(h);
        std::sort(names.begin(), names.end());
        return names;
    }

    const Request& request_;
    std::string& log_;
    Writer out_;
    std::string archive_;
    std::vector<char> buffer_ = std::vector<char>(1 << 20);
    bool stop_ = false;
    int first_error_ = 0;
};
}  // namespace

int create(const Request& r, bool add, std::string& log) { return Creator(r, log).run(add); }
}  // namespace tar
