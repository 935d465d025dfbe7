#ifndef OSTREL_ATLASRECTS_H
#define OSTREL_ATLASRECTS_H
// Where each picture lies in the 1024 x 1024 master texture, in texels:
// u to the right, v counted from the first (bottom) row of the file. The
// renderers cut their sprites from these rectangles and the art generator
// draws into them, so the two can never disagree. Sprites used by both
// panels appear once.

constexpr int ATLAS_SIZE = 1024;  // texels along each side of the master texture

struct AtlasRect {
    int u0, v0, u1, v1;  // lower-left and upper-right texel edges
};

// ---- Shared by both panels
constexpr AtlasRect ATLAS_HEADING_CARD = {125, 452, 237, 564};
constexpr AtlasRect ATLAS_BALL = {7, 265, 20, 278};
constexpr AtlasRect ATLAS_STALL_LIGHT = {431, 363, 453, 376};
constexpr AtlasRect ATLAS_BRAKE_LIGHT = {932, 999, 973, 1009};
constexpr AtlasRect ATLAS_OM_LAMP = {932, 989, 943, 998};
constexpr AtlasRect ATLAS_MM_LAMP = {944, 989, 955, 998};
constexpr AtlasRect ATLAS_IM_LAMP = {956, 989, 967, 998};
constexpr AtlasRect ATLAS_GEAR_DOWN = {320, 422, 327, 429};
constexpr AtlasRect ATLAS_GEAR_TRANSIT = {329, 422, 336, 429};
constexpr AtlasRect ATLAS_SPLASH = {629, 294, 829, 369};

// ---- Digit fonts: whole strips; digit d's cell is given by the font.
constexpr AtlasRect ATLAS_FONT_BARO = {26, 342, 85, 349};    // horizontal, pitch 6, 5 x 7 glyphs
constexpr AtlasRect ATLAS_FONT_SMALL = {564, 480, 567, 539}; // vertical, pitch 6, 3 x 5 glyphs
constexpr AtlasRect ATLAS_FONT_LARGE = {240, 460, 245, 550}; // vertical, pitch 9, 5 x 9 glyphs
constexpr int FONT_BARO_W = 5, FONT_BARO_H = 7;
constexpr int FONT_SMALL_W = 3, FONT_SMALL_H = 5;
constexpr int FONT_LARGE_W = 5, FONT_LARGE_H = 9;
// Digit d's glyph in a strip whose cells are `pitch` texels apart.
constexpr AtlasRect AlongU(const AtlasRect &strip, int pitch, int w, int d)
{
    return {strip.u0 + pitch * d, strip.v0, strip.u0 + pitch * d + w, strip.v1};
}
constexpr AtlasRect AlongV(const AtlasRect &strip, int pitch, int h, int d)
{
    return {strip.u0, strip.v0 + pitch * d, strip.u1, strip.v0 + pitch * d + h};
}
constexpr AtlasRect BaroDigitCell(int d) { return AlongU(ATLAS_FONT_BARO, 6, FONT_BARO_W, d); }
constexpr AtlasRect SmallDigitCell(int d) { return AlongV(ATLAS_FONT_SMALL, 6, FONT_SMALL_H, d); }
constexpr AtlasRect LargeDigitCell(int d) { return AlongV(ATLAS_FONT_LARGE, 9, FONT_LARGE_H, d); }

