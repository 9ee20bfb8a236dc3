// A fresh folder under the system's temporary folder, removed with all it
// holds (read-only files included) when the fixture ends.
#pragma once
#include <string>
#include <string_view>

namespace ferro_test {
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }  // code-page-932, no final yen mark
    std::string operator/(std::string_view name) const { return path_ + "\\" + std::string(name); }
    // Creates a file (and its folders) holding `contents`; returns its full path.
    std::string file(std::string_view relative, std::string_view contents = {}) const;
    std::string folder(std::string_view relative) const;

private:
    std::string path_;
};

// Removes a file or a whole tree, clearing read-only attributes on the way.
void remove_tree(const std::string& path);
bool exists(const std::string& path);
std::string read_file(const std::string& path);
}  // namespace ferro_test
