// System error texts: the platform's text for a Win32 or internet error
// number, and the library's own texts for the run-time error numbers, both in
// the language picked by GetLanguage (0 English, 1 Japanese).
#pragma once
#include <windows.h>

extern "C" {
// Produces the system text of `errorCode` (nothing for 0 or for a non-zero
// `ignoredCode` equal to it) and, when `show` is 1, shows it in a box with the
// exclamation icon under the title "<error word>[:<title titleId>][...<titleName>]"
// (100 bytes at most). `insert` fills the text's %1. Error 12003 takes the
// internet server's last response. `release` 1 frees the text before
// returning; otherwise it stays until FreeDosErrorMesHandle. Returns 1 when a
// text was produced, else 0.
LONG WINAPI PutErrorMessage(LONG show, LPCSTR insert, DWORD errorCode, DWORD ignoredCode, UINT titleId,
                            LONG language, LONG release, LPCSTR titleName);
// PutErrorMessage for GetLastError() with error 18 ignored, the current
// language and the text released.
LONG WINAPI ShowInetSystemError(LONG show, LPCSTR titleName);
// The system text of a Win32 error (-1: the stored error), with the file-name
// part of `name` as its insert and without its final line breaks; null when
// there is none. Valid until FreeDosErrorMesHandle or the next system text.
LPSTR WINAPI xDosErrors(LPCSTR name, DWORD errorCode);
// The library's text for a run-time error number (-1: the current errno) in
// the current language; null for a number without a text.
LPCSTR WINAPI DosErrors(int number);
// Releases the system text. Returns 1 when there was one.
LONG WINAPI FreeDosErrorMesHandle();
// "Windows>>", the label that introduces a system text inside a box.
LPCSTR WINAPI GetFromOsString();
// A caller-owned text appended to every box of PutErrorMessage (null: none).
// Returns `text`.
LPCSTR WINAPI SetExtraErrorMessage(LPCSTR text);
}
