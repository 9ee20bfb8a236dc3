// The box of a failed LZ expand copy.
#include "frame/error_boxes.h"
#include "frame/error_internal.h"
#include "frame/message_box.h"

namespace {
using namespace ferro::errors;

constexpr UINT kExpandCopyTitle = 8016;  // "MicrosoftExpand解凍複写"

struct ExpandCode {
    short code;
    UINT message;
};

// The codes of the LZ functions (LZERROR_*) and their texts.
constexpr ExpandCode kExpandCodes[] = {
    {0, 9100},   // "解凍コピーに失敗しました。"
    {-1, 9101},  // LZERROR_BADINHANDLE
    {-2, 9102},  // LZERROR_BADOUTHANDLE
    {-3, 9105},  // LZERROR_READ
    {-4, 9107},  // LZERROR_WRITE
    {-5, 9103},  // LZERROR_GLOBALLOC
    {-6, 9104},  // LZERROR_GLOBLOCK
    {-8, 9106},  // LZERROR_UNKNOWNALG
};

// The text of a code; any other code names its text by its low 16 bits.
UINT message_for(LONG code) {
    const short low = static_cast<short>(code & 0xffff);
    for (const ExpandCode& row : kExpandCodes)
        if (row.code == low) return row.message;
    return static_cast<UINT>(code & 0xffff);
}
}  // namespace

int WINAPI LZCopyErrors(HWND window, LPCSTR name, LONG code) {
    LoadedTexts loaded(message_for(code), kExpandCopyTitle);
    Composer out(composition_buffer(), kCompositionSize);
    add_quoted_name(out, name, 1 + length_of(loaded.message));
    out.add("\n").add(loaded.message);
    return myMessageBox(window, composition_buffer(), loaded.title, MB_OK | MB_ICONHAND);
}
