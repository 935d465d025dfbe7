// The project's CSV flight format: interpolation and error positions; the
// byte order mark in every text format.

#include <gtest/gtest.h>

#include <cmath>

#include "FlightProbe.h"
#include "flights/Events.h"

using namespace sim;
using namespace simtest;

namespace {

constexpr const char *kTheta = host::DatarefName("Pitch");
constexpr const char *kLights = host::DatarefName("Lit");
constexpr const char *kGear1 = "Gear[1]";

std::string ErrorOf(const std::string &text)
{
    return simtest::ErrorOf(ParseCsvFlight, text, "f.csv");
}

}  // namespace

TEST(CsvFlight, FloatsInterpolateIntsStepTimeStartsAtFirstRow)
{
    Flight f = ParseCsvFlight(std::string("# comment\n\ntime,") + kTheta + "," + kLights + "," + kGear1 +
                                  "\r\n10,0,0,1\r\n12,10,1,0\r\n16,-10,0,0.5\r\n",
                              "f.csv");
    EXPECT_DOUBLE_EQ(f.duration, 6);
    EXPECT_DOUBLE_EQ(At(f, kTheta, 0), 0);
    EXPECT_DOUBLE_EQ(At(f, kTheta, 1), 5);
    EXPECT_DOUBLE_EQ(At(f, kTheta, 4), 0);
    EXPECT_DOUBLE_EQ(At(f, kTheta, 99), -10);   // held after the last row
    EXPECT_DOUBLE_EQ(At(f, kTheta, -1), 0);     // and before the first
    EXPECT_DOUBLE_EQ(At(f, kLights, 1.99), 0);  // ints step at the row
    EXPECT_DOUBLE_EQ(At(f, kLights, 2), 1);
    EXPECT_DOUBLE_EQ(At(f, kLights, 5.9), 1);
    EXPECT_DOUBLE_EQ(At(f, kGear1, 1), 0.5);
    EXPECT_DOUBLE_EQ(At(f, kGear1, 6), 0.5);
}

TEST(CsvFlight, EmptyFieldIsNoSampleAndHoldsTheLastValue)
{
    Flight f = ParseCsvFlight(std::string("time,") + kTheta + "\n0,0\n1,\n2,\n3,30\n4,40\n", "f.csv");
    EXPECT_DOUBLE_EQ(At(f, kTheta, 2.5), 0);   // no value for seconds 1 and 2: hold
    EXPECT_DOUBLE_EQ(At(f, kTheta, 3), 30);
    EXPECT_DOUBLE_EQ(At(f, kTheta, 3.5), 35);  // neighbours both present: interpolate
}

TEST(CsvFlight, ViewTypeIsAColumnLikeAnyOther)
{
    Flight f = ParseCsvFlight("time,sim/graphics/view/view_type\n0,1017\n5,1026\n", "f.csv");
    EXPECT_DOUBLE_EQ(At(f, "sim/graphics/view/view_type", 4.9), 1017);
    EXPECT_DOUBLE_EQ(At(f, "sim/graphics/view/view_type", 5), 1026);
}

TEST(CsvFlight, FloatsTakeNanAndInfinities)
{
    Flight f = ParseCsvFlight(std::string("time,") + kTheta + "\n0,nan\n1,inf\n2,-inf\n3,+1.5e1\n", "f.csv");
    EXPECT_TRUE(std::isnan(At(f, kTheta, 0)));
    EXPECT_EQ(At(f, kTheta, 1), INFINITY);
    EXPECT_EQ(At(f, kTheta, 2), -INFINITY);
    EXPECT_DOUBLE_EQ(At(f, kTheta, 3), 15);
    EXPECT_EQ(At(f, kTheta, 1.5), INFINITY);  // held, not blended
    EXPECT_EQ(At(f, kTheta, 2.5), -INFINITY);
}

