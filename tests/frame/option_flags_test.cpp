// Every flag of the option-flag table, through the exports of a fresh copy of
// the library (so the initial values are those at load, whatever other tests do).
#include <gtest/gtest.h>
#include <windows.h>
#include <map>
#include <string>
#include "support/temp_folder.h"

namespace {
enum class Kind { IS, GET, OR, SUM, SIGNED_OR, TOGGLE, PARAM, SHOW, ISWHAT, SET };

struct Flag { const char* name; Kind kind; LONG initial; };

const Flag kFlags[] = {
#define FLAG(name, kind, initial) {#name, Kind::kind, initial},
#include "frame/option_flags.def"
#undef FLAG
};

using Setter = LONG(WINAPI*)(LONG);
using Getter = LONG(WINAPI*)();
using ParamSetter = LPARAM(WINAPI*)(LPARAM);
using ParamGetter = LPARAM(WINAPI*)();

const char* getter_prefix(Kind kind) {
    switch (kind) {
    case Kind::IS:
    case Kind::TOGGLE: return "Is";
    case Kind::ISWHAT: return "IsWhat";
    case Kind::SET: return nullptr;
    default: return "Get";
    }
}

// A private copy of ferro32.dll, loaded beside the one the tests link.
class FreshLibrary : public testing::Test {
protected:
    static void SetUpTestSuite() {
        char path[MAX_PATH];
        GetModuleFileNameA(GetModuleHandleA("ferro32.dll"), path, sizeof path);
        folder_ = new ferro_test::TempFolder;
        copy_ = *folder_ / "ferro32_fresh.dll";
        ASSERT_TRUE(CopyFileA(path, copy_.c_str(), FALSE));
        module_ = LoadLibraryA(copy_.c_str());
        ASSERT_TRUE(module_);
        // What the flags hold at load, read before any test changes them.
        for (const Flag& flag : kFlags) {
            const std::string name = flag.name;
            if (flag.kind == Kind::PARAM) {
                if (auto get = find<ParamGetter>("Get" + name)) at_load_[name] = LONG(get());
            } else if (const char* prefix = getter_prefix(flag.kind)) {
                if (auto get = find<Getter>(prefix + name)) at_load_[name] = get();
            }
        }
        for (const char* name : {"GetGDI_DEFAULT", "GetMaxNumberSORTED", "GetMaxNumberDEEPLevel"})
            if (auto get = find<Getter>(name)) at_load_[name] = get();
        // The saved multiple-execute answer, which only RecoverMultipleExecute reveals.
        if (auto recover = find<Getter>("RecoverMultipleExecute")) at_load_["saved MultipleExecute"] = recover();
    }
    static void TearDownTestSuite() {
        if (module_) FreeLibrary(module_);
        delete folder_;
    }
    template <class F>
    static F find(const std::string& name) {
        return reinterpret_cast<F>(GetProcAddress(module_, name.c_str()));
    }
    static HMODULE module_;
    static ferro_test::TempFolder* folder_;
    static std::string copy_;
    static std::map<std::string, LONG> at_load_;
};
HMODULE FreshLibrary::module_;
ferro_test::TempFolder* FreshLibrary::folder_;
std::string FreshLibrary::copy_;
std::map<std::string, LONG> FreshLibrary::at_load_;

}  // namespace

TEST_F(FreshLibrary, EveryFlagStartsAtItsInitialValue) {
    ASSERT_GT(sizeof kFlags / sizeof kFlags[0], 140u);
    for (const Flag& flag : kFlags) {
        if (flag.kind == Kind::SET) continue;  // no getter
        auto seen = at_load_.find(flag.name);
        ASSERT_NE(seen, at_load_.end()) << flag.name << " has no getter";
        EXPECT_EQ(seen->second, flag.initial) << flag.name;
    }
    EXPECT_EQ(at_load_["GetGDI_DEFAULT"], 10);
    EXPECT_EQ(at_load_["GetMaxNumberSORTED"], 30000);
    EXPECT_EQ(at_load_["GetMaxNumberDEEPLevel"], 30000);
    EXPECT_EQ(at_load_["saved MultipleExecute"], -100);
}

TEST_F(FreshLibrary, EveryFlagRoundTrips) {
    for (const Flag& flag : kFlags) {
        SCOPED_TRACE(flag.name);
        const std::string name = flag.name;
        if (flag.kind == Kind::PARAM) {
            auto set = find<ParamSetter>("Set" + name);
            auto get = find<ParamGetter>("Get" + name);
            ASSERT_TRUE(set && get);
            const LPARAM big = sizeof(LPARAM) > 4 ? LPARAM(0x123456789LL) : LPARAM(0x12345678);
            for (LPARAM v : {big, LPARAM(-1), LPARAM(0)}) {
                EXPECT_EQ(set(v), v);
                EXPECT_EQ(get(), v);
            }
            continue;
        }
        auto set = find<Setter>((flag.kind == Kind::SHOW ? "Show" : "Set") + name);
        ASSERT_TRUE(set);
        const char* prefix = getter_prefix(flag.kind);
        Getter get = prefix ? find<Getter>(prefix + name) : nullptr;
        if (prefix) {
            ASSERT_TRUE(get);
        }
        for (LONG v : {1, -1, 0x7fffffff, 0x1234, 0}) {
            EXPECT_EQ(set(v), v);
            if (get) {
                EXPECT_EQ(get(), v);
            }
        }
    }
}

TEST_F(FreshLibrary, AddOrsBitsIntoBitSets) {
    for (const Flag& flag : kFlags) {
        if (flag.kind != Kind::OR && flag.kind != Kind::SIGNED_OR) continue;
        SCOPED_TRACE(flag.name);
        auto set = find<Setter>(std::string("Set") + flag.name);
        auto add = find<Setter>(std::string("Add") + flag.name);
        auto get = find<Getter>(std::string("Get") + flag.name);
        ASSERT_TRUE(set && add && get);
        set(0x10);
        EXPECT_EQ(add(0x3), 0x13);
        EXPECT_EQ(add(0x1), 0x13);
        EXPECT_EQ(get(), 0x13);
        set(0);
    }
}

TEST_F(FreshLibrary, NegativeAddClearsTheBitsOfItsMagnitude) {
    auto set = find<Setter>("SetDIRCREATED");
    auto add = find<Setter>("AddDIRCREATED");
    auto get = find<Getter>("GetDIRCREATED");
    ASSERT_TRUE(set && add && get);
    struct Row { LONG before, argument, result, after; } rows[] = {
        {0x7, -0x2, 0x2, 0x5},  // the bit is set: taken away, the magnitude returned
        {0x5, -0x2, 0x2, 0x5},  // not set: nothing changes
        {0x6, -0x6, 0x6, 0x0},
        {0x1, -0x3, 0x3, 0x0},  // partly set: the bits go, the word never turns negative
        {0x0, -0x1, 0x1, 0x0},
        {0x1, 0x2, 0x3, 0x3},
    };
    for (const Row& row : rows) {
        set(row.before);
        EXPECT_EQ(add(row.argument), row.result) << row.before << " " << row.argument;
        EXPECT_EQ(get(), row.after) << row.before << " " << row.argument;
    }
    set(0);
}
