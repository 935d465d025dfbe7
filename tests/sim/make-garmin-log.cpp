// Writes a Garmin flight data log of the given length, for timing seeks:
//   make-garmin-log SECONDS FILE
// e.g. make-garmin-log 7200 two-hours.csv; flyer-sim --flight two-hours.csv --at 7000 --png f.png

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "GarminLogMaker.h"

int main(int argc, char **argv)
{
    const int seconds = argc == 3 ? std::atoi(argv[1]) : 0;
    if (seconds <= 0) {
        std::fprintf(stderr, "usage: make-garmin-log SECONDS FILE\n");
        return 2;
    }
    std::ofstream out(argv[2], std::ios::binary);
    out << simtest::GarminLog(seconds);
    return out ? 0 : 1;
}
