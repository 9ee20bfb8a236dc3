// Whether the machine is online, and the probe of a well-known public page.
#include "internet/internet_internal.h"

namespace {
// The page whose answer shows that the internet, not only a local network, is
// reached.
constexpr char kPublicPage[] = "http://www.msftconnecttest.com/connecttest.txt";
constexpr DWORD kConnectedKinds = INTERNET_CONNECTION_MODEM | INTERNET_CONNECTION_LAN | INTERNET_CONNECTION_PROXY;
}  // namespace

namespace ferro::internet {
// The network layer's IsInternetAvailable answers this; until it is part of
// the library the same test is made here, and only here.
bool internet_available() {
    DWORD kinds = 0;
    return (GetSystemMetrics(SM_NETWORK) & 1) && InternetGetConnectedState(&kinds, 0) && (kinds & kConnectedKinds);
}
}  // namespace ferro::internet

LONG WINAPI CheckInternetConnect(LONG probeSite) {
    using namespace ferro::internet;
    if (!internet_available()) return 0;
    if (probeSite == 0) return 1;
    Handle internet(InternetOpenA(kProbeAgent, INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
    if (!internet) return 0;
    if (connected_in_operation()) return 1;
    apply_timeouts(internet.get());
    Handle page(InternetOpenUrlA(internet.get(), kPublicPage, nullptr, 0,
                                 INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0));
    return page ? 1 : 0;
}
