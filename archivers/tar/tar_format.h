// POSIX ustar headers: reading one entry (with the GNU and pax records that
// carry long names) and writing one.
#pragma once
#include <cstdint>
#include <string>
#include "tar/archive_stream.h"

namespace tar {
constexpr std::size_t kBlock = 512;

struct Entry {
    std::string name;  // as the archive holds it: code-page-932 bytes, "/" between folders
    std::string link;  // the target of a link entry
    char type = '0';   // '0' file, '1' hard link, '2' symbolic link, '5' folder, ...
    std::uint64_t size = 0;
    std::int64_t mtime = 0;  // seconds since 1970, UTC
    std::uint32_t mode = 0644;
    std::uint64_t header_offset = 0;  // where the entry's first header starts

    bool is_folder() const { return type == '5' || (!name.empty() && name.back() == '/' && type != '1' && type != '2'); }
    bool is_file() const { return !is_folder() && (type == '0' || type == '\0' || type == '7'); }
    bool is_link() const { return type == '1' || type == '2'; }
};

// Reads the next entry's headers. Returns 0 with `end` set at the end mark
// (or a clean end of the data), 0 with the entry, or an error code: a bad
// checksum, a broken header, a truncated archive. The data stays unread.
int read_entry(Reader& in, Entry& entry, bool& end);
// Bytes of padding after `size` bytes of data.
inline std::uint64_t padding(std::uint64_t size) { return (kBlock - size % kBlock) % kBlock; }
// Writes the headers of an entry (a pax record first when the name, the link
// or the size does not fit the ustar fields).
bool write_entry(Writer& out, const Entry& entry);
// The end mark (two empty blocks) and the padding to a whole record.
bool write_end(Writer& out);
}  // namespace tar