// ---- GA panel
// The horizon picture's 100-row window slides over this range with pitch.
constexpr AtlasRect ATLAS_GA_HORIZON = {256, 447, 384, 707};
constexpr int GA_HORIZON_ROW = 573;  // the horizon line at zero pitch; 1 texel per degree
// The window shown at zero pitch; it moves up one row per degree of pitch.
constexpr AtlasRect ATLAS_GA_HORIZON_WINDOW = {256, 527, 384, 627};
constexpr AtlasRect ATLAS_GA_HORIZON_RING = {0, 576, 128, 704};
constexpr AtlasRect ATLAS_GA_PLATE = {0, 704, 475, 1024};
constexpr AtlasRect ATLAS_GA_AIRCRAFT = {8, 385, 70, 415};
constexpr AtlasRect ATLAS_GA_ATTITUDE_BEZEL = {618, 866, 782, 1024};
constexpr AtlasRect ATLAS_GA_AIRSPEED_DIAL = {476, 884, 616, 1024};
constexpr AtlasRect ATLAS_GA_AIRSPEED_NEEDLE = {89, 207, 99, 270};
constexpr AtlasRect ATLAS_GA_ALTIMETER_DIAL = {783, 883, 925, 1024};
constexpr AtlasRect ATLAS_GA_ALT_THOUSANDS_NEEDLE = {135, 210, 145, 266};
constexpr AtlasRect ATLAS_GA_ALT_HUNDREDS_NEEDLE = {124, 206, 132, 273};
constexpr AtlasRect ATLAS_GA_TURN_DIAL = {477, 741, 617, 881};
constexpr AtlasRect ATLAS_GA_TURN_AIRCRAFT = {185, 417, 266, 433};
constexpr AtlasRect ATLAS_GA_INCLINOMETER = {185, 398, 255, 415};
constexpr AtlasRect ATLAS_GA_HEADING_DIAL = {619, 725, 759, 865};
constexpr AtlasRect ATLAS_GA_HEADING_BUG = {440, 342, 450, 349};
constexpr AtlasRect ATLAS_GA_HEADING_COVER = {513, 253, 627, 369};
constexpr AtlasRect ATLAS_GA_VSI_DIAL = {784, 739, 924, 879};
constexpr AtlasRect ATLAS_GA_VSI_NEEDLE = {223, 206, 233, 265};
constexpr AtlasRect ATLAS_GA_STALL_HOUSING = {431, 377, 462, 399};
constexpr AtlasRect ATLAS_GA_BRAKE_HOUSING = {932, 1010, 977, 1024};
constexpr AtlasRect ATLAS_GA_MARKER_HOUSING = {932, 967, 992, 988};

// ---- Glass panel
// The horizon picture's 130-row window slides over this range with pitch.
constexpr AtlasRect ATLAS_GLASS_HORIZON = {384, 447, 512, 705};
constexpr int GLASS_HORIZON_ROW = 576;  // the horizon line at zero pitch
// The window shown at zero pitch; it moves up this many rows per degree of pitch.
constexpr AtlasRect ATLAS_GLASS_HORIZON_WINDOW = {384, 511, 512, 641};
constexpr double GLASS_HORIZON_TEXELS_PER_DEGREE = 1.6;
constexpr AtlasRect ATLAS_GLASS_ROLL_POINTER = {175, 381, 184, 388};
constexpr AtlasRect ATLAS_GLASS_FD_BAR = {86, 373, 150, 383};
constexpr AtlasRect ATLAS_GLASS_AIRCRAFT_FD = {96, 361, 139, 371};
constexpr AtlasRect ATLAS_GLASS_AIRCRAFT = {2, 364, 76, 374};
constexpr AtlasRect ATLAS_GLASS_VSI_SCALE = {547, 442, 563, 539};
constexpr AtlasRect ATLAS_GLASS_VSI_NEEDLE = {185, 379, 224, 382};
constexpr AtlasRect ATLAS_GLASS_PLATE = {515, 542, 893, 724};
constexpr AtlasRect ATLAS_GLASS_SPEED_BOX = {269, 405, 296, 432};
constexpr AtlasRect ATLAS_GLASS_ALT_BOX = {260, 373, 301, 404};
constexpr AtlasRect ATLAS_GLASS_COURSE_POINTER = {405, 200, 415, 305};
constexpr AtlasRect ATLAS_GLASS_DEVIATION_SCALE = {447, 249, 505, 255};
constexpr AtlasRect ATLAS_GLASS_CDI_BAR = {421, 224, 423, 274};
constexpr AtlasRect ATLAS_GLASS_HDG_MARKER = {439, 325, 451, 332};
constexpr AtlasRect ATLAS_GLASS_HSI_AIRCRAFT = {382, 327, 400, 346};
constexpr AtlasRect ATLAS_GLASS_HEADING_BOX = {186, 383, 233, 397};
constexpr AtlasRect ATLAS_GLASS_GS_POINTER = {486, 326, 492, 331};

// Drum strip: digit cells 12 texels high from v 398 (0 to 9, then a second
// 0), with 5 texels of the neighbours beyond both ends, and beside it the
// trailing-0 column of the two-digit window.
constexpr AtlasRect ATLAS_DRUM = {516, 393, 529, 535};
constexpr int DRUM_U0 = ATLAS_DRUM.u0, DRUM_U1 = 522, DRUM_PAIR_U1 = ATLAS_DRUM.u1;
constexpr int DRUM_CELL0 = 398, DRUM_CELL_H = 12;
// Lower edge of digit d's cell; 64 bits, so a saturated digit cannot overflow.
constexpr long long DrumCell(long long d) { return DRUM_CELL0 + DRUM_CELL_H * d; }
// The altitude readout's minus sign, one short window high, on the wheel face.
constexpr AtlasRect ATLAS_DRUM_MINUS = {531, 398, 537, 410};

