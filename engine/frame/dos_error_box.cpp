// The file error box: the name concerned, the explanation, the system text of
// the stored error and the help line, with the style the caller set before.
#include <cstring>
#include "ferromes.h"
#include "frame/error_boxes.h"
#include "frame/error_internal.h"
#include "frame/error_texts.h"
#include "frame/message_box.h"
#include "frame/paths.h"
#include "frame/text.h"
#include "frame/error_state.h"

namespace {
using namespace ferro::errors;

constexpr UINT kReadOnlyLine = 8014;  // "[読み込み専用]解除後操作を続行します。"
constexpr DWORD kAttributesUnknown = 0x80;

UINT g_help_style;
char g_help_text[kPathSize];
DWORD g_attribute_word;

// A movable block holding the box text, unlocked and freed at the end.
class TextBlock {
public:
    explicit TextBlock(std::size_t size) : block_(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size)) {
        if (block_) text_ = static_cast<char*>(GlobalLock(block_));
    }
    ~TextBlock() {
        if (text_) GlobalUnlock(block_);
        if (block_) GlobalFree(block_);
    }
    TextBlock(const TextBlock&) = delete;
    TextBlock& operator=(const TextBlock&) = delete;
    char* text() const { return text_; }

private:
    HGLOBAL block_;
    char* text_ = nullptr;
};

// The stored Win32 error and errno, put back as they were when this goes out of scope.
class KeepErrorState {
public:
    KeepErrorState() : error_(Get_nERRNO()), number_(Get_errno()) {}
    ~KeepErrorState() {
        Set_nERRNO(error_);
        Set_errno(number_);
    }
    KeepErrorState(const KeepErrorState&) = delete;
    KeepErrorState& operator=(const KeepErrorState&) = delete;
    DWORD error() const { return error_; }

private:
    DWORD error_;
    int number_;
};

DWORD attributes_of(LPCSTR name) {
    KeepErrorState keep;
    DWORD attributes = is_empty(name) ? INVALID_FILE_ATTRIBUTES : read_attributes(name);
    return attributes == INVALID_FILE_ATTRIBUTES ? kAttributesUnknown : attributes;
}

int load_and_show(HINSTANCE instance, HWND window, LPCSTR name, UINT messageId, UINT titleId, LONG nameOnly,
                  bool withAttributes) {
    _MyLoadString(instance, messageId, titleId);
    return withAttributes
               ? DosErrorMessageWithAttribute(window, name, GetLoadStrMessage(), GetLoadStrTitle(), nameOnly)
               : DosErrorMessage(window, name, GetLoadStrMessage(), GetLoadStrTitle(), nameOnly);
}
}  // namespace

int WINAPI DosErrorMessage(HWND window, LPCSTR name, LPCSTR text, LPCSTR title, LONG nameOnly) {
    KeepErrorState keep;
    const int language = GetLanguage();
    char title_copy[kPathSize];
    Composer(title_copy, sizeof title_copy).add(title);

    const bool has_name = !is_empty(name);
    const bool has_text = !is_empty(text);
    LPCSTR shown = has_name && nameOnly == 1 ? GetFileName(nullptr, const_cast<LPSTR>(name)) : name;
    const bool yen_requested = IsRemoveLastYenmark();
    SetRemoveLastYenmark(0);

    LPCSTR system = xDosErrors(name, keep.error());
    const std::size_t size = length_of(shown) + length_of(text) + kMessageSize + length_of(system) +
                             length_of(fallback_text(language)) + length_of(g_help_text) + 32;
    TextBlock block(size);
    LPCSTR box_text = nullptr;
    if (block.text()) {
        Composer out(block.text(), size);
        bool line_closed = false;
        if (has_name) {
            out.add("'").add(shown);
            if (yen_requested) out.add("\\");
            out.add("'\n");
            line_closed = true;
            if (has_text) {
                out.add(text);
                line_closed = false;
            }
            if (g_attribute_word & FILE_ATTRIBUTE_READONLY) {
                // Loading refills the buffer a loaded `text` lives in: it was copied above.
                MyLoadString(kReadOnlyLine, 0);
                out.add("\n").add(GetLoadStrMessage());
                line_closed = false;
            }
        } else if (has_text) {
            out.add(text);
        }
        if (!line_closed && !has_text) system = fallback_text(language);
        if (system) {
            if (!line_closed) out.add("\n");
            out.add("\n").add(GetFromOsString()).add(system);
            line_closed = false;
        }
        if (g_help_text[0]) {
            if (!line_closed) out.add("\n");
            out.add(g_help_text);
        }
        box_text = block.text();
    } else {
        box_text = xDosErrors(name, static_cast<DWORD>(-1));
        if (!box_text) box_text = fallback_text(language);
    }

    if (!IsWaitForErrorMessge()) BEEP(g_help_style);
    int result = myMessageBox(window, box_text, title_copy, g_help_style);
    FreeDosErrorMesHandle();
    g_attribute_word = 0;
    return result;
}

int WINAPI DosErrorMessageWithAttribute(HWND window, LPCSTR name, LPCSTR text, LPCSTR title, LONG nameOnly) {
    g_attribute_word = attributes_of(name);
    return DosErrorMessage(window, name, text, title, nameOnly);
}

int WINAPI MyLoadDosErrorMessage(HWND window, LPCSTR name, UINT messageId, UINT titleId, LONG nameOnly) {
    return load_and_show(GetSysDlgInstance(), window, name, messageId, titleId, nameOnly, false);
}

int WINAPI MyLoadDosErrorMessageWithAttribute(HWND window, LPCSTR name, UINT messageId, UINT titleId,
                                              LONG nameOnly) {
    return load_and_show(GetSysDlgInstance(), window, name, messageId, titleId, nameOnly, true);
}

int WINAPI _MyLoadDosErrorMessage(HINSTANCE instance, HWND window, LPCSTR name, UINT messageId, UINT titleId,
                                  LONG nameOnly) {
    return load_and_show(instance, window, name, messageId, titleId, nameOnly, false);
}

int WINAPI _MyLoadDosErrorMessageWithAttribute(HINSTANCE instance, HWND window, LPCSTR name, UINT messageId,
                                               UINT titleId, LONG nameOnly) {
    return load_and_show(instance, window, name, messageId, titleId, nameOnly, true);
}

UINT WINAPI SetHelpDosErrorMessage(UINT style, LPCSTR helpText) {
    g_help_style = style;
    Composer(g_help_text, sizeof g_help_text).add(helpText);
    return helpText ? style : 0;
}
