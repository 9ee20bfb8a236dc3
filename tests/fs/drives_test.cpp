#include <gtest/gtest.h>
#include <windows.h>
#include <cstring>
#include <string>
#include <vector>
#include "ferromes.h"
#include "shutdown.h"
#include "fs/drives.h"
#include "support/guarded_buffer.h"
#include "support/message_box_recorder.h"
#include "support/sjis.h"

using ferro_test::GuardedBuffer;
using ferro_test::MessageBoxRecorder;
using ferro_test::sjis;

namespace {
// What the system reports for one letter, in the list's numbering.
struct SystemDrive {
    char letter;
    int type;
    std::string volume;      // as the list must show it ("" when not read)
    std::string file_system;
};

int type_number(UINT system) {
    switch (system) {
    case DRIVE_FIXED: return 2;
    case DRIVE_REMOTE: return 3;
    case DRIVE_CDROM: return 4;
    case DRIVE_REMOVABLE: return 5;
    case DRIVE_RAMDISK: return 6;
    default: return 0;
    }
}

std::vector<SystemDrive> system_drives() {
    std::vector<SystemDrive> drives;
    DWORD mask = GetLogicalDrives();
    for (char c = 'A'; c <= 'Z'; ++c) {
        if (!(mask & (1u << (c - 'A')))) continue;
        char root[] = {c, ':', '\\', '\0'};
        int type = type_number(GetDriveTypeA(root));
        if (type == 0) continue;
        SystemDrive d{c, type, "", ""};
        if (type != 4 && type != 5) {
            char name[MAX_PATH] = "", fs[MAX_PATH] = "";
            if (GetVolumeInformationA(root, name, sizeof name, nullptr, nullptr, nullptr, fs, sizeof fs)) {
                d.file_system = fs;
                d.volume = std::string(name).substr(0, 11);
            }
            if (d.volume.empty()) d.volume = "???";
        }
        drives.push_back(d);
    }
    return drives;
}

std::string message(UINT id) {
    MyLoadString(id, 0);
    return GetLoadStrMessage();
}

class DriveList : public testing::Test {
protected:
    void SetUp() override {
        SetNetworkDisabledByApplication(FALSE);
        drives_ = system_drives();
        ASSERT_FALSE(drives_.empty());
        last_ = SaveDriveMemoryAndGetDriveStringAndBtmp(nullptr, nullptr, nullptr, 0);
    }
    void TearDown() override {
        FreeDriveMemoryHandle();
        SetNetworkDisabledByApplication(FALSE);
    }
    int index_of(char letter) const {
        for (std::size_t i = 0; i < drives_.size(); ++i)
            if (drives_[i].letter == letter) return static_cast<int>(i) + 2;
        return -1;
    }
    std::vector<SystemDrive> drives_;
    LONG last_ = 0;
};
}  // namespace

// ---- Building
TEST_F(DriveList, PseudoDrivesThenEveryLetterTheSystemReports) {
    ASSERT_EQ(last_, static_cast<LONG>(drives_.size()) + 1);
    EXPECT_EQ(GetNumberOfDrive(TRUE), last_ + 1);
    EXPECT_EQ(GetNumberOfDrive(FALSE), last_);
    EXPECT_EQ(std::string(GetRawDriveName(0, TRUE)), "7/:" + sjis("[ﾏｲｺﾝﾋﾟｭｰﾀ]"));
    EXPECT_EQ(std::string(GetRawDriveName(1, TRUE)), "8\\:" + sjis("[ﾏｲﾈｯﾄﾜｰｸ]"));
    EXPECT_EQ(GetNetworkDriveNumber(), 1);
    EXPECT_TRUE(IsMyComputerIncludedInList());
    for (std::size_t i = 0; i < drives_.size(); ++i) {
        const SystemDrive& d = drives_[i];
        int at = static_cast<int>(i) + 2;
        SCOPED_TRACE(std::string(1, d.letter));
        EXPECT_EQ(GetDriveCharacter(at, TRUE), d.letter);
        EXPECT_EQ(myGetDriveType(at, TRUE), d.type);
        EXPECT_EQ(myGetDriveType(at - 1, FALSE), d.type) << "withFirst zero shifts by one";
        std::string raw = std::string(1, char('0' + d.type)) + d.letter + ":" + d.volume;
        EXPECT_EQ(std::string(GetRawDriveName(at, TRUE)), raw);
        EXPECT_EQ(std::string(GetDriveName(at, TRUE)), raw.substr(1));
        EXPECT_EQ(std::string(GetVolumeName(at, TRUE)), d.volume);
    }
}

