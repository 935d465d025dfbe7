#ifndef OSTREL_TESTS_GAPANELFIXTURE_H
#define OSTREL_TESTS_GAPANELFIXTURE_H
// A started plug-in on the GA panel (its default) drawing into the recording
// GL, and ways to find one sprite of a frame and the rotation it is drawn in.

#include <gtest/gtest.h>

#include <cmath>

#include "AtlasRects.h"
#include "RecordingHarness.h"

class GaPanel : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(h.start(), 1); }
    const rgl::RecordingGL &frame() { return h.drawFrame(); }

    RecordingHarness h;
};

// The one quad of the frame showing the rectangle; an empty one, and a
// failure, unless there is exactly one.
inline rgl::Primitive OnlyQuad(const rgl::RecordingGL &gl, const AtlasRect &r)
{
    auto q = gl.showing(r);
    if (q.size() != 1) {
        ADD_FAILURE() << q.size() << " quads show " << r.u0 << "," << r.v0 << " - " << r.u1 << ","
                      << r.v1;
        return {};
    }
    return q[0];
}

// The angle of the pivot rotation that the quad showing r is drawn in: the
// last glRotatef before its glBegin, with no pop between them, one push
// above the panel's own. NaN (and a failure) when there is none.
inline double RotationOf(const rgl::RecordingGL &gl, const AtlasRect &r)
{
    rgl::Primitive q = OnlyQuad(gl, r);
    if (q.vertices.empty()) return NAN;
    EXPECT_EQ(q.depth, 2) << "not inside one pivot rotation";
    for (size_t i = q.callIndex; i-- > 0;) {
        const rgl::Call &c = gl.calls()[i];
        if (c.name == "glPopMatrix") break;
        if (c.name == "glRotatef") return c.args[0];
    }
    ADD_FAILURE() << "no open rotation";
    return NAN;
}

// The horizon picture's atlas window for a pitch of p degrees.
inline AtlasRect HorizonWindow(int p)
{
    const AtlasRect &w = ATLAS_GA_HORIZON_WINDOW;
    return {w.u0, w.v0 + p, w.u1, w.v1 + p};
}

#endif
