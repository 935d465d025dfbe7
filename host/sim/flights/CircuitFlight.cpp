// The built-in flight "circuit": a right-hand traffic circuit of runway 27
// at a field 480 ft high, about three and a half minutes long. Night on the
// ramp with the parking brake set, lights off at dawn, take-off roll,
// rotation, climb with the gear coming up, a climbing turn to crosswind, the
// heading bug and NAV1 set on downwind, a stall warning in slow flight, an
// ILS approach (localizer and glideslope captured, DME counting down, outer,
// middle and inner markers), gear down and a landing.
//
// The shape is given as keyframes; floats are sampled every half second with
// a little deterministic turbulence once airborne, and the vertical speed and
// turn rate are derived from the altitude and heading so the gauges agree.

#include <cmath>
#include <initializer_list>
#include <utility>

#include "Flight.h"

namespace sim {

namespace {

constexpr double kEnd = 205;
constexpr double kStep = 0.5;
constexpr double kField = 480;
constexpr double kLiftOff = 38, kTouchDown = 193;
constexpr double kOuterMarker = 156;

// Piecewise-linear curve through (t, v) keyframes, held beyond its ends.
struct Curve {
    std::vector<std::pair<double, double>> keys;
    bool angle = false;  // interpolate the short way round 360

    Curve(std::initializer_list<std::pair<double, double>> k, bool a = false) : keys(k), angle(a) {}

    double operator()(double t) const
    {
        if (t <= keys.front().first) return keys.front().second;
        for (size_t i = 1; i < keys.size(); ++i) {
            if (t > keys[i].first) continue;
            auto [t0, v0] = keys[i - 1];
            auto [t1, v1] = keys[i];
            double d = v1 - v0;
            if (angle) d = std::remainder(d, 360.0);
            double v = v0 + d * (t - t0) / (t1 - t0);
            return angle ? std::fmod(v + 720.0, 360.0) : v;
        }
        return keys.back().second;
    }
};

const Curve kAirspeed{{0, 0},    {16, 0},   {34, 62},  {38, 68},  {50, 78},  {88, 82},
                      {94, 105}, {100, 110}, {124, 110}, {129, 56}, {131, 62}, {138, 95},
                      {150, 92}, {170, 85}, {186, 75}, {193, 65}, {203, 5},  {kEnd, 0}};
const Curve kAltitude{{0, kField},   {kLiftOff, kField}, {42, 520},  {70, 950},
                      {90, 1280},    {94, 1300},         {126, 1300}, {129, 1325},
                      {133, 1290},   {138, 1300},        {140, 1300}, {160, 1100},
                      {190, 540},    {kTouchDown, kField}, {kEnd, kField}};
const Curve kPitch{{0, 0},    {34, 0},  {38, 8},   {88, 8},    {94, 2},   {124, 2},
                   {129, 13}, {131, 13}, {133, -2}, {136, 2},  {140, 2},  {150, -2},
                   {188, -2}, {192, 4},  {195, 5},  {198, 0},  {kEnd, 0}};
const Curve kRoll{{0, 0},    {70, 0},   {73, 25},  {85, 25},  {88, 0},   {98, 0},
                  {101, 25}, {113, 25}, {116, 0},  {138, 0},  {141, 25}, {155, 25},
                  {158, 0},  {kEnd, 0}};
const Curve kHeading{{{0, 270},  {70, 270},  {73, 274},  {85, 356}, {88, 0},   {98, 0},
                     {101, 4},  {113, 86},  {116, 90},  {138, 90}, {141, 94}, {148, 180},
                     {155, 266}, {158, 270}, {kEnd, 270}}, true};
const Curve kBug{{{0, 270}, {94, 270}, {96, 0}, {98, 90}, {kEnd, 90}}, true};
const Curve kCourse{{{0, 0}, {96, 0}, {100, 270}, {kEnd, 270}}, true};
const Curve kHdef{{0, 0}, {118, 0}, {119, 2.5}, {150, 2.5}, {160, 0}, {kTouchDown, 0}, {kEnd, 0}};
const Curve kVdef{{0, 0}, {118, 0}, {119, 2.5}, {152, 2.5}, {162, 0}, {kTouchDown, 0}, {kEnd, 0}};
const Curve kDme{{0, 0}, {118, 1.2}, {138, 3.0}, {158, 4.0}, {kTouchDown, 0.4}, {kEnd, 0.3}};
const Curve kFdPitch{{0, 0}, {40, 8}, {88, 8}, {94, 2}, {140, 2}, {150, -2}, {190, -2}, {kEnd, 0}};
const Curve kGearNose{{0, 1}, {42, 1}, {47, 0}, {142, 0}, {147, 1}, {kEnd, 1}};
const Curve kGearLeft{{0, 1}, {43, 1}, {48, 0}, {142.5, 0}, {148, 1}, {kEnd, 1}};
const Curve kGearRight{{0, 1}, {43.5, 1}, {48.5, 0}, {143, 0}, {148.5, 1}, {kEnd, 1}};
const Curve kBrake{{0, 1}, {14, 1}, {15, 0}, {kEnd, 0}};
const Curve kBaro{{0, 29.92}, {118, 29.92}, {120, 30.05}, {kEnd, 30.05}};

bool Airborne(double t) { return t > kLiftOff && t < kTouchDown; }

// Small, repeatable bumps: a sum of incommensurate sines.
double Bump(double t, double seed)
{
    return std::sin(0.9 * t + seed) * 0.6 + std::sin(2.3 * t + 2 * seed) * 0.3 +
           std::sin(5.1 * t + 3 * seed) * 0.1;
}

// Tracks of the flight: sampled every kStep, or stepping at keyframes.
struct Maker {
    TrackBuilder b;

