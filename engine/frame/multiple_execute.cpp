// The answer to "start the program once more?": the current answer
// (MultipleExecute), the user's standing choices and a saved copy.
#include "frame/option_flags.h"

namespace {
constexpr LONG kNotInitialized = -100;
constexpr LONG kNotAsked = -1;
constexpr LONG kAlwaysYes = 2;
constexpr LONG kAlwaysNo = 3;
LONG g_saved = kNotInitialized;
}  // namespace

using ferro::flags::MultipleExecute;

LONG WINAPI SetMultipleExecuteInitialized() { return g_saved = kNotInitialized; }

LONG WINAPI IsMultipleExecuteAlwaysYes() {
    if (g_saved == kNotInitialized) g_saved = MultipleExecute;
    return MultipleExecute == kAlwaysYes;
}

LONG WINAPI IsMultipleExecuteAlwaysNo() { return MultipleExecute == kAlwaysNo; }

LONG WINAPI SetMultipleExecuteFromAlways() {
    if (ferro::flags::MultipleExecuteAlwaysYes)
        MultipleExecute = kAlwaysYes;
    else if (ferro::flags::MultipleExecuteAlwaysNo)
        MultipleExecute = kAlwaysNo;
    else if (g_saved == 1)
        MultipleExecute = 1;
    else
        MultipleExecute = g_saved > 0 ? kNotAsked : 0;
    return MultipleExecute;
}

LONG WINAPI RecoverMultipleExecute() { return MultipleExecute = g_saved; }
