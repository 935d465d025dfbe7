#ifndef OSTREL_TESTS_GARMINLOGMAKER_H
#define OSTREL_TESTS_GARMINLOGMAKER_H
// Garmin flight data logs of any length for tests and seek timings: a G1000
// header and one row a second of a long cross-country flight.

#include <string>

namespace simtest {

std::string GarminLog(int seconds);

}  // namespace simtest

#endif
