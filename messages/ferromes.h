// Exports of ferromes.dll: message loading, the resource instance and the
// configuration key-name getters. Texts are code-page-932 bytes in buffers
// that the library owns and refills on every call.
#pragma once
#include <windows.h>

extern "C" {
UINT WINAPI _MyLoadString(HINSTANCE instance, UINT messageId, UINT titleId);
UINT WINAPI MyLoadString(UINT messageId, UINT titleId);
LPSTR WINAPI GetLoadStrMessage();
LPSTR WINAPI GetLoadStrTitle();
}
