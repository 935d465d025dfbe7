#ifndef OSTREL_SIM_NET_UDPSOCKET_H
#define OSTREL_SIM_NET_UDPSOCKET_H
// IPv4 UDP sockets for the live link, the same on Linux (POSIX sockets) and
// Windows (Winsock 2). Every socket is non-blocking: receive() returns at
// once, and the only wait, WaitReadable(), is bounded by its caller.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "Address.h"

namespace sim::net {

class UdpSocket {
public:
    // On an ephemeral port of every interface: sends requests and receives
    // what answers them on the same socket.
    static UdpSocket client();
    // On `local` (address and port; port 0 picks one).
    static UdpSocket bound(Endpoint local);
    // Bound to `port` of every interface with address reuse (and port reuse
    // where the system has it), so other listeners on this machine, X-Plane's
    // own tools included, can share it; joined to `group` on every IPv4
    // interface, loopback included. Throws when it cannot bind or joins no
    // interface.
    static UdpSocket multicastListener(uint16_t port, const std::string &group);
    // Sends multicasts out of the interface with address `interfaceAddress`
    // only, with time-to-live `ttl` (0: this machine only), and loops them
    // back to listeners on this machine.
    static UdpSocket multicastSender(uint32_t interfaceAddress, int ttl);

    UdpSocket(UdpSocket &&other) noexcept;
    UdpSocket &operator=(UdpSocket &&other) noexcept;
    UdpSocket(const UdpSocket &) = delete;
    UdpSocket &operator=(const UdpSocket &) = delete;
    ~UdpSocket();

    Endpoint local() const;
    // Interfaces a listener joined its group on.
    const std::vector<uint32_t> &joined() const { return joined_; }

    // False when the system refused it (a full buffer, no route); UDP gives
    // no more than that.
    bool send(const Endpoint &to, const void *data, size_t size);

    enum class Received {
        Datagram,  // `size` bytes from `from`
        Nothing,   // none waiting
        TooLong,   // one longer than `capacity`, dropped
        Error,     // a passing error (an earlier send refused by the peer); read on
    };
    // With `arrived`, a datagram's arrival: when the system received it where
    // it stamps datagrams (Linux), else now.
    Received receive(uint8_t *buffer, size_t capacity, size_t &size, Endpoint &from,
                     std::chrono::steady_clock::time_point *arrived = nullptr);

    intptr_t handle() const { return handle_; }

private:
    explicit UdpSocket(intptr_t handle) : handle_(handle) {}
    void close();
    intptr_t handle_;
    std::vector<uint32_t> joined_;
};

// The IPv4 addresses of this machine's interfaces that are up, loopback first.
std::vector<uint32_t> InterfaceAddresses();

// Waits at most `milliseconds` for a datagram on any of `sockets`; true when
// one has one waiting.
bool WaitReadable(const std::vector<const UdpSocket *> &sockets, int milliseconds);

}  // namespace sim::net

#endif
