// Whether the machine is online, and the probe of a well-known public page.
#include "fs/network.h"
#include "internet/internet_internal.h"

namespace {
// The page whose answer shows that the internet, not only a local network, is
// reached.
constexpr char kPublicPage[] = "http://www.msftconnecttest.com/connecttest.txt";
}  // namespace


LONG WINAPI CheckInternetConnect(LONG probeSite) {
    using namespace ferro::internet;
    if (!IsInternetAvailable()) return 0;
    if (probeSite == 0) return 1;
    Handle internet(InternetOpenA(kProbeAgent, INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
    if (!internet) return 0;
    if (connected_in_operation()) return 1;
    apply_timeouts(internet.get());
    Handle page(InternetOpenUrlA(internet.get(), kPublicPage, nullptr, 0,
                                 INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0));
    return page ? 1 : 0;
}
