// The two panels composed from the atlas with Cairo, sprite by sprite, at the
// positions, pivots and windows the renderers use, so the art can be judged
// as a pilot sees it without the simulator. The Glass tapes and speed bands,
// which the renderer draws as plain lines, quads and small digits, are
// imitated the same way.

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "AtlasRects.h"
#include "Canvas.h"
#include "GaugeScales.h"
#include "Review.h"

namespace {

struct FlightState {
    float Pitch = 0, Roll = 0, Airspeed = 0, Altitude = 0, Baro = 29.92f, Turn = 0, Slip = 0;
    float Heading = 0, Bug = 0, Vertspeed = 0;
    int Stalled = 0, OM = 0, MM = 0, IM = 0, FDmode = 0;
    float Brakes = 0, Gear[3] = {0, 0, 0};
    float Vfe = 85, Vno = 129, Vne = 163;
    float Nav1OBS = 0, Nav1Hdef = 0, HDG = 0, Nav1Vdef = 0, FDpitch = 0, FDroll = 0;
    int Nav1DME = 0;
    float Nav1DMEdist = 0, Nav1DMEtime = 0;
};

int Trunc(float v)
{
    return int(std::trunc(v));
}

// Paints sprites onto a panel picture in panel units (origin lower left, y
// up), `scale` pixels per unit, sampling the atlas bilinearly like the
// plug-in's texture.
class Painter {
public:
    Painter(cairo_surface_t *atlas, int w, int h, double scale)
        : atlas_(atlas), scale_(scale),
          surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, int(w * scale), int(h * scale))),
          cr_(cairo_create(surface_))
    {
        // A checkerboard behind the panel shows any texel left open.
        cairo_set_source_rgb(cr_, 0.55, 0.62, 0.55);
        cairo_paint(cr_);
        cairo_set_source_rgb(cr_, 0.75, 0.80, 0.75);
        int cell = 8;
        for (int y = 0; y < h * scale; y += cell)
            for (int x = (y / cell) % 2 * cell; x < w * scale; x += 2 * cell)
                cairo_rectangle(cr_, x, y, cell, cell);
        cairo_fill(cr_);
        cairo_scale(cr_, scale, scale);
        cairo_translate(cr_, 0, h);
        cairo_scale(cr_, 1, -1);
    }
    ~Painter()
    {
        cairo_destroy(cr_);
        cairo_surface_destroy(surface_);
    }
    Painter(const Painter &) = delete;
    Painter &operator=(const Painter &) = delete;

    // DrawChunk: w x h units at (x, y) showing atlas (u0, v0)-(u1, v1) in texels.
    void Chunk(double x, double y, double w, double h, double u0, double v0, double u1, double v1)
    {
        cairo_save(cr_);
        cairo_translate(cr_, x, y);
        cairo_scale(cr_, w / (u1 - u0), h / (v1 - v0));
        cairo_set_source_surface(cr_, atlas_, 0, 0);
        cairo_pattern_t *p = cairo_get_source(cr_);
        cairo_matrix_t m = SpriteMatrix(u0, v0);
        cairo_pattern_set_matrix(p, &m);
        cairo_pattern_set_filter(p, CAIRO_FILTER_BILINEAR);
        cairo_rectangle(cr_, 0, 0, u1 - u0, v1 - v0);
        cairo_fill(cr_);
        cairo_restore(cr_);
    }
    void Sprite(double x, double y, double w, double h, const AtlasRect &r)
    {
        Chunk(x, y, w, h, r.u0, r.v0, r.u1, r.v1);
    }
    void BeginPivot(double px, double py, double deg)
    {
        cairo_save(cr_);
        cairo_translate(cr_, px, py);
        cairo_rotate(cr_, deg * M_PI / 180.0);
        cairo_translate(cr_, -px, -py);
    }
    void EndPivot() { cairo_restore(cr_); }
    void BeginClip(double x, double y, double w, double h)
    {
        cairo_save(cr_);
        cairo_rectangle(cr_, x, y, w, h);
        cairo_clip(cr_);
    }
    void EndClip() { cairo_restore(cr_); }

    // The digit fonts: one cell per character, blanks for non-digits.
    void Text(const char *s, double x, double y, double step, int gw, int gh, int font)
    {
        for (const char *c = s; *c; c++, x += step) {
            if (*c < '0' || *c > '9')
                continue;
            int d = *c - '0';
            AtlasRect r = font == 0 ? BaroDigitCell(d) : font == 1 ? SmallDigitCell(d) : LargeDigitCell(d);
            Chunk(x, y, gw, gh, r.u0, r.v0, r.u1, r.v1);
        }
    }
    void Line(double x0, double y0, double x1, double y1)
    {
        cairo_move_to(cr_, x0, y0);
        cairo_line_to(cr_, x1, y1);
        cairo_set_line_width(cr_, 1.0 / scale_);  // one pixel, as glLineWidth(1)
        cairo_set_source_rgb(cr_, 1, 1, 1);
        cairo_stroke(cr_);
    }
    void Quad(double x0, double y0, double x1, double y1, double r, double g, double b)
    {
        cairo_rectangle(cr_, x0, y0, x1 - x0, y1 - y0);
        cairo_set_source_rgb(cr_, r, g, b);
        cairo_fill(cr_);
    }
    void Write(const std::string &path)
    {
        cairo_surface_flush(surface_);
        if (cairo_surface_write_to_png(surface_, path.c_str()) != CAIRO_STATUS_SUCCESS)
            throw std::runtime_error("cannot write " + path);
    }

