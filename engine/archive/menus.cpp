// The archiver items of the host's menu.
#include <cstring>
#include "archive/archiver.h"
#include "archive/slots.h"
#include "frame/mbcs.h"

using namespace ferro::archive;

namespace {
constexpr LONG kDosArchiverPosition = 5;

char mark_of(LONG check) {
    switch (check) {
        case kOlder: return '?';
        case kNewer: return '!';
        case kNotChecked: return '*';
        default: return '\0';
    }
}

// The first "?", "!" or "*" of the text (whole characters only), or null.
char* find_mark(char* text) {
    for (char* p = text; *p; p = ferro::mbcs::next(p))
        if (*p == '?' || *p == '!' || *p == '*') return p;
    return nullptr;
}

// Puts the mark in place of the text's old mark, or in front of the text;
// no mark removes the old one. Returns false when the text would not fit.
bool place_mark(char* text, std::size_t cap, char mark) {
    const std::size_t len = std::strlen(text);
    if (char* old = find_mark(text)) {
        if (mark) *old = mark;
        else std::memmove(old, old + 1, std::strlen(old));
        return true;
    }
    if (!mark) return true;
    if (len + 2 > cap) return false;
    std::memmove(text + 1, text, len + 1);
    text[0] = mark;
    return true;
}

void set_text(HMENU menu, UINT position, char* text) {
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = text;
    SetMenuItemInfoA(menu, position, TRUE, &info);
}
}  // namespace

LONG WINAPI SetWinArchiverMenu(HMENU menu) {
    if (!menu || !IsMenu(menu)) return 0;
    const int items = GetMenuItemCount(menu);
    for (int slot = 0; slot < kSlots && slot < items; ++slot) {
        const UINT position = static_cast<UINT>(slot);
        const Slot& s = at(slot);
        if (s.status != kLoaded) {
            EnableMenuItem(menu, position, MF_BYPOSITION | MF_GRAYED);
            continue;
        }
        EnableMenuItem(menu, position, MF_BYPOSITION | MF_ENABLED);
        char text[520];
        if (GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION) <= 0) continue;
        if (place_mark(text, sizeof text, mark_of(s.check))) set_text(menu, position, text);
    }
    return 1;
}

LONG WINAPI SetDosArchiverMenu(HMENU menu, LONG disable) {
    return SetDisableMenu(menu, kDosArchiverPosition, -1, MF_POPUP, disable != 0);
}

LONG WINAPI SetDisableMenu(HMENU menu, LONG position, LONG id, LONG flags, LONG disable) {
    if (!menu || !IsMenu(menu)) return -1;
    const bool by_position = id == -1;
    const UINT item = static_cast<UINT>(by_position ? position : id);
    const DWORD previous =
        EnableMenuItem(menu, item, (by_position ? MF_BYPOSITION : MF_BYCOMMAND) | (disable ? MF_GRAYED : MF_ENABLED));
    return previous == static_cast<DWORD>(-1) ? -1 : static_cast<LONG>(previous);
}
