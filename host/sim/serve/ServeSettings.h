#ifndef OSTREL_SIM_SERVE_SERVESETTINGS_H
#define OSTREL_SIM_SERVE_SERVESETTINGS_H
// Where --serve listens and for how many.

#include <cstdint>
#include <string>

namespace sim {

struct ServeSettings {
    std::string address;  // a literal address (IPv6 without brackets)
    uint16_t port = 0;    // 0: any free port
    int viewers = 8;      // pages that may watch at once (--serve-clients)
};

}  // namespace sim

#endif
