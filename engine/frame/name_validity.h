// Exports that decide whether a typed name may be given to the file system:
// the forbidden characters of long and of 8.3 names, the drive-part tests,
// and the file-name and folder-name checks with their message boxes.
#pragma once
#include <windows.h>

extern "C" {
// ---- Forbidden characters
// Mode 1 (initial): the 8 characters forbidden in long names, * ? < > / : " |;
// any other mode: the 15 of 8.3 names, * ? . < > = + / [ ] ; : , " |.
// The mode is also the long-name flag of the length checks. Returns the mode.
int WINAPI SetBadCharacters(int mode);
// The tests start `count` characters into the list (1 allows the star, 2 the
// star and the question mark). Kept between 0 and the list length; returns it.
int WINAPI AllowForbiddenWord(int count);
// The forbidden character the last IsCharInvalid found, 0 when none.
int WINAPI GetBadCharacterAtIsCharInvalid();
// -1 when the name holds a character of the list (the first of the list that
// is present is recorded), with the bad-name box when showMessage is non-zero
// (title "file name" for 1, "folder name" for others); 0 otherwise, also for
// a null or empty name.
int WINAPI IsCharInvalid(HWND window, LPCSTR name, int showMessage);

// ---- Drive part: for a network path 32 when its second byte is a yen mark,
// else 16 (the third test: 1); otherwise whether the first character is a
// letter, the second byte a colon, the third byte a yen mark.
int WINAPI IsHeadCharacterValid(LPCSTR path);
int WINAPI IsSecondCharacterValid(LPCSTR path);
int WINAPI IsThirdCharacterValid(LPCSTR path);

// ---- Names
// The next IsBadFname checks only the part after the last yen mark.
int WINAPI OnlyFileNameOnlyForIsBadFname(int flag);
// 0 when the name is acceptable; otherwise -1 (forbidden character, a period
// first, a bad drive part; also a null or empty name), -9 (too long) or -11
// (bad extension), a code of IsBadDirName for the folder part, or 1 after a
// box was shown (showMessage non-zero).
int WINAPI IsBadFname(HWND window, LPCSTR name, int showMessage);
// Suppresses the box of IsBadDirName while non-zero. Returns the flag.
int WINAPI SetWithoutMessageForIsBadDirName(int flag);
// 0 when the folder path is acceptable; otherwise -16 (bad drive part, two
// yen marks in a row), -15 (null or empty), -8, -9, -11, -1, or 1 after the
// box was shown.
int WINAPI IsBadDirName(HWND window, LPCSTR path, int checkDrive);
// Shortens the name in place to at most `limit` bytes, never inside a
// double-byte character. A name with a period keeps its last period and what
// follows it (as much of it as fits after one byte of base name) and loses
// bytes at the end of the part before. Returns the name; null for a null name
// or a limit below 1 (nothing changed).
LPSTR WINAPI GetLongerDirectoryWithPeriod(LPSTR name, int limit);
}
