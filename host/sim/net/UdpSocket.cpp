#include "UdpSocket.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#include <iphlpapi.h>
#include <mswsock.h>
#else
#include <arpa/inet.h>
#include <fcntl.h>
#include <ifaddrs.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace sim::net {

namespace {

#ifdef _WIN32
using Handle = SOCKET;
constexpr intptr_t kNone = intptr_t(INVALID_SOCKET);
#ifndef SIO_UDP_CONNRESET
#define SIO_UDP_CONNRESET _WSAIOW(IOC_VENDOR, 12)
#endif

int LastError() { return WSAGetLastError(); }
std::string ErrorText(int code)
{
    char *text = nullptr;
    FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, DWORD(code), 0, reinterpret_cast<char *>(&text), 0, nullptr);
    std::string s = text ? text : "error " + std::to_string(code);
    if (text) LocalFree(text);
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r' || s.back() == '.')) s.pop_back();
    return s;
}
void CloseHandle_(intptr_t h) { closesocket(Handle(h)); }

#else
using Handle = int;
constexpr intptr_t kNone = -1;
int LastError() { return errno; }
std::string ErrorText(int code) { return std::strerror(code); }
void CloseHandle_(intptr_t h) { ::close(int(h)); }
#endif

Handle H(intptr_t h) { return Handle(h); }

[[noreturn]] void Fail(const std::string &what)
{
    const int code = LastError();
    throw std::runtime_error(what + ": " + ErrorText(code));
}

sockaddr_in SockAddr(const Endpoint &e)
{
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(e.address);
    a.sin_port = htons(e.port);
    return a;
}

// A non-blocking IPv4 UDP socket that child processes do not inherit.
intptr_t OpenSocket()
{
    StartNetwork();
#ifdef _WIN32
    const SOCKET s = WSASocketW(AF_INET, SOCK_DGRAM, IPPROTO_UDP, nullptr, 0, WSA_FLAG_NO_HANDLE_INHERIT);
    if (s == INVALID_SOCKET) Fail("cannot open a UDP socket");
    u_long on = 1;
    ioctlsocket(s, FIONBIO, &on);
    // Without this, an ICMP "port unreachable" for an earlier send (X-Plane
    // not running yet) fails the next receive with WSAECONNRESET.
    BOOL report = FALSE;
    DWORD unused = 0;
    WSAIoctl(s, SIO_UDP_CONNRESET, &report, sizeof report, nullptr, 0, &unused, nullptr, nullptr);
    return intptr_t(s);
#else
#ifdef SOCK_CLOEXEC
    const int s = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
#else
    const int s = socket(AF_INET, SOCK_DGRAM, 0);
#endif
    if (s < 0) Fail("cannot open a UDP socket");
    fcntl(s, F_SETFD, fcntl(s, F_GETFD) | FD_CLOEXEC);
    fcntl(s, F_SETFL, fcntl(s, F_GETFL) | O_NONBLOCK);
#ifdef SO_TIMESTAMPNS
    // Each datagram carries the time it arrived (receive(), `arrived`).
    const int on = 1;
    setsockopt(s, SOL_SOCKET, SO_TIMESTAMPNS, &on, sizeof on);
#endif
    return s;
#endif
}

bool SetInt(intptr_t h, int level, int name, int value)
{
    return setsockopt(H(h), level, name, reinterpret_cast<const char *>(&value), sizeof value) == 0;
}

void Bind(intptr_t h, const Endpoint &local)
{
    const sockaddr_in a = SockAddr(local);
    if (bind(H(h), reinterpret_cast<const sockaddr *>(&a), sizeof a) != 0) Fail("cannot bind UDP " + local.text());
}

}  // namespace

