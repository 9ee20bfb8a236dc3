// Where the window host keeps its settings and what it keeps: the registry
// below HKEY_CURRENT_USER\Software\Ferrolan by default, or FERRO.INI beside
// the program when the user has chosen the INI file (the file being there
// is the choice). Every read and write goes through the engine's profile
// store; a missing or damaged value gives the default, never a failure.
#pragma once
#include <windows.h>
#include <string>

namespace ferrolan {
// The profile's place, decided once at start.
struct ProfilePlace {
    std::string key = "Software\\Ferrolan";  // below HKEY_CURRENT_USER
    std::string ini;                         // the INI file; empty: the registry
};

// The INI file the host uses when the user chose one: FERRO.INI in the
// program's folder.
std::string ini_beside_program();
// The place a start uses: FERRO.INI beside the program when it is there,
// else the registry key.
ProfilePlace default_place();
// Hands the place to the engine (registry path, INI file, both switches).
void use_profile_place(const ProfilePlace& place);

// One setting of a section of the profile.
std::string read_text(const char* section, const char* key, const std::string& fallback);
LONG read_number(const char* section, const char* key, LONG fallback);
void write_text(const char* section, const char* key, const std::string& value);
void write_number(const char* section, const char* key, LONG value);

// What the host restores at the next start.
struct HostSettings {
    RECT window = {};          // empty: the system's placement
    bool maximized = false;
    std::string folders[2];    // left and right pane
    LONG sort[2] = {0, 0};     // 0 name, 1 extension, 2 size, 3 date
    LONG reverse[2] = {0, 0};
    std::string spec[2];       // the file specification of each pane
    LONG active = 0;           // the pane with the cursor
};
HostSettings read_host_settings();
void write_host_settings(const HostSettings& settings);

// Options of the engine kept in the profile, set at start.
void apply_engine_options();

// Function-key order: read from and written to its section.
void read_function_keys();
void write_function_keys();

// Moves every setting from the registry into a new INI file beside the
// program (true), or from that file back into the registry and removes the
// file (false). False with a reason when the move failed (nothing changes).
bool move_settings(const ProfilePlace& from, bool to_ini, std::string& problem);
}  // namespace ferrolan
