// Shortcut files read and written through the shell's link object under
// Wine, each written one checked by Debian's lnkinfo; shortcuts made by the
// platform directly read by the engine; bad files give a clear result.
#include "link_fixture.h"
#include <cstring>
#include "support/guarded_buffer.h"

using namespace link_test;
using ferro_test::sjis;
using ferro_test::utf8;

namespace {
std::string windows_folder() {
    char buffer[MAX_PATH];
    return std::string(buffer, GetWindowsDirectoryA(buffer, MAX_PATH));
}

// The folder of the share \\FERROSRV\SHARE: a link in the prefix's
// dosdevices/unc to a temporary folder, made for the test.
std::string make_share(const std::string& folder) {
    std::string devices = unix_name("C:\\");  // .../dosdevices/c:/
    devices = devices.substr(0, devices.rfind("/c:"));
    const std::string command = "mkdir -p '" + devices + "/unc/ferrosrv' && ln -sfn '" + unix_name(folder) + "' '" +
                                devices + "/unc/ferrosrv/share'";
    return run_unix(command) == 0 ? std::string("\\\\ferrosrv\\share") : std::string();
}

// The shortcut's name, its target (below the test folder, absolute, or on
// the share), arguments, working folder = the target's, icon ("" none, "="
// the target, else a path), icon index and show command; texts in UTF-8.
struct Written { const char *name, *target, *arguments; bool folder; const char* icon; int index, show; };

const Written kWritten[] = {
    {"plain.lnk", "notepad.exe", "-x a b", true, "=", 0, SW_SHOWNORMAL},
    {"表.lnk", "表ソ能\\能.txt", "/表 \"ソ\"", true, "", 0, SW_SHOWMAXIMIZED},
    {"ソ能.LNK", "deep\\能力\\ソフト表.exe", "", false, "=", 5, SW_SHOWMINNOACTIVE},
    {"share.lnk", "share:表\\doc.txt", "-s", true, "=", 2, SW_SHOWNORMAL},
};
}  // namespace

// Every field the engine writes is what the platform's format holds, read
// back by lnkinfo, and the engine reads the same fields back.
TEST_F(LinkTest, WrittenShortcutsAreReadByLnkinfoAndByTheEngine) {
    const std::string share = make_share(dir_.folder("shared"));
    ASSERT_FALSE(share.empty()) << "cannot make the share link";
    for (const Written& w : kWritten) {
        SCOPED_TRACE(w.name);
        std::string target = sjis(w.target);
        if (target.rfind("share:", 0) == 0) {
            dir_.file("shared\\" + target.substr(6), "x");
            target = share + "\\" + target.substr(6);
        } else if (target.find(':') == std::string::npos && target != "notepad.exe") {
            target = dir_.file(target, "data");
        } else if (target == "notepad.exe") {
            target = windows_folder() + "\\notepad.exe";
        }
        const std::string folder = w.folder ? folder_of(target) : std::string();
        const std::string icon = std::strcmp(w.icon, "=") == 0 ? target : std::string(sjis(w.icon));
        const std::string link = dir_ / sjis(w.name);
        const std::string arguments = sjis(w.arguments);
        ASSERT_EQ(0, SetLnkExeName(nullptr, link.c_str(), target.c_str(), arguments.c_str(), "desc",
                                   folder.c_str(), w.show, icon.c_str(), w.index));

        auto info = lnkinfo(link);
        ASSERT_EQ("0", info["exit"]) << info["raw"];
        EXPECT_EQ(utf8(target), info["Local path"]) << info["raw"];
        EXPECT_EQ(utf8(folder), info["Working directory"]) << info["raw"];
        EXPECT_EQ(utf8(arguments), info["Command line arguments"]) << info["raw"];
        EXPECT_EQ(utf8(icon), info["Icon location"]) << info["raw"];
        EXPECT_EQ(std::to_string(w.index), info["Icon index"]) << info["raw"];
        // lnkinfo 20181227 prints 0 for every show command: the word is read
        // from the file's fixed header (offset 0x3C) instead.
        const std::string bytes = ferro_test::read_file(link);
        ASSERT_GE(bytes.size(), 0x4Cu);
        EXPECT_EQ(w.show, *reinterpret_cast<const int*>(bytes.data() + 0x3C));

        ferro_test::GuardedBuffer path(520), got_folder(520), got_arguments(520), description(520), got_icon(520);
        path.assign(link);
        int got_show = -1, got_index = -1;
        EXPECT_EQ(0, GetLnkExeName(nullptr, path, got_folder, got_arguments, description, &got_show, got_icon, &got_index) &
                         ~kLinkIconMissing);
        EXPECT_EQ(utf8(target + "|" + folder + "|" + arguments + "|desc"),
                  utf8(std::string(path.str()) + "|" + std::string(got_folder.str()) + "|" +
                       std::string(got_arguments.str()) + "|" + std::string(description.str())));
        EXPECT_EQ(w.show * 100 + w.index, got_show * 100 + got_index);
        // Resolving gives a shortcut without an icon its target's.
        EXPECT_EQ(utf8(icon.empty() ? target : icon), utf8(std::string(got_icon.str())));
    }
}

