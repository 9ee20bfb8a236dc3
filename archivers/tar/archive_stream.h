// The bytes of an archive file, plain or gzip-compressed: a reader that
// hands out its buffer piece by piece, and a buffered writer.
#pragma once
#include <windows.h>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tar {
class Reader {
public:
    Reader();
    ~Reader();
    Reader(const Reader&) = delete;
    Reader& operator=(const Reader&) = delete;

    // 0, or the interface's error code (no such archive, cannot open it).
    int open(const char* path);
    bool gzip() const { return gzip_; }
    std::uint64_t file_size() const { return file_size_; }
    // Offset in the archive's (uncompressed) bytes.
    std::uint64_t position() const { return position_; }
    // Bytes of a plain archive after the position; a gzip archive cannot tell.
    std::uint64_t remaining() const { return gzip_ ? UINT64_MAX : file_size_ - position_; }
    // Up to `want` bytes from the buffer; `got` 0 at the end. False when the
    // compressed data is broken or the file cannot be read.
    bool view(std::size_t want, const char*& data, std::size_t& got);
    // Exactly n bytes into out; false at a short read or an error (`short_read` tells which).
    bool read(void* out, std::size_t n, bool& short_read);
    bool skip(std::uint64_t n, bool& short_read);

private:
    bool refill();
    HANDLE file_ = INVALID_HANDLE_VALUE;
    bool gzip_ = false;
    bool failed_ = false;
    std::uint64_t file_size_ = 0;
    std::uint64_t position_ = 0;
    std::vector<char> buffer_;
    std::size_t begin_ = 0, end_ = 0;
    struct Inflater;
    std::unique_ptr<Inflater> inflater_;
};

class Writer {
public:
    Writer();
    ~Writer();
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;

    // A new archive (replacing one of the same name), or an existing plain
    // one continued at `offset` (its end-of-archive mark). 0 or an error code.
    int create(const char* path, bool gzip);
    int continue_at(const char* path, std::uint64_t offset);
    bool write(const void* data, std::size_t n);
    bool zeros(std::size_t n);
    // Flushes and closes; false when anything failed on the way.
    bool finish();
    std::uint64_t position() const { return position_; }

private:
    bool flush(bool final);
    bool put(const char* data, std::size_t n);
    HANDLE file_ = INVALID_HANDLE_VALUE;
    bool failed_ = false;
    std::uint64_t position_ = 0;
    std::vector<char> buffer_;
    std::size_t used_ = 0;
    std::vector<char> packed_;
    struct Deflater;
    std::unique_ptr<Deflater> deflater_;
};
}  // namespace tar
