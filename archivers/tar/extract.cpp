// Extracting an archive into a folder. Nothing is written outside the
// folder: every name is checked before anything is made, links become
// copies of files already extracted inside it, and a file cut short by the
// end of the archive is removed again.
#include <windows.h>
#include <cstdio>
#include "common_archiver.h"
#include "tar/entry_names.h"
#include "tar/operations.h"
#include "tar/tar_format.h"

namespace tar {
namespace {
constexpr std::size_t kPathSize = 520;  // every Windows path of the product: 519 bytes and the NUL

class Extractor {
public:
    Extractor(const Request& r, std::string& log) : request_(r), log_(log) {}

    int run() {
        char full[kPathSize];
        const DWORD n = GetFullPathNameA(request_.folder.empty() ? "." : request_.folder.c_str(), sizeof full, full, nullptr);
        if (n == 0 || n >= sizeof full) return note(ERROR_LONG_FILE_NAME, request_.folder, "the target folder");
        root_ = full;
        while (root_.size() > 3 && root_.back() == '\\') root_.pop_back();
        if (!make_folders(root_)) return note(ERROR_MAKEDIRECTORY, root_, "cannot make the folder");
        if (int r = in_.open(request_.archive.c_str())) return note(r, request_.archive, "cannot open the archive");
        for (;;) {
            Entry e;
            bool end;
            if (int r = read_entry(in_, e, end)) return note(r, request_.archive, "a broken header");
            if (end) break;
            if (int r = entry(e); r == kStop) break;
        }
        return first_error_;
    }

private:
    static constexpr int kStop = -1;

    int note(int code, const std::string& name, const char* what) {
        return note_error(log_, first_error_, code, name, what);
    }

    bool wanted(const Entry& e) const {
        if (request_.names.empty()) return true;
        for (const std::string& p : request_.names)
            if (matches(e.name, p)) return true;
        return false;
    }

    bool skip_data(const Entry& e) {
        bool short_read;
        if (in_.skip(e.size + padding(e.size), short_read)) return true;
        note(short_read ? ERROR_UNEXPECTED_EOF : ERROR_CANNOT_READ, e.name, "the archive ends too early");
        return false;
    }

    // Makes the folder and the folders above it (within or at the root).
    bool make_folders(const std::string& path) {
        if (path == made_) return true;
        if (!CreateDirectoryA(path.c_str(), nullptr) && !is_folder(path)) {
            if (GetLastError() != ERROR_PATH_NOT_FOUND) return false;
            const std::size_t cut = path.find_last_of('\\');
            if (cut == std::string::npos || cut < 2 || !make_folders(path.substr(0, cut))) return false;
            if (!CreateDirectoryA(path.c_str(), nullptr) && !is_folder(path)) return false;
        }
        made_ = path;
        return true;
    }

    static bool is_folder(const std::string& path) {
        const DWORD error = GetLastError();
        const DWORD a = GetFileAttributesA(path.c_str());
        SetLastError(error);
        return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
    }

    int entry(const Entry& e) {
        if (!wanted(e)) return skip_data(e) ? 0 : kStop;
        std::string relative;
        if (relative_path(e.name, relative)) {
            note(ERROR_NOT_CONFIRM_NAME, e.name, "a name that leaves the target folder");
            return skip_data(e) ? 0 : kStop;
        }
        if (!request_.with_paths) relative = last_component(relative);
        if (relative.empty()) return skip_data(e) ? 0 : kStop;
        const std::string path = root_ + (root_.back() == '\\' ? "" : "\\") + relative;
        if (path.size() >= kPathSize) {
            note(ERROR_LONG_FILE_NAME, e.name, "the name is too long");
            return skip_data(e) ? 0 : kStop;
        }
        if (e.is_folder()) {
            if (request_.with_paths && !make_folders(path)) note(ERROR_MAKEDIRECTORY, e.name, "cannot make the folder");
            return skip_data(e) ? 0 : kStop;
        }
        const std::size_t cut = path.find_last_of('\\');
        if (!make_folders(path.substr(0, cut))) {
            note(ERROR_MAKEDIRECTORY, e.name, "cannot make the folder");
            return skip_data(e) ? 0 : kStop;
        }
        if (e.is_link()) return link(e, path);
        if (!e.is_file()) {
            log_ += "skipped (not a file): " + e.name + "\r\n";
            return skip_data(e) ? 0 : kStop;
        }
        if (e.size > in_.remaining()) {
            note(ERROR_HDR_INVALID_SIZE, e.name, "the size is larger than the archive");
            return kStop;
        }
        return write_file(e, path);
    }

    int write_file(const Entry& e, const std::string& path) {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);  // an older read-only copy is replaced
        HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) {
            note(ERROR_FILE_OPEN, e.name, "cannot write the file");
            return skip_data(e) ? 0 : kStop;
        }
        std::uint64_t left = e.size;
        bool ok = true, cut_short = false;
        while (left > 0 && ok) {
            const char* data;
            std::size_t got;
            if (!in_.view(static_cast<std::size_t>(left < (1u << 20) ? left : (1u << 20)), data, got)) {
                ok = false;
            } else if (got == 0) {
                ok = false;
                cut_short = true;
            } else {
                DWORD put = 0;
                ok = WriteFile(h, data, static_cast<DWORD>(got), &put, nullptr) && put == got;
                if (!ok) {
                    CloseHandle(h);
                    DeleteFileA(path.c_str());
                    note(ERROR_CANNOT_WRITE, e.name, "cannot write the file");
                    return kStop;
                }
                left -= got;
            }
        }
        if (!ok) {
            CloseHandle(h);
            DeleteFileA(path.c_str());
            note(cut_short ? ERROR_UNEXPECTED_EOF : ERROR_BROKEN_DATA, e.name, "the archive ends inside the file");
            return kStop;
        }
        const FILETIME t = file_time(e.mtime);
        SetFileTime(h, nullptr, nullptr, &t);
        CloseHandle(h);
        if (!(e.mode & 0200)) SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
        log_ += e.name + "\r\n";
        bool short_read;
        if (!in_.skip(padding(e.size), short_read)) {
            note(ERROR_UNEXPECTED_EOF, e.name, "the archive ends too early");
            return kStop;
        }
        return 0;
    }

    // A link becomes a copy of its target, when the target lies inside the
    // folder and is there.
    int link(const Entry& e, const std::string& path) {
        std::string target;
        if (link_target(e.name, e.link, e.type == '2', target)) {
            note(ERROR_NOT_CONFIRM_NAME, e.name, "a link that leaves the target folder");
            return 0;
        }
        const std::string from = root_ + (root_.back() == '\\' ? "" : "\\") + target;
        if (from.size() >= kPathSize || !CopyFileA(from.c_str(), path.c_str(), FALSE)) {
            note(ERROR_NOT_FIND_FILE, e.name, "the link's target is not there");
            return 0;
        }
        log_ += e.name + "\r\n";
        return 0;
    }

    const Request& request_;
    std::string& log_;
    Reader in_;
    std::string root_, made_;
    int first_error_ = 0;
};
}  // namespace

int extract(const Request& r, std::string& log) { return Extractor(r, log).run(); }
}  // namespace tar