TEST_F(DriveList, NetworkSwitchedOffLeavesNoNetworkEntry) {
    SetNetworkDisabledByApplication(TRUE);
    ASSERT_EQ(SaveDriveMemoryAndGetDriveStringAndBtmp(nullptr, nullptr, nullptr, 0), static_cast<LONG>(drives_.size()));
    EXPECT_EQ(GetNetworkDriveNumber(), -1);
    EXPECT_EQ(GetDriveCharacter(1, TRUE), drives_[0].letter);
    EXPECT_EQ(GetDriveCharacter(0, FALSE), drives_[0].letter);
    EXPECT_EQ(GetDrNumberFromCharacter('\\', TRUE), -1);
    std::string network = message(8128);
    EXPECT_FALSE(IsDriveIncludeMyNetworkString(("x" + network).c_str()));
}

TEST_F(DriveList, SmallLettersWhenAskedFor) {
    SaveDriveMemoryAndGetDriveStringAndBtmp(nullptr, nullptr, nullptr, 6);
    int c = index_of('C');
    ASSERT_GE(c, 0);
    EXPECT_EQ(GetDriveCharacter(c, TRUE), 'c');
    EXPECT_EQ(GetDrOfUpperCharcter(c, TRUE), 'C');
    EXPECT_EQ(GetDrNumberFromCharacter('C', TRUE), c);
    EXPECT_EQ(std::string(GetDriveNameForCharaterSet(c, 0, TRUE)).substr(0, 2), "C:");
    // Only one of the two bits: capitals.
    SaveDriveMemoryAndGetDriveStringAndBtmp(nullptr, nullptr, nullptr, 4);
    EXPECT_EQ(GetDriveCharacter(c, TRUE), 'C');
}

// ---- Index convention
struct IndexRow { int index; BOOL with_first; };
class OutsideTheList : public DriveList, public testing::WithParamInterface<IndexRow> {};

TEST_P(OutsideTheList, GivesMinusElevenAndEmptyTexts) {
    int index = GetParam().index == 999 ? GetNumberOfDrive(TRUE) : GetParam().index;
    BOOL wf = GetParam().with_first;
    EXPECT_EQ(myGetDriveType(index, wf), -11);
    EXPECT_EQ(GetDriveCharacter(index, wf), -11);
    EXPECT_EQ(GetDrOfUpperCharcter(index, wf), -11);
    EXPECT_STREQ(GetRawDriveName(index, wf), "");
    EXPECT_STREQ(GetDriveName(index, wf), "");
    EXPECT_STREQ(GetVolumeName(index, wf), "");
    EXPECT_EQ(GetOrDriveBmp(index, TRUE), nullptr);
    char out[12] = "prefilled";
    BOOL none = FALSE;
    EXPECT_EQ(GetVolumeNameFromDrNumber(out, index, &none, sizeof out, wf), -11);
    EXPECT_STREQ(out, "");
    EXPECT_FALSE(IsVolumeNameSame("???", index, wf));
}

INSTANTIATE_TEST_SUITE_P(Rows, OutsideTheList,
                         testing::Values(IndexRow{-1, TRUE}, IndexRow{999, TRUE},  // 999: one past the end
                                         IndexRow{0x7fffffff, FALSE}));

// ---- Names
TEST_F(DriveList, VolumeNameCopiesStopAtTheBufferAndElevenBytes) {
    int c = index_of('C');
    ASSERT_GE(c, 0);
    BOOL none = FALSE;
    GuardedBuffer two(2);
    EXPECT_EQ(GetVolumeNameFromDrNumber(two, c, &none, 2, TRUE), 1);
    EXPECT_EQ(two.str(), std::string(GetVolumeName(c, TRUE)).substr(0, 1));
    GuardedBuffer twelve(12);
    GetVolumeNameFromDrNumber(twelve, 0, &none, 12, TRUE);
    EXPECT_EQ(twelve.str(), sjis("[ﾏｲｺﾝﾋﾟｭｰﾀ]"));
    EXPECT_FALSE(none);
    EXPECT_EQ(GetVolumeNameFromDrNumber(twelve, 0, nullptr, 0, TRUE), 0) << "no room: nothing copied";
}

