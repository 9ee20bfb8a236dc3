#include "support/share_link.h"
#include <windows.h>
#include <cstdlib>

namespace ferro_test {
namespace {
using UnixName = char*(CDECL*)(LPCWSTR);
using DosName = WCHAR*(CDECL*)(LPCSTR);

std::string unix_name(const std::string& windows) {
    static const auto convert =
        reinterpret_cast<UnixName>(GetProcAddress(GetModuleHandleA("kernel32"), "wine_get_unix_file_name"));
    WCHAR wide[MAX_PATH];
    if (!convert || !MultiByteToWideChar(CP_ACP, 0, windows.c_str(), -1, wide, MAX_PATH)) return {};
    char* name = convert(wide);
    if (!name) return {};
    std::string out = name;
    HeapFree(GetProcessHeap(), 0, name);
    return out;
}

std::string dos_name(const std::string& unix) {
    static const auto convert =
        reinterpret_cast<DosName>(GetProcAddress(GetModuleHandleA("kernel32"), "wine_get_dos_file_name"));
    WCHAR* name = convert ? convert(unix.c_str()) : nullptr;
    if (!name) return {};
    char out[MAX_PATH * 2] = {};
    WideCharToMultiByte(CP_ACP, 0, name, -1, out, sizeof out, nullptr, nullptr);
    HeapFree(GetProcessHeap(), 0, name);
    return out;
}

bool exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Runs a Unix program and waits, at most five seconds, until `path` exists or
// not as asked (Wine gives no handle to wait on for a Unix program).
bool run_until(const std::string& command, const std::string& path, bool present) {
    if (!run_program(command, 0)) return false;
    for (int i = 0; i < 200; ++i) {
        if (exists(path) == present) return true;
        Sleep(25);
    }
    return false;
}

std::string prefix_folder(const std::string& relative) {
    const char* prefix = std::getenv("WINEPREFIX");
    return prefix ? std::string(prefix) + "/dosdevices/" + relative : std::string();
}
}  // namespace

bool run_program(const std::string& command_line, unsigned milliseconds) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    std::string line = command_line;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                        &process))
        return false;
    if (milliseconds) WaitForSingleObject(process.hProcess, milliseconds);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

std::string unused_drive() {
    const DWORD drives = GetLogicalDrives();
    for (char letter = 'Q'; letter <= 'Y'; ++letter)
        if (!(drives & (1u << (letter - 'A')))) return std::string(1, letter) + ":";
    return {};
}

bool make_folder_link(const std::string& target, const std::string& link) {
    const std::string to = unix_name(target);
    const std::size_t yen = link.find_last_of('\\');
    const std::string folder = yen == std::string::npos ? std::string() : unix_name(link.substr(0, yen));
    if (to.empty() || folder.empty()) return false;
    return run_until("/bin/ln -s \"" + to + "\" \"" + folder + "/" + link.substr(yen + 1) + "\"", link, true);
}

bool remove_outside(const std::string& folder) {
    const std::string target = unix_name(folder);
    return !target.empty() && run_until("/bin/rm -rf \"" + target + "\"", folder, false);
}

WineLink WineLink::share(const std::string& server, const std::string& share, const std::string& folder) {
    WineLink link;
    const std::string server_unix = prefix_folder("unc/" + server);
    const std::string target = unix_name(folder);
    if (server_unix.empty() || target.empty()) return link;
    link.server_dos_ = dos_name(server_unix);
    CreateDirectoryA(dos_name(prefix_folder("unc")).c_str(), nullptr);
    CreateDirectoryA(link.server_dos_.c_str(), nullptr);
    link.link_unix_ = server_unix + "/" + share;
    link.link_dos_ = link.server_dos_ + "\\" + share;
    link.path_ = "\\\\" + server + "\\" + share;
    link.ok_ = run_until("/bin/ln -sfn \"" + target + "\" \"" + link.link_unix_ + "\"", link.link_dos_, true);
    return link;
}

WineLink WineLink::drive(char letter, const std::string& folder) {
    WineLink link;
    const std::string target = unix_name(folder);
    link.link_unix_ = prefix_folder(std::string(1, char(letter | 0x20)) + ":");
    if (target.empty() || link.link_unix_.size() < 3) return link;
    link.path_ = std::string(1, letter) + ":";
    link.link_dos_ = link.path_ + "\\";
    link.ok_ = run_until("/bin/ln -sfn \"" + target + "\" \"" + link.link_unix_ + "\"", link.link_dos_, true);
    return link;
}

WineLink::WineLink(WineLink&& other) noexcept
    : ok_(other.ok_), path_(std::move(other.path_)), link_unix_(std::move(other.link_unix_)),
      link_dos_(std::move(other.link_dos_)), server_dos_(std::move(other.server_dos_)) {
    other.ok_ = false;
    other.link_unix_.clear();
}

bool WineLink::remove() {
    if (link_unix_.empty()) return true;
    const bool gone = run_until("/bin/rm -f \"" + link_unix_ + "\"", link_dos_, false);
    if (!server_dos_.empty()) RemoveDirectoryA(server_dos_.c_str());
    link_unix_.clear();
    return gone;
}

WineLink::~WineLink() { remove(); }
}  // namespace ferro_test
