#include <gtest/gtest.h>
#include <windows.h>
#include <winternl.h>

#include <cstring>
#include <string>

#include "frame/platform_decision.h"
#include "frame/platform_version.h"
#include "support/guarded_buffer.h"

using namespace ferro_test;
namespace pf = ferro::platform;

namespace {

// ---- Decision over version records

constexpr DWORD k32s = VER_PLATFORM_WIN32s;
constexpr DWORD k9x = VER_PLATFORM_WIN32_WINDOWS;
constexpr DWORD kNT = VER_PLATFORM_WIN32_NT;
constexpr BYTE kWs = VER_NT_WORKSTATION;
constexpr BYTE kDc = VER_NT_DOMAIN_CONTROLLER;
constexpr BYTE kSrv = VER_NT_SERVER;
constexpr WORD kX86 = PROCESSOR_ARCHITECTURE_INTEL;
constexpr WORD kX64 = PROCESSOR_ARCHITECTURE_AMD64;

struct Row { const char* what; pf::VersionRecord record; DWORD value; DWORD build; const char* name; };

// clang-format off
const Row kRows[] = {
    {"Win32s",            {k32s, 3, 10, 0x0000011A, "", 0, kX86, 0, 0},                0x1002, 0, "Windows 32s"},
    {"95",                {k9x, 4, 0, 0x040003B6, "", 0, kX86, 0, 0},                  0xA004, 950, "Windows 95"},
    {"95 A",              {k9x, 4, 0, 0x040003B6, " A", 0, kX86, 0, 0},                0xA004, 950, "Windows 95"},
    {"95 OSR2 B",         {k9x, 4, 0, 0x04000457, " B", 0, kX86, 0, 0},                0xA014, 1111, "Windows 95"},
    {"95 OSR2.5 C",       {k9x, 4, 0, 0x04030486, " C", 0, kX86, 0, 0},                0xA014, 1158, "Windows 95"},
    {"95 lower-case c",   {k9x, 4, 0, 0x04030486, " c", 0, kX86, 0, 0},                0xA004, 1158, "Windows 95"},
    {"95 one-byte text",  {k9x, 4, 0, 0x040003B6, "C", 0, kX86, 0, 0},                 0xA004, 950, "Windows 95"},
    {"98",                {k9x, 4, 10, 0x040A07CE, "", 0, kX86, 0, 0},                 0xA008, 1998, "Windows 98"},
    {"98 SE A",           {k9x, 4, 10, 0x040A08AE, " A ", 0, kX86, 0, 0},              0xA028, 2222, "Windows 98SE"},
    {"98 SE B",           {k9x, 4, 10, 0x040A08AE, " B", 0, kX86, 0, 0},               0xA028, 2222, "Windows 98SE"},
    {"98 C",              {k9x, 4, 10, 0x040A07CE, " C", 0, kX86, 0, 0},               0xA008, 1998, "Windows 98"},
    {"Me",                {k9x, 4, 90, 0x045A0BB8, " ", 0, kX86, 0, 0},                0xA040, 3000, "Windows Me"},
    {"9x unknown minor",  {k9x, 4, 20, 0x04140100, "", 0, kX86, 0, 0},                 0xA000, 256, "Windows"},
    {"NT 3.51",           {kNT, 3, 51, 1057, "Service Pack 5", 0, kX86, 0, 0},         0x2080, 1057, "Windows NT"},
    {"NT 4",              {kNT, 4, 0, 1381, "Service Pack 6", kWs, kX86, 0, 0},        0x2080, 1381, "Windows NT"},
    {"2000",              {kNT, 5, 0, 2195, "Service Pack 4", kWs, kX86, 0, 0},        0x72100, 2195, "Windows 2000"},
    {"2000 server",       {kNT, 5, 0, 2195, "", kSrv, kX86, 0, 0},                     0x72100, 2195, "Windows 2000"},
    {"XP",                {kNT, 5, 1, 2600, "Service Pack 3", kWs, kX86, 0, 0},        0x72200, 2600, "Windows XP"},
    {"XP under WoW64",    {kNT, 5, 1, 2600, "", kWs, kX64, 0, 0},                      0x72200, 2600, "Windows XP"},
    {"XP x64",            {kNT, 5, 2, 3790, "Service Pack 2", kWs, kX64, 0, 0},        0x74000, 3790, "Windows XP 64bit"},
    {"Server 2003 x64",   {kNT, 5, 2, 3790, "", kSrv, kX64, 0, 0},                     0x72400, 3790, "Windows Server 2003"},
    {"Server 2003 R2 x64",{kNT, 5, 2, 3790, "", kWs, kX64, 1, 0},                      0x72400, 3790, "Windows Server 2003"},
    {"Server 2003 x86",   {kNT, 5, 2, 3790, "", kDc, kX86, 0, 0},                      0x72400, 3790, "Windows Server 2003"},
    {"Vista",             {kNT, 6, 0, 6002, "Service Pack 2", kWs, kX86, 0, 0x6},      0xE2800, 6002, "Windows Vista"},
    {"Server 2008 x64",   {kNT, 6, 0, 6001, "", kSrv, kX64, 0, PRODUCT_DATACENTER_SERVER}, 0xE4C00, 6001, "Windows Vista 64bit"},
    {"7 x64",             {kNT, 6, 1, 7601, "Service Pack 1", kWs, kX64, 0, 0x1},      0x1E4000, 7601, "Windows 7 64bit"},
    {"7 x86",             {kNT, 6, 1, 7600, "", kWs, kX86, 0, 0x1},                    0x1E2000, 7600, "Windows 7"},
    {"2008 R2 x64",       {kNT, 6, 1, 7601, "", kSrv, kX64, 0, PRODUCT_STANDARD_SERVER},  0x1E4400, 7601, "Windows 7 64bit"},
    {"7 server x86",      {kNT, 6, 1, 7600, "", kDc, kX86, 0, 0},                      0x1E2400, 7600, "Windows 7"},
    {"7 ws, server SKU",  {kNT, 6, 1, 7600, "", kWs, kX64, 0, PRODUCT_WEB_SERVER},     0x1E4400, 7600, "Windows 7 64bit"},
    {"7 no product type", {kNT, 6, 1, 7600, "", 0, kX64, 0, 0},                        0x1E4400, 7600, "Windows 7 64bit"},
    {"8",                 {kNT, 6, 2, 9200, "", kWs, kX64, 0, 0x30},                   0x2E4000, 9200, "After Windows 7 64bit"},
    {"8.1 x86",           {kNT, 6, 3, 9600, "", kWs, kX86, 0, 0x30},                   0x2E2000, 9600, "After Windows 7"},
    {"10",                {kNT, 10, 0, 19045, "", kWs, kX64, 0, 0x30},                 0x2E4000, 19045, "After Windows 7 64bit"},
    {"10 x86",            {kNT, 10, 0, 19045, "", kWs, kX86, 0, 0x30},                 0x2E2000, 19045, "After Windows 7"},
    {"Server 2019",       {kNT, 10, 0, 17763, "", kSrv, kX64, 0, PRODUCT_STANDARD_SERVER}, 0x2E4400, 17763, "After Windows 7 64bit"},
    {"unknown platform",  {3, 5, 0, 1, "", 0, kX86, 0, 0},                              0xFFFFFFFF, 0, ""},
};
// clang-format on

TEST(PlatformDecision, EveryReleaseGivesItsValueBuildAndName) {
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.what);
        pf::Decision d = pf::decide(row.record);
        EXPECT_EQ(d.value, row.value) << std::hex << d.value;
        EXPECT_EQ(d.build, row.build);
        char name[64];
        std::memset(name, 0x7f, sizeof name);
        std::size_t length = pf::write_name(d.value, name);
        EXPECT_STREQ(name, row.name);
        EXPECT_EQ(length, std::strlen(row.name));
        EXPECT_LE(length + 1, pf::kNameSize);
        EXPECT_EQ(name[length + 1], '\x7f');
    }
}

