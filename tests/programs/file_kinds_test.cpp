#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "frame/option_flags.h"
#include "programs/file_types.h"
#include "settings/places.h"
#include "support/guarded_buffer.h"
#include "support/sjis.h"

using ferro_test::sjis;

// ---- Kinds of files

TEST(FileKinds, ProgramAndTextExtensions) {
    struct Row {
        const char* extension;
        LONG bat_pif_off, bat_pif_on, kind_on;
    } rows[] = {
        {"exe", 1, 1, 0}, {"\"EXE\"", 1, 1, 0}, {"BAT", 0, 1, 0}, {"pif", 0, 1, 0}, {"cmd", 1, 1, 0},
        {"lnk", 1, 1, 0}, {"txt", 0, 0, 1},     {"\"TxT\"", 0, 0, 1}, {"doc", 0, 0, 5}, {"", 0, 0, 5},
    };
    SetClearTxtCount();
    ASSERT_EQ(SetTxtType("txt"), 1);
    for (const Row& row : rows) {
        SetBatExcutable(0), SetPifExcutable(0);
        EXPECT_EQ(IsExcutableExt(row.extension), row.bat_pif_off) << row.extension;
        SetBatExcutable(1), SetPifExcutable(1);
        EXPECT_EQ(IsExcutableExt(row.extension), row.bat_pif_on) << row.extension;
        EXPECT_EQ(FindFileExtType(row.extension), row.kind_on) << row.extension;
    }
    SetBatExcutable(0), SetPifExcutable(0);
    EXPECT_EQ(IsExcutableExt(nullptr), 0);
    EXPECT_EQ(FindFileExtType(nullptr), 5);
    EXPECT_EQ(IsFileExt(1) + IsFileExt(0) + IsFileExt(5), 1);
    EXPECT_EQ(IsDirectoryExt(3), 3);
    EXPECT_EQ(IsDirectoryExt(5), 0);
    EXPECT_EQ(_IsExcutableExtDefinedByOS("C:\\a.EXE\""), 1);
    EXPECT_EQ(_IsExcutableExtDefinedByOS("a.txt"), 0);
    EXPECT_EQ(_IsExcutableExtDefinedByOS("noextension"), 0);
}

TEST(FileKinds, TextSlotsHoldThreeBytesAndTwentyEntries) {
    SetClearTxtCount();
    EXPECT_EQ(SetTxtType("html"), 0) << "four bytes would overflow the slot";
    EXPECT_EQ(SetTxtType(""), 0);
    EXPECT_EQ(SetTxtType(nullptr), 0);
    EXPECT_EQ(FindFileExtType("htm"), 5);
    for (int i = 0; i < 20; ++i) EXPECT_EQ(SetTxtType(std::to_string(100 + i).c_str()), 1);
    EXPECT_EQ(SetTxtType("ini"), 0);
    EXPECT_STREQ(GetTxtType(0), "100");
    EXPECT_STREQ(GetTxtType(19), "119");
    EXPECT_STREQ(GetTxtType(20), "");
    EXPECT_STREQ(GetTxtType(-1), "");
    SetClearTxtCount();
    EXPECT_STREQ(GetTxtType(0), "");
}

TEST(FileKinds, ProgramNamesAndTheOpenFileFilter) {
    struct Row {
        const char* name;
        LONG index, result;
        std::string out;
    } rows[] = {
        {"prog", 0, 1, "prog.exe"},
        {"\"my prog\"", 1, 1, "my prog.com"},
        {"C:\\dir.x\\prog", 5, 1, "C:\\dir.x\\prog.cmd"},
        {"prog.bat", 0, 0, ""},
        {"prog", 6, 0, ""},
    };
    for (const Row& row : rows) {
        char out[520] = "";
        EXPECT_EQ(AddExecutableExt(row.name, out, row.index), row.result) << row.name;
        EXPECT_EQ(out, row.out);
    }
    ferro_test::GuardedBuffer out(520);
    EXPECT_EQ(AddExecutableExt(std::string(516, 'a').c_str(), out, 0), 0) << "516 + 4 bytes do not fit";
    char filter[520];
    EXPECT_EQ(GetExcutablCommandForFileOpen(filter, 0), filter);
    EXPECT_EQ(filter, sjis("実行形式 (*.exe;*.com)|*.exe;*.com|全ﾌｧｲﾙ (*.*)|*.*|"));
    SetBatExcutable(1);
    GetExcutablCommandForFileOpen(filter, 1);
    EXPECT_EQ(filter, sjis("実行形式 (*.exe;*.com;*.bat;*.lnk)|*.exe;*.com;*.bat;*.lnk|全ﾌｧｲﾙ (*.*)|*.*|"));
    SetBatExcutable(0);
}

// ---- Verbs

