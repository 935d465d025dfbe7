// The project's CSV flight format: interpolation and error positions; what
// every text format shares: the byte order mark, padding, a last line cut
// short, the heading under both its names.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>

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

std::string SampleText(const char *file)
{
    std::vector<std::string> notes;
    return ReadTextFile(std::string(SIM_DATA_DIR "/") + file, "--flight", "flight file", notes);
}

// The same tracks, sample for sample.
void ExpectSameTracks(const Flight &a, const Flight &b, const std::string &what)
{
    ASSERT_EQ(a.tracks.size(), b.tracks.size()) << what;
    for (size_t i = 0; i < a.tracks.size(); ++i) {
        const Track &s = a.tracks[i], &t = b.tracks[i];
        EXPECT_TRUE(s.key == t.key) << what << ": " << s.key.text();
        ASSERT_EQ(s.samples.size(), t.samples.size()) << what << ": " << s.key.text();
        for (size_t k = 0; k < s.samples.size(); ++k)
            EXPECT_TRUE(s.samples[k].t == t.samples[k].t && s.samples[k].v == t.samples[k].v &&
                        s.samples[k].linked == t.samples[k].linked)
                << what << ": " << s.key.text() << " sample " << k;
    }
    EXPECT_EQ(a.duration, b.duration) << what;
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
        std::vector<std::string> notes;
        const std::string text = ReadTextFile(path, "--flight", "flight file", notes);
        const Flight plain = ParseFlight(text, file), marked = ParseFlight(bom + text, file);
        EXPECT_EQ(Notes(marked), Notes(plain)) << file;
        EXPECT_EQ(marked.tracks.size(), plain.tracks.size()) << file;
        EXPECT_EQ(marked.duration, plain.duration) << file;
    }
    std::vector<std::string> notes;
    const std::vector<Event> events = ParseEvents(bom + "1 command Switch\n", "e.txt", notes);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].time, 1);
}

// Avionics preallocate their log files: past the last line, the file holds
// NUL bytes, or 0xFF where the flash was erased. Every format reads as
// without them, with one note; a NUL before the end is still binary content.
TEST(InputText, PaddingAtTheEndIsIgnoredWithOneNoteInEveryFormat)
{
    const std::filesystem::path path =
        std::filesystem::path(testing::TempDir()) / ("ostrel-padded-" + std::to_string(getpid()) + ".txt");
    auto read = [&](const std::string &bytes, std::vector<std::string> &notes) {
        std::ofstream(path, std::ios::binary) << bytes;
        return ReadTextFile(path.string(), "--flight", "flight file", notes);
    };
    const std::string texts[] = {SampleText("circuit-part.csv"), SampleText("g1000-midnight.csv"),
                                 SampleText("xplane-ils.txt"), "1 command Switch\n2 down 10 10\n"};
    const std::string pads[] = {std::string(64 << 10, '\0'), std::string(3000, '\xFF'), std::string("\0\xFF\xFF\0", 4)};
    for (const std::string &text : texts)
        for (const std::string &pad : pads) {
            std::vector<std::string> notes;
            EXPECT_EQ(read(text + pad, notes), text) << text.substr(0, 40);
            ASSERT_EQ(notes.size(), 1u);
            EXPECT_NE(notes[0].find(": ignored the " + std::to_string(pad.size()) + " bytes of "), std::string::npos)
                << notes[0];
        }
    // The flight's notes carry it, once.
    std::ofstream(path, std::ios::binary) << texts[2] << pads[0];
    const std::string notes = Notes(LoadFlightFile(path.string()));
    EXPECT_EQ(notes.find("ignored the 65536 bytes of NUL padding"), notes.rfind("ignored the")) << notes;
    EXPECT_NE(notes.find("ignored the 65536 bytes of NUL padding"), std::string::npos) << notes;

    const std::string rows = "time,Roll\n0,1\n";  // 14 bytes
    const struct {
        std::string bytes, error;
    } refused[] = {
        {rows + std::string("\0\n1,2\n", 6), "byte 14 (line 3, column 1) is 0x00"},  // inside the data
        {rows + std::string(100, '\0') + "\n", "byte 14 (line 3, column 1) is 0x00"},   // text after it
        {rows + "\x1A", "byte 14 (line 3, column 1) is 0x1A"},                           // not padding
    };
    for (const auto &r : refused) {
        std::vector<std::string> notes;
        std::string error = "(no error)";
        try {
            read(r.bytes, notes);
        } catch (const FlightError &e) {
            error = e.what();
        }
        EXPECT_NE(error.find(r.error), std::string::npos) << error;
    }
    std::filesystem::remove(path);
}

