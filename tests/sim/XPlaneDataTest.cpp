// X-Plane's data output as a flight: the '|' and the quoted comma forms,
// column mapping, the time columns and damaged input.

#include <gtest/gtest.h>

#include <cmath>

#include "FlightProbe.h"

using namespace sim;
using namespace simtest;

namespace {

std::string ErrorOf(const std::string &text)
{
    return simtest::ErrorOf(ParseFlight, text, "Data.txt");
}

constexpr const char *kIas = host::DatarefName("Airspeed");
constexpr const char *kHeading = host::DatarefName("Heading");
constexpr const char *kAltitude = host::DatarefName("Altitude");
constexpr const char *kHdef = host::DatarefName("Nav1Hdef");
constexpr const char *kVdef = host::DatarefName("Nav1Vdef");
constexpr const char *kDme = host::DatarefName("Nav1DMEdist");
constexpr const char *kDmeMinutes = host::DatarefName("Nav1DMEtime");

}  // namespace

// Both files: 1 Hz on an ILS approach, written in X-Plane's layout for these tests.
TEST(XPlaneData, PipeFormMapsColumnsAndTakesMissionTime)
{
    Flight f = LoadFlightFile(SIM_DATA_DIR "/xplane-ils.txt");
    EXPECT_DOUBLE_EQ(f.duration, 10);  // missn,_time 640 to 650; the paused tail adds nothing
    EXPECT_NEAR(At(f, kIas, 0.5), 92.1, 1e-9);
    EXPECT_NEAR(At(f, "sim/cockpit2/gauges/indicators/vvi_fpm_pilot", 2), -640, 1e-9);
    EXPECT_NEAR(At(f, "sim/flightmodel/position/theta", 10), -1.5, 1e-9);
    EXPECT_NEAR(At(f, "sim/flightmodel/position/phi", 2), 0.7, 1e-9);
    EXPECT_NEAR(At(f, kHeading, 3.5), 359.75, 1e-9);
    EXPECT_NEAR(At(f, kHeading, 4.5), 0.25, 1e-9);  // 358 to 3: the short way round
    EXPECT_NEAR(At(f, kAltitude, 1), 2389, 1e-9);    // p-alt,ftMSL
    EXPECT_NEAR(At(f, kHdef, 5), 0.15, 1e-9);
    EXPECT_NEAR(At(f, kVdef, 5), -0.3, 1e-9);
    EXPECT_NEAR(At(f, kDme, 2), 6.15, 1e-9);
    EXPECT_DOUBLE_EQ(At(f, "sim/cockpit2/radios/indicators/nav1_has_dme", 0), 1);
    EXPECT_NEAR(At(f, kDmeMinutes, 0), 6.2 / (92.5 * 0.98) * 60, 1e-9);  // at Vtrue,_ktgs
    const std::string notes = Notes(f);
    EXPECT_NE(notes.find("time from missn,_time"), std::string::npos) << notes;
    EXPECT_NE(notes.find("skipped 3 rows repeating the previous row's time"), std::string::npos) << notes;
    EXPECT_EQ(f.notes.size(), 2u) << notes;  // the summary and that one warning
}

TEST(XPlaneData, CommaFormWithQuotedNamesReadsTheSame)
{
    Flight pipe = LoadFlightFile(SIM_DATA_DIR "/xplane-ils.txt");
    Flight comma = LoadFlightFile(SIM_DATA_DIR "/xplane-ils-comma.csv");
    EXPECT_NE(Notes(comma).find("time from _totl,_time"), std::string::npos) << Notes(comma);
    EXPECT_DOUBLE_EQ(comma.duration, 10);
    for (const char *key : {kIas, kHeading, kAltitude, kHdef, kVdef, kDme})
        for (double t : {0.0, 2.5, 4.5, 10.0}) EXPECT_DOUBLE_EQ(At(comma, key, t), At(pipe, key, t)) << key;
    DatarefKey minutes;
    ParseDatarefKey(kDmeMinutes, minutes);
    EXPECT_EQ(comma.find(minutes), nullptr);  // no ground speed column, no DME time
}

