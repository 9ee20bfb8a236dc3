// Entry names of an archive against the folder they are extracted to: every
// name that could land outside it (absolute names, drive or device names,
// ".." components, alternate streams) is refused, never rewritten.
#pragma once
#include <string>

namespace tar {
// The entry name as a path relative to the target folder, "\" between
// folders (a 0x5C trail byte of a double-byte character is no separator).
// "." and empty components are dropped; `out` may end empty (the folder
// itself). Returns 0 or ERROR_NOT_CONFIRM_NAME.
int relative_path(const std::string& name, std::string& out);
// The target of a link entry relative to the target folder: a symbolic
// link's target is taken from the link's own folder, a hard link's from the
// archive's root; ".." may climb but never above the target folder.
int link_target(const std::string& entry, const std::string& link, bool symbolic, std::string& out);
// The last component of a relative path.
std::string last_component(const std::string& relative);
// Whether the name matches the pattern: "*" and "?" wildcards, case ignored
// for ASCII letters, "/" and "\" alike; a pattern naming a folder matches
// everything inside it.
bool matches(const std::string& name, const std::string& pattern);
// The name with single-byte "/" turned into "\" (and back).
std::string windows_separators(const std::string& name);
std::string archive_separators(const std::string& name);
}  // namespace tar
