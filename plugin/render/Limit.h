#ifndef OSTREL_LIMIT_H
#define OSTREL_LIMIT_H
// Holds a flight value to an instrument's range. NaN has no side to be held
// to and would pass every comparison untouched, so it reads as 0, the
// instrument at rest.

static inline float Limit(float v, float lo, float hi)
{
    if (v != v) return 0.0f;
    if (v > hi) return hi;
    if (v < lo) return lo;
    return v;
}

#endif
