// FtpCopyFile: one file from an FTP location to another, read through one
// connection and written through a second. A copy that fails half way is
// removed from the destination.
#include <cstring>
#include "internet/download_internal.h"

namespace ferro::internet {
namespace {
constexpr DWORD kWriteFlags = 0x84000002;  // reload, no cache write, binary
constexpr DWORD kChunkSize = kReadBufferSize - 1;

class FtpCopy {
public:
    FtpCopy(HWND window, UINT_PTR message)
        : writer_(window, message, kTransferAgent, true), reader_(window, message, kTransferAgent, true) {}

    LONG run(const char* source, const char* target) {
        Address from, to;
        DWORD error = 0;
        if (!parse_address(source, &from, &error) || !parse_address(target, &to, &error) ||
            from.scheme != Scheme::kFtp || to.scheme != Scheme::kFtp) {
            return fail(kRequestNotOpened, error ? error : ERROR_INTERNET_UNRECOGNIZED_SCHEME,
                        source ? source : "");
        }
        LONG result = writer_.open_and_connect(to, target);
        if (result != kOk) return done(result, writer_.last_error());
        Handle out(FtpOpenFileA(writer_.connection(), to.path, GENERIC_WRITE, kWriteFlags, 0));
        if (!out) return fail(kRequestNotSent, GetLastError(), target);
        result = reader_.open_and_connect(from, source);
        if (result != kOk) return remove_target(out, to, done(result, reader_.last_error()));
        Handle in(FtpOpenFileA(reader_.connection(), from.path, GENERIC_READ, FTP_TRANSFER_TYPE_BINARY, 0));
        if (!in) return remove_target(out, to, fail(kNotOnFtpSite, GetLastError(), source));
        result = copy(in.get(), out.get());
        in.reset();
        if (result != kOk) return remove_target(out, to, result);
        out.reset();
        writer_.send(kComplete);
        return done(kOk, 0);
    }

private:
    LONG copy(HINTERNET in, HINTERNET out) {
        char* buffer = static_cast<char*>(HeapAlloc(GetProcessHeap(), 0, kReadBufferSize));
        if (!buffer) return fail(kNoData, ERROR_NOT_ENOUGH_MEMORY, "");
        LONG result = kOk;
        ULONGLONG total = 0;
        for (;;) {
            DWORD got = 0;
            if (!InternetReadFile(in, buffer, kChunkSize, &got)) {
                result = fail(kNoData, GetLastError(), "");
                break;
            }
            if (got == 0 || writer_.cancelled(&result)) break;
            DWORD written = 0;
            if (!InternetWriteFile(out, buffer, got, &written) || written != got) {
                result = fail(total ? kLaterWriteFailed : kFirstWriteFailed, GetLastError(), "");
                break;
            }
            total += got;
            writer_.send(kChunk, static_cast<LPARAM>(total & 0xffffffff));
        }
        HeapFree(GetProcessHeap(), 0, buffer);
        return result;
    }

    LONG remove_target(Handle& out, const Address& to, LONG result) {
        out.reset();
        FtpDeleteFileA(writer_.connection(), to.path);
        writer_.send(kEnd);
        return result;
    }

    LONG fail(LONG result, DWORD error, const char* subject) {
        writer_.set_last_error(error);
        writer_.report(error, subject);
        return done(result, error);
    }

    LONG done(LONG result, DWORD error) {
        set_ftp_copy_error(error);
        return result;
    }

    Session writer_;
    Session reader_;
};
}  // namespace
}  // namespace ferro::internet

LONG WINAPI FtpCopyFile(LPCSTR source, LPCSTR target, HWND window, UINT_PTR message) {
    ferro::internet::set_ftp_copy_error(0);
    return ferro::internet::FtpCopy(window, message).run(source, target);
}