// Shortcuts made by the platform's link object directly are read by the engine.
TEST_F(LinkTest, PlatformShortcutsAreReadByTheEngine) {
    const std::string target = dir_.file(sjis("表\\能ソ.exe"), "x");
    const std::string folder = folder_of(target);
    const std::string link = dir_ / sjis("外部ソ.lnk");
    ASSERT_EQ(S_OK, platform_link(link, target, "-a", folder, target, 1, SW_SHOWMAXIMIZED));
    char path[520], got_folder[520], arguments[520], icon[520];
    std::strcpy(path, link.c_str());
    int show = 0, index = 0;
    EXPECT_EQ(0, GetLnkExeName(nullptr, path, got_folder, arguments, nullptr, &show, icon, &index));
    EXPECT_EQ(utf8(target), utf8(path));
    EXPECT_EQ(utf8(folder), utf8(got_folder));
    EXPECT_STREQ("-a", arguments);
    EXPECT_EQ(SW_SHOWMAXIMIZED, show) << lnkinfo(link)["raw"];
    EXPECT_EQ(1, index);
    EXPECT_EQ(FILE_ATTRIBUTE_ARCHIVE, GetFileAttributeFromShortCut() & ~FILE_ATTRIBUTE_NORMAL);

    // IsOriginalLinkedNameExecutable copies the target back.
    std::strcpy(path, link.c_str());
    EXPECT_EQ(0, IsOriginalLinkedNameExecutable(nullptr, path, nullptr, nullptr) & ~kLinkIconMissing);
    EXPECT_EQ(utf8(target), utf8(path));
}

namespace {
struct Bad { const char *name, *what; std::string bytes; LONG bits; };

// A ".pif" file: program name at 0x24 (63 bytes), start-up folder at 0x65,
// parameters at 0xA5, 369 bytes in all.
std::string pif_bytes(const std::string& program, const std::string& folder, const std::string& parameters) {
    std::string b(369, '\0');
    b.replace(2, 8, "DOS APPL");
    b.replace(0x24, program.size(), program);
    b.replace(0x65, folder.size(), folder);
    b.replace(0xA5, parameters.size(), parameters);
    return b;
}
}  // namespace

