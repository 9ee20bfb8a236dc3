// Files in a rich edit control: streamed in and out with the platform's
// file functions, with the file error box of the library on failure; and
// small questions about the control's text.
#include <windows.h>
#include <richedit.h>
#include <cstring>
#include <string>
#include <vector>
#include "frame/error_boxes.h"
#include "frame/error_state.h"
#include "frame/mbcs.h"
#include "frame/text.h"
#include "viewer/file_helpers.h"
#include "viewer/rich_text.h"

namespace {
enum class Failure { create, read, write };

// The box texts, English (language 0) and Japanese (1).
void show_failure(HWND control, const char* path, Failure what) {
    static const char* const kTexts[3][2] = {
        {"Failed to create the file.", "\xcc\xa7\xb2\xd9\x82\xcc\x8d\xec\x90\xac\x82\xc9\x8e\xb8\x94\x73\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81\x42"},
        {"Failed to open the file.", "\xcc\xa7\xb2\xd9\x82\xcc\x93\xc7\x82\xdd\x8d\x9e\x82\xdd\x82\xc9\x8e\xb8\x94\x73\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81\x42"},
        {"Failed to save the file.", "\xcc\xa7\xb2\xd9\x82\xcc\x8f\x91\x82\xab\x8d\x9e\x82\xdd\x82\xc9\x8e\xb8\x94\x73\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81\x42"}};
    static const char* const kTitle[2] = {"File Operation", "\xcc\xa7\xb2\xd9\x91\x80\x8d\xec"};  // ﾌｧｲﾙ操作
    const int language = GetLanguage() == 0 ? 0 : 1;
    SetHelpDosErrorMessage(MB_ICONEXCLAMATION, nullptr);
    DosErrorMessage(GetParent(control), path, kTexts[static_cast<int>(what)][language], kTitle[language], 0);
}

struct Stream {
    HANDLE file;
    bool failed = false;
};

DWORD CALLBACK read_file(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
    auto* s = reinterpret_cast<Stream*>(cookie);
    DWORD read = 0;
    if (!ReadFile(s->file, buffer, static_cast<DWORD>(size), &read, nullptr)) {
        s->failed = true;
        *done = 0;
        return 1;
    }
    *done = static_cast<LONG>(read);
    return 0;
}

DWORD CALLBACK write_file(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
    auto* s = reinterpret_cast<Stream*>(cookie);
    DWORD written = 0;
    if (!WriteFile(s->file, buffer, static_cast<DWORD>(size), &written, nullptr) ||
        written != static_cast<DWORD>(size)) {
        s->failed = true;
        *done = static_cast<LONG>(written);
        return 1;
    }
    *done = static_cast<LONG>(written);
    return 0;
}

void keep_error() { Set_nERRNO(GetLastError()); }
}  // namespace

LONG WINAPI OpenRichFile(HWND control, LPCSTR path, LONG* countOut, LONG asText) {
    if (countOut) *countOut = 0;
    if (!path || !IsWindow(control)) return 0;
    Stream s{CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr)};
    keep_error();
    if (s.file == INVALID_HANDLE_VALUE) {
        show_failure(control, path, Failure::read);
        return 0;
    }
    EDITSTREAM stream = {reinterpret_cast<DWORD_PTR>(&s), 0, read_file};
    const LRESULT count = SendMessageA(control, EM_STREAMIN, asText ? SF_TEXT : SF_RTF,
                                       reinterpret_cast<LPARAM>(&stream));
    keep_error();
    CloseHandle(s.file);
    if (countOut) *countOut = static_cast<LONG>(count);
    if (s.failed || stream.dwError) show_failure(control, path, Failure::read);
    SendMessageA(control, EM_SETMODIFY, FALSE, 0);
    return !s.failed && !stream.dwError && count > 0 ? 1 : 0;
}

