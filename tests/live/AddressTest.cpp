// Addresses as typed (net/Address.h): the shapes --live HOST[:PORT] and a
// server's [ADDR:]PORT take, each refusal naming the text and why, and the
// IPv4 endpoint the link sends to.

#include <gtest/gtest.h>

#include "Address.h"

namespace sim::net {
namespace {

TEST(Address, EveryShapeWithTheCallersDefaults)
{
    const struct {
        const char *text, *defaultHost;
        uint16_t defaultPort;
        const char *host;
        uint16_t port;
    } accepted[] = {
        {"127.0.0.1", "", 49000, "127.0.0.1", 49000},
        {"sim-pc:49010", "", 49000, "sim-pc", 49010},
        {"sim_pc.local", "", 49000, "sim_pc.local", 49000},
        {"[::1]:8080", "", 0, "::1", 8080},
        {"[fe80::1]", "", 8080, "fe80::1", 8080},
        {"8080", "0.0.0.0", 0, "0.0.0.0", 8080},
        {":8080", "::", 0, "::", 8080},
        {"localhost", "0.0.0.0", 8080, "localhost", 8080},
    };
    for (const auto &a : accepted) {
        const HostPort p = ParseHostPort(a.text, a.defaultHost, a.defaultPort);
        EXPECT_EQ(p.host, a.host) << a.text;
        EXPECT_EQ(p.port, a.port) << a.text;
    }
    const struct {
        const char *text, *defaultHost;
        uint16_t defaultPort;
        const char *why;
    } refused[] = {
        {"", "", 49000, "no host"},
        {":49000", "", 49000, "no host before the port"},
        {"49000", "", 49000, "not an IPv4 address"},  // digits alone are a port only where a host may be left out
        {"127.0.0.1:", "", 49000, "port must be a number from 1 to 65535"},
        {"127.0.0.1:0", "", 49000, "port must be"},
        {"127.0.0.1:65536", "", 49000, "port must be"},
        {"127.0.0.1:4x", "", 49000, "port must be"},
        {"127.0.0.1:-1", "", 49000, "port must be"},
        {"1.2.3", "", 49000, "not an IPv4 address"},
        {"1.2.3.256", "", 49000, "not an IPv4 address"},
        {"::1", "", 8080, "in brackets, e.g. [::1]:8080"},
        {"[::1", "", 8080, "no ]"},
        {"[1.2.3.4]:80", "", 0, "not an IPv6 address"},
        {"[::1]8080", "", 0, ":PORT after the brackets"},
        {"sim pc", "", 49000, "not a host name"},
        {"-sim", "", 49000, "not a host name"},
        {"sim-pc", "", 0, "no port"},
        {"99999", "::", 0, "port must be"},
    };
    for (const auto &r : refused) {
        try {
            ParseHostPort(r.text, r.defaultHost, r.defaultPort);
            ADD_FAILURE() << "accepted \"" << r.text << "\"";
        } catch (const AddressError &e) {
            const std::string what = e.what();
            EXPECT_EQ(what.rfind("\"" + std::string(r.text) + "\": ", 0), 0u) << what;
            EXPECT_NE(what.find(r.why), std::string::npos) << what;
        }
    }
}

TEST(Address, ResolvesToAnIPv4Endpoint)
{
    EXPECT_EQ(ResolveEndpoint("127.0.0.1", 49000), (Endpoint{kLoopbackAddress, 49000}));
    EXPECT_EQ(ResolveEndpoint("10.1.2.3:49001", 49000), (Endpoint{0x0a010203, 49001}));
    EXPECT_EQ(ResolveEndpoint("localhost:7", 49000), (Endpoint{kLoopbackAddress, 7}));
    EXPECT_EQ((Endpoint{0xc0a80105, 49000}).text(), "192.168.1.5:49000");
    EXPECT_EQ(Ipv4Address("239.255.1.1"), 0xefff0101u);
    EXPECT_THROW(ResolveEndpoint("[::1]:49000", 49000), std::runtime_error);
    EXPECT_THROW(ResolveEndpoint("1.2.3", 49000), AddressError);
    EXPECT_THROW(Ipv4Address("239.255.1"), AddressError);
}

}  // namespace
}  // namespace sim::net
