// The shortcut dialog ("OpenShortcut": make or change one shortcut) and the
// batch tool's dialog ("OpenRenameShortcut", with its page of examples
// "OpenRenameShortcutDos"), from the message library's resources; the batch
// tool's folders and options kept in the profile store.
#include <windows.h>
#include <commdlg.h>
#include <cstdio>
#include <cstring>
#include <string>
#include "ferromes.h"
#include "fileops/delete.h"
#include "frame/error_boxes.h"
#include "frame/error_state.h"
#include "frame/message_box.h"
#include "frame/message_pump.h"
#include "frame/paths.h"
#include "frame/places.h"
#include "frame/text.h"
#include "frame/text_internal.h"
#include "fs/dos_folders.h"
#include "fs/dos_names.h"
#include "programs/error_report.h"
#include "programs/shortcut.h"
#include "programs/shortcut_internal.h"
#include "settings/places.h"
#include "settings/profile.h"

using namespace ferro;
using namespace ferro::programs;

namespace {
// ---- "OpenShortcut"
constexpr int kTarget = 2280, kShow = 2281, kFolder = 2282, kSize = 2284, kBrowse = 2285, kAttributes = 2286,
              kIcon = 2287, kArguments = 2288, kTargetPicture = 2289, kIconPicture = 2291, kStore = 2293,
              kName = 2294, kJump = 2295, kCancel = 2296, kHelp = 2297, kEndAll = 2298, kDesktop = 2301,
              kComment = 2300, kStorePicture = 2299, kFolderPicture = 2290;
constexpr UINT kDialogTitle = 8500;   // "ｼｮｰﾄｶｯﾄ:ｼｮｰﾄｶｯﾄ作成・変更"
constexpr UINT kNotThere = 9010;      // "は存在しません。新しく作成しますか？"
constexpr UINT kNewFolder = 9011;     // "新規ﾌｫﾙﾀﾞ作成"
constexpr UINT kAllFiles = 8034;      // "全ﾌｧｲﾙ (*.*)|*.*|"
constexpr UINT kShowTexts[] = {7153, 7154, 7155};
constexpr int kShowCommands[] = {SW_SHOWNORMAL, SW_SHOWMAXIMIZED, SW_SHOWMINNOACTIVE};
constexpr UINT kSelected = 7156, kSelectedNamed = 7157;  // "%d selected", "%d selected (%s)"
constexpr char kReportFile[] = "_rplcsc_.txt";

std::string message(UINT id) {
    _MyLoadString(GetSysDlgInstance(), id, 0);
    return GetLoadStrMessage();
}

std::string field(HWND dialog, int id) {
    char buffer[text::kPathSize] = "";
    GetDlgItemTextA(dialog, id, buffer, sizeof buffer);
    return buffer;
}

std::string folder_of(const std::string& path) {
    const char* yen = mbcs::find_last(path.c_str(), text::kYen);
    if (!yen) return {};
    std::string out(path.c_str(), static_cast<std::size_t>(yen - path.c_str()));
    if (out.size() == 2 && out[1] == ':') out += '\\';
    return out;
}

std::string base_name(const std::string& path) {
    const char* yen = mbcs::find_last(path.c_str(), text::kYen);
    std::string name = yen ? yen + 1 : path;
    if (const char* dot = mbcs::find_last(name.c_str(), '.')) name.resize(static_cast<std::size_t>(dot - name.c_str()));
    return name;
}

// A folder's own icon in a picture control, a warning sign when it is missing.
void show_folder_picture(HWND dialog, int picture, const std::string& folder) {
    SHFILEINFOA info = {};
    const std::string real = expanded(folder);
    HICON icon = !real.empty() && IsFileDirExist(real.c_str()) &&
                         SHGetFileInfoA(real.c_str(), 0, &info, sizeof info, SHGFI_ICON | SHGFI_SMALLICON)
                     ? info.hIcon
                     : CopyIcon(LoadIconA(nullptr, IDI_WARNING));
    if (auto old = reinterpret_cast<HICON>(SendDlgItemMessageA(dialog, picture, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0)))
        DestroyIcon(old);
}

void show_target_state(HWND dialog) {
    show_link_state(dialog, field(dialog, kTarget), field(dialog, kIcon), 0);
    show_folder_picture(dialog, kFolderPicture, field(dialog, kFolder));
    const bool desktop = IsDlgButtonChecked(dialog, kDesktop) == BST_CHECKED;
    EnableWindow(GetDlgItem(dialog, kStore), !desktop);
    if (!desktop) show_folder_picture(dialog, kStorePicture, field(dialog, kStore));
}

struct ShortcutDialogState {
    std::string path;
    bool created_folder = false;
};

void init_shortcut_dialog(HWND dialog, ShortcutDialogState& state) {
    SetWindowTextA(dialog, message(kDialogTitle).c_str());
    SetItemsIdForShortcut(kName, kTarget, kArguments, kIcon, kFolder, kShow, kComment);
    SetItemsErrorIdForShortcut(kSize, kAttributes, kTargetPicture, kIconPicture);
    for (UINT id : kShowTexts) SendDlgItemMessageA(dialog, kShow, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(message(id).c_str()));
    SendDlgItemMessageA(dialog, kShow, CB_SETCURSEL, 0, 0);
    const std::string& path = state.path;
    const char* extension = GetFileExtension(path.c_str());
    std::string store = folder_of(path), target;
    if (extension && lstrcmpiA(extension, "lnk") == 0 && IsFileDirExist(path.c_str())) {
        char found[text::kPathSize];
        GetItemsForShortCut(dialog, path.c_str(), 0, found, nullptr, nullptr, nullptr);
        target = found;
        show_folder_picture(dialog, kFolderPicture, field(dialog, kFolder));
    } else {
        target = path;
        SetDlgItemTextA(dialog, kTarget, path.c_str());
        SetDlgItemTextA(dialog, kFolder, folder_of(path).c_str());
        show_target_state(dialog);
    }
    SendDlgItemMessageA(dialog, kFolder, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(folder_of(target).c_str()));
    FillNamesInComboBoxByDesktopFolders(dialog, store.c_str(), kStore, TRUE);
    SetDlgItemTextA(dialog, kStore, store.c_str());
    show_folder_picture(dialog, kStorePicture, store);
    SetDlgItemTextA(dialog, kName, base_name(path).c_str());
}

// Makes the folder and the ones above it that are missing.
bool make_folders(const std::string& folder) {
    if (folder.empty() || IsFileDirExist(folder.c_str())) return true;
    const std::string upper = folder_of(folder);
    if (upper.empty() || upper == folder || !make_folders(upper)) return false;
    return myMkdir(folder.c_str()) == 0;
}

bool write_from_dialog(HWND dialog, ShortcutDialogState& state) {
    std::string store = IsDlgButtonChecked(dialog, kDesktop) == BST_CHECKED ? std::string() : field(dialog, kStore);
    if (store.empty()) {
        char desktop[text::kPathSize];
        if (GetDesktopDirectory(desktop, 0)) store = desktop;
    }
    const std::string name = field(dialog, kName);
    if (store.empty() || name.empty()) return false;
    if (!IsFileDirExist(store.c_str())) {
        char text[text::kPathSize + 200];
        std::snprintf(text, sizeof text, "'%s'\n%s", store.c_str(), message(kNotThere).c_str());
        if (myMessageBox(dialog, text, message(kNewFolder).c_str(), MB_YESNO | MB_ICONQUESTION) != IDYES) return false;
        if (!make_folders(store)) {
            MyLoadDosErrorMessage(dialog, store.c_str(), 8084, kNewFolder, 0);
            return false;
        }
        state.created_folder = true;
    }
    std::string link = store;
    if (!mbcs::ends_with(link.c_str(), link.size(), text::kYen)) link += '\\';
    link += name + ".lnk";
    if (link.size() > text::kPathMax) return false;
    const LRESULT show = SendDlgItemMessageA(dialog, kShow, CB_GETCURSEL, 0, 0);
    const std::string target = field(dialog, kTarget), icon = field(dialog, kIcon);
    if (SetLnkExeName(dialog, link.c_str(), target.c_str(), field(dialog, kArguments).c_str(), field(dialog, kComment).c_str(),
                      field(dialog, kFolder).c_str(), kShowCommands[show >= 0 && show < 3 ? show : 0], icon.c_str(),
                      0) != 0)
        return false;
    SaveIconFileName(icon.c_str());
    SaveLinkInfo(IsDlgButtonChecked(dialog, kJump) == BST_CHECKED ? folder_of(expanded(target)).c_str() : "", 0);
    return true;
}

void browse_target(HWND dialog) {
    char file[text::kPathSize] = "";
    std::string filter = message(kAllFiles);
    for (char& c : filter)
        if (c == '|') c = '\0';
    filter += '\0';
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = dialog;
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_NODEREFERENCELINKS;
    if (!GetOpenFileNameA(&ofn)) return;
    SetDlgItemTextA(dialog, kTarget, file);
    SetDlgItemTextA(dialog, kFolder, folder_of(file).c_str());
    show_target_state(dialog);
}

INT_PTR CALLBACK shortcut_proc(HWND dialog, UINT msg, WPARAM wparam, LPARAM lparam) {
    auto* state = reinterpret_cast<ShortcutDialogState*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (msg) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lparam);
        init_shortcut_dialog(dialog, *reinterpret_cast<ShortcutDialogState*>(lparam));
        return TRUE;
    case WM_DESTROY:
        for (int id : {kTargetPicture, kIconPicture, kStorePicture, kFolderPicture})
            if (auto icon = reinterpret_cast<HICON>(SendDlgItemMessageA(dialog, id, STM_SETICON, 0, 0))) DestroyIcon(icon);
        return FALSE;
    case WM_COMMAND:
        switch (LOWORD(wparam)) {
        case IDOK:
            if (write_from_dialog(dialog, *state)) EndDialog(dialog, IDOK);
            return TRUE;
        case kCancel:
        case IDCANCEL:
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        case kEndAll:
            EndDialog(dialog, kEndAll);
            return TRUE;
        case kBrowse:
            browse_target(dialog);
            return TRUE;
        case kHelp:
            if (!text::is_empty(GetFerroHelp())) ShellExecuteA(dialog, "open", GetFerroHelp(), nullptr, nullptr, SW_SHOWNORMAL);
            return TRUE;
        case kTarget:
        case kIcon:
        case kFolder:
        case kStore:
            if (HIWORD(wparam) == EN_KILLFOCUS || HIWORD(wparam) == CBN_KILLFOCUS) show_target_state(dialog);
            return TRUE;
        case kDesktop:
            show_target_state(dialog);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

// ---- "OpenRenameShortcut"
constexpr int kSearched = 2401, kOld = 2402, kNew = 2403, kFront = 2410, kEnd = 2411, kAll = 2412, kCase = 2413,
              kFolderUnit = 2414, kCharUnit = 2415, kYenOnly = 2416, kBetweenYen = 2417, kAnyText = 2418,
              kIncludeArguments = 2419, kShowNames = 2420, kShowFolder = 2421, kConfirm = 2422, kSimulate = 2423,
              kWorkFolder = 2424, kWorkFile = 2425, kCounter = 2426, kNames = 2427, kExamples = 2428;
constexpr LONG kOptArguments = 0x10000, kOptShowNames = 0x20000, kOptShowFolder = 0x40000, kOptConfirm = 0x80000,
               kOptSimulate = 0x800000;
constexpr LONG kDefaultOptions = kMatchFront | kMatchFolderUnit | kMatchAllFolderUnit | kOptShowNames |
                                 kOptShowFolder | kOptConfirm;

std::string batch_section() {
    std::string section = text::is_empty(GetRegistryPath()) ? "Software\\Ferrolan" : GetRegistryPath();
    return GetUseInifileInsteadOfRegistry() ? std::string("RenameShortcut") : section + "\\RenameShortcut";
}
const char* const kFolderKeys[] = {"Folder", "OldFolder", "NewFolder"};

void set_check(HWND dialog, int id, bool on) { CheckDlgButton(dialog, id, on ? BST_CHECKED : BST_UNCHECKED); }
bool checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

void show_options(HWND dialog, LONG o) {
    CheckRadioButton(dialog, kFront, kAll, (o & kMatchAll) ? kAll : (o & kMatchFront) ? kFront : (o & kMatchEnd) ? kEnd : kFront);
    set_check(dialog, kCase, o & kMatchCase);
    CheckRadioButton(dialog, kFolderUnit, kCharUnit, (o & (kMatchFolderUnit | kMatchAllFolderUnit)) ? kFolderUnit : kCharUnit);
    CheckRadioButton(dialog, kYenOnly, kAnyText, !(o & kMatchYenOnly) ? kAnyText : (o & kMatchFolderUnit) ? kBetweenYen : kYenOnly);
    set_check(dialog, kIncludeArguments, o & kOptArguments);
    set_check(dialog, kShowNames, o & kOptShowNames);
    set_check(dialog, kShowFolder, o & kOptShowFolder);
    set_check(dialog, kConfirm, o & kOptConfirm);
    set_check(dialog, kSimulate, o & kOptSimulate);
}

LONG read_options(HWND dialog) {
    LONG o = checked(dialog, kAll) ? kMatchAll : checked(dialog, kEnd) ? kMatchEnd : kMatchFront;
    if (checked(dialog, kCase)) o |= kMatchCase;
    if (checked(dialog, kFolderUnit)) o |= kMatchFolderUnit | kMatchAllFolderUnit;
    if (checked(dialog, kYenOnly)) o |= kMatchYenOnly;
    if (checked(dialog, kBetweenYen)) o |= kMatchYenOnly | kMatchFolderUnit | kMatchAllFolderUnit;
    if (checked(dialog, kIncludeArguments)) o |= kOptArguments;
    if (checked(dialog, kShowNames)) o |= kOptShowNames;
    if (checked(dialog, kShowFolder)) o |= kOptShowFolder;
    if (checked(dialog, kConfirm)) o |= kOptConfirm;
    if (checked(dialog, kSimulate)) o |= kOptSimulate;
    return o;
}

INT_PTR CALLBACK examples_proc(HWND dialog, UINT msg, WPARAM wparam, LPARAM) {
    if (msg == WM_INITDIALOG) return TRUE;
    if (msg == WM_COMMAND && (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL)) {
        EndDialog(dialog, LOWORD(wparam));
        return TRUE;
    }
    return FALSE;
}

// One run of the batch over the searched folder; false when it did not start.
bool run_batch(HWND dialog) {
    const std::string folder = field(dialog, kSearched), old_folder = field(dialog, kOld), new_folder = field(dialog, kNew);
    const LONG options = read_options(dialog);
    if (old_folder.empty() || folder.empty()) {
        myMessageBoxForLoadString(dialog, kNoOldFolder, kShortcutTitle, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    if (options & kOptConfirm) {
        char text[text::kPathSize + 200];
        std::snprintf(text, sizeof text, message(kAskReplace).c_str(), folder.c_str());
        if (myMessageBox(dialog, text, message(kShortcutTitle).c_str(), MB_YESNO | MB_ICONQUESTION) != IDYES) return false;
    }
    SaveOutputDirForRenameSc(folder.c_str(), old_folder.c_str(), new_folder.c_str(), options);
    if (!SetOldAndNewDirectoryForShortCut(old_folder.c_str(), new_folder.c_str())) return false;
    SearchConditionsForShortCut(options & 0xFFFF);
    ReplaceItemOfOptionForShortCut((options & kOptArguments) ? 1 : 0);
    SetSomeAreReplacedAtShortcut(0);
    ReleaseOutputFileMemoryHandle();
    SendDlgItemMessageA(dialog, kNames, LB_RESETCONTENT, 0, 0);
    SetDlgBoxItemsForDeleting(dialog, (options & kOptShowFolder) ? kWorkFolder : 0, (options & kOptShowNames) ? kNames : 0,
                              kWorkFile, kCounter, nullptr, nullptr, 0);
    ResetCancellingFlags(0);
    LONG stop = 0, count = 0;
    DelWild(dialog, &stop, kWildShortcuts | kWildDescend | ((options & kOptSimulate) ? LONG(kWildSimulate) : 0L), &count,
            folder.c_str(), "*.lnk", nullptr);
    char counter[200];
    if (GetOutputFileList())
        std::snprintf(counter, sizeof counter, message(kSelectedNamed).c_str(), static_cast<int>(count), kReportFile);
    else
        std::snprintf(counter, sizeof counter, message(kSelected).c_str(), static_cast<int>(count));
    SetDlgItemTextA(dialog, kWorkFile, counter);
    if (GetOutputFileList()) ViewOutputFiles(dialog, kReportFile, nullptr, nullptr);
    return true;
}

struct RenameDialogState {
    std::string folder, old_folder, new_folder;
    bool ran = false;
};

INT_PTR CALLBACK rename_proc(HWND dialog, UINT msg, WPARAM wparam, LPARAM lparam) {
    auto* state = reinterpret_cast<RenameDialogState*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (msg) {
    case WM_INITDIALOG: {
        SetWindowLongPtrA(dialog, DWLP_USER, lparam);
        const auto* s = reinterpret_cast<RenameDialogState*>(lparam);
        const std::string* given[] = {&s->folder, &s->old_folder, &s->new_folder};
        const int ids[] = {kSearched, kOld, kNew};
        for (int i = 0; i < 3; ++i) {
            char kept[text::kPathSize] = "";
            if (given[i]->empty()) GetFolderFromRegistry(kept, i);
            SetDlgItemTextA(dialog, ids[i], given[i]->empty() ? kept : given[i]->c_str());
        }
        show_options(dialog, GetOptionsFromRegistry(kDefaultOptions));
        SendDlgItemMessageA(dialog, kNames, LB_SETHORIZONTALEXTENT, 1600, 0);
        return TRUE;
    }
    case WM_COMMAND:
        switch (LOWORD(wparam)) {
        case IDOK:
            if (run_batch(dialog)) state->ran = true;
            return TRUE;
        case kExamples:
            DialogBoxParamA(GetSysDlgInstance(), "OPENRENAMESHORTCUTDOS", dialog, examples_proc, 0);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        break;
    }
    return FALSE;
}
}  // namespace

INT_PTR WINAPI ShortCutDialog(HWND owner, LPCSTR path, LONG flags, LPARAM) {
    ShortcutState& s = shortcut_state();
    s.dir_created = 0;
    if (text::is_empty(path) || std::strlen(path) > text::kPathMax) return IDCANCEL;
    SaveLinkInfo(path, 1);
    ShortcutDialogState state;
    state.path = path;
    const LONG previous = s.no_resolve;
    if (flags == 0 || (flags & 0x20)) s.no_resolve = 1;
    const INT_PTR result = DialogBoxParamA(GetSysDlgInstance(), "OPENSHORTCUT", owner, shortcut_proc,
                                           reinterpret_cast<LPARAM>(&state));
    s.no_resolve = previous;
    s.dir_created = state.created_folder ? 1 : 0;
    if (result == -1) dos::record_last_error();  // the dialog could not be made
    return result;
}

LONG WINAPI IsDirCreatedForShortCut() { return shortcut_state().dir_created; }

INT_PTR WINAPI RenameShortcutDialog(HWND owner, LPCSTR folder, LPCSTR oldFolder, LPCSTR newFolder) {
    RenameDialogState state;
    state.folder = folder ? folder : "";
    state.old_folder = oldFolder ? oldFolder : "";
    state.new_folder = newFolder ? newFolder : "";
    if (DialogBoxParamA(GetSysDlgInstance(), "OPENRENAMESHORTCUT", owner, rename_proc, reinterpret_cast<LPARAM>(&state)) ==
        -1) {
        dos::record_last_error();
        return -1;
    }
    return state.ran ? IDOK : IDCANCEL;
}

LONG WINAPI SaveOutputDirForRenameSc(LPCSTR folder, LPCSTR oldFolder, LPCSTR newFolder, LONG options) {
    const std::string section = batch_section();
    LPCSTR values[] = {folder, oldFolder, newFolder};
    LONG written = 1;
    for (int i = 0; i < 3; ++i)
        if (values[i] && !mySetPrivateProfileString(HKEY_CURRENT_USER, section.c_str(), kFolderKeys[i], values[i], 0))
            written = 0;
    if (!mySetPrivateProfileInt(HKEY_CURRENT_USER, section.c_str(), "Options", options)) written = 0;
    return written;
}

LONG WINAPI GetFolderFromRegistry(LPSTR buffer, LONG which) {
    if (!buffer) return 0;
    buffer[0] = '\0';
    if (which < 0 || which > 2) return 0;
    return myFindPrivateProfileString(HKEY_CURRENT_USER, batch_section().c_str(), kFolderKeys[which], "", buffer,
                                      static_cast<DWORD>(text::kPathSize)) > 1
               ? 1
               : 0;
}

LONG WINAPI GetOptionsFromRegistry(LONG def) {
    return myFindPrivateProfileInt(HKEY_CURRENT_USER, batch_section().c_str(), "Options", def);
}
