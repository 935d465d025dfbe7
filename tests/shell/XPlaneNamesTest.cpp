// The names the plug-in uses against X-Plane 12.1's own lists
// (tests/data/xplane12): every dataref it looks up is published with the type
// it reads it with, and none of its commands takes a simulator command's name.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "RecordingHarness.h"

namespace {

const std::string kData = OSTREL_XPLANE12_DATA;

// Name -> type ("int", "float", "float[10]") of each published dataref copied.
std::map<std::string, std::string> XPlaneDatarefs()
{
    std::map<std::string, std::string> out;
    std::ifstream in(kData + "/DataRefs-used.txt");
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream row(line);
        std::string name, type;
        if (std::getline(row, name, '\t') && std::getline(row, type, '\t')) out[name] = type;
    }
    EXPECT_FALSE(out.empty()) << "no rows in " << kData;
    return out;
}

std::set<std::string> XPlaneCommands()
{
    std::set<std::string> out;
    std::ifstream in(kData + "/Commands-names.txt");
    for (std::string name; std::getline(in, name);) out.insert(name);
    EXPECT_GT(out.size(), 1000u) << "no command names in " << kData;
    return out;
}

// The X-Plane type that a read through this call can read: "int", "float",
// or "float[]" with the first element past the read ("Name, 0, 3" -> 3).
std::string TypeRead(const host::Call &c, int &end)
{
    if (c.fn == "XPLMGetDatai") return "int";
    if (c.fn == "XPLMGetDataf") return "float";
    int offset = 0, count = 0;
    size_t comma = c.args.find(", ");
    if (c.fn != "XPLMGetDatavf" || comma == std::string::npos ||
        std::sscanf(c.args.c_str() + comma, ", %d, %d", &offset, &count) != 2)
        return "?";
    end = offset + count;
    return "float[]";
}

// Elements of a "float[N]" type, or 0.
int ArrayLength(const std::string &type)
{
    int n = 0;
    return std::sscanf(type.c_str(), "float[%d]", &n) == 1 ? n : 0;
}

}  // namespace

TEST(XPlaneNames, TheHostPublishesXPlanesNamesAndTypes)
{
    auto xp = XPlaneDatarefs();
    for (const dr::Dataref &s : dr::kFlightData) {
        auto it = xp.find(s.name);
        ASSERT_NE(it, xp.end()) << s.name << " is not published by X-Plane 12.1";
        switch (s.type) {
        case host::DataType::Int: EXPECT_EQ(it->second, "int") << s.name; break;
        case host::DataType::Float: EXPECT_EQ(it->second, "float") << s.name; break;
        case host::DataType::FloatArray: EXPECT_EQ(ArrayLength(it->second), s.size) << s.name; break;
        }
    }
}

TEST(XPlaneNames, EveryDatarefThePlugInReadsIsPublishedWithTheTypeItReads)
{
    auto xp = XPlaneDatarefs();
    RecordingHarness h;  // the host as X-Plane 12.1 is
    h.start();
    std::vector<std::string> lookups;
    for (const host::Call &c : h.host().callsTo("XPLMFindDataRef")) lookups.push_back(c.args);
    h.host().clearCalls();
    h.drawFrame();  // a visible frame reads every dataref found

    // name -> the types its reads need
    std::map<std::string, std::vector<std::pair<std::string, int>>> reads;
    for (const host::Call &c : h.host().calls()) {
        if (c.fn.rfind("XPLMGetData", 0) != 0) continue;
        int end = 0;
        std::string type = TypeRead(c, end);
        reads[c.args.substr(0, c.args.find(", "))].push_back({type, end});
    }

    ASSERT_FALSE(lookups.empty());
    for (size_t i = 0; i < lookups.size(); i++) {
        const std::string &name = lookups[i];
        auto it = xp.find(name);
        if (it == xp.end()) {
            // Only the table's NAV1 course name is missing from X-Plane, and only
            // because the plug-in then looks up the published one.
            EXPECT_EQ(name, dr::HDGFirst) << "X-Plane 12.1 publishes no " << name;
            ASSERT_LT(i + 1, lookups.size());
            EXPECT_EQ(lookups[i + 1], dr::HDG) << "after " << name;
            EXPECT_EQ(reads.count(name), 0u) << name;
            continue;
        }
        ASSERT_EQ(reads.count(name), 1u) << name << " is looked up but never read";
        for (const auto &[type, end] : reads[name]) {
            if (type == "float[]") {
                int n = ArrayLength(it->second);
                EXPECT_TRUE(n > 0 && end <= n) << name << " is " << it->second << ", read to " << end;
            } else {
                EXPECT_EQ(type, it->second) << name << " is read as " << type;
            }
        }
    }
}

TEST(XPlaneNames, NoPanelCommandTakesASimulatorCommandsName)
{
    auto xp = XPlaneCommands();
    RecordingHarness h;
    h.start();
    auto creates = h.host().callsTo("XPLMCreateCommand");
    ASSERT_EQ(creates.size(), 6u);
    for (const host::Call &c : creates) {
        std::string name = c.args.substr(0, c.args.find(", "));
        EXPECT_EQ(xp.count(name), 0u) << name << " is an X-Plane 12.1 command";
    }
}
