#include "config_transfer.h"
#include <cstdlib>
#include <cstring>
#include <map>

namespace host {
namespace {
constexpr char kTypesSection[] = "Ferrolan registry types";

std::string below(const std::string& section, const std::string& name) {
    return section.empty() ? name : section + "\\" + name;
}

// Adds a line to a list of lines.
void add_line(std::string& list, const std::string& line) {
    if (!list.empty()) list += '\n';
    list += line;
}

bool has_line_break(const std::string& s) { return s.find_first_of("\r\n") != std::string::npos; }
bool is_blank(char c) { return c == ' ' || c == '\t'; }

// Why an INI file cannot hold the setting, or "" when it can.
std::string unfit(const Setting& s) {
    const std::string where = below(s.section, s.name);
    if (s.name.empty()) return where + " (a value without a name)";
    if (has_line_break(s.name) || has_line_break(s.text) || has_line_break(s.section)) return where + " (a line break)";
    if (s.name.find('=') != std::string::npos || s.name[0] == ';' || s.name[0] == '[' || is_blank(s.name.front()) ||
        is_blank(s.name.back()))
        return where + " (the name)";
    if (s.section.find(']') != std::string::npos || s.section == kTypesSection) return where + " (the key's name)";
    return "";
}

// The text an entry holds so that the private-profile read gives `text` back.
std::string entry_text(const std::string& text) {
    if (text.empty()) return text;
    const bool quoted = text.size() > 1 && text.front() == '"' && text.back() == '"';
    return quoted || is_blank(text.front()) || is_blank(text.back()) ? "\"" + text + "\"" : text;
}

// The names of a section (or the section names for a null section).
std::vector<std::string> names_of(const char* section, const std::string& file) {
    std::vector<char> list(1 << 16);
    for (;;) {
        const DWORD length = section ? GetPrivateProfileStringA(section, nullptr, "", list.data(), DWORD(list.size()), file.c_str())
                                     : GetPrivateProfileSectionNamesA(list.data(), DWORD(list.size()), file.c_str());
        if (length + 2 < list.size() || list.size() >= (1u << 26)) break;
        list.resize(list.size() * 2);
    }
    std::vector<std::string> names;
    for (const char* p = list.data(); *p; p += std::strlen(p) + 1) names.emplace_back(p);
    return names;
}

std::string ini_value(const std::string& section, const std::string& name, const std::string& file) {
    std::vector<char> value(1 << 16);
    const DWORD length =
        GetPrivateProfileStringA(section.c_str(), name.c_str(), "", value.data(), DWORD(value.size()), file.c_str());
    return std::string(value.data(), length);
}

// Type records: "4,7:General\Size" is a REG_DWORD named Size in the section
// General (the section's length first: names may hold yen marks too).
std::string type_record(const Setting& s) {
    return std::to_string(s.type) + "," + std::to_string(s.section.size()) + ":" + below(s.section, s.name);
}

bool parse_type_record(const std::string& record, std::string& section, std::string& name, DWORD& type) {
    const std::size_t comma = record.find(','), colon = record.find(':');
    if (comma == std::string::npos || colon == std::string::npos || colon < comma) return false;
    type = std::strtoul(record.c_str(), nullptr, 10);
    const std::size_t length = std::strtoul(record.c_str() + comma + 1, nullptr, 10);
    const std::string rest = record.substr(colon + 1);
    if (length > rest.size()) return false;
    section = rest.substr(0, length);
    name = length == 0 ? rest : rest.substr(length + 1);
    return true;
}

void walk(HKEY key, const std::string& section, std::vector<Setting>& settings, std::string& problem) {
    std::vector<char> name(16384), data(1 << 16);
    for (DWORD index = 0;; ++index) {
        DWORD name_length = DWORD(name.size()), data_length = DWORD(data.size() - 1), type = 0;
        const LONG status = RegEnumValueA(key, index, name.data(), &name_length, nullptr, &type,
                                          reinterpret_cast<BYTE*>(data.data()), &data_length);
        if (status == ERROR_NO_MORE_ITEMS) break;
        if (status == ERROR_MORE_DATA) {
            data.resize(data.size() * 4);
            --index;
            continue;
        }
        if (status != ERROR_SUCCESS) continue;
        Setting s{section, std::string(name.data(), name_length), type, {}};
        if (type == REG_SZ) {
            s.text.assign(data.data(), strnlen(data.data(), data_length));
        } else if (type == REG_DWORD && data_length == 4) {
            s.text = std::to_string(*reinterpret_cast<const LONG*>(data.data()));
        } else {
            add_line(problem, below(section, s.name) + " (a value of type " + std::to_string(type) + ")");
            continue;
        }
        const std::string why = unfit(s);
        if (!why.empty()) add_line(problem, why);
        settings.push_back(s);
    }
    for (DWORD index = 0;; ++index) {
        DWORD length = DWORD(name.size());
        if (RegEnumKeyExA(key, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        HKEY sub = nullptr;
        const std::string child(name.data(), length);
        if (RegOpenKeyExA(key, child.c_str(), 0, KEY_READ, &sub) != ERROR_SUCCESS) continue;
        walk(sub, below(section, child), settings, problem);
        RegCloseKey(sub);
    }
}
}  // namespace

bool read_registry_settings(const std::string& key, std::vector<Setting>& settings, std::string& problem) {
    HKEY root = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &root) != ERROR_SUCCESS) {
        problem = "HKEY_CURRENT_USER\\" + key;
        return false;
    }
    walk(root, "", settings, problem);
    RegCloseKey(root);
    return problem.empty();
}

bool write_ini_settings(const std::string& file, const std::vector<Setting>& settings, std::string& problem) {
    DeleteFileA(file.c_str());
    int record = 0;
    for (const Setting& s : settings) {
        bool written = WritePrivateProfileStringA(s.section.c_str(), s.name.c_str(), entry_text(s.text).c_str(),
                                                  file.c_str()) != FALSE;
        if (written && s.type != REG_SZ)
            written = WritePrivateProfileStringA(kTypesSection, std::to_string(++record).c_str(),
                                                 type_record(s).c_str(), file.c_str()) != FALSE;
        if (!written) {
            problem = file;
            return false;
        }
    }
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, file.c_str());  // to the disk now
    // Every setting must come back as it was.
    std::vector<Setting> back;
    std::string why;
    if (!read_ini_settings(file, back, why)) {
        problem = why;
        return false;
    }
    std::map<std::string, const Setting*> found;
    for (const Setting& s : back) found[s.section + '\n' + s.name] = &s;
    for (const Setting& s : settings) {
        auto it = found.find(s.section + '\n' + s.name);
        if (it == found.end() || it->second->text != s.text || it->second->type != s.type)
            add_line(problem, below(s.section, s.name));
    }
    return problem.empty();
}

