#include "tar/archive_stream.h"
#include <zlib.h>
#include <algorithm>
#include <cstring>
#include "common_archiver.h"

namespace tar {
namespace {
constexpr std::size_t kBufferSize = 1 << 20;
constexpr int kGzipWindow = 15 + 16;  // zlib's window bits, gzip framing

bool read_file(HANDLE file, char* out, std::size_t n, std::size_t& got) {
    DWORD done = 0;
    if (!ReadFile(file, out, static_cast<DWORD>(n), &done, nullptr)) return false;
    got = done;
    return true;
}
}  // namespace

struct Reader::Inflater {
    z_stream z{};
    std::vector<char> packed = std::vector<char>(kBufferSize / 4);
    bool at_end = false;
    Inflater() { inflateInit2(&z, kGzipWindow); }
    ~Inflater() { inflateEnd(&z); }
};

Reader::Reader() : buffer_(kBufferSize) {}
Reader::~Reader() {
    if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
}

int Reader::open(const char* path) {
    file_ = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file_ == INVALID_HANDLE_VALUE) {
        const DWORD e = GetLastError();
        return e == ERROR_FILE_NOT_FOUND || e == ERROR_PATH_NOT_FOUND ? ERROR_NOT_FIND_ARC_FILE : ERROR_ARC_FILE_OPEN;
    }
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file_, &size)) return ERROR_ARC_FILE_OPEN;
    file_size_ = static_cast<std::uint64_t>(size.QuadPart);
    unsigned char magic[2] = {};
    std::size_t got = 0;
    if (!read_file(file_, reinterpret_cast<char*>(magic), 2, got)) return ERROR_CANNOT_READ;
    gzip_ = got == 2 && magic[0] == 0x1f && magic[1] == 0x8b;
    SetFilePointer(file_, 0, nullptr, FILE_BEGIN);
    if (gzip_) inflater_ = std::make_unique<Inflater>();
    return 0;
}

// Fills the buffer anew; false only on an error (the end leaves it empty).
bool Reader::refill() {
    begin_ = end_ = 0;
    if (failed_) return false;
    if (!gzip_) {
        std::size_t got = 0;
        if (!read_file(file_, buffer_.data(), buffer_.size(), got)) return !(failed_ = true);
        end_ = got;
        return true;
    }
    Inflater& f = *inflater_;
    f.z.next_out = reinterpret_cast<Bytef*>(buffer_.data());
    f.z.avail_out = static_cast<uInt>(buffer_.size());
    while (f.z.avail_out > 0 && !f.at_end) {
        if (f.z.avail_in == 0) {
            std::size_t got = 0;
            if (!read_file(file_, f.packed.data(), f.packed.size(), got)) return !(failed_ = true);
            if (got == 0) break;  // the compressed data ends here
            f.z.next_in = reinterpret_cast<Bytef*>(f.packed.data());
            f.z.avail_in = static_cast<uInt>(got);
        }
        const int r = inflate(&f.z, Z_NO_FLUSH);
        if (r == Z_STREAM_END) {
            // Another gzip member may follow (concatenated archives).
            if (f.z.avail_in == 0) {
                std::size_t got = 0;
                if (!read_file(file_, f.packed.data(), f.packed.size(), got)) return !(failed_ = true);
                f.z.next_in = reinterpret_cast<Bytef*>(f.packed.data());
                f.z.avail_in = static_cast<uInt>(got);
            }
            if (f.z.avail_in == 0) f.at_end = true;
            else inflateReset(&f.z);
        } else if (r != Z_OK && r != Z_BUF_ERROR) {
            return !(failed_ = true);
        } else if (r == Z_BUF_ERROR && f.z.avail_in > 0) {
            return !(failed_ = true);
        }
    }
    end_ = buffer_.size() - f.z.avail_out;
    return true;
}

bool Reader::view(std::size_t want, const char*& data, std::size_t& got) {
    got = 0;
    if (begin_ == end_ && !refill()) return false;
    got = std::min(want, end_ - begin_);
    data = buffer_.data() + begin_;
    begin_ += got;
    position_ += got;
    return true;
}

bool Reader::read(void* out, std::size_t n, bool& short_read) {
    short_read = false;
    char* to = static_cast<char*>(out);
    while (n > 0) {
        const char* data;
        std::size_t got;
        if (!view(n, data, got)) return false;
        if (got == 0) {
            short_read = true;
            return false;
        }
        std::memcpy(to, data, got);
        to += got;
        n -= got;
    }
    return true;
}

