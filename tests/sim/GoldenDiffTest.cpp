// Golden-image comparison.

#include <gtest/gtest.h>

#include <cstdio>

#include "GoldenDiff.h"

namespace {

sim::Image Flat(int w, int h, uint8_t v)
{
    sim::Image img(w, h);
    for (size_t i = 0; i < img.rgba.size(); ++i) img.rgba[i] = (i % 4 == 3) ? 255 : v;
    return img;
}

}  // namespace

TEST(GoldenDiff, CountsPixelsBeyondTheToleranceAndBoxesThem)
{
    sim::Image g = Flat(10, 8, 100), a = g;
    a.at(2, 3)[0] = 103;  // 3 off in red
    a.at(7, 5)[2] = 90;   // 10 off in blue
    a.at(4, 4)[3] = 0;    // alpha is not compared
    golden::Diff d = golden::Compare(g, a, 2);
    EXPECT_EQ(d.differing, 2);
    EXPECT_EQ(d.maxDelta, 10);
    EXPECT_EQ(d.left, 2);
    EXPECT_EQ(d.right, 7);
    EXPECT_EQ(d.top, 3);
    EXPECT_EQ(d.bottom, 5);
    EXPECT_EQ(golden::Compare(g, a, 3).differing, 1);
    EXPECT_EQ(golden::Compare(g, a, 10).differing, 0);
    EXPECT_EQ(golden::Compare(g, g, 0).differing, 0);
}

TEST(GoldenDiff, SizeMismatchIsAFailureNotACrash)
{
    golden::Diff d = golden::Compare(Flat(10, 8, 0), Flat(8, 10, 0), 255);
    EXPECT_FALSE(d.sameSize);
    sim::Image img = golden::DiffImage(Flat(10, 8, 0), Flat(8, 10, 0), 0);
    EXPECT_EQ(img.width, 10);
    EXPECT_EQ(img.height, 10);
}

TEST(GoldenDiff, DiffImageMarksDifferencesInRed)
{
    sim::Image g = Flat(4, 4, 200), a = g;
    a.at(1, 2)[1] = 0;
    sim::Image d = golden::DiffImage(g, a, 0);
    EXPECT_EQ(d.at(1, 2)[0], 255);
    EXPECT_EQ(d.at(1, 2)[1], 0);
    EXPECT_LT(d.at(0, 0)[0], 100);  // the rest dimmed grey
    EXPECT_EQ(d.at(0, 0)[0], d.at(0, 0)[1]);
}

TEST(GoldenDiff, PngRoundTrip)
{
    sim::Image img = Flat(5, 3, 7);
    img.at(4, 2)[0] = 250;
    std::string path = testing::TempDir() + "/roundtrip.png";
    sim::WritePng(path, img);
    sim::Image back = sim::ReadPng(path);
    ASSERT_EQ(back.width, 5);
    ASSERT_EQ(back.height, 3);
    EXPECT_EQ(back.at(4, 2)[0], 250);
    EXPECT_EQ(back.at(0, 0)[3], 255);
    std::remove(path.c_str());
    EXPECT_THROW(sim::ReadPng(testing::TempDir() + "/missing.png"), sim::ImageError);
}
