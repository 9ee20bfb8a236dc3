// The download log and the FTP report file.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include "ferromes.h"
#include "internet/download_internal.h"

namespace ferro::internet {
namespace {
constexpr UINT kMarks[] = {8373, 8374, 8375};  // " 有inDISK", "*新      ", "*無inDISK"
constexpr DWORD kReportWriteFlags = 0x84000001;  // reload, no cache write, ASCII
constexpr char kArrow[] = "\x81\xa8";  // →
}  // namespace

void add_log_line(MemoryTag* log, LONG outcome, const char* remote, const char* local, bool found, ULONGLONG size) {
    if (!log) return;
    MyLoadString(kMarks[GetFileToBeDownloadedFromInternet(outcome)], 0);
    char line[kUrlSize * 2 + 96];
    if (found)
        std::snprintf(line, sizeof line, "%s %s%s%s %llu\r\n", GetLoadStrMessage(), remote, kArrow, local,
                      static_cast<unsigned long long>(size));
    else
        std::snprintf(line, sizeof line, "%s %s%s%s (not found)\r\n", GetLoadStrMessage(), remote, kArrow, local);
    AddMemoryTag(log, line);
}

void write_ftp_report(HINTERNET connection, const InternetRequest& request, const char* name, ULONGLONG received) {
    char path[kUrlSize];
    if (std::snprintf(path, sizeof path, "/%s", request.report_file) >= static_cast<int>(sizeof path)) return;
    char folder[kUrlSize];
    std::strcpy(folder, path);
    if (char* slash = std::strrchr(folder, '/'); slash && slash != folder) {
        *slash = '\0';
        FtpCreateDirectoryA(connection, folder);  // usually there already
    }
    LONG counter = 0;
    if (Handle in{FtpOpenFileA(connection, path, GENERIC_READ, FTP_TRANSFER_TYPE_BINARY, 0)}) {
        char number[32] = {};
        DWORD got = 0;
        if (InternetReadFile(in.get(), number, sizeof number - 1, &got)) counter = std::atoi(number);
        char rest[256];
        while (InternetReadFile(in.get(), rest, sizeof rest, &got) && got) {
        }
    }
    char text[kUrlSize + 64];
    if (request.options & kRequestSizeReport)
        std::snprintf(text, sizeof text, "%s\ncorrect_size=%lu\ninfected_size=%lu", name,
                      static_cast<unsigned long>(request.expected_size), static_cast<unsigned long>(received));
    else
        std::snprintf(text, sizeof text, "%d\n", static_cast<int>(counter + 1));
    if (Handle out{FtpOpenFileA(connection, path, GENERIC_WRITE, kReportWriteFlags, 0)}) {
        DWORD written = 0;
        InternetWriteFile(out.get(), text, static_cast<DWORD>(std::strlen(text)), &written);
    }
}
}  // namespace ferro::internet
