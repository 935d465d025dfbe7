// Garmin flight data logs: column mapping, empty fields, the clock and
// damaged input.

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>

#include "FlightProbe.h"

using namespace sim;
using namespace simtest;

namespace {

const std::string kHeader =
    "#airframe_info, log_version=\"1.00\", airframe_name=\"Test, 1\", product=\"G1000\",\n"
    "#yyy-mm-dd, hh:mm:ss, kt, deg\n"
    "  Lcl Date, Lcl Time,    IAS,  HDG\n";

std::string ErrorOf(const std::string &text)
{
    return simtest::ErrorOf(ParseGarminLog, text, "log.csv");
}

}  // namespace

TEST(GarminLog, MapsColumnsOntoThePanelsDatarefs)
{
    Flight f = LoadFlightFile(SIM_DATA_DIR "/g1000-midnight.csv");
    EXPECT_DOUBLE_EQ(f.duration, 6);  // 23:59:57 to 00:00:03 the next day
    EXPECT_DOUBLE_EQ(At(f, "sim/flightmodel/misc/h_ind", 0.5), 1505);  // AltB when no AltInd
    EXPECT_DOUBLE_EQ(At(f, "sim/cockpit2/gauges/indicators/vvi_fpm_pilot", 0.5), 550);
    EXPECT_DOUBLE_EQ(At(f, "sim/cockpit2/gauges/actuators/barometer_setting_in_hg_pilot", 5), 30.01);
    EXPECT_DOUBLE_EQ(At(f, "sim/flightmodel/position/phi", 1.5), 3);
    EXPECT_DOUBLE_EQ(At(f, "sim/flightmodel/position/theta", 2), 5);
    EXPECT_NEAR(At(f, "sim/flightmodel/misc/slip", 0), 0.05 * 57.3, 1e-9);
    EXPECT_DOUBLE_EQ(At(f, "sim/cockpit2/radios/actuators/nav1_course_deg_mag_pilot", 3), 30);
    EXPECT_DOUBLE_EQ(At(f, "sim/cockpit2/radios/actuators/nav1_obs_deg_mag_pilot", 3), 30);
    // Deviation as a fraction of full scale; 2.5 dots at full scale.
    EXPECT_NEAR(At(f, "sim/cockpit2/radios/indicators/nav1_hdef_dots_pilot", 0), 1.0, 1e-9);
    EXPECT_NEAR(At(f, "sim/cockpit2/radios/indicators/nav1_vdef_dots_pilot", 3), 0.5, 1e-9);
    // Flight director roll and pitch commands (PichC).
    EXPECT_DOUBLE_EQ(At(f, "sim/cockpit2/autopilot/flight_director_roll_deg", 2.5), 11);
    EXPECT_DOUBLE_EQ(At(f, "sim/cockpit2/autopilot/flight_director_pitch_deg", 6), 6);
    // Columns a log lacks are not driven.
    EXPECT_FALSE(Has(f, "sim/flightmodel2/gear/deploy_ratio[0]"));
    EXPECT_FALSE(Has(f, "sim/cockpit2/radios/indicators/outer_marker_lit"));
}

TEST(GarminLog, HeadingsInterpolateTheShortWayRound)
{
    Flight f = LoadFlightFile(SIM_DATA_DIR "/g1000-midnight.csv");
    EXPECT_NEAR(At(f, "sim/flightmodel/position/magpsi", 0.5), 0.0, 1e-9);  // 358 -> 002
    EXPECT_NEAR(At(f, "sim/flightmodel/position/magpsi", 0.25), 359.0, 1e-9);
}

TEST(GarminLog, EmptyFieldsHoldTheLastValue)
{
    Flight f = LoadFlightFile(SIM_DATA_DIR "/g1000-midnight.csv");
    const char *ias = "sim/cockpit2/gauges/indicators/airspeed_kts_pilot";
    EXPECT_DOUBLE_EQ(At(f, ias, 0.5), 96);  // consecutive values interpolate
    EXPECT_DOUBLE_EQ(At(f, ias, 2.5), 97);  // seconds 2 and 3 are empty: held
    EXPECT_DOUBLE_EQ(At(f, ias, 3.9), 97);
    EXPECT_DOUBLE_EQ(At(f, ias, 4.5), 102);
}

