// The built library's dynamic symbols: what it exports and what it imports.

#include <dlfcn.h>
#include <elf.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <unistd.h>

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

// Offsets and sizes in a file are whatever the file says: tables said to lie
// past its end, where adding an offset to a size would wrap, are refused as
// the file's fault, and so are a cut file and one that is no ELF at all.
TEST(Exports, SymbolReaderRefusesTablesOutsideTheFile)
{
    std::ifstream in(PluginHarness::BuiltPlugin(), std::ios::binary);
    const std::string good((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    Elf64_Ehdr eh;
    std::memcpy(&eh, good.data(), sizeof eh);
    auto withDynsym = [&](uint64_t offset, uint64_t size) {
        std::string f = good;
        for (size_t i = 0; i < eh.e_shnum; ++i) {
            Elf64_Shdr sh;
            char *at = &f[eh.e_shoff + i * eh.e_shentsize];
            std::memcpy(&sh, at, sizeof sh);
            if (sh.sh_type != SHT_DYNSYM) continue;
            sh.sh_offset = offset;
            sh.sh_size = size;
            std::memcpy(at, &sh, sizeof sh);
        }
        return f;
    };
    std::string farHeaders = good;
    const uint64_t far = UINT64_MAX - 8;
    std::memcpy(&farHeaders[offsetof(Elf64_Ehdr, e_shoff)], &far, sizeof far);
    const std::string bad[] = {
        farHeaders,
        withDynsym(far, 2 * sizeof(Elf64_Sym)),
        withDynsym(sizeof(Elf64_Sym), far),
        good.substr(0, good.size() / 2),
        good.substr(0, 20),
        "not an ELF file",
    };
    const std::filesystem::path file =
        std::filesystem::path(testing::TempDir()) / ("elf-" + std::to_string(getpid()) + ".so");
    for (size_t i = 0; i < std::size(bad); ++i) {
        std::ofstream(file, std::ios::binary) << bad[i];
        EXPECT_THROW(ReadDynamicSymbols(file.string()), std::runtime_error) << "case " << i;
    }
    std::filesystem::remove(file);
}