TEST(Verbs, ReadVerbsAndTheElevenShellCommands) {
    const char* read_verbs[] = {"open", "edit", "read", "new", "add", ""};
    for (LONG i = 0; i < 6; ++i) EXPECT_STREQ(GetCommandNameInRegistry(i), read_verbs[i]);
    LONG selected = 9, standard = 9;
    EXPECT_STREQ(GetShellCommandNameInRegistry(7, &selected, &standard), "play");
    EXPECT_EQ(selected, 1);
    EXPECT_STREQ(GetShellCommandNameInRegistry(10, &selected, &standard), "properties");
    EXPECT_EQ(GetShellCommandNameInRegistry(11, &selected, &standard), nullptr) << "eleven rows: 0 to 10";
    EXPECT_EQ(selected, -1);
    EXPECT_EQ(GetShellCommandNameInRegistry(-1, &selected, nullptr), nullptr);

    EXPECT_EQ(IsShellCommandInRegistryAltered(), 1) << "play starts selected, its saved copy not";
    SaveShellCommandInTemp();
    EXPECT_EQ(IsShellCommandInRegistryAltered(), 0);
    EXPECT_EQ(SetCommandNameInRegistry("PRINT", 1), 1);
    EXPECT_EQ(SetCommandNameInRegistry("print", -3), 1) << "-3 leaves it";
    EXPECT_EQ(SetCommandNameInRegistry("runas", 1), 0);
    EXPECT_EQ(IsShellCommandInRegistryAltered(), 1);
    RecoverShellCommandFromTemp();
    EXPECT_EQ(IsShellCommandInRegistryAltered(), 0);
    EXPECT_EQ(SpecifyShellCommandInRegistry("edit"), 1);
    GetShellCommandNameInRegistry(0, &selected, nullptr);
    EXPECT_EQ(selected, 0);
    GetShellCommandNameInRegistry(1, &selected, nullptr);
    EXPECT_EQ(selected, 1);
    RecoverCommandNameInRegistry();
    GetShellCommandNameInRegistry(0, &selected, nullptr);
    EXPECT_EQ(selected, 1);
    EXPECT_EQ(IsShellCmdSetBySystem("Open"), 1);
    EXPECT_EQ(IsShellCmdSetBySystem("play"), 0);
    EXPECT_EQ(IsShellCmdSetBySystem(nullptr), 0);
    const char text[] = "&Open As... with";
    EXPECT_EQ(FindOpenShellCommandDefault(text), text + 1);
    EXPECT_EQ(FindOpenShellCommandDefault("open"), nullptr);
}

// ---- Command entries

TEST(CommandEntries, ArrangedAndSplitBack) {
    char windows[MAX_PATH];
    GetEnvironmentVariableA("SystemRoot", windows, sizeof windows);
    struct Row {
        std::string command;
        DWORD type;
        std::string key, verb, entry, program, options;
    } rows[] = {
        {"\"C:\\Program Files\\Ed\\ed.exe\" \"%1\"", REG_SZ, "Fert.Doc", "open",
         "C:\\Program Files\\Ed\\ed.exe\t\"%1\" ^Fert.Doc|open", "C:\\Program Files\\Ed\\ed.exe", "\"%1\""},
        {"%SystemRoot%\\notepad.exe %1", REG_EXPAND_SZ, "txtfile", "",
         std::string(windows) + "\\notepad.exe\t%1 ^txtfile", std::string(windows) + "\\notepad.exe", "%1"},
        {sjis("C:\\表\\能.exe /x"), REG_SZ, sjis("ソ"), "edit", sjis("C:\\表\\能.exe\t/x ^ソ|edit"),
         sjis("C:\\表\\能.exe"), "/x"},
        {"cmd.exe /c a | b", REG_SZ, "batfile", "", "cmd.exe\t/c a | b ^batfile", "cmd.exe", "/c a | b"},
    };
    for (const Row& row : rows) {
        char command[520];
        lstrcpyA(command, row.command.c_str());
        EXPECT_EQ(ArrangeExefileWithOptionSeparated(row.key.c_str(), command, row.type, row.verb.c_str()),
                  LONG(row.entry.size()));
        EXPECT_EQ(command, row.entry);
        LPSTR program = nullptr, options = nullptr, key = nullptr, verb = nullptr;
        EXPECT_EQ(GetExecuteFileName(command, &program, &options, &key, &verb), command);
        EXPECT_EQ(program, row.program);
        EXPECT_EQ(options, row.options);
        EXPECT_EQ(key, row.key) << "the key keeps its first character";
        EXPECT_EQ(verb ? verb : "", row.verb);
    }
    char plain[] = "notepad.exe";
    LPSTR program = nullptr, options = plain, key = plain, verb = plain;
    EXPECT_EQ(GetExecuteFileName(plain, &program, &options, &key, &verb), plain);
    EXPECT_EQ(options, nullptr);
    EXPECT_EQ(key, nullptr);
    EXPECT_EQ(verb, nullptr);
    ferro_test::GuardedBuffer full(520);
    full.assign(std::string(505, 'a') + " /x");
    EXPECT_EQ(ArrangeExefileWithOptionSeparated("sixteen-byte-key", full, REG_SZ, "open"), 0) << "would not fit";
    EXPECT_EQ(full.str(), std::string(505, 'a') + " /x");
}