TEST(CsvFlight, BadInputNamesFileLineAndColumn)
{
    const std::string th = kTheta;  // 30 characters
    struct Case {
        std::string text, error;
    } cases[] = {
        {"", "f.csv: no header row"},
        {"# only a comment\n", "f.csv: no header row"},
        {"speed\n0\n", "f.csv:1:1: unknown dataref \"speed\""},
        {th + "\n0\n", "f.csv:1:1: no \"time\" column"},
        {"time,sim/foo\n0,1\n", "f.csv:1:6: unknown dataref \"sim/foo\""},
        {"time, sim/flightmodel2/gear/deploy_ratio[10]\n", "f.csv:1:7: index 10 out of range"},
        {"time,sim/flightmodel2/gear/deploy_ratio\n", "f.csv:1:6: \"sim/flightmodel2/gear/deploy_ratio\" is an array"},
        {"time," + th + "[0]\n", "f.csv:1:6: \"" + th + "\" is not an array"},
        {"time," + th + "," + th + "\n", "f.csv:1:37: column " + th + " appears twice"},
        {"time,time\n", "f.csv:1:6: second \"time\" column"},
        {"time," + th + "\n0,1\n1,1,2\n", "f.csv:3:5: expected 2 fields, found 3"},
        {"time," + th + "\n0,1\n1\n", "f.csv:3:2: expected 2 fields, found 1"},
        {"time," + th + "\n0,  1x\n", "f.csv:2:5: bad number \"1x\" for " + th},
        {"time," + th + "\nnan,1\n", "f.csv:2:1: bad time \"nan\""},
        {"time," + th + "\n-1e308,1\n1e308,2\n", "f.csv:3:1: time 1e308 is too far from the first row's"},
        {"time," + th + "\n,1\n", "f.csv:2:1: empty time"},
        {"time," + th + "\n", "f.csv:2:1: no sample rows after the header"},
        {std::string("time,") + kLights + "\n0,1.5\n", "f.csv:2:3: " + std::string(kLights) + " takes whole numbers"},
        {std::string("time,") + kLights + "\n0,nan\n", "takes whole numbers"},
        {"time," + th + "\n0,1e999\n", "f.csv:2:3: bad number \"1e999\""},
        {"time," + th + "\n0,1\n0,x\n", "f.csv:3:3: bad number \"x\""},  // checked in a skipped row too
    };
    for (const Case &c : cases)
        EXPECT_NE(ErrorOf(c.text).find(c.error), std::string::npos)
            << "input:\n" << c.text << "\nerror: " << ErrorOf(c.text) << "\nexpected: " << c.error;
}

TEST(FlightFile, UnreadableFileIsAnError)
{
    EXPECT_THROW(LoadFlightFile("/nonexistent/flight.csv"), FlightError);
    EXPECT_THROW(LoadFlight("no-such-flight"), FlightError);
}

TEST(FlightFile, ReadsTheProjectFormatFromDisk)
{
    Flight f = LoadFlightFile(SIM_DATA_DIR "/circuit-part.csv");
    EXPECT_DOUBLE_EQ(f.duration, 4);
    EXPECT_DOUBLE_EQ(At(f, "sim/cockpit2/gauges/indicators/airspeed_kts_pilot", 3), 75);
    EXPECT_DOUBLE_EQ(At(f, "sim/flightmodel2/gear/deploy_ratio[0]", 1), 0.75);
}

// A UTF-8 byte order mark, as editors on Windows write one, is skipped in
// every text format: the file reads as it does without one.
TEST(InputText, ByteOrderMarkIsSkippedInEveryFormat)
{
    const std::string bom = "\xEF\xBB\xBF";
    for (const char *file : {"circuit-part.csv", "g1000-midnight.csv", "xplane-ils.txt", "xplane-ils-comma.csv"}) {
        const std::string path = std::string(SIM_DATA_DIR "/") + file;
        const std::string text = ReadTextFile(path, "--flight", "flight file");
        const Flight plain = ParseFlight(text, file), marked = ParseFlight(bom + text, file);
        EXPECT_EQ(Notes(marked), Notes(plain)) << file;
        EXPECT_EQ(marked.tracks.size(), plain.tracks.size()) << file;
        EXPECT_EQ(marked.duration, plain.duration) << file;
    }
    const std::vector<Event> events = ParseEvents(bom + "1 command Switch\n", "e.txt");
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].time, 1);
}
