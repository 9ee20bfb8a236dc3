// The question after a failed disk access: stop the operation?
#include "frame/error_boxes.h"
#include "frame/error_internal.h"
#include "frame/error_texts.h"
#include "frame/message_box.h"
#include "frame/error_state.h"

namespace {
using namespace ferro::errors;

constexpr UINT kDriveAccessFailed = 8009;  // "ﾄﾞﾗｲﾌﾞｱｸｾｽに失敗しました。..."
constexpr UINT kDiskAccessTitle = 8012;    // "ﾃﾞｨｽｸｱｸｾｽ・ｴﾗｰ"
constexpr int kBadFileNumber = 9;

int g_disk_errno;  // errno of the last question
}  // namespace

namespace ferro::errors {
char* composition_buffer() {
    static char buffer[kCompositionSize];
    return buffer;
}
}  // namespace ferro::errors

int WINAPI CheckDiskError(HWND window, LPCSTR name) {
    g_disk_errno = Get_errno();
    if (g_disk_errno == 0) return 0;
    if (g_disk_errno != kBadFileNumber) return IDYES;

    LPCSTR system = xDosErrors(nullptr, static_cast<DWORD>(-1));
    LoadedTexts loaded(kDriveAccessFailed, kDiskAccessTitle);
    LPCSTR message = loaded.message;
    const std::size_t tail = 2 + length_of(message) + (system ? length_of(GetFromOsString()) + length_of(system) : 0);
    Composer out(composition_buffer(), kCompositionSize);
    add_quoted_name(out, name, tail);
    out.add(":").add(message).add("\n");
    if (system) out.add(GetFromOsString()).add(system);
    int result = myMessageBox(window, composition_buffer(), loaded.title, MB_YESNO | MB_ICONEXCLAMATION);
    FreeDosErrorMesHandle();
    return result;
}