private:
    cairo_surface_t *atlas_;
    double scale_;
    cairo_surface_t *surface_;
    cairo_t *cr_;
};

float Clamp(float v, float lo, float hi)
{
    return v < lo ? lo : v > hi ? hi : v;
}

void GearLamps(Painter &p, const FlightState &s, const double pos[3][2])
{
    for (int i = 0; i < 3; i++) {
        if (s.Gear[i] == 1.0f)
            p.Sprite(pos[i][0], pos[i][1], 7, 7, ATLAS_GEAR_DOWN);
        else if (s.Gear[i] != 0.0f)
            p.Sprite(pos[i][0], pos[i][1], 7, 7, ATLAS_GEAR_TRANSIT);
    }
}

void MarkerLamps(Painter &p, const FlightState &s, double x, double y)
{
    if (s.OM)
        p.Sprite(x, y, 11, 9, ATLAS_OM_LAMP);
    else if (s.MM)
        p.Sprite(x + 11, y, 11, 9, ATLAS_MM_LAMP);
    else if (s.IM)
        p.Sprite(x + 22, y, 11, 9, ATLAS_IM_LAMP);
}

void PaintGA(Painter &p, FlightState s)
{
    float P = Clamp(s.Pitch, -80, 80);
    p.BeginPivot(236, 232, s.Roll);
    p.Chunk(172, 184, 128, 100, 256, 527 + P, 384, 627 + P);
    p.Sprite(171, 168, 128, 128, ATLAS_GA_HORIZON_RING);
    p.EndPivot();
    p.Sprite(0, 0, 475, 320, ATLAS_GA_PLATE);
    p.Sprite(205, 202, 62, 30, ATLAS_GA_AIRCRAFT);
    p.Sprite(155, 150, 164, 158, ATLAS_GA_ATTITUDE_BEZEL);

    p.Sprite(15, 150, 140, 140, ATLAS_GA_AIRSPEED_DIAL);
    float A = s.Airspeed > 205 ? 205 : s.Airspeed;
    p.BeginPivot(83, 224, 360 - AirspeedDialValue(A));
    p.Sprite(78, 219, 10, 63, ATLAS_GA_AIRSPEED_NEEDLE);
    p.EndPivot();

    p.Sprite(320, 150, 142, 141, ATLAS_GA_ALTIMETER_DIAL);
    char buf[128];
    std::snprintf(buf, sizeof buf, "%4d", Trunc(s.Baro * 100.0f));
    p.Text(buf, 377, 197, 7, 5, 7, 0);
    float H = s.Altitude > 10000 ? 10000 : s.Altitude;
    p.BeginPivot(391, 225, 360 - AltimeterThousandsAngle(H));
    p.Sprite(386, 209, 10, 56, ATLAS_GA_ALT_THOUSANDS_NEEDLE);
    p.EndPivot();
    float R = Trunc(H / 1000) * -1000.0f + H;
    p.BeginPivot(391, 225, 360 - AltimeterHundredsAngle(R));
    p.Sprite(387, 205, 8, 67, ATLAS_GA_ALT_HUNDREDS_NEEDLE);
    p.EndPivot();

    p.Sprite(15, 10, 140, 140, ATLAS_GA_TURN_DIAL);
    p.BeginPivot(82, 83, -Clamp(s.Turn, -60, 60));
    p.Sprite(43, 79, 81, 16, ATLAS_GA_TURN_AIRCRAFT);
    p.EndPivot();
    p.Sprite(48, 50, 70, 17, ATLAS_GA_INCLINOMETER);
    p.Sprite(77 - 3 * s.Slip, 51, 13, 13, ATLAS_BALL);

    p.Sprite(165, 10, 140, 140, ATLAS_GA_HEADING_DIAL);
    p.BeginPivot(233, 84, s.Heading);
    p.Sprite(177, 28, 112, 112, ATLAS_HEADING_CARD);
    p.EndPivot();
    p.BeginPivot(233, 84, s.Heading - s.Bug);
    p.Sprite(228, 133, 10, 7, ATLAS_GA_HEADING_BUG);
    p.EndPivot();
    p.Sprite(176, 25, 114, 116, ATLAS_GA_HEADING_COVER);

    p.Sprite(320, 10, 140, 140, ATLAS_GA_VSI_DIAL);
    float S = GAVerticalSpeedValue(std::abs(Trunc(s.Vertspeed)) / 1000.0f);
    if (s.Vertspeed < 0)
        S = -S;
    p.BeginPivot(387, 82, 90 - S);
    p.Sprite(383, 77, 10, 59, ATLAS_GA_VSI_NEEDLE);
    p.EndPivot();

    p.Sprite(330, 288, 35, 22, ATLAS_GA_STALL_HOUSING);
    if (s.Stalled)
        p.Sprite(335, 293, 26, 13, ATLAS_STALL_LIGHT);
    p.Sprite(375, 295, 45, 14, ATLAS_GA_BRAKE_HOUSING);
    if (s.Brakes != 0.0f)
        p.Sprite(378, 297, 41, 10, ATLAS_BRAKE_LIGHT);
    p.Sprite(56, 290, 60, 21, ATLAS_GA_MARKER_HOUSING);
    MarkerLamps(p, s, 69, 297);
    const double gear[3][2] = {{308, 127}, {301, 111}, {316, 111}};
    GearLamps(p, s, gear);
}