TEST_F(DriveList, NameCasing) {
    EXPECT_EQ(std::string(GetDriveNameForCharaterSet(0, 0, TRUE)), "/:" + sjis("[ﾏｲｺﾝﾋﾟｭｰﾀ]"));
    int c = index_of('C');
    ASSERT_GE(c, 0);
    std::string volume = GetVolumeName(c, TRUE);
    std::string lower = volume, upper = volume;
    CharLowerA(lower.data());
    CharUpperA(upper.data());
    EXPECT_EQ(std::string(GetDriveNameForCharaterSet(c, 4 | 2, TRUE)), "c:" + lower);
    EXPECT_EQ(std::string(GetDriveNameForCharaterSet(c, 4 | 1, TRUE)), "C:" + upper);
    EXPECT_TRUE(IsVolumeNameSame(lower.c_str(), c, TRUE));
    EXPECT_FALSE(IsVolumeNameSame((lower + "x").c_str(), c, TRUE));
    EXPECT_FALSE(IsVolumeNameSame(nullptr, c, TRUE));
}

TEST(DriveStrings, PositionsInsideDriveStrings) {
    const char raw[] = "2C:DATA";
    EXPECT_EQ(GetDriveNameFromRawDriveString(raw), raw + 1);
    EXPECT_EQ(GetVolumeNameFromRawDriveString(raw), raw + 3);
    EXPECT_EQ(GetVolumeNameFromDriveString(raw + 1), raw + 3);
    EXPECT_EQ(GetVolumeNameFromDriveString(nullptr), nullptr);
}

TEST(DriveStrings, CurrentVolumeNameKeepsElevenBytesOfWholeCharacters) {
    EXPECT_STREQ(SetVolumeName("ABCDEFGHIJKLMNOP"), "ABCDEFGHIJK");
    // 表 (95 5C) would end at byte 12: left out whole.
    std::string ten = "0123456789" + sjis("表");
    EXPECT_STREQ(SetVolumeName(ten.c_str()), "0123456789");
    std::string nine = "012345678" + sjis("表");
    EXPECT_EQ(std::string(SetVolumeName(nine.c_str())), nine);
    EXPECT_STREQ(SetVolumeName(nullptr), "");
    EXPECT_FALSE(IsVolumeNameEmpty(nullptr));
    SetVolumeName("???");
    EXPECT_TRUE(IsVolumeNameEmpty(nullptr));
    EXPECT_TRUE(IsVolumeNameEmpty("???"));
    EXPECT_FALSE(IsVolumeNameEmpty("??"));
    EXPECT_STREQ(GetNoVolName(), "???");
}

// ---- Types of drives
TEST_F(DriveList, LettersOfATypeMask) {
    char out[32];
    EXPECT_EQ(ListDriveTypeAsString(out, 1u << 7), 1);
    EXPECT_STREQ(out, "/");
    EXPECT_EQ(ListDriveTypeAsString(out, (1u << 7) | (1u << 8)), 2);
    EXPECT_STREQ(out, "/\\");
    std::string fixed;
    for (const SystemDrive& d : drives_)
        if (d.type == 2) fixed += d.letter;
    EXPECT_EQ(ListDriveTypeAsString(out, 1u << 2), static_cast<int>(fixed.size()));
    EXPECT_EQ(std::string(out), fixed);
    EXPECT_EQ(ListDriveTypeAsString(out, 0), 0);
    EXPECT_STREQ(out, "");
    EXPECT_FALSE(IsAssignedNetdrve('C'));
}

TEST_F(DriveList, SystemTypesOfALetter) {
    EXPECT_EQ(GetDriveTypeFromCharacter('\\'), UINT(DRIVE_REMOTE));
    EXPECT_EQ(GetDriveTypeFromCharacter('C'), GetDriveTypeA("C:\\"));
    EXPECT_EQ(GetDriveTypeFromCharacter('c'), GetDriveTypeA("C:\\"));
    EXPECT_EQ(GetDriveTypeFromCharacter('#'), UINT(DRIVE_NO_ROOT_DIR));
    for (const SystemDrive& d : drives_) {
        SCOPED_TRACE(std::string(1, d.letter));
        EXPECT_EQ(IsCDROMDrive(d.letter), d.type == 4);
        EXPECT_EQ(IsFDDDrive(d.letter), d.type == 5);
        EXPECT_EQ(IsNETWORKDrive(d.letter), d.type == 3);
        std::string path = std::string(1, d.letter) + ":\\x";
        EXPECT_EQ(IsRemovalDrives(path.c_str()), d.type == 4 || d.type == 5);
    }
    EXPECT_FALSE(IsRemovalDrives("C:"));
    EXPECT_FALSE(IsRemovalDrives(""));
    EXPECT_FALSE(IsRemovalDrives(nullptr));
    EXPECT_FALSE(IsRemovalDrives("\\\\server\\share"));
}

