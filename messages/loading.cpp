#include "ferromes.h"

namespace {
HINSTANCE g_resource_instance;
char g_message[1040];
char g_title[1040];
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD, LPVOID) {
    g_resource_instance = instance;
    return TRUE;
}

UINT WINAPI _MyLoadString(HINSTANCE instance, UINT messageId, UINT titleId) {
    g_title[0] = g_message[0] = '\0';
    UINT mask = 0;
    if (messageId && LoadStringA(instance, messageId, g_message, sizeof g_message) == 0) {
        lstrcpyA(g_message, "<Failed>");
        mask = 2;
    }
    if (titleId && LoadStringA(instance, titleId, g_title, sizeof g_title) == 0) {
        lstrcpyA(g_title, "<Failed>");
        mask += 1;
    }
    return mask;
}
UINT WINAPI MyLoadString(UINT messageId, UINT titleId) { return _MyLoadString(g_resource_instance, messageId, titleId); }
LPSTR WINAPI GetLoadStrMessage() { return g_message; }
LPSTR WINAPI GetLoadStrTitle() { return g_title; }
