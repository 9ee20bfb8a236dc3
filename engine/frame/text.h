// Exports of the text foundation: byte classes, text settings, spaces,
// quotation marks and command lines, case and width conversion, lists of
// NUL-separated strings, searches, numbers and memory moves. All text is
// code-page-932 bytes; every scan steps over double-byte characters.
#pragma once
#include <windows.h>

extern "C" {
// ---- Byte classes and positions
BOOL WINAPI _myIskanji(int c);
BOOL WINAPI _myIskanji2(int c);
BOOL WINAPI myIskmoji(int c);
BOOL WINAPI IsJapaneseWindowsSystem();
BOOL WINAPI _myIskanjin(LPCSTR text, int index);
int WINAPI _myNthctype(LPCSTR text, int index);
BOOL WINAPI IsCharacterFound(LPCSTR base, LPCSTR pointer, int character, int offset);
BOOL WINAPI IsMultiByteReadable(int first, int second);
BOOL WINAPI _IsStringReadable(LPSTR text, int replacement);
int WINAPI CharcterListIgnoredByIsStringReadable(LPCSTR list);
LPSTR WINAPI DetectIsPrint(LPCSTR text);

// ---- Settings: name lengths, character set, language
int WINAPI GetDosFilelen();
int WINAPI GetDosDirlen();
BOOL WINAPI SetLengthForLongNameByForce(BOOL value);
int WINAPI SetCharacterSet(int value);
int WINAPI IsWhatCharacterSet();
int WINAPI SetLanguage(int language);
int WINAPI GetLanguage();
BOOL WINAPI SetLongNameReformedIfShortNameIsEmpty(BOOL value);

// ---- Spaces
int WINAPI DelSpc(LPSTR text);
LPSTR WINAPI SkipSpaceAtBeginning(LPCSTR text);
LPSTR WINAPI DeleteSpaceAtBeginning(LPSTR text);
LPSTR WINAPI DeleteSpaceAtEnd(LPSTR text);
LPSTR WINAPI DeleteNextAllSpaces(LPSTR text);
BOOL WINAPI _j_isspace(int c);

// ---- Quotation marks round long names (the 95 quotation)
BOOL WINAPI Is95QuotationMarkThere(LPCSTR text, int index);
BOOL WINAPI Add95Quotation(LPSTR text);
LPSTR WINAPI Add95QuotationForAnySpaceIfNotThere(LPSTR text);
BOOL WINAPI Remove95Quotation(LPSTR text);
BOOL WINAPI Adjust95Quotatin(LPSTR* text, BOOL add);
BOOL WINAPI AddUnbalanced95Quotatin(LPSTR* text, BOOL keep);
LPSTR WINAPI Skip95Quotation(LPCSTR text);
LPSTR WINAPI FindSpaceOutside95Quotation(LPCSTR text);
LPSTR WINAPI FindSpaceAs95OptionSeparator(LPCSTR text);
LPSTR WINAPI Find95OptionSeparator(int length, LPCSTR text);
LPSTR WINAPI Find95OptionSeparatorFromEnd(LPCSTR text);
LPSTR WINAPI RemoveAll95OptionSeparator(LPSTR out, LPCSTR text);

// ---- Command lines
LPSTR WINAPI FindSpaceAsOptionSeparator(LPCSTR commandLine, int mode);
LPSTR WINAPI ExtractExefile(LPSTR commandLine, LPSTR* arguments, int mode);
BOOL WINAPI RecoverExefile(LPSTR commandLine);
int WINAPI ReplaceSpaceByAlertBell(LPSTR text);
BOOL WINAPI ReplaceAlertBellBySpace(LPSTR text);
int WINAPI Replace95QuotationMarkByBkspace(LPSTR text);
BOOL WINAPI ReplaceTabBy95QuotationMark(LPSTR text);
LPSTR WINAPI AddBkspaceForAnySpaceIfNotThere(LPSTR text);
int WINAPI ReplaceBkspaceAndCommandSparator(LPSTR text);

// ---- Case
LPSTR WINAPI ConvertDosCharacterSet(LPSTR text, int mode);
LPSTR WINAPI AnsiLowerMacro(LPSTR text);
LPSTR WINAPI AnsiUpperMacro(LPSTR text);
int WINAPI SetCharacterUpper(int c);
int WINAPI SetCharacterLower(int c);
BOOL WINAPI GetReformed95PathNameForEmptyShortName(LPSTR path, LPCSTR shortName, int mode);

// ---- Full-width and half-width katakana
BOOL WINAPI _ReplaceFullPitchJpnByHalfPitchJpn(LPSTR text);
LPSTR WINAPI ChangeOneByteCodeToTwoByteCode(LPSTR out, LPSTR text, int mode);

// ---- Lists of strings separated by NUL bytes (ended by an empty string)
int WINAPI ItemTotalNumberSeparetedByZero(LPCSTR list);
int WINAPI StrLenSeparetedByZero(LPCSTR list);
int WINAPI MoveMemorySeparetedByZero(LPSTR to, LPCSTR from);
// Copies the list into the block of *handle (a string pointer: `locked` is its
// current locked address or 0), sized exactly; returns the locked copy or null.
LPSTR WINAPI StrDupSeparetedByZero(HGLOBAL* handle, LPSTR locked, LPCSTR list);

// ---- Searches
LPSTR WINAPI j_lstristr(LPCSTR text, LPCSTR pattern);
LPSTR WINAPI j_lstrrstr(LPCSTR text, LPCSTR pattern);
LPSTR WINAPI j_lstrirstr(LPCSTR text, LPCSTR pattern);
// Word bounds of a hit (a word character is a single-byte letter, digit or
// underscore; a double-byte character is none): the hit at `at` in `text`
// begins a word when it is at the start, the character before it is no word
// character, or its own first character is none. The hit that ends just
// before `end` ends a word when the byte at `end` is NUL or no word
// character, or its own last character is none.
BOOL WINAPI IsWordHead(LPCSTR text, LPCSTR at);
BOOL WINAPI IsWordEnd(LPCSTR text, LPCSTR end);
// The number of the line that `at` stands on (1 for the first): the line ends
// before it, each a line feed or a carriage return without one after it.
LONG WINAPI CountLine(LPCSTR text, LPCSTR at);
// The first carriage return or line feed of the text, or null when it has none.
LPSTR WINAPI FindLineEnd(LPCSTR text);

// ---- Numbers
int WINAPI __fatoi(LPCSTR text);
LONG WINAPI __fatol(LPCSTR text);
UINT WINAPI __fatou(LPCSTR text);
ULONG WINAPI __fatolu(LPCSTR text);
int WINAPI __fatox(LPCSTR text);
LONG WINAPI __fatolx(LPCSTR text);
UINT WINAPI __fatoux(LPCSTR text);
ULONG WINAPI __fatolux(LPCSTR text);
BOOL WINAPI __fatof(LPCSTR text, double* result);
LPSTR WINAPI ArrangeNumberFromString(LPCSTR digits, LPSTR out);
LPSTR WINAPI ArrangedNumber(DWORD low, DWORD high, LPSTR out);
int WINAPI _GetStringFromDouble(LPSTR out, double value, int decimals);
// The integer part (toward zero), kept within the 32-bit range.
LONG WINAPI GetIntegerFromDouble(double value);
// Reads "YY-NNN" after any leading text into a year (two digits count from
// 2000) and a version number (ten times a number below 1000; 0 without a
// "-"). Either output may be null. 1 when both are non-zero, else 0.
LONG WINAPI GetVersionYearAndNumberFromString(LPCSTR text, LONG* year, LONG* number);

// ---- Memory moves inside a 520-byte buffer
int WINAPI CopyForward(LPSTR text, int count);
int WINAPI CopyBackward(LPSTR text, int count);
}