TEST_F(DriveList, PseudoDriveTexts) {
    EXPECT_TRUE(IsDriveMyComputer(GetDriveName(0, TRUE)));
    EXPECT_FALSE(IsDriveMyComputer("C:"));
    EXPECT_FALSE(IsDriveMyComputer(nullptr));
    std::string network = message(8128);
    // 表 before the text: its trail byte 0x5C is no start of a match.
    EXPECT_TRUE(IsDriveIncludeMyNetworkString((sjis("表") + network + "x").c_str()));
    EXPECT_FALSE(IsDriveIncludeMyNetworkString("[network]"));
    EXPECT_FALSE(IsDriveIncludeMyNetworkString(nullptr));
}

// ---- File-system types
struct FileSystemRow { const char* name; int number; };
class FileSystemNames : public testing::TestWithParam<FileSystemRow> {};

TEST_P(FileSystemNames, NumberWithoutCase) {
    EXPECT_EQ(SetTypeOfFileSystem('Q', GetParam().name), GetParam().number);
    EXPECT_EQ(GetTypeOfFileSystemNumber("Q:\\folder"), GetParam().number);
    EXPECT_EQ(GetTypeOfFileSystemNumber("q:"), GetParam().number);
    char out[64] = "Q";
    EXPECT_EQ(GetTypeOfFileSystem(out, sizeof out), GetParam().number);
    EXPECT_STREQ(out, GetParam().name);
    SetTypeOfFileSystem('Q', nullptr);
}

INSTANTIATE_TEST_SUITE_P(Table, FileSystemNames,
                         testing::Values(FileSystemRow{"fat", 0}, FileSystemRow{"FAT32", 1}, FileSystemRow{"ntfs", 2},
                                         FileSystemRow{"CdFs", 3}, FileSystemRow{"NETWORK", 4},
                                         FileSystemRow{"xNeToSy", 4}, FileSystemRow{"FAT3", -1},
                                         FileSystemRow{"FAT322", -1}, FileSystemRow{"NTF", -1}));

TEST(FileSystemTypes, SlotsOfLettersAndTheNetwork) {
    EXPECT_EQ(GetTypeOfFileSystemNumber("R:\\"), -1) << "nothing stored yet";
    SetTypeOfFileSystem('B', "FAT");
    SetTypeOfFileSystem('\\', "NTFS");
    EXPECT_EQ(GetTypeOfFileSystemNumber("B:\\"), 0) << "the network has a slot of its own";
    EXPECT_EQ(GetTypeOfFileSystemNumber("\\\\server\\share"), 2);
    EXPECT_EQ(GetTypeOfFileSystemNumber("\\:\\server"), 2);
    EXPECT_EQ(GetTypeOfFileSystemNumber("\"B:\\long name\""), 0);
    EXPECT_EQ(GetTypeOfFileSystemNumber("folder"), -1);
    EXPECT_EQ(GetTypeOfFileSystemNumber(nullptr), -1);
    // Short texts that end at a guard page: nothing past the terminator is read.
    for (const char* text : {"", "\"", "B"}) {
        ferro_test::GuardedBuffer end(std::strlen(text) + 1);
        end.assign(text);
        EXPECT_EQ(GetTypeOfFileSystemNumber(end), text[0] == 'B' ? 0 : -1) << text;
    }
    EXPECT_EQ(SetTypeOfFileSystem('#', "NTFS"), -1);
    // A small buffer gets whole characters only.
    std::string name = "N" + sjis("表") + "X";
    SetTypeOfFileSystem('B', name.c_str());
    char out[3] = {'B', 0, 0};
    EXPECT_EQ(GetTypeOfFileSystem(out, sizeof out), -1);
    EXPECT_STREQ(out, "N");
    char unknown[8] = "#";
    EXPECT_EQ(GetTypeOfFileSystem(unknown, sizeof unknown), -1);
    EXPECT_STREQ(unknown, "");
    EXPECT_EQ(GetTypeOfFileSystem(nullptr, 5), -1);
    FreeDriveMemoryHandle();
    EXPECT_EQ(GetTypeOfFileSystemNumber("B:\\"), -1);
    EXPECT_EQ(GetTypeOfFileSystemNumber("\\\\server\\share"), -1);
}

