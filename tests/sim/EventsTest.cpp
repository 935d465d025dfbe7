// The events file and --command NAME@T.

#include <gtest/gtest.h>

#include "flights/Events.h"
#include "flights/InputText.h"
#include "XPLMDisplay.h"
#include "XPLMUtilities.h"

using namespace sim;

namespace {

std::vector<Event> Parse(const std::string &text)
{
    std::vector<std::string> notes;
    std::vector<Event> events = ParseEvents(text, "ev.txt", notes);
    EXPECT_EQ(notes, std::vector<std::string>{});
    return events;
}

}  // namespace

TEST(Events, ParsesCommandPhasesAndMouseEvents)
{
    std::vector<Event> e = Parse("# drag the panel\n"
                                 "1.5 command sim/view/ostrel_select\n"
                                 "\n"
                                 "2   begin  sim/view/ostrel_panel_larger   # held\n"
                                 "2.1 continue sim/view/ostrel_panel_larger\n"
                                 "2.2 end sim/view/ostrel_panel_larger\n"
                                 "3 down 100 80\n"
                                 "3.5\tdrag -20 900\n"
                                 "4 up 300 200\n");
    ASSERT_EQ(e.size(), 7u);
    EXPECT_EQ(e[0].kind, Event::Kind::Command);
    EXPECT_DOUBLE_EQ(e[0].time, 1.5);
    EXPECT_EQ(e[0].command, "sim/view/ostrel_select");
    EXPECT_EQ(e[0].phases, (std::vector<int>{xplm_CommandBegin, xplm_CommandEnd}));
    EXPECT_EQ(e[1].phases, (std::vector<int>{xplm_CommandBegin}));
    EXPECT_EQ(e[2].phases, (std::vector<int>{xplm_CommandContinue}));
    EXPECT_EQ(e[3].phases, (std::vector<int>{xplm_CommandEnd}));
    EXPECT_EQ(e[3].origin, "ev.txt:6");
    EXPECT_EQ(e[4].kind, Event::Kind::Mouse);
    EXPECT_EQ(e[4].mouse, xplm_MouseDown);
    EXPECT_EQ(e[4].x, 100);
    EXPECT_EQ(e[4].y, 80);
    EXPECT_EQ(e[5].mouse, xplm_MouseDrag);
    EXPECT_EQ(e[5].x, -20);
    EXPECT_EQ(e[6].mouse, xplm_MouseUp);
}

TEST(Events, BadLinesNameFileLineAndColumn)
{
    struct Case {
        std::string text, error;
    } cases[] = {
        {"x command a\n", "ev.txt:1:1: bad time \"x\""},
        {"\n -1 command a\n", "ev.txt:2:2: bad time \"-1\""},
        {"1\n", "ev.txt:1:2: missing event kind"},
        {"1 click 3 4\n", "ev.txt:1:3: unknown event \"click\""},
        {"1 command\n", "ev.txt:1:10: \"command\" needs a command name"},
        {"1 command a b\n", "ev.txt:1:13: unexpected \"b\""},
        {"1 down 10\n", "ev.txt:1:10: \"down\" needs x and y"},
        {"1 down 10 2.5\n", "ev.txt:1:11: bad y \"2.5\""},
        {"1 up ten 2\n", "ev.txt:1:6: bad x \"ten\""},
    };
    for (const Case &c : cases) {
        std::string got = "(no error)";
        try {
            Parse(c.text);
        } catch (const FlightError &e) {
            got = e.what();
        }
        EXPECT_NE(got.find(c.error), std::string::npos) << c.text << "got: " << got;
    }
}

TEST(Events, CommandAtTime)
{
    Event e;
    EXPECT_EQ(ParseCommandAt("sim/view/ostrel_force_on@12.5", e), "");
    EXPECT_EQ(e.command, "sim/view/ostrel_force_on");
    EXPECT_DOUBLE_EQ(e.time, 12.5);
    EXPECT_EQ(e.phases, (std::vector<int>{xplm_CommandBegin, xplm_CommandEnd}));
    for (const char *bad : {"sim/view/ostrel_force_on", "@3", "a@", "a@x", "a@-2", "a@inf", "a@nan"})
        EXPECT_NE(ParseCommandAt(bad, e), "") << bad;
}

TEST(Events, SortIsByTimeAndKeepsTheOrderOfEqualTimes)
{
    std::vector<Event> e = Parse("2 down 1 1\n1 up 2 2\n2 drag 3 3\n0.5 up 4 4\n");
    SortEvents(e);
    ASSERT_EQ(e.size(), 4u);
    EXPECT_EQ(e[0].x, 4);
    EXPECT_EQ(e[1].x, 2);
    EXPECT_EQ(e[2].x, 1);
    EXPECT_EQ(e[3].x, 3);
}
