// The system's text of a Win32 or internet error, kept until it is released,
// and the box that shows it.
#include <windows.h>
#include <wininet.h>

#include <cstring>

#include "ferromes.h"
#include "frame/error_internal.h"
#include "frame/error_texts.h"
#include "frame/message_box.h"
#include "frame/paths.h"
#include "frame/text.h"
#include "frame/error_state.h"

namespace {
using ferro::errors::Composer;

// The last system text: a buffer of the message formatter (LocalFree), or the
// locked address of g_system_block when it is an internet server's response.
char* g_system_text;
HGLOBAL g_system_block;
LPCSTR g_extra_message;

constexpr DWORD kInternetErrorBase = 12000;
constexpr DWORD kInternetExtendedError = 12003;  // ERROR_INTERNET_EXTENDED_ERROR
constexpr DWORD kResponseOffer = 12003;          // bytes first offered for a server response
constexpr int kInsertSlots = 16;                 // %1 is the insert, %2.. are empty

// A block of the process heap, freed when it goes out of scope.
class HeapText {
public:
    explicit HeapText(std::size_t size) : p_(static_cast<char*>(HeapAlloc(GetProcessHeap(), 0, size))), size_(size) {
        if (p_) p_[0] = '\0';
    }
    ~HeapText() { reset(); }
    HeapText(const HeapText&) = delete;
    HeapText& operator=(const HeapText&) = delete;
    void reset() {
        if (p_) HeapFree(GetProcessHeap(), 0, p_);
        p_ = nullptr;
        size_ = 0;
    }
    bool resize(std::size_t size) {
        reset();
        p_ = static_cast<char*>(HeapAlloc(GetProcessHeap(), 0, size));
        if (p_) p_[0] = '\0';
        size_ = p_ ? size : 0;
        return p_ != nullptr;
    }
    char* get() const { return p_; }
    std::size_t size() const { return size_; }

private:
    char* p_;
    std::size_t size_;
};

// The internet library, loaded for the duration of one call so that its
// message table can be searched.
class InternetModule {
public:
    explicit InternetModule(DWORD error)
        : module_(error > kInternetErrorBase ? LoadLibraryA("WININET.DLL") : nullptr) {}
    ~InternetModule() {
        if (module_) FreeLibrary(module_);
    }
    InternetModule(const InternetModule&) = delete;
    InternetModule& operator=(const InternetModule&) = delete;
    HMODULE get() const { return module_; }

private:
    HMODULE module_;
};

// The system text of `error` in a buffer of the formatter, or null. `insert`
// fills %1; without one, inserts are left as they stand.
char* format_system_text(DWORD error, LPCSTR insert, HMODULE internet) {
    DWORD flags = FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM;
    if (internet) flags |= FORMAT_MESSAGE_FROM_HMODULE;
    DWORD_PTR arguments[kInsertSlots];
    for (DWORD_PTR& a : arguments) a = reinterpret_cast<DWORD_PTR>("");
    if (insert) {
        arguments[0] = reinterpret_cast<DWORD_PTR>(insert);
        flags |= FORMAT_MESSAGE_ARGUMENT_ARRAY;
    } else {
        flags |= FORMAT_MESSAGE_IGNORE_INSERTS;
    }
    char* text = nullptr;
    DWORD n = FormatMessageA(flags, internet, error, 0, reinterpret_cast<LPSTR>(&text), 0,
                             insert ? reinterpret_cast<va_list*>(arguments) : nullptr);
    if (n == 0 && text) {
        LocalFree(text);
        text = nullptr;
    }
    return text;
}

// The internet server's last response into `buffer`, which grows when the
// response is longer than first offered (room is left for the extra message).
void fetch_server_response(HeapText& buffer) {
    DWORD code = 0;
    DWORD length = kResponseOffer;
    if (InternetGetLastResponseInfoA(&code, buffer.get(), &length)) return;
    buffer.get()[0] = '\0';
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return;
    DWORD size = length + static_cast<DWORD>(ferro::errors::length_of(g_extra_message)) + 2;
    if (!buffer.resize(size)) return;
    length = size;
    if (!InternetGetLastResponseInfoA(&code, buffer.get(), &length)) buffer.get()[0] = '\0';
}

// Keeps a copy of a server response as the system text, in a block that stays locked.
void keep_response(const char* response) {
    std::size_t n = std::strlen(response) + 1;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, n);
    if (!block) return;
    char* locked = static_cast<char*>(GlobalLock(block));
    if (!locked) {
        GlobalFree(block);
        return;
    }
    std::memcpy(locked, response, n);
    g_system_block = block;
    g_system_text = locked;
}

