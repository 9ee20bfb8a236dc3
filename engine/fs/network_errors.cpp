// Network errors: which Win32 errors come from the network, the box that
// reports one (once per error situation), and the refusal of an operation on
// a level of the network that it may not touch.
#include <windows.h>
#include <winnetwk.h>
#include <algorithm>
#include <cstring>
#include <iterator>
#include "frame/error_internal.h"
#include "frame/error_texts.h"
#include "frame/handles.h"
#include "frame/message_box.h"
#include "frame/report_link.h"
#include "frame/text_internal.h"
#include "fs/dos_times.h"
#include "fs/network.h"
#include "fs/network_internal.h"

namespace {
using ferro::errors::Composer;
using ferro::errors::LoadedTexts;
using ferro::fs::net::settings;

constexpr DWORD kNetworkErrors[] = {50,   52,   53,   54,   55,   56,   57,   58,   59,   64,   65,   66,   67,
                                    69,   86,   88,   1203, 1205, 1214, 1220, 1222, 1225, 1227, 1229, 1231, 1234,
                                    1236, 1241, 1244, 1245, 1707, 1724, 1739, 1763, 1790, 1792, 2108, 2250, 4100};

constexpr UINT kNetworkTitle = 8300;       // "ﾈｯﾄﾜｰｸ"
constexpr UINT kAccessError = 8304;        // "ﾈｯﾄﾜｰｸﾄﾞﾗｲﾌﾞｱｸｾｽ時にｴﾗｰが発生しました。"
constexpr UINT kForbidden = 8310;          // "このﾈｯﾄﾜｰｸﾌｫﾙﾀﾞへの操作は禁止されています。"

// The line that explains an error (0: no line).
UINT line_for(DWORD error) {
    switch (error) {
    case ERROR_PATH_NOT_FOUND: return 8305;      // "指定したﾈｯﾄﾜｰｸﾌｫﾙﾀﾞが見つかりません。"
    case ERROR_INVALID_PASSWORD: return 8301;    // "指定したﾊﾟｽﾜｰﾄﾞが無効です。"
    case ERROR_NO_NETWORK: return 8302;          // "ﾈｯﾄﾜｰｸに接続されていません。"
    case ERROR_NOT_ENOUGH_MEMORY: return 8303;   // "ﾀﾞｲｱﾛｸﾞﾎﾞｯｸｽを起動するための十分なﾒﾓﾘがありません。"
    case ERROR_ACCESS_DENIED: return settings().denied_message ? 8307 : 0;  // the password question
    default: return IsNetworkErrorOccured(error) ? 8314 : kAccessError;
    }
}

// "[NAME] in " for the resource of a listing: its name without the leading
// yen marks, up to the next one.
void add_resource(Composer& out, const NETRESOURCEA* context) {
    if (!context || !context->lpRemoteName || !context->lpRemoteName[0]) return;
    const char* name = context->lpRemoteName;
    while (*name == '\\') ++name;
    const char* end = ferro::mbcs::find_first(name, '\\');
    out.add("[").add(name, end ? static_cast<std::size_t>(end - name) : std::strlen(name)).add("] in ");
}

// The provider's own text of an extended error, when it can be had.
bool add_provider_text(Composer& out) {
    DWORD code = 0;
    char text[ferro::errors::kMessageSize] = {}, provider[ferro::errors::kPathSize] = {};
    if (WNetGetLastErrorA(&code, text, sizeof text, provider, sizeof provider) != NO_ERROR || !text[0]) return false;
    out.add("\n\n").add(text);
    return true;
}
}  // namespace

LONG WINAPI IsNetworkErrorOccured(DWORD error) {
    return std::find(std::begin(kNetworkErrors), std::end(kNetworkErrors), error) != std::end(kNetworkErrors);
}

LONG WINAPI IsNetworkPasswordErrorOccured(DWORD error) {
    return error == ERROR_INVALID_PASSWORD || error == ERROR_BAD_NET_RESP;
}

DWORD WINAPI ProcessNetErrorHandler(HWND window, DWORD error, LPCSTR path, const NETRESOURCEA* context) {
    if (settings().handler_done || settings().without_error_messages == 1) return 0;
    if (error == static_cast<DWORD>(-1)) error = settings().network_error;
    if (error == 0) return 0;

    char text[ferro::errors::kCompositionSize * 2];
    Composer out(text, sizeof text);
    add_resource(out, context);
    if (path) out.add_fitted(path, ferro::errors::kMessageSize);
    if (error != ERROR_EXTENDED_ERROR || !add_provider_text(out)) {
        const UINT line = error == ERROR_EXTENDED_ERROR ? kAccessError : line_for(error);
        if (line) out.add("\n\n").add(LoadedTexts(line, 0).message);
    }
    if (const char* system = xDosErrors(nullptr, error)) out.add("\n\n").add(GetFromOsString()).add(system);
    FreeDosErrorMesHandle();

    if (out.length() == 0) {
        settings().handler_done = 0;
        return error;
    }
    const LoadedTexts title(0, kNetworkTitle);
    ferro::note_in_report(window, text, nullptr, nullptr, kNetworkTitle, 0);
    myMessageBox(window, text, title.title, MB_OK | MB_ICONEXCLAMATION);
    settings().handler_done = 1;
    return error;
}

DWORD WINAPI NetFileManipulationAllowed(LPCSTR path, DWORD allowedTypes, LONG showMessage) {
    const DWORD type = GetDriveMyNetworkFolderType(path);
    if (type == 0) return 1;
    bool allowed = (type & allowedTypes) != 0;
    if (allowed && (type & kNetLevelShare)) {
        char copy[ferro::fs::net::kNameSize];
        allowed = ferro::text::copy_bounded(copy, path) && IsDirectoryAttribute(copy) == 4;
    }
    if (allowed) return type;
    if (showMessage) myMessageBoxForLoadString(GethWndMain(), kForbidden, kNetworkTitle, MB_OK | MB_ICONEXCLAMATION);
    return 0;
}
