// Paths as the host takes them from its command line: code-page-932 bytes,
// where the second byte of 表 (95 5C) or ソ (83 5C) is the yen mark's byte, so
// every test for a separator looks at whole characters.
#pragma once
#include <string>

namespace host {
// A Unix path ("/...") as the Windows path of drive Z:.
std::string windows_path(const std::string& path);
// Whether the last character (not merely the last byte) is a yen mark.
bool ends_with_yen(const std::string& path);
// The path without final yen marks; a root ("C:\") keeps its own.
std::string without_final_yen(std::string path);
// The index of the last yen mark character, or npos.
std::string::size_type last_yen(const std::string& path);
// The last component (after the last yen mark).
std::string name_of(const std::string& path);
// folder + "\" + name, without doubling a final yen mark.
std::string joined(const std::string& folder, const std::string& name);
}  // namespace host
