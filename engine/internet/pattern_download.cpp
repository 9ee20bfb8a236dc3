// DownLoadAllInterNetfileByGetWin32FindData: every file of one folder whose
// name matches the pattern that ends the URL. An FTP folder is listed by the
// server; an HTTP folder is read from the folder's index page (the links to
// plain names in it). Each match goes to the request's per-entry function
// (or is taken when there is none) and is downloaded like a single file.
#include <shlwapi.h>
#include <cstring>
#include <new>
#include <string>
#include <vector>
#include "internet/download_internal.h"

namespace ferro::internet {
namespace {
constexpr DWORD kPageReadSize = 64 * 1024;
constexpr std::size_t kLargestIndex = 16u << 20;

// The names that the links of an index page point to inside its folder.
void names_from_index(const std::string& page, std::vector<std::string>* names) {
    for (std::size_t at = 0; (at = page.find("href=\"", at)) != std::string::npos;) {
        at += 6;
        const std::size_t end = page.find('"', at);
        if (end == std::string::npos) break;
        const std::string link = page.substr(at, end - at);
        at = end;
        if (link.empty() || link.find_first_of("/?#:") != std::string::npos || link[0] == '.') continue;
        char name[kNameSize];
        if (local_name(link.c_str(), name, sizeof name)) names->push_back(name);
    }
}

class PatternDownload {
public:
    PatternDownload(InternetRequest& request, const ConnectMessageRecord& record)
        : r_(request),
          record_(record),
          session_(request.notify_window ? request.notify_window : record.window,
                   request.notify_window ? request.notify_message : record.message, kTransferAgent, true) {}

    LONG run() {
        DWORD error = 0;
        if (!r_.source || !parse_address(r_.source, &address_, &error) || !*address_.file_name()) {
            session_.set_last_error(error ? error : ERROR_INTERNET_INVALID_URL);
            session_.report(session_.last_error(), r_.source ? r_.source : "");
            return kRequestNotOpened;
        }
        const char* pattern = address_.file_name();
        folder_url_.assign(r_.source, std::strlen(r_.source) - std::strlen(pattern));
        LONG result = list(pattern);
        session_.send(result == kOk ? kComplete : kEnd);
        if (result != kOk) return result;
        return download_matches();
    }

private:
    // The listing has a connection of its own, closed before the downloads.
    LONG list(const char* pattern) {
        Session site(session_.window(), message(), kTransferAgent, true);
        LONG result = site.open_and_connect(address_, r_.display_name ? r_.display_name : r_.source);
        if (result != kOk) return result;
        std::vector<std::string> names;
        try {
            result = address_.scheme == Scheme::kFtp ? list_ftp(site, &names) : list_http(site, &names);
            if (result != kOk) return result;
            for (const std::string& name : names)
                if (PathMatchSpecA(name.c_str(), pattern)) matches_.push_back(name);
        } catch (const std::bad_alloc&) {
            return kNoData;
        }
        if (matches_.empty()) {
            session_.send(kNotThere, 0);
            return kNotOnFtpSite;
        }
        return kOk;
    }

    UINT_PTR message() const { return r_.notify_window ? r_.notify_message : record_.message; }

    LONG list_ftp(Session& site, std::vector<std::string>* names) {
        site.send(kFtpLookup);
        std::string folder(address_.path, std::strlen(address_.path) - std::strlen(address_.file_name()));
        if (!FtpSetCurrentDirectoryA(site.connection(), folder.c_str())) {
            site.set_last_error(GetLastError());
            site.send(kNotThere, static_cast<LPARAM>(site.last_error()));
            return kFolderNotAvailable;
        }
        WIN32_FIND_DATAA entry;
        Handle find(FtpFindFirstFileA(site.connection(), nullptr, &entry, INTERNET_FLAG_RELOAD, 0));
        if (!find) return kOk;  // an empty folder
        do {
            if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names->push_back(entry.cFileName);
        } while (InternetFindNextFileA(find.get(), &entry));
        return kOk;
    }

    LONG list_http(Session& site, std::vector<std::string>* names) {
        char wire[kUrlSize * 3];
        if (!escaped_url(folder_url_.c_str(), wire, sizeof wire)) return kRequestNotOpened;
        Handle page(InternetOpenUrlA(site.internet(), wire, nullptr, 0,
                                     INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0));
        DWORD status = 0, size = sizeof status;
        if (!page || !HttpQueryInfoA(page.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size,
                                     nullptr) ||
            status < 200 || status > 299) {
            site.set_last_error(page ? ERROR_PATH_NOT_FOUND : GetLastError());
            site.send(kNotThere, static_cast<LPARAM>(site.last_error()));
            return kFolderNotAvailable;
        }
        std::string text;
        std::vector<char> chunk(kPageReadSize);
        for (DWORD got = 0; InternetReadFile(page.get(), chunk.data(), kPageReadSize, &got) && got;) {
            text.append(chunk.data(), got);
            if (text.size() > kLargestIndex) break;
        }
        names_from_index(text, names);
        return kOk;
    }

    // Hands each match to the per-entry function and downloads what it takes.
    LONG download_matches() {
        LONG result = kOk, taken = 0;
        r_.files_done = 0;
        const LONG count = static_cast<LONG>(matches_.size());
        for (LONG i = 0; i < count; ++i) {
            const std::string& name = matches_[i];
            if (i > 0) session_.send(kNextFile);
            WIN32_FIND_DATAA entry = {};
            lstrcpynA(entry.cFileName, name.c_str(), sizeof entry.cFileName);
            const LONG verdict = r_.found_entry ? r_.found_entry(&entry, &r_) : 2;
            if (verdict == 0) continue;
            if (verdict < 0) return taken ? result : kNotOnFtpSite;
            ++taken;
            if (r_.found_name) lstrcpynA(r_.found_name, name.c_str(), static_cast<int>(kNameSize));
            session_.send(kFtpFound);
            const LONG one = download_one(name, i + 1, count);
            if (one == kOk) ++r_.files_done;
            else if (one != kSameFile) return one;
            if (verdict == 1) break;
        }
        if (!taken) {
            session_.send(kNotThere, 0);
            return kNotOnFtpSite;
        }
        return result;
    }

    LONG download_one(const std::string& name, LONG index, LONG count) {
        const std::string url = folder_url_ + name;
        if (url.size() >= kNameSize) return kRequestNotOpened;
        InternetRequest one = r_;
        one.source = url.c_str();
        one.target_name = nullptr;
        one.text_index = index;
        one.text_count = count;
        return Download(one, record_).run();
    }

    InternetRequest& r_;
    ConnectMessageRecord record_;
    Session session_;
    Address address_;
    std::string folder_url_;
    std::vector<std::string> matches_;
};
}  // namespace
}  // namespace ferro::internet

LONG WINAPI DownLoadAllInterNetfileByGetWin32FindData(InternetRequest* request, HWND c1, UINT_PTR c2, LONG_PTR c3,
                                                      LONG_PTR c4, DWORD* c5) {
    if (!request) return ferro::internet::kRequestNotOpened;
    try {
        return ferro::internet::PatternDownload(*request, {c1, c2, c3, c4, c5}).run();
    } catch (const std::bad_alloc&) {
        return ferro::internet::kNoData;
    }
}