float BandEdge(float airspeed, float limit, bool wholeKnots)
{
    float o = wholeKnots ? float(Trunc(std::fabs(float(Trunc(airspeed - limit))) * 1.5f))
                         : float(Trunc(std::fabs(airspeed - limit) * 1.5f));
    float e = airspeed > limit ? 95 - o : 95 + o;
    return Clamp(e, 32, 157);
}

void PaintTapes(Painter &p, const FlightState &s)
{
    p.Quad(175, 32, 179, 157, 0, 0.8, 0);
    p.Quad(175, 32, 177, BandEdge(s.Airspeed, s.Vfe, false), 1, 1, 1);
    p.Quad(175, BandEdge(s.Airspeed, s.Vno, true), 179, 157, 1, 1, 0);
    p.Quad(175, BandEdge(s.Airspeed, s.Vne, true), 179, 157, 1, 0, 0);

    char buf[128];
    float A = s.Airspeed;
    int b = Trunc(A - float(Trunc(A) % 10));
    int n = b - 50;
    float y = 95 - (A - b) * 1.5f - 75;
    p.BeginClip(145, 32, 30, 125);
    while (y < 177) {
        if (n >= 0) {
            p.Line(170, y, 175, y);
            std::snprintf(buf, sizeof buf, "%3d", n);
            p.Text(buf, 157, y - 3, 4, 3, 5, 1);
        }
        float y2 = y + 7.5f;
        if (n + 5 >= 0)
            p.Line(172, y2, 175, y2);
        n += 10;
        y = y2 + 7.5f;
    }
    p.EndClip();

    float H = s.Altitude;
    b = Trunc(H - float(Trunc(H) % 100));
    n = b - 400;
    y = 95 - (H - b) * 0.2f - 80;
    p.BeginClip(302, 32, 34, 125);
    while (y < 177) {
        p.Line(302, y, 307, y);
        std::snprintf(buf, sizeof buf, "%3d", std::abs(n));
        p.Text(buf, 309, y - 3, 4, 3, 5, 1);
        float y2 = y + 10;
        p.Line(302, y2, 305, y2);
        n += 100;
        y = y2 + 10;
    }
    p.EndClip();
}