    template <class F>
    void sampled(const char *name, F f, bool angle = false)
    {
        const int track = b.add(name, angle);
        int row = 0;
        for (double t = 0; t <= kEnd + 1e-9; t += kStep) b.put(track, row++, t, f(t));
    }
    void steps(const char *name, std::initializer_list<std::pair<double, int>> keys)
    {
        const int track = b.add(name);
        int row = 0;
        for (auto [t, v] : keys) b.put(track, row++, t, v);
    }
};

}  // namespace

Flight CircuitFlight()
{
    Flight f;
    f.name = "circuit";
    Maker m{TrackBuilder(f)};
    auto bumpy = [](double amount, double seed) {
        return [=](double t) { return Airborne(t) ? amount * Bump(t, seed) : 0.0; };
    };
    auto rollBump = bumpy(1.5, 0.3), pitchBump = bumpy(0.6, 1.1), speedBump = bumpy(1.5, 2.0);
    auto roll = [&](double t) { return kRoll(t) + rollBump(t); };
    auto heading = [&](double t) { return std::fmod(kHeading(t) + 0.3 * rollBump(t) + 360.0, 360.0); };
    auto airspeed = [&](double t) { return std::max(0.0, kAirspeed(t) + speedBump(t)); };

    m.steps("Lit", {{0, 1}, {12, 0}});
    m.sampled("Brakes", kBrake);
    m.sampled("Airspeed", airspeed);
    m.sampled("Altitude", [&](double t) { return kAltitude(t) + 3 * pitchBump(t); });
    m.sampled("Vertspeed",
              [&](double t) { return (kAltitude(t + 2) - kAltitude(t - 2)) / 4 * 60; });
    m.sampled("Pitch", [&](double t) { return kPitch(t) + pitchBump(t); });
    m.sampled("Roll", roll);
    m.sampled("Heading", heading, true);
    m.sampled("Turn", [&](double t) {
        // 3 degrees a second of turn banks the little aeroplane 20 degrees.
        double rate = std::remainder(kHeading(t + 1) - kHeading(t - 1), 360.0) / 2;
        return rate * 20.0 / 3.0;
    });
    m.sampled("Slip", [&](double t) {
        double s = 0.4 * bumpy(1.0, 4.2)(t);
        if (t > 34 && t < 40) s += 1.5 * std::sin((t - 34) / 6 * M_PI);  // rudder at rotation
        if (t > 128 && t < 133) s -= 1.2 * std::sin((t - 128) / 5 * M_PI);  // slow flight
        return s;
    });
    m.sampled("Bug", kBug, true);
    m.sampled("HDG", kCourse, true);
    m.sampled("Nav1OBS", kCourse, true);
    m.sampled("Nav1Hdef",
              [&](double t) { return kHdef(t) + (t > 160 && t < kTouchDown ? 0.15 * Bump(t, 5) : 0); });
    m.sampled("Nav1Vdef",
              [&](double t) { return kVdef(t) + (t > 162 && t < kTouchDown ? 0.2 * Bump(t, 6) : 0); });
    m.steps("Nav1DME", {{0, 0}, {118, 1}});
    m.sampled("Nav1DMEdist", kDme);
    m.sampled("Nav1DMEtime", [&](double t) {
        double gs = kAirspeed(t);
        return gs >= 1 ? kDme(t) / gs * 60 : 0.0;
    });
    m.sampled("Gear[0]", kGearNose);
    m.sampled("Gear[1]", kGearLeft);
    m.sampled("Gear[2]", kGearRight);
    m.sampled("Baro", kBaro);
    m.steps("Stalled", {{0, 0}, {127.5, 1}, {130.5, 0}});
    m.steps("OM", {{0, 0}, {kOuterMarker, 1}, {kOuterMarker + 4, 0}});
    m.steps("MM", {{0, 0}, {178, 1}, {181, 0}});
    m.steps("IM", {{0, 0}, {187, 1}, {189, 0}});
    m.steps("FDmode", {{0, 0}, {40, 1}, {190, 0}});
    m.sampled("FDpitch", kFdPitch);
    m.sampled("FDroll", kRoll);

    f.finish();
    // The take-off (the roll, rotation, lift-off and the gear coming up),
    // and the turn onto the localizer with the outer marker lit.
    f.highlight = Highlight{kLiftOff - 5, kLiftOff + 11, kOuterMarker + 1};
    f.notes.push_back("built-in flight \"circuit\": right-hand circuit of runway 27, " +
                      std::to_string(static_cast<int>(f.duration)) + " s");
    return f;
}

}  // namespace sim
