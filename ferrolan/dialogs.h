// The host's own questions: dialogs of the message library (their labels
// from its string table), run modally on the main window.
#pragma once
#include <windows.h>
#include <string>

namespace ferrolan {
// One line of text: the title and the label are string numbers. False when
// the user cancelled or left the text empty.
bool ask_text(HWND owner, UINT title, UINT label, std::string& value);

// Before a file is overwritten.
enum class Overwrite { kYes, kIfNewer, kSkip, kStop };
struct OverwriteAnswer {
    Overwrite choice = Overwrite::kYes;
    bool for_all = false;
};
OverwriteAnswer ask_overwrite(HWND owner, UINT title, const std::string& source, const std::string& target);

// The attributes to set and to clear (read-only, hidden, system, archive);
// `common` and `mixed` describe the entries now.
bool ask_attributes(HWND owner, const std::string& what, DWORD common, DWORD mixed, DWORD& set, DWORD& clear);

// The conditions of a search by name, date, size and attributes.
struct SearchForm {
    std::string name;
    std::string newer, older;  // YYYY-MM-DD
    std::string min_size, max_size;
    DWORD attributes = 0;
    bool subfolders = true;
};
bool ask_search(HWND owner, const std::string& folder, SearchForm& form);

// A dialog of the message library centred on its owner.
void center_on_owner(HWND dialog);
}  // namespace ferrolan
