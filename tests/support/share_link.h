// A network share as Wine sees one: the link $WINEPREFIX/dosdevices/unc/SERVER/SHARE
// to a folder, so that \\SERVER\SHARE\... names that folder. Made when the
// object is made, removed (with the server folder, when empty) when it ends.
// Also a drive letter the same way: $WINEPREFIX/dosdevices/x: to a folder.
#pragma once
#include <string>

namespace ferro_test {
// Starts a program (a Windows command line, or a Unix program under Wine)
// and waits for it at most `milliseconds`; false when it cannot be started.
bool run_program(const std::string& command_line, unsigned milliseconds = 10000);

// "X:" for a drive letter that names no drive here (empty when all do).
std::string unused_drive();

// Makes `link` (a Windows path) a symbolic link to the folder `target`;
// true once it is there.
bool make_folder_link(const std::string& target, const std::string& link);

// Removes a folder tree from outside Wine (the Unix rm), as another system
// sharing the disk would, and waits until it is gone.
bool remove_outside(const std::string& folder);

class WineLink {
public:
    // A share: \\server\share for `folder` (a Windows path).
    static WineLink share(const std::string& server, const std::string& share, const std::string& folder);
    // A drive: letter: for `folder`.
    static WineLink drive(char letter, const std::string& folder);
    WineLink(WineLink&& other) noexcept;
    ~WineLink();
    WineLink(const WineLink&) = delete;
    WineLink& operator=(const WineLink&) = delete;

    bool ok() const { return ok_; }
    const std::string& path() const { return path_; }  // \\SERVER\SHARE or X:
    // Takes the link away now (a drive that goes away); true when it is gone.
    bool remove();

private:
    WineLink() = default;
    bool ok_ = false;
    std::string path_;       // the Windows name it gives
    std::string link_unix_;  // the link itself
    std::string link_dos_;   // the link's own Windows path (through drive Z:)
    std::string server_dos_; // the server folder to remove after, if any
};
}  // namespace ferro_test
