// Exports of the case rule: the spelling a renamed or copied entry gets
// (lower case, upper case, a capital first letter, or unchanged).
//
// Case rule word: 0x4 lower case, 0x8 upper case, 0x10 lower case with a
// capital first letter (implies 0x4); 0x20, 0x40, 0x80 the alternatives of
// 0x4, 0x8, 0x10 that apply when 0x200 is set; 0x400 no change of spelling;
// 0x800 the top folder of a renamed branch too; 0x1 and 0x2 request and
// report bits.
#pragma once
#include <windows.h>

extern "C" {
// The rule applied to the file name of `source`: the result is the
// effective rule with 0x1 (unless 0x2 was given) and with 0x2 (and 0x1) when
// the source's stored name differs from the new spelling. *targetRef is
// left as it was.
LONG WINAPI GetRenamedCaseSensitive(LPCSTR source, LPSTR* targetRef, LONG caseRule);
// Renames `existing` to the file-name part of `model` spelt by the rule, in
// the folder of `existing`: 1 renamed, 0 nothing to do (a path missing, or
// the spelling already right), -1 failed (noted in the error report list).
LONG WINAPI RenameTgtfileIfCaseSensitive(LPCSTR existing, LPCSTR model, LONG caseRule);
// Applies the rule to each folder level from `path` up to (with 0x800:
// including) `top`; `work` (520 bytes) receives the path as spelt
// afterwards. 1 when `top` contains `path`, else 0.
LONG WINAPI RenameSubdirForCaseSensitive(LPCSTR path, LPSTR work, LPCSTR top, LONG caseRule);
}
