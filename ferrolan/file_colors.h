// The panes' colours, kept by the engine: a pane draws an entry in the
// colour of its kind, from the source set when it is the active pane and
// from the target set otherwise. The host's kinds: 0 files, 1 read-only
// files, 2 folders, 3 hidden or system entries, 4 the self and upper
// entries; a file whose extension has a colour of its own takes that one.
// Each kind has its text and background; a marked row is drawn in the
// kind's selected colour on the background of kind 5.
#pragma once
#include <windows.h>
#include "listing.h"

namespace ferrolan {
struct RowColors {
    COLORREF text, back;
};
RowColors row_colors(bool active_pane, const Entry& entry, const char* name, bool marked);
// The sets ("Source", "Target", "FileList") and the extension colours
// ("Ext0" to "Ext15": "extension=rrggbb" in hexadecimal, the engine's
// COLORREF order) from the profile's "Colors" section; what is missing or
// damaged keeps the engine's defaults.
void read_file_colors();
}  // namespace ferrolan
