// The picture under the panel (OutsideView.h).

#include "OutsideView.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

namespace sim {

namespace {

struct Rgb {
    float r, g, b;
};

void Quad(float x0, float y0, float x1, float y1, Rgb bottom, Rgb top)
{
    glColor3f(bottom.r, bottom.g, bottom.b);
    glVertex2f(x0, y0);
    glVertex2f(x1, y0);
    glColor3f(top.r, top.g, top.b);
    glVertex2f(x1, y1);
    glVertex2f(x0, y1);
}

}  // namespace

void DrawOutsideView(int width, int height, const OutsideAttitude &a)
{
    // About a 50-degree vertical field of view.
    const float perDegree = float(height) / 50.0f;
    const float big = 3.0f * float(std::max(width, height));
    const Rgb skyLow = a.night ? Rgb{0.08f, 0.10f, 0.20f} : Rgb{0.66f, 0.80f, 0.95f};
    const Rgb skyHigh = a.night ? Rgb{0.01f, 0.01f, 0.05f} : Rgb{0.16f, 0.38f, 0.78f};
    const Rgb groundNear = a.night ? Rgb{0.03f, 0.04f, 0.03f} : Rgb{0.30f, 0.40f, 0.18f};
    const Rgb groundFar = a.night ? Rgb{0.06f, 0.07f, 0.06f} : Rgb{0.50f, 0.56f, 0.38f};
    const Rgb band = a.night ? Rgb{0.05f, 0.06f, 0.04f} : Rgb{0.36f, 0.46f, 0.21f};
    const Rgb line = a.night ? Rgb{0.10f, 0.10f, 0.09f} : Rgb{0.60f, 0.58f, 0.50f};

    // Its own state, whatever the plug-in left from the frame before.
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glDisable(GL_LINE_SMOOTH);
    glLineWidth(1.0f);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glTranslatef(float(width) / 2, float(height) / 2, 0);
    glRotatef(std::isfinite(a.roll) ? a.roll : 0.0f, 0, 0, 1);
    const float pitch = std::isfinite(a.pitch) ? std::clamp(a.pitch, -90.0f, 90.0f) : 0.0f;
    glTranslatef(0, -pitch * perDegree, 0);

    glBegin(GL_QUADS);
    Quad(-big, 0, big, 30 * perDegree, skyLow, skyHigh);
    Quad(-big, 30 * perDegree, big, big, skyHigh, skyHigh);
    Quad(-big, -big, big, 0, groundNear, groundFar);
    // Furrows closer together toward the horizon, as perspective would.
    for (int k = 1; k < 12; k += 2) {
        float y0 = -perDegree * std::pow(float(k), 1.7f) * 0.6f;
        float y1 = -perDegree * std::pow(float(k + 1), 1.7f) * 0.6f;
        Quad(-big, y1, big, y0, band, band);
    }
    glEnd();

    // Field lines every 15 degrees of heading, converging on the horizon.
    const float heading = std::isfinite(a.heading) ? std::fmod(a.heading, 15.0f) : 0.0f;
    glBegin(GL_LINES);
    glColor3f(line.r, line.g, line.b);
    for (int i = -12; i <= 12; ++i) {
        float x = (float(i) * 15.0f - heading) * perDegree;
        glVertex2f(x * 0.05f, 0);
        glVertex2f(x * 4.0f, -big * 0.5f);
    }
    glEnd();
    glPopMatrix();
}

OutsideAttitude OutsideAttitudeOf(host::Host &h)
{
    auto f = [&](const char *shortName) { return h.dataRef(host::DatarefName(shortName))->f; };
    OutsideAttitude a;
    a.pitch = f("Pitch");
    a.roll = f("Roll");
    a.heading = f("Heading");
    a.night = h.dataRef(host::DatarefName("Lit"))->i != 0;
    return a;
}

}  // namespace sim