TEST_F(DriveList, BuildingRecordsTheFileSystemOfEachDrive) {
    for (const SystemDrive& d : drives_) {
        if (d.file_system.empty()) continue;
        SCOPED_TRACE(std::string(1, d.letter) + " " + d.file_system);
        char out[64] = {d.letter};
        GetTypeOfFileSystem(out, sizeof out);
        EXPECT_EQ(std::string(out), d.file_system);
    }
    if (index_of('C') >= 0) {
        char fs[MAX_PATH] = "";
        GetVolumeInformationA("C:\\", nullptr, 0, nullptr, nullptr, nullptr, fs, sizeof fs);
        if (lstrcmpiA(fs, "NTFS") == 0) {
            EXPECT_EQ(GetTypeOfFileSystemNumber("C:\\"), 2);
        }
    }
}

// ---- Adding and removing one drive
TEST_F(DriveList, RemoveAndAddOneDrive) {
    int c = index_of('C');
    ASSERT_GE(c, 0);
    std::string raw = GetRawDriveName(c, TRUE);
    EXPECT_EQ(RemoveDriveMemoryAndGetDriveStringAndBtmp(nullptr, nullptr, nullptr, 0, 'c'), last_ - 1);
    EXPECT_EQ(GetDrNumberFromCharacter('C', TRUE), -1);
    EXPECT_EQ(RemoveDriveMemoryAndGetDriveStringAndBtmp(nullptr, nullptr, nullptr, 0, 'C'), -1);
    EXPECT_EQ(AddDriveMemoryAndGetDriveStringAndBtmp(nullptr, nullptr, nullptr, 0, 'C'), last_);
    EXPECT_EQ(GetDrNumberFromCharacter('C', TRUE), c) << "back at its place";
    EXPECT_EQ(std::string(GetRawDriveName(c, TRUE)), raw);
    EXPECT_EQ(AddDriveMemoryAndGetDriveStringAndBtmp(nullptr, nullptr, nullptr, 0, 'C'), -1) << "already listed";
    EXPECT_EQ(AddDriveMemoryAndGetDriveStringAndBtmp(nullptr, nullptr, nullptr, 0, '/'), -1);
    EXPECT_EQ(RemoveDriveMemoryAndGetDriveStringAndBtmp(nullptr, nullptr, nullptr, 0, '/'), -1);
    EXPECT_EQ(SetVolumeNameInDriveString(nullptr, 'c'), c);
    EXPECT_EQ(std::string(GetRawDriveName(c, TRUE)), raw);
    EXPECT_EQ(SetVolumeNameInDriveString(nullptr, '#'), -1);
    // A letter that the system does not report.
    for (char l = 'A'; l <= 'Z'; ++l)
        if (!(GetLogicalDrives() & (1u << (l - 'A')))) {
            EXPECT_EQ(AddDriveMemoryAndGetDriveStringAndBtmp(nullptr, nullptr, nullptr, 0, l), -1);
            EXPECT_EQ(SetVolumeNameInDriveString(nullptr, l), -1);
            break;
        }
}

// ---- Bitmaps
TEST_F(DriveList, BitmapsByType) {
    HBITMAP small[9], large[9];
    for (int i = 0; i < 9; ++i) {
        small[i] = reinterpret_cast<HBITMAP>(static_cast<INT_PTR>(0x100 + i));
        large[i] = reinterpret_cast<HBITMAP>(static_cast<INT_PTR>(0x200 + i));
    }
    SaveDriveMemoryAndGetDriveStringAndBtmp(nullptr, small, large, 0);
    EXPECT_EQ(GetOrDriveBmp(0, TRUE), small[7]);
    EXPECT_EQ(GetOrDriveBmp(0, FALSE), large[7]);
    EXPECT_EQ(GetDriveBmp(0, TRUE), small[8]) << "index as with withFirst zero";
    EXPECT_EQ(GetDriveBmp(-1, FALSE), large[7]);
    int c = index_of('C');
    EXPECT_EQ(GetOrDriveBmp(c, TRUE), small[myGetDriveType(c, TRUE)]);
    EXPECT_EQ(SetDriveBitmap(nullptr, large), GetNumberOfDrive(TRUE));
    EXPECT_EQ(GetOrDriveBmp(0, TRUE), nullptr);
    EXPECT_EQ(GetOrDriveBmp(0, FALSE), large[7]);
    EXPECT_EQ(GetDriveBmp(GetNumberOfDrive(FALSE), TRUE), nullptr);
}