// "<error word>[:<loaded title>][...<title name>]" in 100 bytes.
void compose_title(char* title, UINT titleId, int language, LPCSTR titleName) {
    char name[ferro::errors::kTitleSize];
    Composer(name, sizeof name).add(titleName);  // loading the title may refill the caller's text
    Composer out(title, ferro::errors::kTitleSize);
    out.add(ferro::errors::error_word(language));
    if (titleId) {
        _MyLoadString(GetSysDlgInstance(), 0, titleId);
        out.add(":").add(GetLoadStrTitle());
    }
    if (titleName) out.add("...").add(name);
}
}  // namespace

namespace ferro::errors {
const char* system_text() { return g_system_text; }
}  // namespace ferro::errors

LONG WINAPI PutErrorMessage(LONG show, LPCSTR insert, DWORD errorCode, DWORD ignoredCode, UINT titleId, LONG language,
                            LONG release, LPCSTR titleName) {
    if (errorCode == 0 || (ignoredCode != 0 && ignoredCode == errorCode)) return 0;
    HeapText text(ferro::errors::kSystemTextSize);
    if (!text.get()) return 0;
    InternetModule internet(errorCode);
    LONG produced = 0;

    if (errorCode == kInternetExtendedError) {
        FreeDosErrorMesHandle();
        fetch_server_response(text);
        if (!text.get()) return 0;
        if (release != 1) keep_response(text.get());
        produced = 1;
    } else {
        FreeDosErrorMesHandle();
        g_system_text = format_system_text(errorCode, insert, internet.get());
        if (g_system_text) {
            produced = 1;
            if (show == 1) {
                Composer out(text.get(), text.size());
                if (insert) out.add(insert).add(" ...\n\n");
                out.add(ferro::errors::system_text_label(language)).add(":\n").add(g_system_text);
            }
            if (release == 1) FreeDosErrorMesHandle();
        }
    }

    if (show == 1 && text.get()[0] != '\0') {
        Composer out = Composer::continuing(text.get(), text.size());
        if (!ferro::errors::is_empty(g_extra_message)) out.add(g_extra_message);
        char title[ferro::errors::kTitleSize];
        compose_title(title, titleId, language, titleName);
        myMessageBox(GetDesktopWindow(), text.get(), title, MB_ICONEXCLAMATION | MB_OK);
    }
    return produced;
}

LONG WINAPI ShowInetSystemError(LONG show, LPCSTR titleName) {
    return PutErrorMessage(show, nullptr, GetLastError(), ERROR_NO_MORE_FILES, 0, GetLanguage(), 1, titleName);
}

LPSTR WINAPI xDosErrors(LPCSTR name, DWORD errorCode) {
    if (errorCode == static_cast<DWORD>(-1)) errorCode = Get_nERRNO();
    LPCSTR insert = nullptr;
    if (!ferro::errors::is_empty(name)) {
        insert = GetFileName(nullptr, const_cast<LPSTR>(name));
        if (!insert) insert = "";
    }
    if (!PutErrorMessage(0, insert, errorCode, 0, 0, GetLanguage(), 0, nullptr) || !g_system_text) return nullptr;
    std::size_t n = std::strlen(g_system_text);
    while (n > 0 &&
           (ferro::mbcs::char_at(g_system_text, n - 1, '\n') || ferro::mbcs::char_at(g_system_text, n - 1, '\r')))
        g_system_text[--n] = '\0';
    return g_system_text;
}

LONG WINAPI FreeDosErrorMesHandle() {
    LONG had = g_system_text || g_system_block ? 1 : 0;
    if (g_system_block) {
        if (g_system_text) GlobalUnlock(g_system_block);
        GlobalFree(g_system_block);
    } else if (g_system_text) {
        LocalFree(g_system_text);
    }
    g_system_block = nullptr;
    g_system_text = nullptr;
    return had;
}

LPCSTR WINAPI SetExtraErrorMessage(LPCSTR text) { return g_extra_message = text; }
