#ifndef OSTREL_SIM_NET_ADDRESS_H
#define OSTREL_SIM_NET_ADDRESS_H
// Network addresses as typed on the command line, and IPv4 endpoints. One
// parser for every option that takes an address (--live HOST[:PORT],
// --serve [ADDR:]PORT): the caller says what may be left out, the host or
// the port, and what stands in for it. Addresses are checked by the system's inet_pton and names
// looked up by its getaddrinfo.

#include <cstdint>
#include <stdexcept>
#include <string>

namespace sim::net {

// A host and a port as typed. The host is a name, an IPv4 address or an
// IPv6 one (without its brackets).
struct HostPort {
    std::string host;
    uint16_t port = 0;
};

// Why a text is no address; what() quotes the text and says what would do.
struct AddressError : std::invalid_argument {
    using std::invalid_argument::invalid_argument;
};

// Parses HOST, HOST:PORT, [IPV6] or [IPV6]:PORT; where the caller gives a
// default host, also :PORT and PORT alone (digits alone are then a port).
// An empty defaultHost makes the host needed, a defaultPort of 0 the port.
// Digits and dots are an IPv4 address, never a name ("1.2.3" is refused, not
// taken as 1.2.0.3); an IPv6 address must be in brackets. With anyPort, a
// port of 0 may be typed: any free port, for a server that says which it
// took. Throws AddressError.
HostPort ParseHostPort(const std::string &text, const std::string &defaultHost, uint16_t defaultPort,
                       bool anyPort = false);

struct Endpoint {
    uint32_t address = 0;  // IPv4, most significant byte first (127.0.0.1 is 0x7f000001)
    uint16_t port = 0;
    bool operator==(const Endpoint &o) const { return address == o.address && port == o.port; }
    bool operator!=(const Endpoint &o) const { return !(*this == o); }
    bool operator<(const Endpoint &o) const { return address != o.address ? address < o.address : port < o.port; }
    std::string text() const;  // "127.0.0.1:49000"
};
inline constexpr uint32_t kLoopbackAddress = 0x7f000001;

// The IPv4 endpoint of a parsed address: its address, or the first IPv4
// address its name has, looked up once, here. Throws std::runtime_error
// saying what is wrong (no such name, an IPv6 address).
Endpoint ResolveIPv4(const HostPort &address);
// ParseHostPort(text, "", defaultPort), then ResolveIPv4. Throws
// std::runtime_error (AddressError is one).
Endpoint ResolveEndpoint(const std::string &text, uint16_t defaultPort);
// The IPv4 address in dotted form, 0x7f000001 from "127.0.0.1"; throws
// AddressError for anything else.
uint32_t Ipv4Address(const std::string &dotted);

// Starts the system's sockets where a program must (Winsock), once.
void StartNetwork();

}  // namespace sim::net

#endif
