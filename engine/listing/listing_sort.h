// Sorting of a listing's keys, with an optional companion array of 32-bit
// values (entry numbers) that moves with the keys. Runs on the interface
// thread, keeps it answering and stops when the stop flag is set.
#pragma once
#include <windows.h>

extern "C" {
// Ascending. Returns 1 when sorted; 0 for a count of 0 or less (nothing is
// touched), for a stop request (the arrays are then partly sorted, every key
// and its companion still present exactly once) and for a call made while
// another sort is running (from a window procedure the sort's pump ran).
LONG WINAPI lqsortx(LPSTR* keys, LONG* companions, LONG count);
// Descending: every comparison's sense reversed (equal keys keep the same
// rule, so this is not the reversed result of lqsortx).
LONG WINAPI lqsortxrev(LPSTR* keys, LONG* companions, LONG count);
}
