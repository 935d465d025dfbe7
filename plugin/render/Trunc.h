#ifndef OSTREL_TRUNC_H
#define OSTREL_TRUNC_H
// Float-to-int conversion for values that come from the simulator. A plain
// cast is undefined for NaN, infinities and anything outside the int range,
// and a dataref can hold any of those; this truncates toward zero like a cast
// for every value a cast handles, gives 0 for NaN and clamps the rest.

#include <limits.h>

static inline int TruncInt(float v)
{
    if (v != v) return 0;
    if (v >= 2147483648.0f) return INT_MAX;
    if (v < -2147483648.0f) return INT_MIN;
    return (int)v;
}

static inline int TruncIntD(double v)
{
    if (v != v) return 0;
    if (v >= 2147483648.0) return INT_MAX;
    if (v <= -2147483649.0) return INT_MIN;
    return (int)v;
}

// a + b, held to the int range: panel sums near an origin dragged to the
// ends of the range stay on its side instead of wrapping round.
static inline int AddInt(int a, int b)
{
    return TruncIntD((double)a + (double)b);
}

#endif
