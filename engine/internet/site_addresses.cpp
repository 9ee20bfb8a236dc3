// The stored addresses of the maker's site and of the outside tools the host
// offers to fetch, the base URL that moves the maker's addresses to another
// site (a mirror, or a test server), and its substitution.
#include <cstring>
#include "internet/internet_internal.h"

namespace {
using ferro::internet::kUrlSize;

// The host part that the base URL replaces in the maker's addresses.
constexpr char kDefaultHost[] = "http://www.ferrolan.example";

// One address per getter, in a 520-byte buffer. The file page is stored with
// a leading blank (callers pass 1 to skip it).
struct Address {
    const char* initial;
    char text[kUrlSize];
};
Address g_ferro_ftp_site{"ftp://ftp.ferrolan.example/pub/ferrolan/", {}};
Address g_ferro_wild_card{"ftp://ftp.ferrolan.example/pub/ferrolan/ferro*.exe", {}};
Address g_ferro_http_site{"http://www.ferrolan.example/ferrolan/", {}};
Address g_ferro_file_page{" http://www.ferrolan.example/ferrolan/download.html", {}};
Address g_ferro_size_page{"http://www.ferrolan.example/ferrolan/size.txt", {}};
Address g_ferro_news_page{"http://www.ferrolan.example/ferrolan/news.txt", {}};
Address g_w32tex{"http://w32tex.org/", {}};
Address g_platex{"http://www.ascii.co.jp/pb/ptex/", {}};
Address g_tex_errors{"http://www.ferrolan.example/ferrolan/texerrors.html", {}};
Address g_w32tex_server{"http://w32tex.org/current/", {}};
Address g_w32tex_caption_site{"http://w32tex.org/index.html", {}};
Address g_w32tex_caption_mine{"http://www.ferrolan.example/ferrolan/w32tex.html", {}};
Address g_ghostscript{"https://ghostscript.com/releases/", {}};
Address g_dviout{"http://akagi.ms.u-tokyo.ac.jp/dviout.html", {}};
Address g_sumatra{"https://www.sumatrapdfreader.org/", {}};

// The three addresses of this product that follow the base URL.
Address* const kOwnAddresses[] = {&g_ferro_http_site, &g_ferro_file_page, &g_ferro_news_page};

char g_base_url[kUrlSize];

const char* text_of(Address& a, int skip) {
    if (!a.text[0]) lstrcpynA(a.text, a.initial, kUrlSize);
    const int length = static_cast<int>(std::strlen(a.text));
    return a.text + (skip > 0 && skip <= length ? skip : 0);
}

// Replaces the default host in one address by the base URL, in place; an
// address that would not fit in its buffer is left as it was.
bool rebase(Address& a) {
    text_of(a, 0);
    char* host = std::strstr(a.text, kDefaultHost);
    if (!host) return false;
    const std::size_t old_length = std::strlen(kDefaultHost), new_length = std::strlen(g_base_url);
    const std::size_t total = std::strlen(a.text) - old_length + new_length;
    if (total >= kUrlSize) return false;
    std::memmove(host + new_length, host + old_length, std::strlen(host + old_length) + 1);
    std::memcpy(host, g_base_url, new_length);
    return true;
}
}  // namespace

// The base URL (scheme and host, e.g. http://127.0.0.1:8080); one of 520 bytes
// or more is refused (null) and the previous one kept; a trailing slash is
// dropped so that the paths keep theirs.
LPCSTR WINAPI SetBaseUrlForMySite(LPCSTR url) {
    if (!url) url = "";
    const std::size_t n = strnlen(url, kUrlSize);
    if (n >= kUrlSize) return nullptr;
    std::memcpy(g_base_url, url, n + 1);
    if (n > 0 && g_base_url[n - 1] == '/') g_base_url[n - 1] = '\0';
    return g_base_url;
}
LPCSTR WINAPI GetBaseUrlForMySite() { return g_base_url; }

LONG WINAPI ReplaceWildCardByBaseUrlForMyFerroSite() {
    if (!g_base_url[0]) return 0;
    LONG replaced = 0;
    for (Address* a : kOwnAddresses) replaced += rebase(*a) ? 1 : 0;
    return replaced;
}

LPCSTR WINAPI GetUrlForFerroFtpSite(int skip) { return text_of(g_ferro_ftp_site, skip); }
LPCSTR WINAPI GetUrlForFerroWildCardInFtpSite(int skip) { return text_of(g_ferro_wild_card, skip); }
LPCSTR WINAPI GetUrlForFerroHttpSite(int skip) { return text_of(g_ferro_http_site, skip); }
LPCSTR WINAPI GetUrlForFerroFileInHttpSite(int skip) { return text_of(g_ferro_file_page, skip); }
LPCSTR WINAPI GetUrlForFerroHttpFileSizeChecked(int skip) { return text_of(g_ferro_size_page, skip); }
LPCSTR WINAPI GetUrlForFerroCheckUpdateNews(int skip) { return text_of(g_ferro_news_page, skip); }
LPCSTR WINAPI GetUrlForW32TeX(int skip) { return text_of(g_w32tex, skip); }
LPCSTR WINAPI GetUrlForpLaTeX(int skip) { return text_of(g_platex, skip); }
LPCSTR WINAPI GetUrlForTeXErrorList(int skip) { return text_of(g_tex_errors, skip); }
LPCSTR WINAPI GetUrlForCheckW32TeXServer(int skip) { return text_of(g_w32tex_server, skip); }
LPCSTR WINAPI GetUrlForCheckW32TeXFileAndCaptionW32TeXSite(int skip) { return text_of(g_w32tex_caption_site, skip); }
LPCSTR WINAPI GetUrlForCheckW32TeXFileAndCaptionMyFile(int skip) { return text_of(g_w32tex_caption_mine, skip); }
LPCSTR WINAPI GetUrlForGhostScript(int skip) { return text_of(g_ghostscript, skip); }
LPCSTR WINAPI GetUrlForDviout(int skip) { return text_of(g_dviout, skip); }
LPCSTR WINAPI GetUrlForSumatraPDF(int skip) { return text_of(g_sumatra, skip); }