TEST(XPlaneData, TimeColumnsByPreferenceAndUnknownColumnsIgnored)
{
    Flight f = ParseFlight("_real,_time|_totl,_time|__lat,__deg|_Vind,_kias|\n"
                           "100|  50|42.1|80|\n101| 52|42.2|90|\n",
                           "Data.txt");
    EXPECT_DOUBLE_EQ(f.duration, 2);  // _totl,_time before _real,_time
    EXPECT_DOUBLE_EQ(At(f, kIas, 1), 85);
    f = ParseFlight("\"_REAL,_TIME\", \"_VIND,_KIAS\"\n7,80\n8,\n9,90\n", "Data.txt");  // any case, empty field
    EXPECT_DOUBLE_EQ(At(f, kIas, 1.5), 80);
}

TEST(XPlaneData, BadInputNamesFileLineAndColumn)
{
    struct Case {
        std::string text, error;
    } cases[] = {
        {"__lat,__deg|_Vind,_kias|\n1|2|\n",
         "Data.txt:1:1: no time column (missn,_time, _totl,_time or _real,_time); found: __lat,__deg _Vind,_kias"},
        {"_real,_time|__lat,__deg|\n1|2|\n", "Data.txt:1:1: none of the columns drives the panel; found: _real,_time __lat,__deg"},
        {"_real,_time|_Vind,_kias|\n1| 8x |\n", "Data.txt:2:4: bad number \"8x\" in column _Vind,_kias"},
        {"_real,_time|_Vind,_kias|\n1|\n", "Data.txt:2:3: expected 2 fields, found 1"},
        {"_real,_time|_Vind,_kias|\n|80|\n", "Data.txt:2:1: empty time"},
        {"_real,_time|_Vind,_kias|\n", "Data.txt:2:1: no sample rows"},
    };
    for (const Case &c : cases)
        EXPECT_NE(ErrorOf(c.text).find(c.error), std::string::npos)
            << "input:\n" << c.text << "\nerror: " << ErrorOf(c.text) << "\nexpected: " << c.error;
}

// Every format: a pause repeats the time, a restart sends it back.
TEST(LogReading, PausedAndRestartedRowsAreSkippedWithWarnings)
{
    const double times[] = {0, 1, 2, 2, 3, 1, 2, 3, 4};
    const double values[] = {0, 10, 20, 99, 30, -1, -2, -3, 40};
    struct Format {
        const char *name;
        std::string header;
        int headerLines;
        std::string (*row)(double t, double v);
    } formats[] = {
        {"csv", "time,sim/flightmodel/position/phi\n", 1,
         [](double t, double v) { return std::to_string(t) + "," + std::to_string(v) + "\n"; }},
        {"garmin", "#airframe_info,\n#units\nLcl Date,Lcl Time,Roll\n", 3,
         [](double t, double v) {
             return "2024-01-01,10:00:0" + std::to_string(int(t)) + "," + std::to_string(v) + "\n";
         }},
        {"xplane", "   missn,_time|   _roll,__deg|\n", 1,
         [](double t, double v) { return "  " + std::to_string(t) + "|  " + std::to_string(v) + "|\n"; }},
    };
    for (const Format &fm : formats) {
        std::string text = fm.header;
        for (size_t i = 0; i < std::size(times); ++i) text += fm.row(times[i], values[i]);
        Flight f = ParseFlight(text, "rec");
        EXPECT_DOUBLE_EQ(f.duration, 4) << fm.name;
        for (double t : {0.0, 1.0, 2.0, 3.0, 4.0})
            EXPECT_DOUBLE_EQ(At(f, "sim/flightmodel/position/phi", t), 10 * t) << fm.name << " t=" << t;
        const std::string notes = Notes(f);
        const std::string lines = std::to_string(fm.headerLines + 6) + "-" + std::to_string(fm.headerLines + 8);
        EXPECT_NE(notes.find("warning: rec: skipped 1 rows repeating"), std::string::npos) << fm.name << notes;
        EXPECT_NE(notes.find("warning: rec: skipped 3 rows whose time goes back"), std::string::npos)
            << fm.name << notes;
        EXPECT_NE(notes.find("lines " + lines + "\n"), std::string::npos) << fm.name << notes;
    }
}
