// The folder listing store: reading one folder into the folder table and the
// file table (column arrays, one per field, indexed by entry number), their
// counts and limits, the search paths, the excluded-file list and the
// wildcard filter, the disk sizes of the folder's volume, the per-pane file
// specifications and the rules that decide which of two file times is newer.
#pragma once
#include <windows.h>

// The file-data record the host keeps for a file (and the block it is stored in).
struct FileDataRecord {
    DWORD words[4];
    char field1[6];
    char field2[11];
    char field3[9];
    char field4[30];
    char field5[256];
    char field6[260];
};
static_assert(sizeof(FileDataRecord) == 588, "four words and six text fields");

// Codes of a failed read (passed to the folder-entry message).
enum : LONG {
    kListingStorageFailed = -10,
    kListingTableFull = -11,
    kListingDiskUnreadable = -13,
    kListingDiskUnreadableBeforeFiles = -14,
    kListingNoEntries = -16,
    kListingNested = -18,
    kListingCancelled = -19,
    kListingNetDiskUnreadable = -22,
};

extern "C" {
// ---- Column tables handed over by the host (arrays of at least maximum + 1 entries)
// Name columns: one block per entry and its locked address.
LONG WINAPI SetDirHandle(HGLOBAL* longHandles, LPSTR* longNames, HGLOBAL* shortHandles, LPSTR* shortNames);
LONG WINAPI SetDirAttribute(DWORD* attributes);
LONG WINAPI SetDirTime(ULONGLONG* times);
LONG WINAPI SetDirDate(ULONGLONG* dates);
LONG WINAPI SetDirSize(ULONGLONG* sizes);
DWORD WINAPI GetDirAttribute(LONG index);  // 0 beyond the count
LONG WINAPI SetFileHandle(HGLOBAL* longHandles, LPSTR* longNames, HGLOBAL* shortHandles, LPSTR* shortNames);

// ---- File table columns kept by the store
DWORD WINAPI GetFileAttribute(LONG index);
DWORD WINAPI SetFileAttribute(DWORD value, LONG index);
ULONGLONG WINAPI GetFtime(LONG index);
ULONGLONG WINAPI SetFtime(DWORD low, DWORD high, LONG index);
ULONGLONG WINAPI GetFdate(LONG index);
ULONGLONG WINAPI SetFdate(DWORD low, DWORD high, LONG index);
ULONGLONG WINAPI GetFsize(LONG index);
ULONGLONG WINAPI SetFsize(DWORD low, DWORD high, LONG index);
LONG WINAPI GetExtType(LONG index);
LONG WINAPI SetExtType(LONG value, LONG index);
LONG WINAPI ClearExtType();

// ---- Counts, limits and the self and upper entries
LONG WINAPI GetTotalNumberOfFile();
LONG WINAPI GetTotalNumberOfDirectory();
LONG WINAPI GetTotalNumberOfSubDirectory();
LONG WINAPI SetMaxFileNumber(LONG value);  // below 30001 stored as 30000, above 4194303 as 4194303
LONG WINAPI GetMaxFileNumber();
LONG WINAPI SetMaxDirNumber(LONG value);   // below 10001 stored as 10000
LONG WINAPI GetMaxDirNumber();
LONG WINAPI GetSelfDir();
LONG WINAPI SetSelfDir(LONG value);
LONG WINAPI DoesUpperDirExist();
LONG WINAPI DoesRootDirExist();
LONG WINAPI GetSelfDirNumberFromSystem();
LONG WINAPI GetUpperDirNumberFromSystem();
ULONGLONG WINAPI GetTotalFileSize();
ULONGLONG WINAPI SetTotalFileSize(DWORD low, DWORD high);
// The size rounded up to a whole multiple of the unit (unchanged for unit 0).
ULONGLONG WINAPI UNITFSIZE(DWORD low, DWORD high, DWORD unit);

// ---- Display names
LPCSTR WINAPI GetUPPERDIR();   // "[..]"
LPCSTR WINAPI GetROOTDIR();    // "[ﾙｰﾄ]"
LPCSTR WINAPI GetALERTDIR();   // "[不正]"
LPSTR WINAPI MakeSelfDirectory(LPSTR buffer);   // "."
LPSTR WINAPI MakeUpperDirectory(LPSTR buffer);  // ".."

// ---- Search paths and matching
// The folder joined with the pattern, stored as the folder-table / file-table
// search path. 1 when stored, 0 otherwise.
LONG WINAPI SaveFindSeachPath(HWND window, LPCSTR folder, LPCSTR pattern);
LONG WINAPI SaveFindSeachFilePath(HWND window, LPCSTR folder, LPCSTR pattern);
LONG WINAPI SetFileMatchedByWildCard(LPCSTR spec);
LONG WINAPI SetExcludedFile(LPCSTR list);  // names separated by ";"; empty clears
LPCSTR WINAPI GetExcludedFile();           // NUL-separated list, or null
BOOL WINAPI IsFileMatchedByWildCard(LPCSTR name, LPCSTR spec);

// ---- Reading
// The folder count, or a negative code after the folder-entry message.
LONG WINAPI FindDirectory(HWND window, LONG flags);
// The file count (entries from `offset` on), or a negative code after the message.
LONG WINAPI FindFile(HWND window, LONG offset);
LONG WINAPI FindFileInVolume(LONG value);
// The volume information of a root; a network root through the network layer.
BOOL WINAPI GetVolumeInformationWithNetwork(LPCSTR root, LPSTR name, DWORD nameSize, LPDWORD serial,
                                            LPDWORD maxLength, LPDWORD flags, LPSTR fileSystem,
                                            DWORD fileSystemSize);
// The volume name of the root ("???" when none): the file-system number, or 4.
LONG WINAPI FindEachVolumeName(LPCSTR root, LPSTR buffer, LONG size);
BOOL WINAPI DirHasSubdir(LPCSTR path);
LPSTR WINAPI GetRawDirectory(LPSTR out, LONG index, LONG which);
LONG WINAPI MoveFileData(LONG shift);
LONG WINAPI ClearDir();
LONG WINAPI ClearFile();
LONG WINAPI SetCurrentDirDiscarded(LONG value);
LONG WINAPI IsCurrentDirDiscarded();
LONG WINAPI FindDirBeingPeformed();
LONG WINAPI FindFileBeingPeformed();
LONG WINAPI SetFindFileBeingPeformed(LONG value);
LONG WINAPI IsFindFileInFindDIRDone();
LONG WINAPI SetFindFileInFindDIRDone(LONG value);

// ---- Disk sizes of the folder's volume: the result is the cluster size.
DWORD WINAPI FreeInDisk(LPCSTR path);
DWORD WINAPI GetBytePerSector();
ULONGLONG WINAPI GetTotalDiskSize();
ULONGLONG WINAPI GetAvailableDiskSize();

// ---- File specifications per pane (pane: 0 source, 1 target)
HGLOBAL WINAPI GetFileSpecHandle(LONG index, LONG pane);
HGLOBAL* WINAPI GetFileSpecHandleAddress(LONG pane);
LONG WINAPI GetFileSpecNumber(LONG pane);
LONG WINAPI SetFileSpecNumber(LONG value, LONG pane);
LONG WINAPI SetAllFileSpecNumber(LONG value);
LONG WINAPI IsFileSpecChanged();
LONG WINAPI AddFileSpecChanged(LONG bits);
LONG WINAPI SetDefaultFileSpec();
LONG WINAPI SaveAllFileSpec(HWND window, LONG index, LPCSTR spec);
LONG WINAPI FreeFileSpecMemory();
// The pane's combo box: bit 4 of flags selects the target pane.
LONG WINAPI AddToCurrentSpec(HWND dialog, LPCSTR spec, LONG comboId, LONG flags);
LONG WINAPI DeleteFromCurrentSpec(HWND dialog, LONG comboId, LONG flags);

// ---- The host's file-data record
HGLOBAL WINAPI SaveToGlobalFdata(HWND window, HGLOBAL block, FileDataRecord record);

// ---- Newer-file rules and DOS dates
LONG WINAPI IsCmpDateIdentical();
LONG WINAPI IsFirstTimeNewerThanSecondTime(LPCSTR path1, LPCSTR path2, DWORD time1Low, DWORD time1High,
                                           DWORD time2Low, DWORD time2High);
LONG WINAPI pFirstFileIsNewerThanSecondFile(LPCSTR path1, LPCSTR path2);
LONG WINAPI IsFirstFileNewerThanSecondFile(const WIN32_FIND_DATAA* first, const WIN32_FIND_DATAA* second);
LONG WINAPI pWordValueIsNewer(WORD date1, WORD time1, WORD date2, WORD time2, LONG tolerance);
LONG WINAPI pSrcFileIsNewer(LPCSTR path, WORD date, WORD time, LONG tolerance);
LONG WINAPI pSrcDateIsNewer(WORD date, WORD time, LPCSTR path, LONG tolerance);
WORD WINAPI GetBitDate(LONG year, LONG month, LONG day);
WORD WINAPI GetBitTime(LONG hour, LONG minute, LONG value);
LONG WINAPI GetUnsignedDateTime(LPCSTR dateText, LPCSTR timeText, FILETIME* out);

// ---- Dates as display text
// The long form "YYYY-MM-DD HH:MM:SS" of a file time given in UTC, shown in
// local time; `out` holds at least 20 bytes.
LPSTR WINAPI GetDateTimeString(LPSTR out, DWORD low, DWORD high);
// The column form "YY-MM-DD HH:MM" (15 bytes) of a local file time (the
// listing's date column), of packed DOS date and time words, and of the two
// words in one (date in the high word, as GetBitDate/GetBitTime make them).
// Each gives "" for a time that is no calendar time and returns `out`.
LPSTR WINAPI myFileDate(LPSTR out, DWORD low, DWORD high);
LPSTR WINAPI myFileDateFromDosDateTime(LPSTR out, WORD date, WORD time);
LPSTR WINAPI myFileDateFromMyDateTime(LPSTR out, DWORD dateTime);
}
