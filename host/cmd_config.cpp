// ferro config: reads and writes settings through the engine's profile
// store (the registry below the product's key, or an INI file with --ini),
// and moves every setting between the registry and an INI file.
#include <windows.h>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>
#include "commands.h"
#include "config_transfer.h"
#include "console.h"
#include "ferromes.h"
#include "frame/message_box.h"
#include "settings/profile.h"

namespace host {
namespace {
constexpr char kDefaultKey[] = "Software\\Ferrolan";
constexpr UINT kTitle = 1008;          // "Ferrolan:初期化ﾌｧｲﾙ"
constexpr UINT kNoSetting = 33180;     // "設定 '%s' はありません。"
constexpr UINT kNotWritten = 33181;    // "設定 '%s' を書き込めませんでした。"
constexpr UINT kNotExported = 33182;   // "INIﾌｧｲﾙ %s に設定を書き出せませんでした。"
constexpr UINT kNotImported = 33183;   // "INIﾌｧｲﾙ '%s' から設定を読み込めませんでした。"
constexpr UINT kNotExact = 33184;      // "INIﾌｧｲﾙに正確に書けない設定があります:\n%s"

int box(UINT message, const std::string& insert) {
    _MessageBoxPrintf(GetSysDlgInstance(), message, kTitle, insert.c_str(), nullptr, MB_ICONEXCLAMATION, nullptr);
    return 1;
}

struct Where {
    HKEY hive = nullptr;
    std::string section;
};

// The hive and section of the store for a section below the product's key.
bool locate(const std::string& key, const std::string& section, Where& where) {
    LPCSTR name = section.c_str();
    if (GetSectionParameters(&where.hive, HKEY_CURRENT_USER, &name, key.c_str()) == 0 && !name) return false;
    where.section = name ? name : "";
    return true;
}

// The value as text: an integer of the registry in decimal.
bool value_of(const Where& at, const std::string& name, std::string& value) {
    if (!IsRegistyExist(at.hive, at.section.c_str(), name.c_str(), 0)) return false;
    if (!GetUseInifileInsteadOfRegistry() && IsIntHereInRegistry(at.hive, at.section.c_str(), name.c_str())) {
        value = std::to_string(FindPrivateProfileInt(at.hive, at.section.c_str(), name.c_str(), 0));
        return true;
    }
    std::vector<char> text(65536);
    FindPrivateProfileString(at.hive, at.section.c_str(), name.c_str(), "", text.data(), DWORD(text.size()));
    value = text.data();
    return true;
}

int transfer(const std::string& verb, const std::string& key, const std::string& file) {
    std::vector<Setting> settings;
    std::string problem;
    if (verb == "export") {
        if (!read_registry_settings(key, settings, problem)) return box(kNotExact, problem);
        if (!write_ini_settings(file, settings, problem)) return box(kNotExported, file + ": " + problem);
    } else {
        if (!read_ini_settings(file, settings, problem)) return box(kNotImported, file);
        if (!write_registry_settings(key, settings, problem)) return box(kNotWritten, problem);
    }
    outf("%s: %u settings\n", verb.c_str(), unsigned(settings.size()));
    return 0;
}
}  // namespace

int cmd_config(const Args& args) {
    std::string key = kDefaultKey, ini;
    std::vector<std::string> words;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--key" && i + 1 < args.size()) {
            key = args[++i];
        } else if (args[i] == "--ini" && i + 1 < args.size()) {
            ini = windows_path(args[++i]);
        } else {
            words.push_back(args[i]);
        }
    }
    const std::string verb = words.empty() ? "" : words[0];
    const size_t wanted = verb == "get" ? 3 : verb == "set" ? 4 : verb == "list" || verb == "export" || verb == "import" ? 2 : 0;
    if (!wanted || words.size() != wanted) {
        err("usage: ferro config [--key PATH] [--ini FILE] get SECTION KEY | set SECTION KEY VALUE | list SECTION | "
            "export FILE | import FILE");
        return 2;
    }
    if (SetRegistryPath(key.c_str()) == 0) return box(kNoSetting, key);
    if (verb == "export" || verb == "import") return transfer(verb, key, windows_path(words[1]));
    SaveFerroInifile(ini.empty() ? nullptr : ini.c_str());
    SetUseInifileInsteadOfRegistry(ini.empty() ? 0 : 1);
    Where at;
    if (!locate(key, words[1], at)) return box(kNoSetting, words[1]);
    if (verb == "set") {
        // An integer of the registry stays an integer when the new value is a number.
        const std::string& text = words[3];
        const bool number = !text.empty() && text.find_first_not_of("-0123456789") == std::string::npos;
        const bool written =
            number && !GetUseInifileInsteadOfRegistry() && IsIntHereInRegistry(at.hive, at.section.c_str(), words[2].c_str())
                ? _SetPrivateProfileInt(at.hive, at.section.c_str(), words[2].c_str(), std::atol(text.c_str()))
                : SetPrivateProfileString(at.hive, at.section.c_str(), words[2].c_str(), text.c_str(), 0);
        return written ? 0 : box(kNotWritten, words[1] + "\\" + words[2]);
    }
    std::string value;
    if (verb == "get") {
        if (!value_of(at, words[2], value)) return box(kNoSetting, words[1] + "\\" + words[2]);
        out(value);
        return 0;
    }
    std::vector<char> names(65536);
    ListAllSubkeysSeparatedByZero(at.hive, at.section.c_str(), names.data(), DWORD(names.size()), 0);
    for (const char* name = names.data(); *name; name += std::strlen(name) + 1)
        if (value_of(at, name, value)) out(std::string(name) + "=" + value);
    return 0;
}
}  // namespace host