// ---- List box and combo box
TEST_F(DriveList, BoxesOfADialog) {
    HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(parent);
    HWND list = CreateWindowExA(0, "LISTBOX", "", WS_CHILD | LBS_HASSTRINGS, 0, 0, 100, 100, parent,
                                reinterpret_cast<HMENU>(101), nullptr, nullptr);
    HWND combo = CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | CBS_DROPDOWNLIST | CBS_HASSTRINGS, 0, 0, 100, 100,
                                 parent, reinterpret_cast<HMENU>(102), nullptr, nullptr);
    ASSERT_TRUE(list && combo);
    int c = index_of('C');
    EXPECT_EQ(DisplayDriveListBox(parent, 101, TRUE, 'c'), c);
    EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), GetNumberOfDrive(TRUE));
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), c);
    char text[64];
    for (int i = 0; i < GetNumberOfDrive(TRUE); ++i) {
        SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        EXPECT_EQ(std::string(text), std::string(GetDriveName(i, TRUE)));
        EXPECT_EQ(SendMessageA(list, LB_GETITEMDATA, i, 0), i);
    }
    // Without the computer entry; filled again from empty.
    EXPECT_EQ(DisplayDriveComboBox(parent, 102, FALSE, 'C'), c - 1);
    EXPECT_EQ(DisplayDriveComboBox(parent, 102, FALSE, 'C'), c - 1);
    EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), GetNumberOfDrive(FALSE));
    SendMessageA(combo, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_EQ(std::string(text), "\\:" + sjis("[ﾏｲﾈｯﾄﾜｰｸ]"));
    EXPECT_EQ(SendMessageA(combo, CB_GETITEMDATA, 0, 0), 1);
    EXPECT_EQ(DisplayDriveComboBox(parent, 102, FALSE, '#'), -1) << "filled, nothing selected";
    EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), GetNumberOfDrive(FALSE));
    EXPECT_EQ(SetDriveStringInListbox(list, FALSE), GetNumberOfDrive(FALSE));
    EXPECT_EQ(SetDriveStringInCombobox(combo, TRUE), GetNumberOfDrive(TRUE));
    EXPECT_EQ(DisplayDriveListBox(parent, 999, TRUE, 'C'), -1);
    EXPECT_EQ(SetDriveStringInListbox(nullptr, TRUE), -1);
    DestroyWindow(parent);
}

// ---- Volume label
TEST(VolumeLabel, FailureShowsTheStopBox) {
    char missing = 0;
    for (char l = 'Z'; l >= 'A'; --l)
        if (!(GetLogicalDrives() & (1u << (l - 'A')))) {
            missing = l;
            break;
        }
    ASSERT_NE(missing, 0);
    MessageBoxRecorder boxes({IDOK});
    EXPECT_FALSE(WriteVolumeName(nullptr, missing, "LABEL"));
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].caption, sjis("警告: Volume"));
    EXPECT_NE(boxes.boxes()[0].text.find(sjis("作成できません")), std::string::npos);
    EXPECT_NE(boxes.boxes()[0].text.find(std::string(1, missing) + ":\\"), std::string::npos);
    EXPECT_EQ(boxes.boxes()[0].style & MB_ICONMASK, UINT(MB_ICONSTOP));
}

// ---- Release
TEST_F(DriveList, ShutdownFreesTheList) {
    SetTypeOfFileSystem('Q', "NTFS");
    EXPECT_EQ(FreeAllAllocateMemoryInDll(), 1);
    EXPECT_EQ(GetNumberOfDrive(TRUE), 0);
    EXPECT_EQ(GetNumberOfDrive(FALSE), 0);
    EXPECT_EQ(GetNetworkDriveNumber(), -1);
    EXPECT_EQ(GetTypeOfFileSystemNumber("Q:\\"), -1);
    EXPECT_EQ(myGetDriveType(0, TRUE), -11);
    EXPECT_FALSE(IsMyComputerIncludedInList());
    EXPECT_EQ(FreeDriveMemoryHandle(), 1);
}
