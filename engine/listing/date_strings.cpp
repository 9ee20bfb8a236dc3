// Dates and times of the listing as display text. Two forms: the column form
// "YY-MM-DD HH:MM" (year modulo 100, 15 bytes with the NUL) and the long form
// "YYYY-MM-DD HH:MM:SS" (20 bytes). A time that is not a valid calendar time
// gives the empty string; a null output gives null.
#include <windows.h>
#include <cstdio>
#include "listing/listing_store.h"

namespace {
constexpr size_t kColumnSize = 15;
constexpr size_t kLongSize = 20;

LPSTR column_form(LPSTR out, const SYSTEMTIME& t) {
    std::snprintf(out, kColumnSize, "%02u-%02u-%02u %02u:%02u", unsigned(t.wYear % 100), unsigned(t.wMonth) % 100,
                  unsigned(t.wDay) % 100, unsigned(t.wHour) % 100, unsigned(t.wMinute) % 100);
    return out;
}

bool calendar_of(DWORD low, DWORD high, SYSTEMTIME& t) {
    const FILETIME time = {low, high};
    return FileTimeToSystemTime(&time, &t) != 0;
}

// A packed DOS date and time as a calendar time, checked field by field
// (DosDateTimeToFileTime takes month 0 or day 0 without complaint).
bool calendar_of_dos(WORD date, WORD time, SYSTEMTIME& t) {
    t = {};
    t.wYear = WORD(1980 + (date >> 9));
    t.wMonth = WORD((date >> 5) & 0x0f);
    t.wDay = WORD(date & 0x1f);
    t.wHour = WORD(time >> 11);
    t.wMinute = WORD((time >> 5) & 0x3f);
    t.wSecond = WORD((time & 0x1f) * 2);
    FILETIME check;
    return t.wMonth >= 1 && t.wMonth <= 12 && t.wDay >= 1 && t.wHour < 24 && t.wMinute < 60 && t.wSecond < 60 &&
           SystemTimeToFileTime(&t, &check);
}
}  // namespace

extern "C" {
LPSTR WINAPI GetDateTimeString(LPSTR out, DWORD low, DWORD high) {
    if (!out) return nullptr;
    const FILETIME utc = {low, high};
    FILETIME local;
    SYSTEMTIME t;
    out[0] = '\0';
    if (FileTimeToLocalFileTime(&utc, &local) && calendar_of(local.dwLowDateTime, local.dwHighDateTime, t))
        std::snprintf(out, kLongSize, "%04u-%02u-%02u %02u:%02u:%02u", unsigned(t.wYear) % 10000, unsigned(t.wMonth) % 100,
                      unsigned(t.wDay) % 100, unsigned(t.wHour) % 100, unsigned(t.wMinute) % 100,
                      unsigned(t.wSecond) % 100);
    return out;
}

LPSTR WINAPI myFileDate(LPSTR out, DWORD low, DWORD high) {
    if (!out) return nullptr;
    SYSTEMTIME t;
    out[0] = '\0';
    return calendar_of(low, high, t) ? column_form(out, t) : out;
}

LPSTR WINAPI myFileDateFromDosDateTime(LPSTR out, WORD date, WORD time) {
    if (!out) return nullptr;
    SYSTEMTIME t;
    out[0] = '\0';
    return calendar_of_dos(date, time, t) ? column_form(out, t) : out;
}

LPSTR WINAPI myFileDateFromMyDateTime(LPSTR out, DWORD dateTime) {
    return myFileDateFromDosDateTime(out, HIWORD(dateTime), LOWORD(dateTime));
}
}
