#include "Address.h"

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#endif

namespace sim::net {

namespace {

bool Digits(const std::string &s)
{
    return !s.empty() && s.find_first_not_of("0123456789") == std::string::npos;
}

[[noreturn]] void Refuse(const std::string &text, const std::string &why)
{
    throw AddressError("\"" + text + "\": " + why);
}

uint16_t Port(const std::string &text, const std::string &port, bool anyPort)
{
    const unsigned long value = Digits(port) && port.size() <= 5 ? std::stoul(port) : 65536;
    if (value < (anyPort ? 0 : 1) || value > 65535)
        Refuse(text, anyPort ? "the port must be a number from 0 (any free one) to 65535"
                             : "the port must be a number from 1 to 65535");
    return uint16_t(value);
}

// A host as typed without brackets: an IPv4 address or a name.
void CheckHost(const std::string &text, const std::string &host)
{
    in_addr v4{};
    if (host.find_first_not_of("0123456789.") == std::string::npos) {
        if (inet_pton(AF_INET, host.c_str(), &v4) != 1) Refuse(text, "not an IPv4 address");
        return;
    }
    const bool name = host.size() <= 253 && host.front() != '-' && host.front() != '.' &&
                      host.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789-._") ==
                          std::string::npos;
    if (!name) Refuse(text, "not a host name or an address");
}

}  // namespace

void StartNetwork()
{
#ifdef _WIN32
    // Winsock is started once and left running until the process ends.
    static const bool started = [] {
        WSADATA data;
        if (WSAStartup(MAKEWORD(2, 2), &data) != 0) throw std::runtime_error("cannot start Winsock");
        return true;
    }();
    (void)started;
#endif
}

HostPort ParseHostPort(const std::string &text, const std::string &defaultHost, uint16_t defaultPort, bool anyPort)
{
    HostPort a{defaultHost, defaultPort};
    std::string port;
    bool portGiven = false;
    if (!text.empty() && text[0] == '[') {
        const size_t close = text.find(']');
        if (close == std::string::npos) Refuse(text, "no ] after the IPv6 address");
        a.host = text.substr(1, close - 1);
        in6_addr v6{};
        if (inet_pton(AF_INET6, a.host.c_str(), &v6) != 1) Refuse(text, "not an IPv6 address in brackets");
        if (close + 1 < text.size()) {
            if (text[close + 1] != ':') Refuse(text, "expected :PORT after the brackets");
            port = text.substr(close + 2);
            portGiven = true;
        }
    } else {
        const size_t colon = text.find(':');
        if (colon != std::string::npos && text.find(':', colon + 1) != std::string::npos)
            Refuse(text, "an IPv6 address goes in brackets, e.g. [::1]:" + std::to_string(defaultPort ? defaultPort : 8080));
        std::string host = text.substr(0, colon);
        if (colon != std::string::npos) {
            port = text.substr(colon + 1);
            portGiven = true;
        } else if (!defaultHost.empty() && Digits(text)) {
            port = text;
            portGiven = true;
            host.clear();
        }
        if (host.empty() && defaultHost.empty()) Refuse(text, colon == std::string::npos ? "no host" : "no host before the port");
        if (!host.empty()) {
            CheckHost(text, host);
            a.host = host;
        }
    }
    if (portGiven) a.port = Port(text, port, anyPort);
    if (!portGiven && a.port == 0) Refuse(text, "no port; expected HOST:PORT");
    return a;
}

std::string Endpoint::text() const
{
    in_addr a{};
    a.s_addr = htonl(address);
    char dotted[INET_ADDRSTRLEN] = "";
    inet_ntop(AF_INET, &a, dotted, sizeof dotted);
    return std::string(dotted) + ":" + std::to_string(port);
}

uint32_t Ipv4Address(const std::string &dotted)
{
    in_addr a{};
    if (inet_pton(AF_INET, dotted.c_str(), &a) != 1) Refuse(dotted, "not an IPv4 address");
    return ntohl(a.s_addr);
}

Endpoint ResolveIPv4(const HostPort &address)
{
    StartNetwork();
    in6_addr v6{};
    if (inet_pton(AF_INET6, address.host.c_str(), &v6) == 1)
        throw std::runtime_error("[" + address.host + "]: an IPv6 address; this needs an IPv4 address or a name");
    addrinfo hints{}, *found = nullptr;
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_DGRAM;
    const int r = getaddrinfo(address.host.c_str(), nullptr, &hints, &found);
    if (r != 0 || !found)
        throw std::runtime_error("cannot find the address of \"" + address.host + "\": " + gai_strerror(r));
    const uint32_t ip = ntohl(reinterpret_cast<const sockaddr_in *>(found->ai_addr)->sin_addr.s_addr);
    freeaddrinfo(found);
    return {ip, address.port};
}

Endpoint ResolveEndpoint(const std::string &text, uint16_t defaultPort)
{
    return ResolveIPv4(ParseHostPort(text, "", defaultPort));
}

}  // namespace sim::net