void PaintDrums(Painter &p, const FlightState &s)
{
    auto cell = [](int d) { return float(DrumCell(d)); };
    float a = std::fabs(s.Airspeed);
    int H = Trunc(a / 100);
    float a1 = a - 100 * H;
    int T = Trunc(a1 / 10);
    float a2 = a1 - 10 * T;
    int U = Trunc(a2);
    float sh = 12 * (a2 - U);
    float vU = cell(U) + sh, vT = cell(T) + (U == 9 ? sh : 0);
    float vH = cell(H) + (U == 9 && T == 9 ? sh : 0);
    if (H > 0)
        p.Chunk(148, 88, 6, 12, 516, vH, 522, vH + 12);
    p.Chunk(155, 88, 6, 12, 516, vT, 522, vT + 12);
    p.Chunk(162, 83, 6, 22, 516, vU - 5, 522, vU + 17);

    float h = s.Altitude;
    int X = Trunc(h / 10000);
    float r1 = h - 10000 * X;
    int Y = Trunc(r1 / 1000);
    float r2 = r1 - 1000 * Y;
    int Z = Trunc(r2 / 100);
    float r3 = r2 - 100 * Z;
    int W = Trunc(r3);
    float g = float(W - 90) / 10;
    bool rolling = W > 90;
    float vX = cell(X) + (Y == 9 && Z == 9 && rolling ? 12 * g : 0);
    float vY = cell(Y) + (Z == 9 && rolling ? 12 * g : 0);
    float vZ = cell(Z) + (rolling ? 12 * g : 0);
    float vW = 398 + 1.2f * W;
    if (X > 0)
        p.Chunk(312, 89, 6, 12, 516, vX, 522, vX + 12);
    if (X != 0 || Y != 0)
        p.Chunk(319, 89, 6, 12, 516, vY, 522, vY + 12);
    p.Chunk(326, 89, 6, 12, 516, vZ, 522, vZ + 12);
    p.Chunk(333, 84, 13, 22, 516, vW - 5, 529, vW + 17);
}