struct AtlasSprite {
    const char *name;
    AtlasRect rect;
};

// Every picture of the atlas, for the art generator and the layout checks.
constexpr AtlasSprite ATLAS_SPRITES[] = {
    {"heading card", ATLAS_HEADING_CARD},
    {"inclinometer ball", ATLAS_BALL},
    {"stall light", ATLAS_STALL_LIGHT},
    {"parking-brake light", ATLAS_BRAKE_LIGHT},
    {"outer marker lamp", ATLAS_OM_LAMP},
    {"middle marker lamp", ATLAS_MM_LAMP},
    {"inner marker lamp", ATLAS_IM_LAMP},
    {"gear down lamp", ATLAS_GEAR_DOWN},
    {"gear transit lamp", ATLAS_GEAR_TRANSIT},
    {"splash", ATLAS_SPLASH},
    {"barometer digits", ATLAS_FONT_BARO},
    {"small digits", ATLAS_FONT_SMALL},
    {"large digits", ATLAS_FONT_LARGE},
    {"GA horizon", ATLAS_GA_HORIZON},
    {"GA horizon ring", ATLAS_GA_HORIZON_RING},
    {"GA plate", ATLAS_GA_PLATE},
    {"GA aircraft symbol", ATLAS_GA_AIRCRAFT},
    {"GA attitude bezel", ATLAS_GA_ATTITUDE_BEZEL},
    {"airspeed dial", ATLAS_GA_AIRSPEED_DIAL},
    {"airspeed needle", ATLAS_GA_AIRSPEED_NEEDLE},
    {"altimeter dial", ATLAS_GA_ALTIMETER_DIAL},
    {"altimeter thousands needle", ATLAS_GA_ALT_THOUSANDS_NEEDLE},
    {"altimeter hundreds needle", ATLAS_GA_ALT_HUNDREDS_NEEDLE},
    {"turn coordinator dial", ATLAS_GA_TURN_DIAL},
    {"turn coordinator aircraft", ATLAS_GA_TURN_AIRCRAFT},
    {"inclinometer tube", ATLAS_GA_INCLINOMETER},
    {"heading indicator dial", ATLAS_GA_HEADING_DIAL},
    {"heading bug", ATLAS_GA_HEADING_BUG},
    {"heading indicator cover", ATLAS_GA_HEADING_COVER},
    {"vertical speed dial", ATLAS_GA_VSI_DIAL},
    {"vertical speed needle", ATLAS_GA_VSI_NEEDLE},
    {"stall housing", ATLAS_GA_STALL_HOUSING},
    {"parking-brake housing", ATLAS_GA_BRAKE_HOUSING},
    {"marker housing", ATLAS_GA_MARKER_HOUSING},
    {"Glass horizon", ATLAS_GLASS_HORIZON},
    {"roll pointer", ATLAS_GLASS_ROLL_POINTER},
    {"flight director bar", ATLAS_GLASS_FD_BAR},
    {"aircraft symbol, flight director", ATLAS_GLASS_AIRCRAFT_FD},
    {"aircraft symbol", ATLAS_GLASS_AIRCRAFT},
    {"Glass vertical speed scale", ATLAS_GLASS_VSI_SCALE},
    {"Glass vertical speed needle", ATLAS_GLASS_VSI_NEEDLE},
    {"Glass plate", ATLAS_GLASS_PLATE},
    {"airspeed readout box", ATLAS_GLASS_SPEED_BOX},
    {"altitude readout box", ATLAS_GLASS_ALT_BOX},
    {"course pointer", ATLAS_GLASS_COURSE_POINTER},
    {"deviation scale", ATLAS_GLASS_DEVIATION_SCALE},
    {"CDI bar", ATLAS_GLASS_CDI_BAR},
    {"HDG marker", ATLAS_GLASS_HDG_MARKER},
    {"HSI aircraft symbol", ATLAS_GLASS_HSI_AIRCRAFT},
    {"heading box", ATLAS_GLASS_HEADING_BOX},
    {"glideslope pointer", ATLAS_GLASS_GS_POINTER},
    {"drum strip", ATLAS_DRUM},
    {"drum minus sign", ATLAS_DRUM_MINUS},
};

#endif
