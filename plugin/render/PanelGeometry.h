#ifndef OSTREL_PANELGEOMETRY_H
#define OSTREL_PANELGEOMETRY_H
// Where the panels place the pictures whose art must agree with them, in
// panel units from the panel's lower-left corner (y up): each dial's face
// and the pivot its moving parts turn about, the parts that turn, and the
// windows the plates leave open. The renderers draw from these and the art
// generator derives each sprite's own pivot from them, so a dial moved here
// moves its art and its needle together.

struct PanelPt {
    int x, y;
};

// A sprite's place: lower-left corner and size.
struct PanelBox {
    float x, y;
    int w, h;
};

// The panels' sizes in panel units (screen pixels at scale 1).
struct PanelSize {
    int w, h;
};
constexpr PanelSize GA_PANEL = {475, 320};
constexpr PanelSize GLASS_PANEL = {378, 182};
// The panel's scale, stepped by the Larger and Smaller commands.
constexpr float SCALE_MIN = 0.6f, SCALE_MAX = 2.0f, SCALE_STEP = 0.2f;

// ---- GA panel
// Attitude indicator: the horizon picture and its ring turn about the pivot
// under the plate's round window; symbol and bezel stay put over them.
constexpr PanelPt GA_AI_PIVOT = {236, 232};
constexpr PanelBox GA_AI_HORIZON = {172, 184, 128, 100};
constexpr PanelBox GA_AI_RING = {171, 168, 128, 128};
constexpr PanelBox GA_AI_AIRCRAFT = {205, 202, 62, 30};
constexpr PanelBox GA_AI_BEZEL = {155, 150, 164, 158};

constexpr PanelBox GA_ASI_DIAL = {15, 150, 140, 140};
constexpr PanelPt GA_ASI_PIVOT = {83, 224};
constexpr PanelBox GA_ASI_NEEDLE = {78, 219, 10, 63};

constexpr PanelBox GA_ALT_DIAL = {320, 150, 142, 141};
constexpr PanelPt GA_ALT_PIVOT = {391, 225};
constexpr PanelBox GA_ALT_THOUSANDS_NEEDLE = {386, 209, 10, 56};
constexpr PanelBox GA_ALT_HUNDREDS_NEEDLE = {387, 205, 8, 67};
constexpr PanelPt GA_BARO_READOUT = {377, 197};  // first of the four digit cells

constexpr PanelBox GA_TURN_DIAL = {15, 10, 140, 140};
constexpr PanelPt GA_TURN_PIVOT = {82, 83};
constexpr PanelBox GA_TURN_AIRCRAFT = {43, 79, 81, 16};

constexpr PanelBox GA_HDG_DIAL = {165, 10, 140, 140};
constexpr PanelPt GA_HDG_PIVOT = {233, 84};
constexpr PanelBox GA_HDG_CARD = {177, 28, 112, 112};
constexpr PanelBox GA_HDG_COVER = {176, 25, 114, 116};

constexpr PanelBox GA_VSI_DIAL = {320, 10, 140, 140};
constexpr PanelPt GA_VSI_PIVOT = {387, 82};
constexpr PanelBox GA_VSI_NEEDLE = {383, 77, 10, 59};

// Gear lamps for elements 0, 1 and 2 (7 x 7), over sockets in the plate.
constexpr PanelPt GA_GEAR_LAMPS[3] = {{308, 127}, {301, 111}, {316, 111}};

// ---- Glass panel (the plate is the whole panel)
constexpr PanelPt GLASS_AI_PIVOT = {239, 96};
constexpr PanelBox GLASS_AI_HORIZON = {175, 30, 128, 130};
constexpr PanelBox GLASS_ATTITUDE_WINDOW = {183, 32, 112, 130};  // the scissor box
constexpr PanelPt GLASS_VSI_PIVOT = {375, 93};
constexpr PanelBox GLASS_VSI_SCALE = {351, 46, 16, 97};
constexpr PanelBox GLASS_VSI_NEEDLE = {336, 93, 39, 3};  // left of the pivot, lower edge on it
constexpr PanelPt GLASS_HSI_PIVOT = {74, 93};
constexpr PanelBox GLASS_HSI_CARD = {18, 37, 112, 112};
constexpr PanelBox GLASS_SPEED_TAPE = {145, 32, 30, 125};
constexpr PanelBox GLASS_ALT_TAPE = {302, 32, 34, 125};
constexpr PanelBox GLASS_BALL = {232.5f, 12.5f, 13, 13};  // at rest; it moves along x
constexpr PanelPt GLASS_GEAR_LAMPS[3] = {{349, 25}, {342, 15}, {357, 15}};

#endif
