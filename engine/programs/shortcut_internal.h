// The shell's link object behind the shortcut exports, the module state of
// the shortcut part, and the folder replacement in one text.
#pragma once
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
#include <string>

namespace ferro::programs {
// An owned COM interface pointer.
template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() { reset(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    T* operator->() const { return p_; }
    T* get() const { return p_; }
    T** out() {
        reset();
        return &p_;
    }
    void reset() {
        if (p_) p_->Release();
        p_ = nullptr;
    }

private:
    T* p_ = nullptr;
};

// The fields of a shortcut, in code-page-932 text.
struct LinkFields {
    std::string target, arguments, description, working_folder, icon;
    int icon_index = 0;
    int show_command = SW_SHOWNORMAL;
};

// The shell's link object with its IPersistFile.
class LinkObject {
public:
    // 0, kLinkNoObject or kLinkNoPersist (the stored error set).
    LONG create();
    // Loads the shortcut (quotation marks removed); false with the stored error set.
    bool load(const char* path);
    // Saves into a temporary file beside `path`, then replaces `path` with
    // it: the shortcut is either the old one or the complete new one. The
    // file keeps its attributes. False with the stored error set.
    bool save_replacing(const char* path);
    IShellLinkA* operator->() const { return link_.get(); }

private:
    int show_ = 0;  // the show command of the file loaded
    ComPtr<IShellLinkA> link_;
    ComPtr<IPersistFile> file_;
};

// Converts a path to UTF-16 in the system code page (quotation marks
// removed, 520 characters at most); false when it does not convert.
bool to_wide(const char* path, wchar_t (&out)[520]);
// A path on a drive letter mapped to a share in the share's system form
// (\\server\share\...); any other path as it is.
std::string network_folder_name(const std::string& path);
// The text with %NAME% placeholders expanded (unchanged when nothing fits).
std::string expanded(const std::string& text);

// Module state.
struct ShortcutState {
    DWORD target_attributes = 0;
    LONG no_resolve = 0;
    LONG no_error_message = 0;
    char old_folder[260] = "";
    char new_folder[260] = "";
    LONG conditions = 0;
    LONG replace_arguments = 0;
    int field_ids[7] = {};
    int error_ids[4] = {};
    LONG replaced = 0;
    LONG some_replaced = 0;
    LONG report_started = 0;
    LONG dir_created = 0;
};
ShortcutState& shortcut_state();

// Replaces the old folder text by the new one in `text` (a buffer of `size`
// bytes) under the search conditions. Returns 1 when replaced, 0 when the
// text was left alone, -1 when the result would not fit (text unchanged).
int replace_folder_text(char* text, std::size_t size, const char* oldText, const char* newText, LONG conditions);

// The dialog's state controls (SetItemsErrorIdForShortcut): the target's
// size, attributes and icon, and the shortcut's icon; a warning sign where a
// file is missing.
void show_link_state(HWND window, const std::string& target, const std::string& icon, int iconIndex);

// The box for a shortcut that could not be read or written (unless the
// no-error-message switch is set).
void report_link_failure(HWND owner, const char* path, UINT messageId);

// Message numbers of the shortcut part.
inline constexpr UINT kShortcutTitle = 8400;    // "Ferrolan:ｼｮｰﾄｶｯﾄ"
inline constexpr UINT kReplaceHeading = 8401;   // "======ｼｮｰﾄｶｯﾄ内のﾌｫﾙﾀﾞ名置換======"
inline constexpr UINT kCannotRead = 8402;       // "ｼｮｰﾄｶｯﾄﾌｧｲﾙの読み込みに失敗しました。"
inline constexpr UINT kCannotWrite = 8403;      // "ｼｮｰﾄｶｯﾄﾌｧｲﾙの書き込みに失敗しました。"
inline constexpr UINT kAskReplace = 8404;       // "%s\nのｼｮｰﾄｶｯﾄのﾌｫﾙﾀﾞ名を置換しますか？"
inline constexpr UINT kNoOldFolder = 8405;      // "置換するﾌｫﾙﾀﾞ名を指定してください。"
inline constexpr UINT kTargetLabel = 8294;      // "[ﾘﾝｸ先]"
inline constexpr UINT kArgumentsLabel = 8295;   // "[ｵﾌﾟｼｮﾝ]"
inline constexpr UINT kIconLabel = 8296;        // "[ｱｲｺﾝ]"
inline constexpr UINT kFolderLabel = 8297;      // "[作業ﾌｫﾙﾀﾞ]"
inline constexpr UINT kSimulationHeading = 8298;  // "[ｼﾐｭﾚｰｼｮﾝ]"
}  // namespace ferro::programs
