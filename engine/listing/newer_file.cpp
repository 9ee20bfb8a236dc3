// Which of two file times is newer, with the two-second rule between a FAT
// drive and an NTFS drive, and the packed DOS date and time words.
#include <windows.h>
#include <cstring>
#include <initializer_list>

#include "fs/dos_find.h"
#include "fs/dos_times.h"
#include "fs/drives.h"
#include "frame/error_state.h"
#include "listing/listing_store.h"

namespace {
constexpr int kNtfs = 2;
LONG g_identical;

bool has_yen(LPCSTR p) { return p && std::strchr(p, '\\'); }

bool local_calendar(ULONGLONG time, SYSTEMTIME& out) {
    FILETIME utc{static_cast<DWORD>(time), static_cast<DWORD>(time >> 32)}, local;
    return FileTimeToLocalFileTime(&utc, &local) && FileTimeToSystemTime(&local, &out);
}

LONG compare_times(LPCSTR path1, LPCSTR path2, ULONGLONG t1, ULONGLONG t2) {
    g_identical = 0;
    if (t1 == t2) {
        g_identical = 1;
        return 0;
    }
    // FAT keeps times in steps of two seconds: a copy from FAT to NTFS within
    // the same minute and at most two seconds later is the same file.
    if (has_yen(path1) && has_yen(path2) && GetTypeOfFileSystemNumber(path2) == kNtfs &&
        GetTypeOfFileSystemNumber(path1) != kNtfs) {
        SYSTEMTIME a, b;
        if (local_calendar(t1, a) && local_calendar(t2, b) && a.wYear == b.wYear && a.wMonth == b.wMonth &&
            a.wDay == b.wDay && a.wHour == b.wHour && a.wMinute == b.wMinute &&
            static_cast<int>(a.wSecond) - static_cast<int>(b.wSecond) < 3) {
            g_identical = -1;
            return 0;
        }
    }
    return t1 > t2 ? 1 : 0;
}

ULONGLONG join(DWORD low, DWORD high) { return (static_cast<ULONGLONG>(high) << 32) | low; }
ULONGLONG join(const FILETIME& f) { return join(f.dwLowDateTime, f.dwHighDateTime); }

// The file's last-write time (UTC), false when it cannot be read.
bool last_write(LPCSTR path, ULONGLONG& out) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!path || !GetFileAttributesExA(path, GetFileExInfoStandard, &data)) {
        my_Dos_exterror();
        GetErrnoFromWin32();
        return false;
    }
    out = join(data.ftLastWriteTime);
    return true;
}

bool dos_words(LPCSTR path, WORD& date, WORD& time) {
    ULONGLONG t;
    if (!last_write(path, t)) return false;
    FILETIME utc{static_cast<DWORD>(t), static_cast<DWORD>(t >> 32)}, local;
    return FileTimeToLocalFileTime(&utc, &local) && FileTimeToDosDateTime(&local, &date, &time);
}

bool exists(const WIN32_FIND_DATAA* r) { return r && r->cFileName[0]; }
}  // namespace

LONG WINAPI IsCmpDateIdentical() { return g_identical; }

LONG WINAPI IsFirstTimeNewerThanSecondTime(LPCSTR path1, LPCSTR path2, DWORD time1Low, DWORD time1High,
                                           DWORD time2Low, DWORD time2High) {
    return compare_times(path1, path2, join(time1Low, time1High), join(time2Low, time2High));
}

LONG WINAPI pFirstFileIsNewerThanSecondFile(LPCSTR path1, LPCSTR path2) {
    ULONGLONG t1, t2;
    if (!last_write(path1, t1) || !last_write(path2, t2)) return -1;
    return compare_times(path1, path2, t1, t2);
}

LONG WINAPI IsFirstFileNewerThanSecondFile(const WIN32_FIND_DATAA* first, const WIN32_FIND_DATAA* second) {
    const bool a = exists(first), b = exists(second);
    if (!a && !b) return -1;
    if (!a) return 0;
    if (!b) return 1;
    return compare_times(nullptr, nullptr, join(first->ftLastWriteTime), join(second->ftLastWriteTime));
}

LONG WINAPI pWordValueIsNewer(WORD date1, WORD time1, WORD date2, WORD time2, LONG tolerance) {
    g_identical = 0;
    if (date1 < date2) return -1;
    if (date1 > date2) return 1;
    if (time1 > time2) {
        // DOS time words count seconds in steps of two in the low five bits.
        auto seconds = [](WORD t) { return (t >> 11) * 3600 + ((t >> 5) & 63) * 60 + (t & 31) * 2; };
        if (tolerance && seconds(time1) - seconds(time2) <= tolerance) return -1;
        return 1;
    }
    if (time1 == time2) {
        g_identical = 1;
        return 0;
    }
    return -1;
}

LONG WINAPI pSrcFileIsNewer(LPCSTR path, WORD date, WORD time, LONG tolerance) {
    WORD d, t;
    if (!dos_words(path, d, t)) return -2;
    return pWordValueIsNewer(d, t, date, time, tolerance) == 1 ? 1 : 0;
}

LONG WINAPI pSrcDateIsNewer(WORD date, WORD time, LPCSTR path, LONG tolerance) {
    WORD d, t;
    if (!dos_words(path, d, t)) return -2;
    return pWordValueIsNewer(date, time, d, t, tolerance) == 1 ? 1 : 0;
}

WORD WINAPI GetBitDate(LONG year, LONG month, LONG day) {
    return static_cast<WORD>(((year - 1980) << 9) | (month << 5) | day);
}
WORD WINAPI GetBitTime(LONG hour, LONG minute, LONG value) {
    return static_cast<WORD>((hour << 11) | (minute << 5) | value);
}

LONG WINAPI GetUnsignedDateTime(LPCSTR dateText, LPCSTR timeText, FILETIME* out) {
    if (!out) return 0;
    out->dwLowDateTime = out->dwHighDateTime = 0;
    WORD numbers[6] = {};
    int n = 0;
    for (LPCSTR text : {dateText, timeText}) {
        const int first = n;
        for (LPCSTR p = text; p && *p && n < first + 3;) {
            if (*p < '0' || *p > '9') {
                ++p;
                continue;
            }
            unsigned value = 0;
            for (; *p >= '0' && *p <= '9'; ++p) value = value < 100000 ? value * 10 + (*p - '0') : value;
            numbers[n++] = static_cast<WORD>(value > 65535 ? 65535 : value);
        }
        n = first + 3;
    }
    SYSTEMTIME st = {};
    st.wYear = numbers[0];
    st.wMonth = numbers[1];
    st.wDay = numbers[2];
    st.wHour = numbers[3];
    st.wMinute = numbers[4];
    st.wSecond = numbers[5];
    if (!SystemTimeToFileTime(&st, out)) {
        out->dwLowDateTime = out->dwHighDateTime = 0;
        Set_nERRNO(ERROR_INVALID_PARAMETER);
        GetErrnoFromWin32();
        return 0;
    }
    return 1;
}
