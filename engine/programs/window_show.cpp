// Showing windows: the owner of boxes, bringing a window to the front,
// hiding and showing a dialog's control, and the walks that show, redraw,
// update or invalidate every child window.
#include "frame/owner_window.h"
#include "programs/processes.h"
#include "programs/programs_internal.h"

namespace {
HWND target_of(HWND dialog, int control) { return control ? GetDlgItem(dialog, control) : dialog; }

// Applies `act` to every child window (at any depth); the number of them.
template <class Act>
LONG for_each_child(HWND window, Act act) {
    if (!window || !IsWindow(window)) return 0;
    LONG count = 0;
    ferro::programs::for_each_window(window, [&](HWND child) {
        act(child);
        ++count;
        return false;
    });
    return count;
}
}  // namespace

HWND WINAPI GetAppropriateOwnerWindows(HWND window) {
    if (window && IsWindow(window)) {
        HWND root = GetAncestor(window, GA_ROOT);
        return root ? root : window;
    }
    return GetValidWindowsHandle(nullptr);
}

LONG WINAPI mySetForegroundWindowAlways(HWND window, LONG plain) {
    if (!window || !IsWindow(window)) return 0;
    if (IsIconic(window)) ShowWindow(window, SW_RESTORE);  // a window maximised before comes back so
    else if (IsZoomed(window)) ShowWindow(window, SW_SHOWMAXIMIZED);
    else ShowWindow(window, SW_SHOW);
    LONG result;
    if (!plain && ferro::programs::is_vista_or_later()) {
        UpdateWindow(window);
        // Activation alone reaches only this thread's windows: the foreground
        // request brings a window of another program up as well.
        SetForegroundWindow(window);
        SetActiveWindow(window);
        result = 0;
    } else {
        result = SetForegroundWindow(window) ? 1 : 0;
    }
    SetFocus(window);
    return result;
}

LONG WINAPI mySetForegroundWindow(HWND window) { return mySetForegroundWindowAlways(window, 0); }

LONG WINAPI HideWin(HWND dialog, int control) {
    HWND window = target_of(dialog, control);
    if (!window || !IsWindow(window)) return 0;
    EnableWindow(window, FALSE);
    SetWindowPos(window, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    return 1;
}

LONG WINAPI ShowWin(HWND dialog, int control, int left, int top, int right, int bottom) {
    HWND window = target_of(dialog, control);
    if (!window || !IsWindow(window)) return 0;
    EnableWindow(window, TRUE);
    SetWindowPos(window, HWND_TOP, left, top, right - left, bottom - top, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    return 1;
}

LONG WINAPI ShowAllChildWindows(HWND window, int show) {
    return for_each_child(window, [show](HWND child) { ShowWindow(child, show); });
}

LONG WINAPI RedrawAllChildWindows(HWND window) {
    return for_each_child(window, [](HWND child) {
        RedrawWindow(child, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    });
}

LONG WINAPI UpdateSpecifiedWindows(HWND window) {
    if (!window || !IsWindow(window)) return 0;
    UpdateWindow(window);
    return UpdateAllChildWindows(window);
}

LONG WINAPI InvalidateAllChildWindows(HWND window, BOOL erase) {
    return for_each_child(window, [erase](HWND child) { InvalidateRect(child, nullptr, erase); });
}

LONG WINAPI UpdateAllChildWindows(HWND window) {
    return for_each_child(window, [](HWND child) { UpdateWindow(child); });
}