TEST(PlatformDecision, AfterXPCoversNT5AndNT6Families) {
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.what);
        if (row.value == 0xFFFFFFFF) continue;
        bool nt5_or_later = row.record.platform_id == kNT && row.record.major >= 5;
        EXPECT_EQ((row.value & 0x90000) != 0, nt5_or_later);
    }
}

// ---- Name table

TEST(PlatformName, FirstBitInTableOrderNamesThePlatform) {
    // Each entry, with every later bit also set, must still win.
    const std::pair<DWORD, const char*> order[] = {
        {0x1, "Windows 3.1"},  {0x2, "Windows 32s"},      {0x4, "Windows 95"},
        {0x20, "Windows 98SE"}, {0x8, "Windows 98"},      {0x40, "Windows Me"},
        {0x80, "Windows NT"},  {0x100, "Windows 2000"},   {0x200, "Windows XP"},
        {0x800, "Windows Vista"}, {0x100000, "Windows 7"}, {0x200000, "After Windows 7"},
    };
    DWORD later = 0;
    for (auto it = std::rbegin(order); it != std::rend(order); ++it) {
        later |= it->first;
        char name[32];
        pf::write_name(later, name);
        EXPECT_STREQ(name, it->second) << std::hex << later;
    }
    char name[32];
    pf::write_name(0xA028, name);
    EXPECT_STREQ(name, "Windows 98SE");
}

