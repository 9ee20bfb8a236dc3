// Message loading: the resource instance, the message and title buffers and
// the functions that fill them from a string table.
#include "ferromes.h"
#include "text_buffers.h"

namespace {
using ferromes::kTextBufferSize;

HINSTANCE g_resource_instance;
char g_message[kTextBufferSize];
char g_title[kTextBufferSize];

// Loads string `id` of `instance` into `out` (kTextBufferSize bytes) as code
// page 932. A text longer than the buffer is cut at the last whole character
// that fits. Returns false, leaving `out` empty, when the string does not
// exist; a string table cannot tell a missing string from an empty one, so an
// empty string counts as missing too.
bool load_text(HINSTANCE instance, UINT id, char* out) {
    out[0] = '\0';
    // String numbers are 16 bits: a larger identifier names no string (the
    // platform would quietly take its low word).
    if (id > 0xffff) return false;
    const WCHAR* text = nullptr;
    // With a zero length the platform hands out a read-only pointer into the
    // resource and the text's length in UTF-16 units.
    const int units = LoadStringW(instance, id, reinterpret_cast<LPWSTR>(&text), 0);
    if (units <= 0 || !text) return false;
    // Every UTF-16 unit gives at least one byte, so the first kTextBufferSize
    // units give more than the buffer holds; a surrogate pair is kept whole.
    int take = units < int(kTextBufferSize) ? units : int(kTextBufferSize);
    if (take < units && IS_HIGH_SURROGATE(text[take - 1])) ++take;
    char converted[2 * (kTextBufferSize + 1) + 1];
    const int bytes = WideCharToMultiByte(932, 0, text, take, converted, sizeof converted - 1, nullptr, nullptr);
    if (bytes <= 0) return false;
    converted[bytes] = '\0';
    ferromes::copy_whole_characters(out, kTextBufferSize, converted);
    return true;
}

void put_failed(char* out) { ferromes::copy_whole_characters(out, kTextBufferSize, ferromes::kFailedText); }
}  // namespace

// The entry point makes the library's own module the resource instance. Thread
// notifications leave the instance alone, so that a module the host put in
// place stays in place when threads start and end.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH || reason == DLL_PROCESS_DETACH) g_resource_instance = instance;
    return TRUE;
}

UINT WINAPI _MyLoadString(HINSTANCE instance, UINT messageId, UINT titleId) {
    g_title[0] = '\0';
    g_message[0] = '\0';
    UINT mask = 0;
    if (messageId != 0 && !load_text(instance, messageId, g_message)) {
        put_failed(g_message);
        mask = 2;
    }
    if (titleId != 0 && !load_text(instance, titleId, g_title)) {
        put_failed(g_title);
        mask += 1;
    }
    return mask;
}

UINT WINAPI MyLoadString(UINT messageId, UINT titleId) {
    return _MyLoadString(g_resource_instance, messageId, titleId);
}

LPSTR WINAPI GetLoadStrMessage() { return g_message; }
LPSTR WINAPI GetLoadStrTitle() { return g_title; }

UINT_PTR WINAPI GetStringFromStringID(HINSTANCE instance, UINT messageId, UINT titleId, LPSTR* messageOut,
                                      LPSTR* titleOut) {
    const UINT mask = _MyLoadString(instance, messageId, titleId);
    if (messageOut) *messageOut = g_message;
    if (titleOut) *titleOut = g_title;
    if (titleOut) return reinterpret_cast<UINT_PTR>(g_title);
    if (messageOut) return reinterpret_cast<UINT_PTR>(g_message);
    return mask;
}

HINSTANCE WINAPI SetUserDlgInstance(HINSTANCE instance) { return g_resource_instance = instance; }
HINSTANCE WINAPI SetSysDlgInstance(HINSTANCE instance) { return g_resource_instance = instance; }
HINSTANCE WINAPI GetUserDlgInstance() { return g_resource_instance; }
HINSTANCE WINAPI GetSysDlgInstance() { return g_resource_instance; }
