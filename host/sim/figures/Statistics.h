#ifndef OSTREL_SIM_FIGURES_STATISTICS_H
#define OSTREL_SIM_FIGURES_STATISTICS_H
// Figures of many measurements: the bench's frame times, the live run's delays.

#include <string>
#include <vector>

namespace sim {

// The nearest-rank p-quantile (0 < p <= 1) of v, which must not be empty.
double Percentile(std::vector<double> v, double p);
double Median(std::vector<double> v);
// "12" for a whole number, else "12.35".
std::string Figure(double v);

}  // namespace sim

#endif
