#ifndef OSTREL_SIM_FLIGHTERROR_H
#define OSTREL_SIM_FLIGHTERROR_H
// Errors in flight, event and option input: the message names the file, and
// the line and column where they are known ("flight.csv:12:30: ...").

#include <stdexcept>
#include <string>

namespace sim {

struct FlightError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

inline FlightError ErrorAt(const std::string &file, int line, int column, const std::string &what)
{
    return FlightError(file + ":" + std::to_string(line) + ":" + std::to_string(column) + ": " +
                       what);
}

}  // namespace sim

#endif