void PaintGlass(Painter &p, const FlightState &s)
{
    float pitch = Clamp(s.Pitch, -40, 40);
    p.BeginClip(183, 32, 112, 130);
    p.BeginPivot(239, 96, s.Roll);
    p.Chunk(175, 30, 128, 130, 384, 511 + 1.6f * pitch, 512, 641 + 1.6f * pitch);
    p.Sprite(235, 154, 9, 7, ATLAS_GLASS_ROLL_POINTER);
    p.EndPivot();
    p.EndClip();
    if (s.FDmode) {
        float q = Clamp(s.FDpitch, -10, 10);
        p.BeginPivot(239, 88, -s.FDroll);
        p.Sprite(207, 87 + q, 64, 10, ATLAS_GLASS_FD_BAR);
        p.EndPivot();
        p.Sprite(217.5, 87, 43, 10, ATLAS_GLASS_AIRCRAFT_FD);
    } else {
        p.Sprite(202, 87, 74, 10, ATLAS_GLASS_AIRCRAFT);
    }
    p.Sprite(351, 46, 16, 97, ATLAS_GLASS_VSI_SCALE);
    float a = GlassVerticalSpeedAngle(std::fabs(s.Vertspeed) / 1000.0f);
    p.BeginPivot(375, 93, s.Vertspeed > 0 ? -a : a);
    p.Sprite(336, 93, 39, 3, ATLAS_GLASS_VSI_NEEDLE);
    p.EndPivot();
    p.Sprite(0, 0, 378, 182, ATLAS_GLASS_PLATE);

    PaintTapes(p, s);

    p.Sprite(145, 81, 27, 27, ATLAS_GLASS_SPEED_BOX);
    p.Sprite(307, 79, 41, 31, ATLAS_GLASS_ALT_BOX);
    p.BeginPivot(74, 93, s.Heading);
    p.Sprite(18, 37, 112, 112, ATLAS_HEADING_CARD);
    p.EndPivot();
    p.BeginPivot(74, 93, s.Heading - s.Nav1OBS);
    p.Sprite(69, 40.5, 10, 105, ATLAS_GLASS_COURSE_POINTER);
    p.Sprite(45, 90, 58, 6, ATLAS_GLASS_DEVIATION_SCALE);
    p.Sprite(73 + 10 * s.Nav1Hdef, 66, 2, 50, ATLAS_GLASS_CDI_BAR);
    p.EndPivot();
    p.BeginPivot(74, 93, s.Heading - s.HDG);
    p.Sprite(68, 145.5, 12, 7, ATLAS_GLASS_HDG_MARKER);
    p.EndPivot();
    p.Sprite(65, 83.5, 18, 19, ATLAS_GLASS_HSI_AIRCRAFT);
    p.Sprite(51, 150, 47, 14, ATLAS_GLASS_HEADING_BOX);
    char buf[128];
    std::snprintf(buf, sizeof buf, "%03d", Trunc(s.Heading));
    p.Text(buf, 66, 156, 6, 5, 9, 2);
    p.Sprite(232.5 - 3 * Clamp(s.Slip, -4.5f, 4.5f), 12.5, 13, 13, ATLAS_BALL);

    PaintDrums(p, s);

    if (s.Brakes > 0)
        p.Sprite(297, 161, 41, 10, ATLAS_BRAKE_LIGHT);
    if (s.Stalled)
        p.Sprite(340, 158, 26, 13, ATLAS_STALL_LIGHT);
    MarkerLamps(p, s, 144, 161);
    p.Sprite(295, 91.5 - 20 * s.Nav1Vdef, 6, 5, ATLAS_GLASS_GS_POINTER);
    if (s.Nav1DME) {
        std::snprintf(buf, sizeof buf, "%3.1f        %4.2f", double(s.Nav1DMEdist),
                      double(s.Nav1DMEtime));
        p.Text(buf, 48, 15, 6, 5, 9, 2);
    }
    const double gear[3][2] = {{349, 25}, {342, 15}, {357, 15}};
    GearLamps(p, s, gear);
}

FlightState Sample()
{
    FlightState s;
    s.Pitch = 5;
    s.Roll = 15;
    s.Airspeed = 119.5f;
    s.Altitude = 2995;
    s.Turn = 20;
    s.Slip = 1.5f;
    s.Heading = 30;
    s.Bug = 60;
    s.Vertspeed = 500;
    s.Stalled = 1;
    s.Brakes = 1;
    s.MM = 1;
    s.Gear[0] = 1;
    s.Gear[1] = 0.5f;
    s.Gear[2] = 1;
    s.FDmode = 1;
    s.FDpitch = 3;
    s.FDroll = 10;
    s.Nav1OBS = 45;
    s.Nav1Hdef = 1;
    s.HDG = 90;
    s.Nav1Vdef = -0.5f;
    s.Nav1DME = 1;
    s.Nav1DMEdist = 12.34f;
    s.Nav1DMEtime = 5.678f;
    return s;
}

}  // namespace

void WritePanelPreviews(cairo_surface_t *atlas, const std::string &dir)
{
    const FlightState rest, sample = Sample();
    for (double scale : {1.0, 2.0}) {
        std::string suffix = scale == 1.0 ? ".png" : "_x2.png";
        for (int i = 0; i < 2; i++) {
            const FlightState &s = i == 0 ? rest : sample;
            const char *name = i == 0 ? "rest" : "sample";
            {
                Painter p(atlas, 475, 320, scale);
                PaintGA(p, s);
                p.Write(dir + "/ga_" + name + suffix);
            }
            {
                Painter p(atlas, 378, 182, scale);
                PaintGlass(p, s);
                p.Write(dir + "/glass_" + name + suffix);
            }
        }
    }
}
