// State shared by the files of the network folders (not exported).
#pragma once
#include <windows.h>
#include <cstddef>

namespace ferro::fs::net {
inline constexpr std::size_t kNameSize = 520;

// The network settings; zero at load.
struct Settings {
    LONG without_error_messages = 0;
    LONG denied_message = 0;
    LONG no_conversion = 0;
    DWORD server_types = 0;
    LONG searching = 0;
    DWORD network_error = 0;
    LONG handler_done = 0;
    LONG drive_status = 0;
    LONG show_notice = 0;
    LONG not_real_time = 0;
    LONG last_internet = 0;
    DWORD access_type = 0;
    char extra_information[kNameSize] = {};
    char specified_folder[kNameSize] = {};
    char comment[kNameSize] = {};
    char volume_name[kNameSize] = {};
    char corrected[kNameSize] = {};
};
Settings& settings();

// The name the browsing form puts before the computer: the domain or
// workgroup in use, else the network volume name. Empty when none is known.
const char* network_name();

// The level of the folder a path names: n of the level type, one less when
// the last component is a wildcard pattern (the folder it searches).
int folder_level(const char* path);
}  // namespace ferro::fs::net
