// The profile store on one back-end: a fresh product key below
// HKEY_CURRENT_USER\Software and an INI file in a temporary folder, both
// removed at the end. What the store wrote is read back with the raw
// registry and file functions.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>
#include <optional>
#include <string>
#include "settings/profile.h"
#include "support/registry_keys.h"
#include "support/temp_folder.h"

enum class Store { registry, ini };

class ProfileFixture : public testing::TestWithParam<Store> {
protected:
    ferro_test::OwnedKey product = ferro_test::OwnedKey::fresh();
    ferro_test::TempFolder tmp;
    std::string ini = tmp / "FERRO.INI";

    void SetUp() override {
        SetRegistryPath(product.path().c_str());
        SaveFerroInifile(ini.c_str());
        SetUseInifileInsteadOfRegistry(in_ini());
        SetDoWin31(in_ini());
    }
    void TearDown() override {
        SetUseInifileInsteadOfRegistry(0);
        SetDoWin31(0);
        SetRegistrySettingForAdmin(0);
        ReleaseTempForRegistry();  // closes the keys the store keeps open
        SetRegistryPath("");
    }
    bool in_ini() const { return GetParam() == Store::ini; }

    // The hive and section name a direct operation takes for `section` below
    // the product key, as the host composes them.
    struct Place {
        HKEY hive;
        std::string section;
    };
    Place place(const std::string& section) const {
        HKEY hive = nullptr;
        LPCSTR name = section.c_str();
        EXPECT_GT(GetSectionParameters(&hive, HKEY_CURRENT_USER, &name, product.path().c_str()), 0);
        return {hive, name ? name : ""};
    }

    // What is stored for section/key, read without the store: a registry
    // string without its one terminator, a REG_DWORD in decimal, an INI
    // entry's text. `type` gets the registry type (REG_SZ for the INI file).
    std::optional<std::string> stored(const std::string& section, const std::string& key, DWORD* type = nullptr) const {
        if (type) *type = REG_SZ;
        if (in_ini()) return ini_entry(section, key);
        DWORD t = 0;
        auto raw = ferro_test::raw_value(HKEY_CURRENT_USER, product / section, key.c_str(), &t);
        if (type) *type = t;
        if (!raw) return raw;
        if (t == REG_DWORD && raw->size() == 4) return std::to_string(*reinterpret_cast<const LONG*>(raw->data()));
        EXPECT_TRUE(!raw->empty() && raw->back() == '\0') << "stored without its terminator";
        if (!raw->empty()) raw->pop_back();
        return raw;
    }

    // The entry of the INI file as the bytes of the file hold it.
    std::optional<std::string> ini_entry(const std::string& section, const std::string& key) const {
        const std::string file = ferro_test::read_file(ini);
        std::size_t at = file.find("[" + section + "]");
        if (at == std::string::npos) return std::nullopt;
        const std::size_t end = file.find("\n[", at);
        const std::string body = file.substr(at, end == std::string::npos ? std::string::npos : end - at);
        const std::size_t line = body.find("\n" + key + "=");
        if (line == std::string::npos) return std::nullopt;
        const std::size_t from = line + key.size() + 2;
        std::string value = body.substr(from, body.find('\n', from) - from);
        if (!value.empty() && value.back() == '\r') value.pop_back();
        return value;
    }
};

inline std::string store_name(const testing::TestParamInfo<Store>& info) {
    return info.param == Store::registry ? "Registry" : "IniFile";
}
