// The user name, the host name and the machine's address through Windows
// Sockets, kept for display.
#include <winsock2.h>
#include <windows.h>
#include <cstring>
#include "internet/internet_internal.h"

namespace {
constexpr WORD kSocketsVersion = 0x0101;
constexpr int kNoData = 11004;  // WSANO_DATA
char g_user[50];
char g_computer[50];
char g_address[20];

// Copies at most min(size, cap) - 1 bytes and terminates them; a size of 0 or
// less writes nothing (there is no room even for the terminator).
LONG copy_out(const char* value, std::size_t cap, LPSTR buffer, LONG size) {
    if (!buffer) return value[0] != '\0';
    if (size <= 0) return 0;
    const std::size_t room = (static_cast<std::size_t>(size) < cap ? static_cast<std::size_t>(size) : cap) - 1;
    const std::size_t n = strnlen(value, room);
    std::memcpy(buffer, value, n);
    buffer[n] = '\0';
    return n > 0;
}

// The dotted address of the host, a non-loop-back one when it has one.
bool host_address(const char* host, char* out, std::size_t cap) {
    const hostent* entry = gethostbyname(host);
    if (!entry || entry->h_addrtype != AF_INET) return false;
    const char* chosen = nullptr;
    for (char** a = entry->h_addr_list; *a; ++a) {
        in_addr address;
        std::memcpy(&address, *a, sizeof address);
        const char* text = inet_ntoa(address);
        if (!text) continue;
        if (!chosen || std::strncmp(chosen, "127.", 4) == 0) chosen = text;
        if (std::strncmp(text, "127.", 4) != 0) break;
    }
    if (!chosen) return false;
    lstrcpynA(out, chosen, static_cast<int>(cap));
    return true;
}
}  // namespace

LONG WINAPI SoketInitAndGetData() {
    WSADATA data;
    if (WSAStartup(kSocketsVersion, &data) != 0) return 0;
    LONG result = 0;
    if (data.wVersion == kSocketsVersion) {
        DWORD size = sizeof g_user;
        if (!GetUserNameA(g_user, &size)) g_user[0] = '\0';
        char host[256];
        if (gethostname(host, sizeof host) == 0) {
            lstrcpynA(g_computer, host, sizeof g_computer);
            if (host_address(host, g_address, sizeof g_address))
                result = std::strstr(g_address, "127.0.0") ? 0 : 1;
            else if (WSAGetLastError() == kNoData)
                result = 0;
        }
    }
    WSACleanup();
    return result;
}

LONG WINAPI GetUserData(LPSTR buffer, LONG size) { return copy_out(g_user, sizeof g_user, buffer, size); }
LONG WINAPI GetPCName(LPSTR buffer, LONG size) { return copy_out(g_computer, sizeof g_computer, buffer, size); }
LONG WINAPI GetIPAddress(LPSTR buffer, LONG size) { return copy_out(g_address, sizeof g_address, buffer, size); }
