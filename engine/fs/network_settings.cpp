// The network settings and the buffers of the network folder listed last.
#include <cstring>
#include "frame/message_pump.h"
#include "frame/paths.h"
#include "frame/pump.h"
#include "frame/text_internal.h"
#include "fs/drive_list_internal.h"
#include "fs/network.h"
#include "fs/network_internal.h"

namespace ferro::fs::net {
Settings& settings() {
    static Settings s;
    return s;
}
}  // namespace ferro::fs::net

using ferro::fs::net::settings;

LONG WINAPI SetWithoutNetworkErrorMessage(LONG value) { return settings().without_error_messages = value; }
LONG WINAPI IsWithoutNetworkErrorMessage() { return settings().without_error_messages; }

LONG WINAPI SetWithNetworkDeniedErrorMessage(LPCSTR path, LONG on) {
    if (path && !(GetDriveMyNetworkFolderType(path) & kNetLevelInShare)) on = 0;
    return settings().denied_message = on;
}

LONG WINAPI SetNetworkFolderSearching(LONG value) { return settings().searching = value; }
LONG WINAPI IsNetworkFolderSearching() { return settings().searching; }

LONG WINAPI SetPeekFlagForNetSearching(LONG value) {
    ferro::set_net_search_stop_flag(value);
    return value;
}

LONG WINAPI StopExecutingForNetworkSearching() {
    return ferro::net_search_stop_flag() && StopExecuting() ? 1 : 0;
}

DWORD WINAPI Set_nNetworkERRNO(DWORD error) { return settings().network_error = error; }
DWORD WINAPI Get_nNetworkERRNO() { return settings().network_error; }
LONG WINAPI SetProcessNetErrorHandlerDone(LONG value) { return settings().handler_done = value; }
LONG WINAPI SetNetworkDriveStatus(LONG value) { return settings().drive_status = value; }
LONG WINAPI GetNetworkDriveStatus() { return settings().drive_status; }
LONG WINAPI SetShowNoticeForNetworkWhenBrowsed(LONG value) { return settings().show_notice = value; }
LONG WINAPI IsShowNoticeForNetworkWhenBrowsed() { return settings().show_notice; }
LONG WINAPI SetNotRealTimeDetectionForNetworkThere(LONG value) { return settings().not_real_time = value; }

LONG WINAPI SetGetExtraNetDriveInformation(LPCSTR path) {
    char* kept = settings().extra_information;
    if (!IsDriveMyNetwork(path) || std::strlen(path) > ferro::text::kPathMax) return 0;
    std::memcpy(kept, path, std::strlen(path) + 1);
    return static_cast<LONG>(std::strlen(kept));
}

LONG WINAPI GetGetExtraNetDriveInformation(LPSTR buffer, LONG size) {
    if (!buffer || size <= 0) return 0;
    return static_cast<LONG>(
        ferro::fs::copy_whole_chars(buffer, settings().extra_information, static_cast<std::size_t>(size) - 1));
}

LPSTR WINAPI GetSpecifiedNetFolder() { return settings().specified_folder; }
LPSTR WINAPI GetNetNetComment() { return settings().comment; }
LPSTR WINAPI GetNetVolumeName() { return settings().volume_name; }
LPSTR WINAPI GetCorrectedNetworkFolderNameInString() { return settings().corrected; }
