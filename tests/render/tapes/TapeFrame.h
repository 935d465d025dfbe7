#ifndef OSTREL_TESTS_TAPES_TAPEFRAME_H
#define OSTREL_TESTS_TAPES_TAPEFRAME_H
// One recorded Glass frame taken apart into what the speed bands, the two
// tapes and the drum readouts drew. They are told from the panel's own
// sprites by kind: the bands are the frame's only untextured quads, the
// ticks its only lines, the tape labels its only small-font glyphs and the
// drum windows its only quads cut from the drum strip (or the readout's minus
// sign beside it). Positions are given
// relative to the panel origin.

#include <string>
#include <vector>

#include "RecordingHarness.h"
#include "RecordingGL.h"

struct Tick {
    double x0 = 0, x1 = 0, y = 0;
    rgl::Primitive line;
};

// One pString call: its text rebuilt from the glyphs, a blank wherever a
// cell was left empty, and the panel point of its first cell.
struct Label {
    double x = 0, y = 0;
    std::string text;
    std::vector<rgl::Primitive> cells;
};

struct DrumWindow {
    rgl::PanelRect rect;   // relative to the panel origin
    rgl::TexelRect texels;
    rgl::Primitive quad;
};

struct TapeFrame {
    std::vector<rgl::Primitive> bands;
    std::vector<Tick> speedMajor, speedMinor, altMajor, altMinor;
    std::vector<Label> speedLabels, altLabels;
    std::vector<DrumWindow> drums;
    std::vector<rgl::Scissor> scissors;
    size_t primitives = 0;

    // The drum window whose lower-left corner is at panel x, or null.
    const DrumWindow *drumAt(double x) const;
    // The label whose first cell is at panel y, or null.
    const Label *speedLabelAt(double y) const;
    const Label *altLabelAt(double y) const;
};

// A started plug-in showing the Glass panel.
class GlassPanel {
public:
    GlassPanel();

    RecordingHarness h;
    int XO = 0, YO = 0;  // the panel origin the frames are read against

    void set(const char *dataref, float v) { h.setFloat(dataref, v); }
    // Drags the window so that the panel origin lands on (x, y) at SCALE 1.
    void moveTo(int x, int y);
    TapeFrame draw();
};

#endif