// Files that are no shortcut, or broken ones, give a clear result, never a
// crash or a read past the data; the caller's path is kept. A broken target
// is read as stored, and without resolving the file is not touched.
TEST_F(LinkTest, BrokenAndForeignFilesGiveAClearResult) {
    const std::string good = dir_ / "good.lnk", target = dir_.file(sjis("消える表.txt"), "x");
    ASSERT_EQ(0, SetLnkExeName(nullptr, good.c_str(), target.c_str(), nullptr, nullptr, nullptr, 0, nullptr, 0));
    const std::string whole = ferro_test::read_file(good);
    ASSERT_GT(whole.size(), 80u);
    ASSERT_TRUE(DeleteFileA(target.c_str()));
    for (LONG no_resolve : {1, 0}) {
        SetNoResolveTechnique(no_resolve);
        char path[520];
        std::strcpy(path, good.c_str());
        const LONG result = GetLnkExeName(nullptr, path, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
        EXPECT_EQ(0, result & ~(kLinkIconMissing | (no_resolve ? 0L : LONG(kLinkUnresolved)))) << no_resolve;
        EXPECT_EQ(utf8(target), utf8(path));
        if (no_resolve) { EXPECT_EQ(whole, ferro_test::read_file(good)); }
    }
    const std::string pif = pif_bytes(sjis("C:\\DOS\\表EDIT.COM"), sjis("C:\\ソ"), "/x");
    const Bad cases[] = {
        {"text.lnk", "not a shortcut", "just some text, not a shortcut at all\r\n", kLinkUnreadable},
        {"cut.lnk", "truncated", whole.substr(0, 40), kLinkUnreadable},
        {"empty.lnk", "empty", "", kLinkUnreadable},
        {"cut.pif", "truncated pif", pif.substr(0, 60), kLinkPifUnreadable},
        {"empty.pif", "empty pif", "", kLinkPifUnreadable},
        {"note.txt", "a text file", "text", kLinkOtherType},
        {"noext", "no extension", "x", kLinkNoExtension},
    };
    for (const Bad& b : cases) {
        SCOPED_TRACE(b.what);
        const std::string path = dir_.file(b.name, b.bytes);
        ferro_test::GuardedBuffer buffer(520);
        buffer.assign(path);
        EXPECT_EQ(b.bits, GetLnkExeName(nullptr, buffer, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr));
        EXPECT_EQ(path, std::string(buffer.str()));
        EXPECT_EQ(b.bytes, ferro_test::read_file(path));
    }
    // A whole ".pif": the program, its folder and its parameters.
    const std::string path = dir_.file("dos.pif", pif);
    char buffer[520], folder[520], parameters[520];
    std::strcpy(buffer, path.c_str());
    EXPECT_EQ(0, GetLnkExeName(nullptr, buffer, folder, parameters, nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(sjis("C:\\DOS\\表EDIT.COM"), buffer);
    EXPECT_EQ(sjis("C:\\ソ"), folder);
    EXPECT_STREQ("/x", parameters);
    // An empty path and a null one.
    char empty[520] = "";
    EXPECT_EQ(kLinkEmpty, GetLnkExeName(nullptr, empty, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(kLinkEmpty, GetLnkExeName(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr));
}

// Texts kept for the dialogs hold the Windows folder as its placeholder;
// the shortcut written from such a text names the real folder.
TEST_F(LinkTest, KeptTextsUseThePlaceholderAndShortcutsTheRealFolder) {
    const std::string notepad = windows_folder() + "\\notepad.exe";
    ASSERT_NE(nullptr, SaveLinkInfo(notepad.c_str(), 1));
    EXPECT_STREQ("%SystemRoot%\\notepad.exe", GetLinkInfo(1));
    SaveIconFileName((windows_folder() + "\\system32\\shell32.dll").c_str());
    EXPECT_STREQ("%SystemRoot%\\system32\\shell32.dll", GetIconFileName());
    const std::string link = dir_ / "kept.lnk";
    ASSERT_EQ(0, SetLnkExeName(nullptr, link.c_str(), GetLinkInfo(1), nullptr, nullptr, "%SystemRoot%", 0,
                               GetIconFileName(), 3));
    auto info = lnkinfo(link);
    EXPECT_EQ(utf8(notepad), info["Local path"]) << info["raw"];
    EXPECT_EQ(utf8(windows_folder()), info["Working directory"]) << info["raw"];
    EXPECT_EQ(utf8(windows_folder() + "\\system32\\shell32.dll"), info["Icon location"]) << info["raw"];
    // Bad slots and texts that do not fit.
    EXPECT_EQ(nullptr, SaveLinkInfo("x", 2));
    EXPECT_EQ(nullptr, SaveLinkInfo(std::string(520, 'a').c_str(), 0));
    ClearShortcutFile();
    EXPECT_STREQ("", GetLinkInfo(1));
}