LONG WINAPI SaveRichFile(HWND control, LPCSTR path, LONG asText) {
    if (!path || !IsWindow(control)) return 0;
    auto create = [&] {
        return CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    };
    Stream s{create()};
    if (s.file == INVALID_HANDLE_VALUE) {
        const DWORD attributes = GetFileAttributesA(path);
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) &&
            SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL))
            s.file = create();
    }
    keep_error();
    if (s.file == INVALID_HANDLE_VALUE) {
        show_failure(control, path, Failure::create);
        return 0;
    }
    EDITSTREAM stream = {reinterpret_cast<DWORD_PTR>(&s), 0, write_file};
    SendMessageA(control, EM_STREAMOUT, asText > 0 ? SF_TEXT : SF_RTF, reinterpret_cast<LPARAM>(&stream));
    keep_error();
    CloseHandle(s.file);
    if (s.failed || stream.dwError) {
        show_failure(control, path, Failure::write);
        return 0;
    }
    return 1;
}

LONG WINAPI GetStringOnLineInRichEditContent(HWND control, LONG line, LPSTR buffer, LONG size) {
    if (!buffer || size <= 0) return 0;
    buffer[0] = '\0';
    const LRESULT first = SendMessageA(control, EM_LINEINDEX, static_cast<WPARAM>(line), 0);
    if (first < 0) return 0;
    const LRESULT length = SendMessageA(control, EM_LINELENGTH, static_cast<WPARAM>(first), 0);
    // Every character may take two bytes.
    std::vector<char> text(static_cast<std::size_t>(length) * 2 + 2, '\0');
    TEXTRANGEA range = {{static_cast<LONG>(first), static_cast<LONG>(first + length)}, text.data()};
    SendMessageA(control, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range));
    std::size_t n = 0;
    for (const char* p = text.data(); *p;) {
        const int step = ferro::mbcs::char_size(p);
        if (n + static_cast<std::size_t>(step) >= static_cast<std::size_t>(size)) break;
        for (int k = 0; k < step; ++k) buffer[n++] = *p++;
    }
    buffer[n] = '\0';
    return static_cast<LONG>(n);
}

LONG WINAPI GetPositionInRichEditContent(LPCSTR text, LONG offset) {
    if (!text) return 0;
    LONG position = 0;
    for (const char* p = text; *p && p - text < offset;) {
        if (p[0] == '\r' && p[1] == '\n') p += 2;
        else p += ferro::mbcs::char_size(p);
        ++position;
    }
    return position;
}

LONG WINAPI SetEventMaskOfRichEditCtrl(HWND control, LONG mask) {
    const LRESULT previous = SendMessageA(control, EM_GETEVENTMASK, 0, 0);
    SendMessageA(control, EM_SETEVENTMASK, 0, previous | mask);
    return static_cast<LONG>(previous);
}

LONG WINAPI GetMultiByteTextLength(HWND control) {
    GETTEXTLENGTHEX how = {GTL_PRECISE | GTL_NUMCHARS, 1200};
    const LRESULT characters = SendMessageA(control, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&how), 0);
    if (characters <= 0) return 0;
    std::vector<char> text(static_cast<std::size_t>(characters) * 2 + 1, '\0');
    GETTEXTEX get = {static_cast<DWORD>(text.size()), GT_DEFAULT, 932, nullptr, nullptr};
    SendMessageA(control, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get), reinterpret_cast<LPARAM>(text.data()));
    return static_cast<LONG>(std::strlen(text.data()));
}

LONG WINAPI IsSpecifiedFileReadable(LPCSTR path) {
    ULONGLONG size = 0;
    HGLOBAL block = OpenReadOnlyFile(path, &size);
    if (!block) return 0;
    LPSTR text = GlobalLockForOpenReadOnlyFile(block);
    const LONG readable = size > 0 && text && std::char_traits<char>::length(text) == size &&
                          _IsStringReadable(text, 0) ? 1 : 0;
    CloseReadOnlyFile(block);
    return readable;
}
