// What a run works out of numbers: the bench's nearest-rank percentiles and
// medians, and the estimate and refusal of runs larger than anyone means.

#include <gtest/gtest.h>

#include "figures/Statistics.h"
#include "modes/Modes.h"
#include "session/Session.h"

using namespace sim;

TEST(Statistics, NearestRankPercentilesMediansAndFigures)
{
    const std::vector<double> v = {50, 10, 40, 20, 30};
    EXPECT_EQ(Percentile(v, 0.99), 50);
    EXPECT_EQ(Percentile(v, 1.0), 50);
    EXPECT_EQ(Percentile(v, 0.2), 10);   // the first of five
    EXPECT_EQ(Percentile(v, 0.21), 20);  // past it: the second
    EXPECT_EQ(Percentile({7}, 0.5), 7);
    EXPECT_EQ(Median(v), 30);
    EXPECT_EQ(Median({4, 1, 3, 2}), 2.5);
    EXPECT_EQ(Figure(12), "12");
    EXPECT_EQ(Figure(2.5), "2.50");
    EXPECT_EQ(Figure(3 + 1e-12), "3");
}

TEST(Workload, RunsLargerThanAnyoneMeansAreRefusedUnlessAllowedAndLongOnesEstimated)
{
    Plan plan;
    plan.session.screenWidth = 1280;
    plan.session.screenHeight = 800;
    plan.fps = 30;
    auto check = [&](const Workload &w, std::string &err) {
        testing::internal::CaptureStderr();
        try {
            CheckWorkload(plan, w);
        } catch (...) {
            err = testing::internal::GetCapturedStderr();
            throw;
        }
        err = testing::internal::GetCapturedStderr();
    };
    std::string err;
    Workload small{100, 100, 100, 0, "--out d"};
    EXPECT_NO_THROW(check(small, err));
    EXPECT_EQ(err, "") << "a small run prints no estimate";

    Workload manyFiles{2000000, 2000000, 2000000, 0, "--out d"};
    try {
        check(manyFiles, err);
        ADD_FAILURE() << "two million frames written without --allow-large";
    } catch (const UsageError &e) {
        const std::string what = e.what();
        for (const char *word : {"2,000,000 files", "--out d", "--allow-large", "--every"})
            EXPECT_NE(what.find(word), std::string::npos) << word << " in " << what;
    }
    // Bytes alone: one video file of many large frames.
    plan.session.screenWidth = plan.session.screenHeight = 8192;
    Workload bigVideo{1000000, 1000000, 0, 1000000, "--video v.mp4"};
    EXPECT_THROW(check(bigVideo, err), UsageError);

    plan.allowLarge = true;
    EXPECT_NO_THROW(check(bigVideo, err));
    EXPECT_NE(err.find("this run: 1,000,000 frames at 30 fps"), std::string::npos) << err;
    EXPECT_NE(err.find("(--video v.mp4)"), std::string::npos) << err;
}
