#ifndef OSTREL_SIM_MODES_STATISTICS_H
#define OSTREL_SIM_MODES_STATISTICS_H
// The bench's figures.

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
