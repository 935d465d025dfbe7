// The built library's dynamic symbols: what it exports and what it imports.

#include <dlfcn.h>
#include <elf.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "RecordingHarness.h"
#include "counting/ElfSymbols.h"

namespace {

using sim::ElfSymbol;
using sim::ReadDynamicSymbols;

std::vector<ElfSymbol> PluginSymbols()
{
    return ReadDynamicSymbols(PluginHarness::BuiltPlugin());
}

bool StartsWith(const std::string &s, const char *prefix)
{
    return s.rfind(prefix, 0) == 0;
}

// A function of this executable, to find its own load address.
void Anchor() {}

}  // namespace

TEST(Exports, OnlyTheFiveEntryPoints)
{
    std::set<std::string> exported;
    for (const ElfSymbol &s : PluginSymbols())
        if (s.defined && s.bind != STB_LOCAL && s.visibility != STV_HIDDEN &&
            s.visibility != STV_INTERNAL)
            exported.insert(s.name);
    EXPECT_EQ(exported, (std::set<std::string>{"XPluginStart", "XPluginStop", "XPluginEnable",
                                               "XPluginDisable", "XPluginReceiveMessage"}));
}

TEST(Exports, EveryImportedHostAndGLFunctionResolvesToThisExecutable)
{
    Dl_info self{};
    ASSERT_NE(dladdr(reinterpret_cast<void *>(&Anchor), &self), 0);
    int checked = 0;
    for (const ElfSymbol &s : PluginSymbols()) {
        if (s.defined || !(StartsWith(s.name, "XPLM") || StartsWith(s.name, "gl"))) continue;
        void *p = dlsym(RTLD_DEFAULT, s.name.c_str());
        ASSERT_NE(p, nullptr) << s.name << " is not provided by the host or RecordingGL";
        Dl_info where{};
        ASSERT_NE(dladdr(p, &where), 0) << s.name;
        EXPECT_EQ(where.dli_fbase, self.dli_fbase)
            << s.name << " resolves to " << (where.dli_fname ? where.dli_fname : "?")
            << ": add it to RecordingGL";
        checked++;
    }
    EXPECT_GE(checked, 17 + 15);
    // A recording test never links libGL: no GLX entry in the global scope.
    EXPECT_EQ(dlsym(RTLD_DEFAULT, "glXGetProcAddressARB"), nullptr);
}

TEST(Exports, LoaderNamesEveryMissingEntryPoint)
{
    try {
        host::PluginLibrary lib("libm.so.6");
        FAIL() << "loaded a library without entry points";
    } catch (const host::PluginLoadError &e) {
        std::string what = e.what();
        for (const char *name : {"XPluginStart", "XPluginStop", "XPluginEnable", "XPluginDisable",
                                 "XPluginReceiveMessage"})
            EXPECT_NE(what.find(name), std::string::npos) << what;
        EXPECT_NE(what.find("libm.so.6"), std::string::npos) << what;
    }
    try {
        host::PluginLibrary lib("/nonexistent/OstrelLin.xpl");
        FAIL() << "loaded a missing file";
    } catch (const host::PluginLoadError &e) {
        EXPECT_NE(std::string(e.what()).find("/nonexistent/OstrelLin.xpl"), std::string::npos);
    }
}