std::vector<uint32_t> InterfaceAddresses()
{
    std::vector<uint32_t> out{kLoopbackAddress};
#ifdef _WIN32
    ULONG size = 16 * 1024;
    for (int attempt = 0; attempt < 3; ++attempt) {
        std::vector<unsigned char> buffer(size);
        auto *list = reinterpret_cast<IP_ADAPTER_ADDRESSES *>(buffer.data());
        const ULONG flags = GAA_FLAG_SKIP_ANYCAST | GAA_FLAG_SKIP_MULTICAST | GAA_FLAG_SKIP_DNS_SERVER;
        const ULONG r = GetAdaptersAddresses(AF_INET, flags, nullptr, list, &size);
        if (r == ERROR_BUFFER_OVERFLOW) continue;
        if (r != NO_ERROR) break;
        for (auto *a = list; a; a = a->Next) {
            if (a->OperStatus != IfOperStatusUp) continue;
            for (auto *u = a->FirstUnicastAddress; u; u = u->Next) {
                const sockaddr *sa = u->Address.lpSockaddr;
                if (sa && sa->sa_family == AF_INET)
                    out.push_back(ntohl(reinterpret_cast<const sockaddr_in *>(sa)->sin_addr.s_addr));
            }
        }
        break;
    }
#else
    ifaddrs *list = nullptr;
    if (getifaddrs(&list) == 0) {
        for (ifaddrs *a = list; a; a = a->ifa_next)
            if (a->ifa_addr && a->ifa_addr->sa_family == AF_INET)
                out.push_back(ntohl(reinterpret_cast<const sockaddr_in *>(a->ifa_addr)->sin_addr.s_addr));
        freeifaddrs(list);
    }
#endif
    std::vector<uint32_t> unique;
    for (uint32_t a : out)
        if (std::find(unique.begin(), unique.end(), a) == unique.end()) unique.push_back(a);
    return unique;
}

UdpSocket UdpSocket::client() { return bound(Endpoint{}); }

UdpSocket UdpSocket::bound(Endpoint local)
{
    UdpSocket s(OpenSocket());
    Bind(s.handle_, local);
    return s;
}

UdpSocket UdpSocket::multicastListener(uint16_t port, const std::string &group)
{
    UdpSocket s(OpenSocket());
    SetInt(s.handle_, SOL_SOCKET, SO_REUSEADDR, 1);
#if defined(SO_REUSEPORT) && !defined(__linux__)
    // BSD and macOS share a multicast port only when every listener asks for
    // port reuse too. (Linux's SO_REUSEPORT would spread datagrams between
    // listeners instead of copying them to each.)
    SetInt(s.handle_, SOL_SOCKET, SO_REUSEPORT, 1);
#endif
    Endpoint any;
    any.port = port;
    Bind(s.handle_, any);
    const uint32_t groupAddress = Ipv4Address(group);
    for (uint32_t iface : InterfaceAddresses()) {
        ip_mreq m{};
        m.imr_multiaddr.s_addr = htonl(groupAddress);
        m.imr_interface.s_addr = htonl(iface);
        if (setsockopt(H(s.handle_), IPPROTO_IP, IP_ADD_MEMBERSHIP,
                       reinterpret_cast<const char *>(&m), sizeof m) == 0)
            s.joined_.push_back(iface);
    }
    if (s.joined_.empty()) Fail("cannot join multicast group " + group + " on any interface");
    return s;
}

UdpSocket UdpSocket::multicastSender(uint32_t interfaceAddress, int ttl)
{
    UdpSocket s = bound(Endpoint{interfaceAddress, 0});
    in_addr iface{};
    iface.s_addr = htonl(interfaceAddress);
    if (setsockopt(H(s.handle_), IPPROTO_IP, IP_MULTICAST_IF, reinterpret_cast<const char *>(&iface), sizeof iface) != 0)
        Fail("cannot send multicasts out of " + Endpoint{interfaceAddress, 0}.text());
    if (!SetInt(s.handle_, IPPROTO_IP, IP_MULTICAST_TTL, ttl)) Fail("cannot set the multicast time-to-live");
    SetInt(s.handle_, IPPROTO_IP, IP_MULTICAST_LOOP, 1);
    return s;
}

UdpSocket::UdpSocket(UdpSocket &&o) noexcept : handle_(o.handle_), joined_(std::move(o.joined_)) { o.handle_ = kNone; }

UdpSocket &UdpSocket::operator=(UdpSocket &&o) noexcept
{
    if (this != &o) {
        close();
        handle_ = o.handle_;
        joined_ = std::move(o.joined_);
        o.handle_ = kNone;
    }
    return *this;
}

UdpSocket::~UdpSocket() { close(); }

void UdpSocket::close()
{
    if (handle_ != kNone) CloseHandle_(handle_);
    handle_ = kNone;
}

