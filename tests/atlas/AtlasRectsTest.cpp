// The texel rectangles are the interface to the texture file: a repainted
// Ostrel.tga relies on every picture standing exactly here. The tables below
// are written out on their own, not taken from the shared header, so that a
// rectangle moved there (and its art with it) is caught.

#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <string>

#include "AtlasRects.h"

static bool operator==(const AtlasRect &a, const AtlasRect &b)
{
    return a.u0 == b.u0 && a.v0 == b.v0 && a.u1 == b.u1 && a.v1 == b.v1;
}

static std::ostream &operator<<(std::ostream &o, const AtlasRect &r)
{
    return o << "(" << r.u0 << ", " << r.v0 << ")-(" << r.u1 << ", " << r.v1 << ")";
}

TEST(AtlasRects, EveryPictureStandsWhereTheTextureFileHasIt)
{
    const std::map<std::string, AtlasRect> file = {
        {"heading card", {125, 452, 237, 564}},
        {"inclinometer ball", {7, 265, 20, 278}},
        {"stall light", {431, 363, 453, 376}},
        {"parking-brake light", {932, 999, 973, 1009}},
        {"outer marker lamp", {932, 989, 943, 998}},
        {"middle marker lamp", {944, 989, 955, 998}},
        {"inner marker lamp", {956, 989, 967, 998}},
        {"gear down lamp", {320, 422, 327, 429}},
        {"gear transit lamp", {329, 422, 336, 429}},
        {"splash", {629, 294, 829, 369}},
        {"barometer digits", {26, 342, 85, 349}},
        {"small digits", {564, 480, 567, 539}},
        {"large digits", {240, 460, 245, 550}},
        {"GA horizon", {256, 447, 384, 707}},
        {"GA horizon ring", {0, 576, 128, 704}},
        {"GA plate", {0, 704, 475, 1024}},
        {"GA aircraft symbol", {8, 385, 70, 415}},
        {"GA attitude bezel", {618, 866, 782, 1024}},
        {"airspeed dial", {476, 884, 616, 1024}},
        {"airspeed needle", {89, 207, 99, 270}},
        {"altimeter dial", {783, 883, 925, 1024}},
        {"altimeter thousands needle", {135, 210, 145, 266}},
        {"altimeter hundreds needle", {124, 206, 132, 273}},
        {"turn coordinator dial", {477, 741, 617, 881}},
        {"turn coordinator aircraft", {185, 417, 266, 433}},
        {"inclinometer tube", {185, 398, 255, 415}},
        {"heading indicator dial", {619, 725, 759, 865}},
        {"heading bug", {440, 342, 450, 349}},
        {"heading indicator cover", {513, 253, 627, 369}},
        {"vertical speed dial", {784, 739, 924, 879}},
        {"vertical speed needle", {223, 206, 233, 265}},
        {"stall housing", {431, 377, 462, 399}},
        {"parking-brake housing", {932, 1010, 977, 1024}},
        {"marker housing", {932, 967, 992, 988}},
        {"Glass horizon", {384, 447, 512, 705}},
        {"roll pointer", {175, 381, 184, 388}},
        {"flight director bar", {86, 373, 150, 383}},
        {"aircraft symbol, flight director", {96, 361, 139, 371}},
        {"aircraft symbol", {2, 364, 76, 374}},
        {"Glass vertical speed scale", {547, 442, 563, 539}},
        {"Glass vertical speed needle", {185, 379, 224, 382}},
        {"Glass plate", {515, 542, 893, 724}},
        {"airspeed readout box", {269, 405, 296, 432}},
        {"altitude readout box", {260, 373, 301, 404}},
        {"course pointer", {405, 200, 415, 305}},
        {"deviation scale", {447, 249, 505, 255}},
        {"CDI bar", {421, 224, 423, 274}},
        {"HDG marker", {439, 325, 451, 332}},
        {"HSI aircraft symbol", {382, 327, 400, 346}},
        {"heading box", {186, 383, 233, 397}},
        {"glideslope pointer", {486, 326, 492, 331}},
        {"drum strip", {516, 393, 529, 535}},
        {"drum minus sign", {531, 398, 537, 410}},
    };
    std::map<std::string, AtlasRect> shared;
    for (const AtlasSprite &s : ATLAS_SPRITES) shared[s.name] = s.rect;
    EXPECT_EQ(shared.size(), std::size(ATLAS_SPRITES)) << "a name is listed twice";
    for (const auto &[name, rect] : file) {
        auto it = shared.find(name);
        if (it == shared.end()) {
            ADD_FAILURE() << name << " is missing from the sprite list";
            continue;
        }
        EXPECT_EQ(it->second, rect) << name;
    }
    for (const auto &[name, rect] : shared)
        EXPECT_TRUE(file.count(name)) << name << " " << rect << " is not in the texture file's table";

    // The horizon pictures' windows at zero pitch, inside their ranges above.
    EXPECT_EQ(ATLAS_GA_HORIZON_WINDOW, (AtlasRect{256, 527, 384, 627}));
    EXPECT_EQ(ATLAS_GLASS_HORIZON_WINDOW, (AtlasRect{384, 511, 512, 641}));
}

TEST(AtlasRects, DigitCellsAndDrumWheelsStandWhereTheTextureFileHasThem)
{
    const struct {
        int d;
        AtlasRect baro, small, large;
    } cells[] = {
        {0, {26, 342, 31, 349}, {564, 480, 567, 485}, {240, 460, 245, 469}},
        {1, {32, 342, 37, 349}, {564, 486, 567, 491}, {240, 469, 245, 478}},
        {7, {68, 342, 73, 349}, {564, 522, 567, 527}, {240, 523, 245, 532}},
        {9, {80, 342, 85, 349}, {564, 534, 567, 539}, {240, 541, 245, 550}},
    };
    for (const auto &c : cells) {
        SCOPED_TRACE(c.d);
        EXPECT_EQ(BaroDigitCell(c.d), c.baro);
        EXPECT_EQ(SmallDigitCell(c.d), c.small);
        EXPECT_EQ(LargeDigitCell(c.d), c.large);
    }
    EXPECT_EQ((std::pair{FONT_BARO_W, FONT_BARO_H}), (std::pair{5, 7}));
    EXPECT_EQ((std::pair{FONT_SMALL_W, FONT_SMALL_H}), (std::pair{3, 5}));
    EXPECT_EQ((std::pair{FONT_LARGE_W, FONT_LARGE_H}), (std::pair{5, 9}));

    // The drum wheels: digit columns, the trailing-0 column beside them, and
    // the lower edge of each 12-texel cell, the strip's second 0 included.
    EXPECT_EQ(DRUM_U0, 516);
    EXPECT_EQ(DRUM_U1, 522);
    EXPECT_EQ(DRUM_PAIR_U1, 529);
    EXPECT_EQ(DRUM_CELL_H, 12);
    const std::pair<int, int> wheel[] = {{0, 398}, {1, 410}, {5, 458}, {9, 506}, {10, 518}};
    for (auto [d, v0] : wheel) EXPECT_EQ(DrumCell(d), v0) << d;
}
