#ifndef OSTREL_GAUGESCALES_H
#define OSTREL_GAUGESCALES_H
// How each dial turns a flight value into a needle angle. The renderers turn
// their needles with these and the art generator prints the dial scales with
// them, so a mark printed at a value is where the needle points at it.
// Angles are degrees; single precision as the renderers use them.

// Airspeed dial value d, degrees clockwise from straight up, for an
// airspeed A in knots (the renderer limits A to 205 first). The needle steps
// 6 degrees clockwise as the airspeed passes 120 kt.
static inline float AirspeedDialValue(float A)
{
    if (A <= 40.0f) return 0.75f * A;
    if (A <= 120.0f) return 30.0f + 2.1875f * (A - 40.0f);
    return 211.0f + 1.4375f * (A - 120.0f);
}

// Altimeter: thousands needle 36 degrees clockwise per 1000 ft (one turn per
// 10000 ft), hundreds needle 36 degrees per 100 ft (one turn per 1000 ft).
static inline float AltimeterThousandsAngle(float H)
{
    return 36.0f * (H / 1000.0f);
}
static inline float AltimeterHundredsAngle(float R)
{
    return (R / 100.0f) * 36.0f;
}

// GA vertical speed dial value S, degrees clockwise from pointing left, for
// V thousands of ft/min (magnitude); limited to 180 from 3750 ft/min.
static inline float GAVerticalSpeedValue(float V)
{
    if (V > 3.75f) return 180.0f;
    if (V <= 1.0f) return 70.0f * V;
    return 40.0f * V + 30.0f;
}

// Glass vertical speed needle angle a, degrees from pointing left, for r
// thousands of ft/min (magnitude, limited to 5).
static inline float GlassVerticalSpeedAngle(float r)
{
    if (r > 5.0f) r = 5.0f;
    if (r <= 1.0f) return 40.0f * r;
    if (r < 2.0f) return 40.0f + 17.0f * (r - 1.0f);
    if (r < 4.0f) return 57.0f + 4.0f * (r - 2.0f);
    return 65.0f + 2.0f * (r - 4.0f);
}

#endif