TEST(GarminLog, DmeFromWaypointDistanceAndGroundSpeed)
{
    Flight f = LoadFlightFile(SIM_DATA_DIR "/g1000-midnight.csv");
    EXPECT_DOUBLE_EQ(At(f, "sim/cockpit2/radios/indicators/nav1_has_dme", 0), 1);
    EXPECT_DOUBLE_EQ(At(f, "sim/cockpit2/radios/indicators/nav1_dme_distance_nm", 0.5), 5.5);
    const char *minutes = "sim/cockpit2/radios/indicators/nav1_dme_time_min";
    EXPECT_NEAR(At(f, minutes, 0), 6.0 / 100 * 60, 1e-9);
    EXPECT_NEAR(At(f, minutes, 3), 4.0 / 100 * 60, 1e-9);  // no distance that second: last one
    EXPECT_DOUBLE_EQ(At(f, minutes, 4), 0);                // hardly moving: no time to go
}

TEST(GarminLog, FlightDirectorFromRollModeAndAutopilot)
{
    Flight f = LoadFlightFile(SIM_DATA_DIR "/g1000-midnight.csv");
    const char *mode = "sim/cockpit2/autopilot/flight_director_mode";
    EXPECT_DOUBLE_EQ(At(f, mode, 1), 0);  // RollM NONE
    EXPECT_DOUBLE_EQ(At(f, mode, 2), 2);  // ROL with the autopilot on
    EXPECT_DOUBLE_EQ(At(f, mode, 3), 2);  // empty RollM holds
    EXPECT_DOUBLE_EQ(At(f, mode, 4), 0);
}

TEST(GarminLog, ReportsAirframeAndTimeSpan)
{
    Flight f = LoadFlightFile(SIM_DATA_DIR "/g1000-midnight.csv");
    std::string notes = Notes(f);
    EXPECT_NE(notes.find("airframe \"Cessna 172S\" (GDU 1040)"), std::string::npos) << notes;
    EXPECT_NE(notes.find("2023-06-02 23:59:57 to 2023-06-03 00:00:03"), std::string::npos) << notes;
    EXPECT_NE(notes.find("0:00:06, 7 rows"), std::string::npos) << notes;
}

TEST(GarminLog, CutShortLastLineIsAWarningAndSkipped)
{
    Flight f = LoadFlightFile(SIM_DATA_DIR "/g3x-cut-short.csv");
    EXPECT_DOUBLE_EQ(f.duration, 2);
    // AltInd wins over AltB; PitchC is the director's pitch.
    EXPECT_DOUBLE_EQ(At(f, "sim/flightmodel/misc/h_ind", 1.5), 2025);
    EXPECT_DOUBLE_EQ(At(f, "sim/cockpit2/autopilot/flight_director_pitch_deg", 2), 3.5);
    std::string notes = Notes(f);
    EXPECT_NE(notes.find("airframe \"RV-10\" (G3X Touch)"), std::string::npos) << notes;
    EXPECT_NE(notes.find("warning: " SIM_DATA_DIR "/g3x-cut-short.csv:7:"), std::string::npos) << notes;
    EXPECT_NE(notes.find("last line cut short"), std::string::npos) << notes;
}

TEST(GarminLog, RowsWithoutClockOrRepeatingIt)
{
    Flight f = ParseGarminLog(kHeader +
                                  ",,90,100\n"                       // before any clock: skipped
                                  "2024-01-01,10:00:00,100,100\n"
                                  "2024-01-01,10:00:00,999,100\n"   // same second again: skipped
                                  ",,110,100\n"                      // one second after the last
                                  "2024-01-01,10:00:02,120,100\n",
                              "log.csv");
    EXPECT_DOUBLE_EQ(At(f, "sim/cockpit2/gauges/indicators/airspeed_kts_pilot", 1), 110);
    EXPECT_DOUBLE_EQ(At(f, "sim/cockpit2/gauges/indicators/airspeed_kts_pilot", 1.5), 115);
    std::string notes = Notes(f);
    EXPECT_NE(notes.find("skipped 1 rows before the first clock"), std::string::npos) << notes;
    EXPECT_NE(notes.find("skipped 1 rows repeating"), std::string::npos) << notes;
    EXPECT_NE(notes.find("airframe \"Test, 1\" (G1000)"), std::string::npos) << notes;
}

