// Exports of the profile store: the one place through which settings are
// read and written, either in the registry (a section is a key, a key is a
// value; strings REG_SZ, integers REG_DWORD) or in the INI file the host
// chose (the platform's private-profile functions). Texts are code-page-932
// bytes; section paths and values read for tests are bounded by 520 bytes.
//
// Hive arguments are predefined roots or keys the caller opened; a direct
// operation closes a key it was handed when it is done (predefined roots and
// the current key are never closed).
#pragma once
#include <windows.h>

extern "C" {
// ---- Where the settings live
// Copies the product's path below HKEY_CURRENT_USER (at most 519 bytes);
// returns its length with the terminator, or 0 for a longer or null path
// (the previous path stays).
int WINAPI SetRegistryPath(LPCSTR path);
LPSTR WINAPI GetRegistryPath();
// Keeps the INI file's path in a block that stays locked; returns the locked
// text, or null (the previous file kept) for a path of 520 bytes or more. A
// null path releases the file: the INI back-end then reads defaults only.
LPSTR WINAPI SaveFerroInifile(LPCSTR path);
LPSTR WINAPI GetFerroInifile();  // null when none
LONG WINAPI ReleaseMemoryForFerroInifile();
// At shutdown: releases the INI file's block and closes the current key.
LONG WINAPI ReleaseTempForRegistry();
// The direct operations (hive, section, key) go to the INI file.
LONG WINAPI SetUseInifileInsteadOfRegistry(LONG value);
LONG WINAPI GetUseInifileInsteadOfRegistry();
// The current-section reads go to the INI file.
LONG WINAPI SetDoWin31(LONG value);
LONG WINAPI IsDoWin31();
// Every key is opened with full access (also other hives on Windows Vista and later).
LONG WINAPI SetRegistrySettingForAdmin(LONG value);
LONG WINAPI IsRegistrySettingForAdmin();
// The current key, raw.
HKEY WINAPI GetKeyNameCodeAsHKEY();
HKEY WINAPI SetKeyNameCodeAsHKEY(HKEY key);
// The section buffer (520 bytes): the current INI section, composed paths.
LPSTR WINAPI GetSectionName();
// The buffer (at least 260 bytes) that IsItemHereInRegistry copies the
// string it read into: *buffer, or none for a null argument. Returns it.
LPSTR WINAPI GetItemHereInRegistry(LPSTR* buffer);

// ---- Direct operations
// A string of hive\section: REG_SZ or REG_EXPAND_SZ gives the bytes put in
// the buffer with the terminator (a longer text is cut at a whole
// character), another type -1, a missing key or value 0; when the result is
// not positive the default is copied. With a null or empty key and a section
// holding a yen mark, the section itself is the answer (its length) when the
// key exists. INI file: the platform's result; with an empty key and a yen
// mark in the section, whether the section has any entry (buffer unchanged).
LONG WINAPI FindPrivateProfileString(HKEY hive, LPCSTR section, LPCSTR key, LPCSTR def, LPSTR buffer, DWORD size);
LONG WINAPI FindPrivateProfileInt(HKEY hive, LPCSTR section, LPCSTR key, LONG def);
// Writes `length` bytes of value (never more than the text and its
// terminator; 0 or less: the whole text) as REG_SZ, creating the key. A null
// value deletes the key `key` below hive\section (the INI entry). 1 or 0.
LONG WINAPI SetPrivateProfileString(HKEY hive, LPCSTR section, LPCSTR key, LPCSTR value, LONG length);
LONG WINAPI _SetPrivateProfileInt(HKEY hive, LPCSTR section, LPCSTR key, LONG value);
// With a key: that value (INI entry). Without: the key named by the last
// component of `section` from its parent, when nothing is below it (the INI
// section). A null hive is the current key. 1 on success.
LONG WINAPI EraseIndividualSectionName(HKEY hive, LPCSTR section, LPCSTR key);
// Whether a key (without `key`) or a value exists; with `relative` the
// section is taken below the registry path (a null section: the registry
// path itself).
LONG WINAPI IsRegistyExist(HKEY hive, LPCSTR section, LPCSTR key, LONG relative);
LONG WINAPI IsIntHereInRegistry(HKEY hive, LPCSTR section, LPCSTR key);
// Whether the stored string names `text` (see the profile store's notes).
LONG WINAPI IsItemHereInRegistry(HKEY hive, LPCSTR section, LPCSTR key, LPCSTR def, LONG mode, LPCSTR text,
                                 LONG mustExist);
LONG WINAPI IsIntInRegistryAltered(HKEY hive, LPCSTR section, LONG def, LPCSTR key, LONG value);
LONG WINAPI IsStrInRegistryAltered(HKEY hive, LPCSTR section, LPCSTR def, LPCSTR key, LPCSTR value);
// Change-detecting writes: 1 when written, 0 when the stored value was equal.
LONG WINAPI SetIntInRegistry(HKEY hive, LPCSTR section, LONG def, LPCSTR key, LONG value);
LONG WINAPI SetStrInRegistry(HKEY hive, LPCSTR section, LPCSTR def, LPCSTR key, LPCSTR value);
// The names of the values of hive\subkey, each with its NUL, then one more
// NUL (names that do not fit are left out); the number of names.
LONG WINAPI ListAllSubkeysSeparatedByZero(HKEY hive, LPCSTR subkey, LPSTR buffer, DWORD size, LONG firstOnly);
LONG WINAPI IsRefistryDisabledToWrite();

// ---- The same, the back-end chosen by the use-INI switch
LONG WINAPI myFindPrivateProfileString(HKEY hive, LPCSTR section, LPCSTR key, LPCSTR def, LPSTR buffer, DWORD size);
LONG WINAPI myFindPrivateProfileInt(HKEY hive, LPCSTR section, LPCSTR key, LONG def);
LONG WINAPI mySetPrivateProfileString(HKEY hive, LPCSTR section, LPCSTR key, LPCSTR value, LONG length);
LONG WINAPI mySetPrivateProfileInt(HKEY hive, LPCSTR section, LPCSTR key, LONG value);
LONG WINAPI mySetIntInRegistry(HKEY hive, LPCSTR section, LONG def, LPCSTR key, LONG value);
// As SetStrInRegistry, returning the result of the write.
LONG WINAPI mySetStrInRegistry(HKEY hive, LPCSTR section, LPCSTR def, LPCSTR key, LPCSTR value);
LONG WINAPI myEraseIndividualSectionName(HKEY hive, LPCSTR section, LPCSTR key);
LONG WINAPI myEraseSectionName(LPCSTR section, LPCSTR key);
LONG WINAPI myIsRegistyExist(LPCSTR section, LPCSTR key, LONG relative);
// Erases only what myIsRegistyExist finds; 1 when it erased.
LONG WINAPI EraseIndividualSectionNameIfExist(HKEY hive, LPCSTR section, LPCSTR key);

// ---- Section names
// Registry: *hiveOut = hive, prefix\section in the section buffer. INI file:
// *hiveOut = 0, "Extensions" (HKEY_CLASSES_ROOT) or the section. *sectionInOut
// receives the section buffer. Returns the length, or 0 when the path would
// not fit (then *sectionInOut and *hiveOut are null: nothing can be reached).
int WINAPI GetSectionParameters(HKEY* hiveOut, HKEY hive, LPCSTR* sectionInOut, LPCSTR prefix);
int WINAPI myGetSectionParameters(HKEY* hiveOut, HKEY hive, LPCSTR* sectionInOut, LPCSTR prefix);

// ---- Current-section operations
LONG WINAPI StartIniAccessForReading(LONG ignored);
LONG WINAPI SetSectionNameForReading(LPCSTR section);
LONG WINAPI OpenSpedifiedKey(HKEY hive, LPCSTR subkey);
LONG WINAPI myGetPrivateProfileString(LPCSTR key, LPCSTR def, LPSTR buffer, DWORD size);
LONG WINAPI myGetPrivateProfileInt(LPCSTR key, LONG def);
LONG WINAPI myGetSystemProfileString(LPCSTR key, LPCSTR def, LPSTR buffer, DWORD size);
LONG WINAPI EndIniAccessForReading();
LONG WINAPI StartIniAccessForWriting(LONG ignored, LONG ignored2);
LONG WINAPI SetSectionNameForWriting(LONG ignored, LPCSTR section, LONG ignored2);
// Composes path\section into nameOut (520 bytes, may be null) and creates it
// below the hive as the current key; the registry status.
LONG WINAPI _SetSectionNameForWriting(HKEY hive, LPCSTR path, LPCSTR section, LPSTR nameOut);
LONG WINAPI WriteStrInInifile(LONG ignored, LPCSTR key, LPCSTR value);
LONG WINAPI _WriteIntInInifile(LONG ignored, LPCSTR key, LONG value);
LONG WINAPI myWriteProfileString(LONG ignored, LPCSTR key, LPCSTR value);
LONG WINAPI EraseSectionName(LPCSTR section, LPCSTR key);
}