// A recorder that loses power ends its log in part of a line: every format
// drops it with one warning, and reads the rest as it would without it. The
// same line with a line end is refused, as a line that does not read is,
// but in a Garmin log, whose last line is skipped whatever is wrong with it.
TEST(InputText, ALastLineCutShortIsSkippedWithOneWarningInEveryFormat)
{
    struct Format {
        const char *file;
        bool allButTheClosingBar;  // else half the line
        bool refusedWithALineEnd;
    } formats[] = {
        {"circuit-part.csv", false, true},
        {"g1000-midnight.csv", false, false},
        {"xplane-ils.txt", false, true},
        {"xplane-ils-comma.csv", false, true},
        {"xplane-ils.txt", true, false},
    };
    for (const Format &fm : formats) {
        const std::string text = SampleText(fm.file);
        const size_t start = text.rfind('\n', text.size() - 2) + 1;
        const std::string before = text.substr(0, start), last = text.substr(start, text.size() - start - 1);
        const std::string cut = before + last.substr(0, fm.allButTheClosingBar ? last.rfind('|') : last.size() / 2);
        SCOPED_TRACE(std::string(fm.file) + (fm.allButTheClosingBar ? ", all but the closing '|'" : ", half a line"));
        const Flight whole = ParseFlight(before, fm.file), parsed = ParseFlight(cut, fm.file);
        ExpectSameTracks(parsed, whole, fm.file);
        ASSERT_EQ(parsed.notes.size(), whole.notes.size() + 1) << Notes(parsed);
        EXPECT_NE(Notes(parsed).find("last line cut short; skipped"), std::string::npos) << Notes(parsed);
        if (fm.refusedWithALineEnd) {
            EXPECT_NE(simtest::ErrorOf(ParseFlight, cut + "\n", fm.file), "(no error)");
        }
    }
    std::vector<std::string> notes;
    EXPECT_EQ(ParseEvents("1 command Switch\n2 down 30", "e.txt", notes).size(), 1u);
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_NE(notes[0].find("e.txt:2:10: \"down\" needs x and y (screen pixels) (last line cut short; skipped)"), std::string::npos)
        << notes[0];
    EXPECT_THROW(ParseEvents("1 command Switch\n2 down 30\n", "e.txt", notes), FlightError);
}

// X-Plane publishes the heading as mag_psi and, marked replaced by it, as
// magpsi: every flight drives both with the same values, from a column of
// either name; one with both columns keeps each.
TEST(Flights, TheHeadingDrivesBothItsNames)
{
    const char *now = host::DatarefName("Heading"), *old = host::DatarefName("HeadingOld");
    const Flight flights[] = {
        CircuitFlight(),
        LoadFlightFile(SIM_DATA_DIR "/g1000-midnight.csv"),
        LoadFlightFile(SIM_DATA_DIR "/xplane-ils.txt"),
        ParseCsvFlight("time,Heading\n0,350\n2,10\n", "f.csv"),
        ParseCsvFlight(std::string("time,") + old + "\n0,350\n2,10\n", "f.csv"),
    };
    for (const Flight &f : flights)
        for (double t : {0.0, 1.0, 2.5, 60.0}) {
            EXPECT_EQ(At(f, now, t), At(f, old, t)) << f.name << " at " << t;
            EXPECT_FALSE(std::isnan(At(f, now, t)));
        }
    const Flight both = ParseCsvFlight("time,Heading,HeadingOld\n0,90,0\n", "f.csv");
    EXPECT_DOUBLE_EQ(At(both, now, 0), 90);
    EXPECT_DOUBLE_EQ(At(both, old, 0), 0);
}
