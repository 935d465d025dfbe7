// The flight data snapshot as the host sees it: which datarefs a frame reads,
// in which order and how.

#include <gtest/gtest.h>

#include <algorithm>

#include "RecordingHarness.h"

namespace {

bool IsRead(const host::Call &c)
{
    return c.fn == "XPLMGetDatai" || c.fn == "XPLMGetDataf" || c.fn == "XPLMGetDatavf";
}

std::vector<host::Call> Reads(RecordingHarness &h)
{
    std::vector<host::Call> out;
    for (const host::Call &c : h.host().calls())
        if (IsRead(c)) out.push_back(c);
    return out;
}

std::vector<host::Call> ReadsOfOneFrame(RecordingHarness &h)
{
    h.host().clearCalls();
    h.drawFrame();
    return Reads(h);
}

const char *ReadFn(host::DataType t)
{
    switch (t) {
    case host::DataType::Int: return "XPLMGetDatai";
    case host::DataType::Float: return "XPLMGetDataf";
    case host::DataType::FloatArray: return "XPLMGetDatavf";
    }
    return "";
}

}  // namespace

TEST(FlightData, VisibleFrameReadsTheViewFirstThenTheTableInOrder)
{
    RecordingHarness h;
    h.start();
    auto reads = ReadsOfOneFrame(h);
    ASSERT_EQ(reads.size(), 31u);
    EXPECT_EQ(reads[0].fn, "XPLMGetDatai");
    EXPECT_EQ(reads[0].args, dr::ViewType);
    size_t k = 1;
    for (const dr::Dataref &s : dr::kFlightData) {
        if (std::string(s.name) == dr::ViewType || s.replacedBy) continue;
        ASSERT_LT(k, reads.size());
        EXPECT_EQ(reads[k].fn, ReadFn(s.type)) << s.name;
        std::string args = s.name;
        if (s.type == host::DataType::FloatArray) args += ", 0, 3";  // elements 0 to 2 only
        EXPECT_EQ(reads[k].args, args);
        k++;
    }
    // Each visible frame reads again; nothing is looked up again.
    h.host().clearCalls();
    h.drawFrame();
    EXPECT_EQ(Reads(h).size(), 31u);
    EXPECT_EQ(h.host().countCalls("XPLMFindDataRef"), 0);
}

TEST(FlightData, HiddenFrameReadsOnlyTheViewType)
{
    RecordingHarness h;
    h.start();
    h.drawFrame();
    for (int view : {0, 1016, 1025}) {
        h.setView(view);
        for (int frame = 0; frame < 3; frame++) {
            auto reads = ReadsOfOneFrame(h);
            ASSERT_EQ(reads.size(), 1u) << "view " << view;
            EXPECT_EQ(reads[0].fn, "XPLMGetDatai");
            EXPECT_EQ(reads[0].args, dr::ViewType);
        }
    }
    EXPECT_EQ(h.reads(dr::Airspeed), 1);  // the one visible frame
    EXPECT_EQ(h.reads(dr::ViewType), 10);
}

TEST(FlightData, MissingDatarefsAreNeverRead)
{
    // Every dataref but the view type is missing: a read through a null
    // handle would be a host error and fail the test.
    HarnessOptions o;
    for (const dr::Dataref &s : dr::kFlightData)
        if (std::string(s.name) != dr::ViewType) o.absent.push_back(s.name);
    RecordingHarness h(o);
    h.start();
    EXPECT_EQ(h.host().countCalls("XPLMFindDataRef"), 33);  // the NAV1 course and the heading under both names
    for (int frame = 0; frame < 2; frame++) {
        auto reads = ReadsOfOneFrame(h);
        ASSERT_EQ(reads.size(), 1u);
        EXPECT_EQ(reads[0].args, dr::ViewType);
    }
    // Only the view type's absence is reported.
    EXPECT_TRUE(h.host().log().empty());
    EXPECT_TRUE(h.host().spoken().empty());
}