bool read_ini_settings(const std::string& file, std::vector<Setting>& settings, std::string& problem) {
    if (GetFileAttributesA(file.c_str()) == INVALID_FILE_ATTRIBUTES) {
        problem = file;
        return false;
    }
    std::map<std::string, DWORD> types;
    for (const std::string& number : names_of(kTypesSection, file)) {
        std::string section, name;
        DWORD type = 0;
        if (parse_type_record(ini_value(kTypesSection, number, file), section, name, type))
            types[section + '\n' + name] = type;
    }
    std::vector<std::string> sections = names_of(nullptr, file);
    sections.insert(sections.begin(), "");  // the key's own values stand before the first section
    for (const std::string& section : sections) {
        if (section == kTypesSection) continue;
        for (const std::string& name : names_of(section.c_str(), file)) {
            auto type = types.find(section + '\n' + name);
            settings.push_back({section, name, type == types.end() ? DWORD(REG_SZ) : type->second,
                                ini_value(section, name, file)});
        }
    }
    return true;
}

bool write_registry_settings(const std::string& key, const std::vector<Setting>& settings, std::string& problem) {
    for (const Setting& s : settings) {
        HKEY section = nullptr;
        const std::string path = s.section.empty() ? key : key + "\\" + s.section;
        LONG status = RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &section,
                                      nullptr);
        if (status == ERROR_SUCCESS) {
            if (s.type == REG_DWORD) {
                const DWORD value = static_cast<DWORD>(std::strtol(s.text.c_str(), nullptr, 10));
                status = RegSetValueExA(section, s.name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                                        sizeof value);
            } else {
                status = RegSetValueExA(section, s.name.c_str(), 0, REG_SZ,
                                        reinterpret_cast<const BYTE*>(s.text.c_str()), DWORD(s.text.size() + 1));
            }
            RegCloseKey(section);
        }
        if (status != ERROR_SUCCESS) add_line(problem, below(s.section, s.name));
    }
    return problem.empty();
}
}  // namespace host
