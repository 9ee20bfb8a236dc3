// The common archiver interface: the record of one archive entry, the open
// archive handle, the mode bits and the error codes shared by the archiver
// libraries of this interface (one library per format, each exporting a
// command function and listing functions named with the library's prefix).
#pragma once
#include <windows.h>
#include <cstddef>

typedef HGLOBAL HARC;

constexpr int FNAME_MAX32 = 512;

// One archive entry as FindFirst and FindNext report it.
struct INDIVIDUALINFO {
    DWORD dwOriginalSize;
    DWORD dwCompressedSize;
    DWORD dwCRC;
    UINT uFlag;
    UINT uOSType;
    WORD wRatio;  // compressed size per mille of the original
    WORD wDate;   // DOS date and time of the entry, local time
    WORD wTime;
    char szFileName[FNAME_MAX32 + 1];
    char dummy1[3];
    char szAttribute[8];
    char szMode[8];
};
static_assert(sizeof(INDIVIDUALINFO) == 560, "the record of the interface");
static_assert(offsetof(INDIVIDUALINFO, szFileName) == 26, "the record of the interface");

// The functions of a library as its callers hold them.
typedef int(WINAPI* ArchiverCommand)(HWND window, LPCSTR commandLine, LPSTR output, DWORD size);
typedef HARC(WINAPI* ArchiverOpen)(HWND window, LPCSTR archive, DWORD mode);
typedef int(WINAPI* ArchiverClose)(HARC archive);
typedef int(WINAPI* ArchiverFindFirst)(HARC archive, LPCSTR pattern, INDIVIDUALINFO* info);
typedef int(WINAPI* ArchiverFindNext)(HARC archive, INDIVIDUALINFO* info);
typedef WORD(WINAPI* ArchiverVersion)();

// OpenArchive modes.
constexpr DWORD M_INIT_FILE_USE = 0x00000001;
constexpr DWORD M_REGARDLESS_INIT_FILE = 0x00000002;
constexpr DWORD M_ERROR_MESSAGE_ON = 0x00400000;
constexpr DWORD M_ERROR_MESSAGE_OFF = 0x00800000;

// CheckArchive modes.
constexpr int CHECKARCHIVE_RAPID = 0;
constexpr int CHECKARCHIVE_BASIC = 1;
constexpr int CHECKARCHIVE_FULLCRC = 2;

// Operating systems of uOSType.
constexpr UINT OSTYPE_UNIX = 2;

// Attributes of GetAttribute.
constexpr int FA_RDONLY = 0x01;
constexpr int FA_DIREC = 0x10;
constexpr int FA_ARCH = 0x20;

// Error codes (the message numbers of their texts are the same numbers).
constexpr int ERROR_DISK_SPACE = 0x8005;
constexpr int ERROR_UNKNOWN_TYPE = 0x8008;
constexpr int ERROR_FILE_OPEN = 0x800D;
constexpr int ERROR_NOT_EXIST = 0x800F;
constexpr int ERROR_MAKEDIRECTORY = 0x8012;
constexpr int ERROR_CANNOT_WRITE = 0x8013;
constexpr int ERROR_HEADER_CRC = 0x8016;
constexpr int ERROR_HEADER_BROKEN = 0x8017;
constexpr int ERROR_ARC_FILE_OPEN = 0x8018;
constexpr int ERROR_NOT_ARC_FILE = 0x8019;
constexpr int ERROR_CANNOT_READ = 0x801A;
constexpr int ERROR_COMMAND_NAME = 0x801C;
constexpr int ERROR_ENOUGH_MEMORY = 0x801E;
constexpr int ERROR_ALREADY_RUNNING = 0x801F;
constexpr int ERROR_USER_CANCEL = 0x8020;
constexpr int ERROR_HARC_ISNOT_OPENED = 0x8021;
constexpr int ERROR_NOT_SEARCH_MODE = 0x8022;
constexpr int ERROR_NOT_SUPPORT = 0x8023;
constexpr int ERROR_LONG_FILE_NAME = 0x8026;
constexpr int ERROR_NOT_FIND_ARC_FILE = 0x8029;
constexpr int ERROR_NOT_FILENAME = 0x802B;
constexpr int ERROR_ADD_TO_LARC = 0x802E;
constexpr int ERROR_NOT_FIND_FILE = 0x8031;
constexpr int ERROR_MAKE_ARCHIVE = 0x8040;
constexpr int ERROR_NOT_CONFIRM_NAME = 0x8041;
constexpr int ERROR_UNEXPECTED_EOF = 0x8042;
constexpr int ERROR_HDR_INVALID_SIZE = 0x8046;
constexpr int ERROR_BROKEN_DATA = 0x8048;