TEST(PlatformName, SuffixFollowsOnlyThe64BitProcessorBit) {
    char name[32];
    pf::write_name(0x1E2000 | 0x400, name);
    EXPECT_STREQ(name, "Windows 7");  // the server bit does not repeat the name
    pf::write_name(0x1E4400, name);
    EXPECT_STREQ(name, "Windows 7 64bit");
    pf::write_name(0x4000, name);
    EXPECT_STREQ(name, "Windows 64bit");
}

TEST(PlatformName, LongestNameFillsExactlyTheAssumedBuffer) {
    GuardedBuffer buf(pf::kNameSize);
    EXPECT_EQ(pf::write_name(0x2E4000, buf), pf::kNameSize - 1);
    EXPECT_EQ(buf.str(), "After Windows 7 64bit");
}

// ---- Exports against the running system

struct SystemVersion {
    OSVERSIONINFOEXA info{};
    WORD architecture = 0;
    SystemVersion() {
        info.dwOSVersionInfoSize = sizeof info;
        GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info));
        SYSTEM_INFO si{};
        GetNativeSystemInfo(&si);
        architecture = si.wProcessorArchitecture;
    }
};

TEST(PlatformVersion, ExportsAgreeWithTheSystem) {
    SystemVersion sys;
    DWORD value = GetWindowsVersion();
    ASSERT_NE(value, 0xFFFFFFFFu);
    EXPECT_EQ(GetWindowsPlatform(nullptr), value);
    EXPECT_EQ(GetWindowsMajorVersion(), LONG(sys.info.dwMajorVersion));
    EXPECT_EQ(GetWindowsMinorVersion(), LONG(sys.info.dwMinorVersion));
    EXPECT_EQ(GetBuiltVersion(), sys.info.dwBuildNumber);
    EXPECT_EQ(sys.info.dwPlatformId, DWORD(VER_PLATFORM_WIN32_NT));

    EXPECT_EQ((value & 0x4000) != 0, sys.architecture == PROCESSOR_ARCHITECTURE_AMD64);
    EXPECT_EQ((value & 0x2000) != 0, sys.architecture != PROCESSOR_ARCHITECTURE_AMD64);
    EXPECT_EQ((value & 0x400) != 0, sys.info.wProductType != VER_NT_WORKSTATION);
    if (sys.info.dwMajorVersion >= 6) {
        EXPECT_EQ(value & 0xE0000, 0xE0000u);
    }
    EXPECT_NE(IsWindowsAfterXP(), 0u);

    char name[32];
    EXPECT_EQ(GetWindowsPlatform(name), value);
    std::string expected_suffix = sys.architecture == PROCESSOR_ARCHITECTURE_AMD64 ? " 64bit" : "";
    std::string text = name;
    ASSERT_GE(text.size(), expected_suffix.size());
    EXPECT_EQ(text.substr(text.size() - expected_suffix.size()), expected_suffix);
    EXPECT_EQ(text.rfind("Windows", 0) == 0 || text.rfind("After Windows", 0) == 0, true) << text;
}

}  // namespace