Endpoint UdpSocket::local() const
{
    sockaddr_in a{};
    socklen_t size = sizeof a;
    if (getsockname(H(handle_), reinterpret_cast<sockaddr *>(&a), &size) != 0) return {};
    return {ntohl(a.sin_addr.s_addr), ntohs(a.sin_port)};
}

bool UdpSocket::send(const Endpoint &to, const void *data, size_t size)
{
    const sockaddr_in a = SockAddr(to);
#ifdef _WIN32
    const int sent = sendto(H(handle_), static_cast<const char *>(data), int(size), 0,
                            reinterpret_cast<const sockaddr *>(&a), sizeof a);
#else
    const ssize_t sent = sendto(H(handle_), data, size, 0, reinterpret_cast<const sockaddr *>(&a), sizeof a);
#endif
    return sent >= 0 && size_t(sent) == size;
}

UdpSocket::Received UdpSocket::receive(uint8_t *buffer, size_t capacity, size_t &size, Endpoint &from,
                                       std::chrono::steady_clock::time_point *arrived)
{
    size = 0;
    sockaddr_in a{};
    if (arrived) *arrived = std::chrono::steady_clock::now();
#ifdef _WIN32
    int length = sizeof a;
    const int got = recvfrom(H(handle_), reinterpret_cast<char *>(buffer), int(capacity), 0,
                             reinterpret_cast<sockaddr *>(&a), &length);
    if (got < 0) {
        const int code = WSAGetLastError();
        if (code == WSAEWOULDBLOCK) return Received::Nothing;
        return code == WSAEMSGSIZE ? Received::TooLong : Received::Error;
    }
    size = size_t(got);
#else
    iovec part{buffer, capacity};
    alignas(cmsghdr) char control[64];
    msghdr m{};
    m.msg_name = &a;
    m.msg_namelen = sizeof a;
    m.msg_iov = &part;
    m.msg_iovlen = 1;
    m.msg_control = control;
    m.msg_controllen = sizeof control;
    const ssize_t got = recvmsg(handle_, &m, 0);
    if (got < 0) {
        if (errno == EAGAIN || errno == EWOULDBLOCK) return Received::Nothing;
        return Received::Error;
    }
    if (m.msg_flags & MSG_TRUNC) return Received::TooLong;
    size = size_t(got);
#ifdef SO_TIMESTAMPNS
    for (cmsghdr *c = CMSG_FIRSTHDR(&m); arrived && c; c = CMSG_NXTHDR(&m, c)) {
        if (c->cmsg_level != SOL_SOCKET || c->cmsg_type != SCM_TIMESTAMPNS) continue;
        timespec stamp;
        std::memcpy(&stamp, CMSG_DATA(c), sizeof stamp);
        // The stamp is wall-clock time; the arrival is as long ago on the steady clock.
        const auto since = std::chrono::system_clock::now().time_since_epoch() -
                           (std::chrono::seconds(stamp.tv_sec) + std::chrono::nanoseconds(stamp.tv_nsec));
        if (since >= since.zero() && since < std::chrono::seconds(10))
            *arrived -= std::chrono::duration_cast<std::chrono::steady_clock::duration>(since);
    }
#endif
#endif
    from = {ntohl(a.sin_addr.s_addr), ntohs(a.sin_port)};
    return Received::Datagram;
}

bool WaitReadable(const std::vector<const UdpSocket *> &sockets, int milliseconds)
{
    milliseconds = std::max(milliseconds, 0);
#ifdef _WIN32
    fd_set read;
    FD_ZERO(&read);
    for (const UdpSocket *s : sockets)
        if (s && s->handle() != kNone && read.fd_count < FD_SETSIZE) FD_SET(H(s->handle()), &read);
    if (read.fd_count == 0) {
        Sleep(DWORD(milliseconds));
        return false;
    }
    timeval t{milliseconds / 1000, milliseconds % 1000 * 1000};
    return select(0, &read, nullptr, nullptr, &t) > 0;
#else
    std::vector<pollfd> fds;
    for (const UdpSocket *s : sockets)
        if (s && s->handle() != kNone) fds.push_back({int(s->handle()), POLLIN, 0});
    const int r = poll(fds.data(), nfds_t(fds.size()), milliseconds);
    return r > 0;
#endif
}

}  // namespace sim::net