TEST(FlightData, EachMissingDatarefIsSkippedOnItsOwn)
{
    for (const dr::Dataref &s : dr::kFlightData) {
        if (std::string(s.name) == dr::ViewType || s.replacedBy) continue;
        HarnessOptions o;
        o.absent = {s.name};  // under every name the host publishes it
        for (const dr::Dataref &r : dr::kFlightData)
            if (r.replacedBy && host::DatarefName(r.replacedBy) == std::string(s.name)) o.absent.push_back(r.name);
        RecordingHarness h(o);
        h.start();
        auto reads = ReadsOfOneFrame(h);
        EXPECT_EQ(reads.size(), 30u) << s.name;
        for (const host::Call &c : reads)
            for (const std::string &name : o.absent) EXPECT_EQ(c.args.find(name), std::string::npos);
    }
}

// X-Plane 12 marks magpsi replaced by mag_psi; X-Plane 10 has only magpsi.
TEST(FlightData, HeadingUnderItsOldNameOnlyWhereTheNewOneIsNotPublished)
{
    for (bool xplane10 : {false, true}) {
        SCOPED_TRACE(xplane10 ? "magpsi only" : "both names");
        HarnessOptions o;
        if (xplane10) o.absent = {dr::Heading};
        RecordingHarness h(o);
        h.start();
        std::vector<std::string> names;
        for (const host::Call &c : h.host().callsTo("XPLMFindDataRef")) names.push_back(c.args);
        auto first = std::find(names.begin(), names.end(), dr::Heading);
        ASSERT_NE(first, names.end());
        EXPECT_EQ(std::count(names.begin(), names.end(), dr::Heading), 1);
        EXPECT_EQ(std::count(names.begin(), names.end(), dr::HeadingOld), xplane10 ? 1 : 0);
        if (xplane10) {
            EXPECT_EQ(first[1], dr::HeadingOld);
        }
        h.drawFrame();
        EXPECT_EQ(h.reads(dr::Heading), xplane10 ? 0 : 1);
        EXPECT_EQ(h.reads(dr::HeadingOld), xplane10 ? 1 : 0);
    }
}

TEST(FlightData, Nav1CourseUnderItsSecondNameOnlyWhereTheFirstIsNotPublished)
{
    auto lookups = [](RecordingHarness &h) {
        std::vector<std::string> names;
        for (const host::Call &c : h.host().callsTo("XPLMFindDataRef")) names.push_back(c.args);
        return names;
    };
    {
        // As in X-Plane: the table's name is not found, the published one is read.
        RecordingHarness h;
        h.start();
        auto names = lookups(h);
        EXPECT_EQ(names.size(), 32u);
        auto first = std::find(names.begin(), names.end(), dr::HDGFirst);
        ASSERT_LT(first + 1, names.end());
        EXPECT_EQ(first[1], dr::HDG);
        h.drawFrame();
        EXPECT_EQ(h.reads(dr::HDG), 1);
    }
    {
        // A simulator that publishes both: the table's name wins, the other is never looked up.
        HarnessOptions o;
        o.extraFloats = {dr::HDGFirst};
        RecordingHarness h(o);
        h.start();
        auto names = lookups(h);
        EXPECT_EQ(names.size(), 31u);
        EXPECT_EQ(std::count(names.begin(), names.end(), dr::HDGFirst), 1);
        EXPECT_EQ(std::count(names.begin(), names.end(), dr::HDG), 0);
        h.drawFrame();
        EXPECT_EQ(h.reads(dr::HDGFirst), 1);
        EXPECT_EQ(h.reads(dr::HDG), 0);
    }
}

TEST(FlightData, GearReadsThreeElementsFromTheStart)
{
    RecordingHarness h;
    h.start();
    h.setGear(1.0f, 0.5f, 0.0f);
    auto reads = ReadsOfOneFrame(h);
    int gearReads = 0;
    for (const host::Call &c : reads)
        if (c.fn == "XPLMGetDatavf") {
            EXPECT_EQ(c.args, std::string(dr::Gear) + ", 0, 3");
            gearReads++;
        }
    EXPECT_EQ(gearReads, 1);
}