TEST(GarminLog, BadInputNamesFileLineAndColumn)
{
    struct Case {
        std::string text, error;
    } cases[] = {
        {"#airframe_info,\nLcl Date,Lcl Time\n", "log.csv:2:1: expected the line of column units"},
        {"#airframe_info,\n#units\n", "log.csv:3:1: expected the line of column names"},
        {"#airframe_info,\n#u\nLcl Date,IAS\n", "log.csv:3:1: no \"Lcl Time\" column"},
        {kHeader + "2024-01-01,10:00:00,1x0,100\n2024-01-01,10:00:01,100,100\n",
         "log.csv:4:21: bad number \"1x0\" in column IAS"},
        {kHeader + "2024-13-01,10:00:00,100,100\n2024-01-01,10:00:01,100,100\n",
         "log.csv:4:1: bad date \"2024-13-01\""},
        {kHeader + "2024-01-01,10:0:00,100,100\n2024-01-01,10:00:01,100,100\n",
         "log.csv:4:12: bad time \"10:0:00\""},
        {kHeader + "2024-01-01,10:00:00,100\n2024-01-01,10:00:01,100,100\n",
         "log.csv:4:24: expected 4 fields, found 3"},
        {kHeader, "log.csv:4:1: no data rows"},
    };
    for (const Case &c : cases)
        EXPECT_NE(ErrorOf(c.text).find(c.error), std::string::npos)
            << "input:\n" << c.text << "\nerror: " << ErrorOf(c.text) << "\nexpected: " << c.error;
}

TEST(GarminLog, AnHourOfRowsLoadsQuickly)
{
    std::string text =
        "#airframe_info, airframe_name=\"Cessna 182T\",\n#units\n"
        "Lcl Date,Lcl Time,UTCOfst,AtvWpt,Latitude,Longitude,AltB,BaroA,AltMSL,OAT,IAS,GndSpd,VSpd,Pitch,"
        "Roll,LatAc,NormAc,HDG,TRK,volt1,amp1,FQtyL,FQtyR,E1 FFlow,E1 OilT,E1 OilP,E1 MAP,E1 RPM,E1 CHT1,"
        "E1 EGT1,AltGPS,TAS,HSIS,CRS,NAV1,NAV2,COM1,COM2,HCDI,VCDI,WndSpd,WndDr,WptDst,WptBrg,MagVar,"
        "AfcsOn,RollM,PitchM,RollC,PichC,VSpdG,GPSfix,HAL,VAL\n";
    char row[512];
    for (int i = 0; i < 3600; ++i) {
        std::snprintf(row, sizeof row,
                      "2024-05-01, %02d:%02d:%02d, -05:00, KBOS, 42.36%05d, -71.00%05d, %7.1f, 29.92, "
                      "%7.1f, 12.0, %5.1f, %5.1f, %6.1f, %5.2f, %5.2f, 0.01, 1.00, %5.1f, %5.1f, 28.1, 4.2, "
                      "20.1, 20.3, 11.2, 190, 75, 23.1, 2400, 380, 1350, 3000.0, 140, GPS, 090.0, 110.10, "
                      "113.00, 118.50, 121.90, %5.2f, %5.2f, 12, 270, %5.2f, 090, -14.5, 1, HDG, ALT, "
                      "%5.1f, %5.1f, 0, 3D, 0.3, 0.5\n",
                      10 + i / 3600, i / 60 % 60, i % 60, i, i, 3000.0 + i % 100, 3000.0 + i % 100,
                      120.0 + i % 7, 130.0 + i % 5, double(i % 300), 2.0 + i % 3, double(i % 20),
                      double(i % 360), double(i % 360), (i % 100) / 100.0, -(i % 100) / 100.0,
                      20.0 - i / 200.0, double(i % 25), 3.0 + i % 2);
        text += row;
    }
    auto start = std::chrono::steady_clock::now();
    Flight f = ParseGarminLog(text, "hour.csv");
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_DOUBLE_EQ(f.duration, 3599);
    EXPECT_LT(seconds, 1.0);
    EXPECT_DOUBLE_EQ(At(f, "sim/cockpit2/gauges/indicators/airspeed_kts_pilot", 3599), 120.0 + 3599 % 7);
}
