#include "tar/tar_format.h"
#include <algorithm>
#include <cstdio>
#include <cstring>
#include "common_archiver.h"

namespace tar {
namespace {
constexpr std::size_t kRecord = 20 * kBlock;
constexpr std::uint64_t kLongRecordLimit = 1 << 16;  // a long name or pax record larger than this is refused

// Field offsets and sizes of a ustar header.
struct Field {
    std::size_t at, size;
};
constexpr Field kName{0, 100}, kMode{100, 8}, kUid{108, 8}, kGid{116, 8}, kSize{124, 12}, kMtime{136, 12},
    kChecksum{148, 8}, kType{156, 1}, kLink{157, 100}, kMagic{257, 6}, kVersion{263, 2}, kPrefix{345, 155};

std::string text_of(const char* h, Field f) {
    const char* p = h + f.at;
    return std::string(p, strnlen(p, f.size));
}

// An octal number (spaces and NULs around it), or GNU's base-256 form.
bool number_of(const char* h, Field f, std::uint64_t& value) {
    const unsigned char* p = reinterpret_cast<const unsigned char*>(h + f.at);
    value = 0;
    if (p[0] & 0x80) {
        if (p[0] & 0x40) return false;  // negative
        value = p[0] & 0x3f;
        for (std::size_t i = 1; i < f.size; ++i) {
            if (value >> 55) return false;
            value = (value << 8) | p[i];
        }
        return true;
    }
    std::size_t i = 0;
    while (i < f.size && p[i] == ' ') ++i;
    bool digits = false;
    for (; i < f.size && p[i] >= '0' && p[i] <= '7'; ++i) {
        if (value >> 60) return false;
        value = value * 8 + (p[i] - '0');
        digits = true;
    }
    for (; i < f.size; ++i)
        if (p[i] != ' ' && p[i] != '\0') return false;
    return digits || f.size > 0;
}

bool checksum_matches(const char* h) {
    std::uint64_t stored;
    if (!number_of(h, kChecksum, stored)) return false;
    std::uint64_t unsigned_sum = 0;
    std::int64_t signed_sum = 0;
    for (std::size_t i = 0; i < kBlock; ++i) {
        const bool in_field = i >= kChecksum.at && i < kChecksum.at + kChecksum.size;
        unsigned_sum += in_field ? ' ' : static_cast<unsigned char>(h[i]);
        signed_sum += in_field ? ' ' : static_cast<signed char>(h[i]);
    }
    return stored == unsigned_sum || static_cast<std::int64_t>(stored) == signed_sum;
}

bool all_zero(const char* h) {
    return std::all_of(h, h + kBlock, [](char c) { return c == '\0'; });
}

// The data of a long-name or pax record, read whole (with its padding).
int read_record(Reader& in, std::uint64_t size, std::string& data) {
    if (size > kLongRecordLimit) return ERROR_HEADER_BROKEN;
    data.resize(static_cast<std::size_t>(size));
    bool short_read;
    if (!in.read(data.data(), data.size(), short_read) || !in.skip(padding(size), short_read))
        return short_read ? ERROR_UNEXPECTED_EOF : ERROR_CANNOT_READ;
    return 0;
}

// "LEN key=value\n" records of a pax header: the path, the link and the size.
int apply_pax(const std::string& data, Entry& e, bool& has_path, bool& has_link, bool& has_size) {
    std::size_t at = 0;
    while (at < data.size()) {
        std::size_t len = 0, i = at;
        while (i < data.size() && data[i] >= '0' && data[i] <= '9') len = len * 10 + static_cast<std::size_t>(data[i++] - '0');
        if (i >= data.size() || data[i] != ' ' || len == 0 || at + len > data.size() || data[at + len - 1] != '\n')
            return ERROR_HEADER_BROKEN;
        const std::string record = data.substr(i + 1, at + len - 1 - (i + 1));
        const std::size_t eq = record.find('=');
        if (eq == std::string::npos) return ERROR_HEADER_BROKEN;
        const std::string key = record.substr(0, eq), value = record.substr(eq + 1);
        if (key == "path") {
            e.name = value;
            has_path = true;
        } else if (key == "linkpath") {
            e.link = value;
            has_link = true;
        } else if (key == "size") {
            e.size = std::strtoull(value.c_str(), nullptr, 10);
            has_size = true;
        } else if (key == "mtime") {
            e.mtime = std::strtoll(value.c_str(), nullptr, 10);
        }
        at += len;
    }
    return 0;
}

void put_text(char* h, Field f, const std::string& s) { std::memcpy(h + f.at, s.data(), std::min(s.size(), f.size)); }
void put_octal(char* h, Field f, std::uint64_t v) {
    std::snprintf(h + f.at, f.size, "%0*llo", static_cast<int>(f.size - 1), static_cast<unsigned long long>(v));
}
bool fits_octal(Field f, std::uint64_t v) { return v < (1ull << (3 * (f.size - 1))); }

void finish_header(char* h) {
    std::memset(h + kChecksum.at, ' ', kChecksum.size);
    unsigned sum = 0;
    for (std::size_t i = 0; i < kBlock; ++i) sum += static_cast<unsigned char>(h[i]);
    std::snprintf(h + kChecksum.at, 7, "%06o", sum);
    h[kChecksum.at + 7] = ' ';
}

void basic_header(char* h, const std::string& name, char type, std::uint64_t size, std::int64_t mtime,
                  std::uint32_t mode) {
    std::memset(h, 0, kBlock);
    put_text(h, kName, name);
    put_octal(h, kMode, mode & 07777);
    put_octal(h, kUid, 0);
    put_octal(h, kGid, 0);
    put_octal(h, kSize, size);
    put_octal(h, kMtime, static_cast<std::uint64_t>(std::max<std::int64_t>(mtime, 0)));
    h[kType.at] = type;
    std::memcpy(h + kMagic.at, "ustar", 6);
    std::memcpy(h + kVersion.at, "00", 2);
}

// Splits a long name at a "/" into the prefix and name fields; false when it cannot.
bool split_name(const std::string& name, std::string& prefix, std::string& rest) {
    if (name.size() <= kName.size) {
        prefix.clear();
        rest = name;
        return true;
    }
    for (std::size_t i = std::min(name.size() - 1, kPrefix.size); i > 0; --i) {
        if (name[i] != '/') continue;
        if (name.size() - i - 1 > kName.size || name.size() - i - 1 == 0) return false;
        prefix = name.substr(0, i);
        rest = name.substr(i + 1);
        return true;
    }
    return false;
}

void add_pax_record(std::string& data, const char* key, const std::string& value) {
    const std::size_t body = std::strlen(key) + value.size() + 3;  // " key=value\n"
    std::size_t len = body + 1;
    while (std::to_string(len).size() + body != len) ++len;
    data += std::to_string(len) + " " + key + "=" + value + "\n";
}
}  // namespace

int read_entry(Reader& in, Entry& e, bool& end) {
    end = false;
    e = Entry{};
    bool has_path = false, has_link = false, has_size = false;
    e.header_offset = in.position();
    for (;;) {
        const std::uint64_t start = in.position();
        char h[kBlock];
        bool short_read;
        if (!in.read(h, kBlock, short_read)) {
            if (short_read && in.position() == start) {
                end = true;  // the data ends at a block boundary without the end mark
                return 0;
            }
            return short_read ? ERROR_UNEXPECTED_EOF : ERROR_CANNOT_READ;
        }
        if (all_zero(h)) {
            end = true;
            return 0;
        }
        if (!checksum_matches(h)) return ERROR_HEADER_CRC;
        std::uint64_t size, mtime, mode;
        if (!number_of(h, kSize, size) || !number_of(h, kMtime, mtime) || !number_of(h, kMode, mode))
            return ERROR_HEADER_BROKEN;
        const char type = h[kType.at];
        std::string data;
        switch (type) {
            case 'L':  // GNU: the next entry's long name
            case 'K':  // GNU: its long link
                if (int r = read_record(in, size, data)) return r;
                data.resize(strnlen(data.c_str(), data.size()));
                (type == 'L' ? e.name : e.link) = data;
                (type == 'L' ? has_path : has_link) = true;
                continue;
            case 'x':  // pax: records for the next entry
                if (int r = read_record(in, size, data)) return r;
                if (int r = apply_pax(data, e, has_path, has_link, has_size)) return r;
                continue;
            case 'g':  // pax: records for the whole archive
                if (int r = read_record(in, size, data)) return r;
                continue;
            default:
                break;
        }
        if (!has_path) {
            const std::string prefix = text_of(h, kPrefix);
            const bool posix = std::memcmp(h + kMagic.at, "ustar", 6) == 0;
            e.name = posix && !prefix.empty() ? prefix + "/" + text_of(h, kName) : text_of(h, kName);
        }
        if (!has_link) e.link = text_of(h, kLink);
        if (!has_size) e.size = size;
        if (e.mtime == 0) e.mtime = static_cast<std::int64_t>(mtime);
        e.mode = static_cast<std::uint32_t>(mode);
        e.type = type;
        // Links and folders carry no data, whatever their size field says.
        if (e.is_link() || type == '5') e.size = 0;
        return 0;
    }
}

bool write_entry(Writer& out, const Entry& e) {
    std::string prefix, rest;
    const bool name_fits = split_name(e.name, prefix, rest);
    const bool link_fits = e.link.size() <= kLink.size;
    const bool size_fits = fits_octal(kSize, e.size);
    char h[kBlock];
    if (!name_fits || !link_fits || !size_fits) {
        std::string data;
        if (!name_fits) add_pax_record(data, "path", e.name);
        if (!link_fits) add_pax_record(data, "linkpath", e.link);
        if (!size_fits) add_pax_record(data, "size", std::to_string(e.size));
        basic_header(h, "././@PaxHeader", 'x', data.size(), e.mtime, 0644);
        finish_header(h);
        if (!out.write(h, kBlock) || !out.write(data.data(), data.size()) || !out.zeros(padding(data.size())))
            return false;
    }
    basic_header(h, name_fits ? rest : e.name.substr(0, kName.size), e.type, size_fits ? e.size : 0, e.mtime, e.mode);
    if (name_fits) put_text(h, kPrefix, prefix);
    put_text(h, kLink, e.link);
    finish_header(h);
    return out.write(h, kBlock);
}

bool write_end(Writer& out) {
    if (!out.zeros(2 * kBlock)) return false;
    return out.zeros(static_cast<std::size_t>((kRecord - out.position() % kRecord) % kRecord));
}
}  // namespace tar