bool Reader::skip(std::uint64_t n, bool& short_read) {
    short_read = false;
    const std::uint64_t buffered = end_ - begin_;
    if (!gzip_ && n > buffered) {
        // Past the buffer: move the file pointer instead of reading.
        const std::uint64_t target = position_ + n;
        if (target > file_size_) {
            short_read = true;
            return false;
        }
        LARGE_INTEGER to;
        to.QuadPart = static_cast<LONGLONG>(target);
        if (!SetFilePointerEx(file_, to, nullptr, FILE_BEGIN)) return false;
        begin_ = end_ = 0;
        position_ = target;
        return true;
    }
    while (n > 0) {
        const char* data;
        std::size_t got;
        if (!view(static_cast<std::size_t>(std::min<std::uint64_t>(n, kBufferSize)), data, got)) return false;
        if (got == 0) {
            short_read = true;
            return false;
        }
        n -= got;
    }
    return true;
}

struct Writer::Deflater {
    z_stream z{};
    bool ready = false;
    Deflater() { ready = deflateInit2(&z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, kGzipWindow, 8, Z_DEFAULT_STRATEGY) == Z_OK; }
    ~Deflater() { deflateEnd(&z); }
};

Writer::Writer() : buffer_(kBufferSize) {}
Writer::~Writer() {
    if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
}

int Writer::create(const char* path, bool gzip) {
    file_ = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file_ == INVALID_HANDLE_VALUE) return ERROR_MAKE_ARCHIVE;
    if (gzip) {
        deflater_ = std::make_unique<Deflater>();
        if (!deflater_->ready) return ERROR_ENOUGH_MEMORY;
        packed_.resize(kBufferSize / 2);
    }
    return 0;
}

int Writer::continue_at(const char* path, std::uint64_t offset) {
    file_ = CreateFileA(path, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file_ == INVALID_HANDLE_VALUE) return ERROR_ARC_FILE_OPEN;
    LARGE_INTEGER to;
    to.QuadPart = static_cast<LONGLONG>(offset);
    if (!SetFilePointerEx(file_, to, nullptr, FILE_BEGIN) || !SetEndOfFile(file_)) return ERROR_CANNOT_WRITE;
    position_ = offset;
    return 0;
}

bool Writer::put(const char* data, std::size_t n) {
    DWORD done = 0;
    if (!WriteFile(file_, data, static_cast<DWORD>(n), &done, nullptr) || done != n) failed_ = true;
    return !failed_;
}

bool Writer::flush(bool final) {
    if (failed_) return false;
    if (!deflater_) {
        const bool ok = used_ == 0 || put(buffer_.data(), used_);
        used_ = 0;
        return ok;
    }
    z_stream& z = deflater_->z;
    z.next_in = reinterpret_cast<Bytef*>(buffer_.data());
    z.avail_in = static_cast<uInt>(used_);
    int r;
    do {
        z.next_out = reinterpret_cast<Bytef*>(packed_.data());
        z.avail_out = static_cast<uInt>(packed_.size());
        r = deflate(&z, final ? Z_FINISH : Z_NO_FLUSH);
        if (r == Z_STREAM_ERROR) return !(failed_ = true);
        const std::size_t n = packed_.size() - z.avail_out;
        if (n && !put(packed_.data(), n)) return false;
    } while (final ? r != Z_STREAM_END : z.avail_out == 0);
    used_ = 0;
    return true;
}

bool Writer::write(const void* data, std::size_t n) {
    const char* from = static_cast<const char*>(data);
    position_ += n;
    while (n > 0 && !failed_) {
        if (used_ == 0 && n >= buffer_.size() && !deflater_) return put(from, n);  // large: straight through
        const std::size_t room = std::min(n, buffer_.size() - used_);
        std::memcpy(buffer_.data() + used_, from, room);
        used_ += room;
        from += room;
        n -= room;
        if (used_ == buffer_.size()) flush(false);
    }
    return !failed_;
}

bool Writer::zeros(std::size_t n) {
    static const char kZeros[512] = {};
    while (n > 0) {
        const std::size_t k = std::min(n, sizeof kZeros);
        if (!write(kZeros, k)) return false;
        n -= k;
    }
    return true;
}

bool Writer::finish() {
    flush(true);
    if (file_ != INVALID_HANDLE_VALUE && !CloseHandle(file_)) failed_ = true;
    file_ = INVALID_HANDLE_VALUE;
    return !failed_;
}
}  // namespace tar
