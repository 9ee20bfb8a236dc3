// Receiving a drop of the shell: the drop block is checked before the shell
// reads it, each name is fetched whole (a name too long for a path is
// reported, never cut), and the caller's slots are never written past.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
#include <string>
#include "ferromes.h"
#include "frame/memory_blocks.h"
#include "frame/message_box.h"
#include "frame/text_internal.h"
#include "fs/dos_times.h"
#include "fs/path_spelling.h"
#include "ui/drop.h"

namespace {
constexpr UINT kNameTooLong = 8105;  // "%s\n\n名前が長すぎるためｵｰﾌﾟﾝできません。"
constexpr UINT kNameLength = 8106;   // "名前の長さﾞ"

struct DropState {
    USHORT total = 0;
    LONG kinds = 0;
    POINT point{};
};
DropState g;

// The name list ends inside the block: the ANSI list with two NULs, the wide
// one with two NUL characters, both after the header.
bool well_formed(HDROP drop) {
    const SIZE_T size = GlobalSize(drop);
    if (size < sizeof(DROPFILES)) return false;
    const auto* block = static_cast<const BYTE*>(GlobalLock(drop));
    if (!block) return false;
    const auto* header = reinterpret_cast<const DROPFILES*>(block);
    bool ends = false;
    if (header->pFiles >= sizeof(DROPFILES) && header->pFiles < size) {
        if (header->fWide) {
            const SIZE_T count = (size - header->pFiles) / sizeof(WCHAR);
            const auto* list = reinterpret_cast<const WCHAR*>(block + header->pFiles);
            for (SIZE_T i = 0; i < count && !ends; ++i) ends = list[i] == 0 && (i == 0 || list[i - 1] == 0);
        } else {
            const SIZE_T count = size - header->pFiles;
            const auto* list = reinterpret_cast<const char*>(block + header->pFiles);
            for (SIZE_T i = 0; i < count && !ends; ++i) ends = list[i] == 0 && (i == 0 || list[i - 1] == 0);
        }
    }
    GlobalUnlock(drop);
    return ends;
}

void store(HWND owner, HGLOBAL* names, LONG slot, const char* text) {
    if (HGLOBAL stored = SaveToGlobalMemory(owner, names[slot], text)) names[slot] = stored;
}
}  // namespace

LONG WINAPI IsShowErrorOfFileAndFolderLength(LPCSTR name, LONG limit, LONG quiet) {
    if (!name || lstrlenA(name) < limit) return 0;
    if (!quiet) _MessageBoxPrintf(GetSysDlgInstance(), kNameTooLong, kNameLength, name, nullptr, MB_ICONHAND, nullptr);
    return 1;
}

LONG WINAPI ReceiveDropFiles(HWND owner, LONG, HDROP drop, HGLOBAL* names, LONG* kinds, LONG limit) {
    g.kinds = 0;
    g.total = 0;
    g.point = {};
    if (!drop) return 0;
    if (!well_formed(drop)) {
        DragFinish(drop);
        return 0;
    }
    DragQueryPoint(drop, &g.point);
    const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    g.total = static_cast<USHORT>(count);
    if (count == 0 || !names || limit <= 0) {
        DragFinish(drop);
        return 0;
    }
    char name[ferro::text::kPathSize];
    for (UINT i = 0; i < count; ++i) {
        if (i == static_cast<UINT>(limit)) {
            store(owner, names, limit - 1, "");
            DragFinish(drop);
            return -1;
        }
        // The length first: a name that does not fit a path is reported whole.
        const UINT length = DragQueryFileA(drop, i, nullptr, 0);
        if (length >= sizeof name) {
            std::string whole(length + 1, '\0');
            DragQueryFileA(drop, i, whole.data(), length + 1);
            IsShowErrorOfFileAndFolderLength(whole.c_str(), sizeof name, 0);
            continue;
        }
        DragQueryFileA(drop, i, name, sizeof name);
        ConvertWin95CharacterSet(name, 8, 0);
        if (IsShowErrorOfFileAndFolderLength(name, sizeof name, 0)) continue;
        store(owner, names, static_cast<LONG>(i), name);
        if (kinds) {
            kinds[i] = IsDirectoryAttribute(name);
            g.kinds |= kinds[i];
        }
    }
    if (count < static_cast<UINT>(limit)) store(owner, names, static_cast<LONG>(count), "");
    DragFinish(drop);
    return 1;
}

LONG WINAPI GetDroppedTotal() { return g.total; }
LONG WINAPI SetDroppedTotal(LONG total) {
    g.total = static_cast<USHORT>(total);
    return g.total;
}
LONG WINAPI GetDroppedType(LONG mask) { return g.kinds & mask ? mask : 0; }
ULONGLONG WINAPI GetPointAtDropFiles() {
    return static_cast<ULONGLONG>(static_cast<ULONG>(g.point.y)) << 32 | static_cast<ULONG>(g.point.x);
}
LONG WINAPI SetPointAtDropFiles(LONG x, LONG y) {
    g.point = {x, y};
    return 1;
}
