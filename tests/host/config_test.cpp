// ferro config and ferro assoc on keys and files the tests make.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "commands.h"
#include "support/message_box_recorder.h"
#include "support/registry_keys.h"
#include "support/sjis.h"
#include "support/temp_folder.h"

using namespace ferro_test;

namespace {
struct Value {
    std::string section, name, data;
    DWORD type;
};
}  // namespace

TEST(HostConfig, ExportAndImportGiveBackEveryByte) {
    const Value values[] = {
        {"", "Root", "at the key itself", REG_SZ},
        {"General", "Editor", "\"C:\\Program Files\\ed.exe\" \"%1\"", REG_SZ},
        {"General", "Blanks", "  both ends  ", REG_SZ},
        {"General", "Empty", "", REG_SZ},
        {"General", "Size", std::string("\x2a\0\0\0", 4), REG_DWORD},
        {"General", "Minus", std::string("\xff\xff\xff\xff", 4), REG_DWORD},
        {sjis("表\\能"), sjis("ソ"), sjis("C:\\表\\ソ.txt"), REG_SZ},
        {sjis("表\\能"), "Size", "42", REG_SZ},  // the same name is an integer elsewhere only
    };
    OwnedKey from = OwnedKey::fresh(), to = OwnedKey::fresh();
    for (const Value& v : values) from.set(v.section, v.name.c_str(), v.data, v.type);
    TempFolder tmp;
    const std::string ini = tmp / "portable.ini";
    EXPECT_EQ(host::cmd_config({"--key", from.path(), "export", ini}), 0);
    EXPECT_NE(read_file(ini).find("Editor=\"\"C:\\Program Files\\ed.exe\" \"%1\"\""), std::string::npos);
    EXPECT_EQ(host::cmd_config({"--key", to.path(), "import", ini}), 0);
    for (const Value& v : values) {
        DWORD type = 0;
        const std::string key = v.section.empty() ? to.path() : to / v.section;
        EXPECT_EQ(raw_value(HKEY_CURRENT_USER, key, v.name.c_str(), &type),
                  v.type == REG_SZ ? v.data + '\0' : v.data)
            << utf8(v.name);
        EXPECT_EQ(type, v.type);
    }
    // Through the store: the registry and the INI file answer alike.
    EXPECT_EQ(host::cmd_config({"--key", to.path(), "set", "General", "Size", "7"}), 0);
    EXPECT_EQ(raw_value(HKEY_CURRENT_USER, to / "General", "Size"), std::string("\x07\0\0\0", 4)) << "stays an integer";
    EXPECT_EQ(host::cmd_config({"--ini", ini, "set", "General", "Editor", "vi"}), 0);
    EXPECT_EQ(host::cmd_config({"--ini", ini, "get", "General", "Editor"}), 0);
    EXPECT_NE(read_file(ini).find("Editor=vi"), std::string::npos);
}

TEST(HostConfig, WhatAnIniFileCannotHoldIsRefusedWithABox) {
    OwnedKey from = OwnedKey::fresh();
    from.set("S", "Lines", "one\r\ntwo");
    from.set("S", "a=b", "x");
    TempFolder tmp;
    MessageBoxRecorder boxes;
    boxes.answer_all(IDOK);
    EXPECT_EQ(host::cmd_config({"--key", from.path(), "export", tmp / "x.ini"}), 1);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_NE(boxes.boxes()[0].text.find("S\\Lines"), std::string::npos);
    EXPECT_NE(boxes.boxes()[0].text.find("S\\a=b"), std::string::npos);
    EXPECT_FALSE(exists(tmp / "x.ini")) << "nothing written";
    EXPECT_EQ(host::cmd_config({"--key", from.path(), "get", "S", "missing"}), 1);
    EXPECT_EQ(host::cmd_config({"--key", from.path(), "import", tmp / "none.ini"}), 1);
    EXPECT_EQ(host::cmd_config({"get", "S"}), 2);
    EXPECT_EQ(host::cmd_assoc({tmp / "a.no-such-extension"}), 1);
    EXPECT_EQ(boxes.boxes().size(), 4u);
}
