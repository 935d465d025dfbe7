#ifndef OSTREL_SIM_LIVE_DATAGRAMS_H
#define OSTREL_SIM_LIVE_DATAGRAMS_H
// The datagrams of X-Plane's UDP interface that the live link uses, as bytes:
// the beacon a running X-Plane multicasts, the request for a dataref and the
// datagram of values that answers it. No sockets here.
//
// Every number is little-endian and every structure packed, whatever the
// machine. The parsers take any bytes: anything that is not exactly one of
// these datagrams is refused (std::nullopt), and nothing outside the given
// bytes is ever read.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sim::live {

// Where beacons go: this group and port, from every X-Plane on the network.
inline constexpr const char *kBeaconGroup = "239.255.1.1";
inline constexpr uint16_t kBeaconPort = 49707;
// X-Plane's own UDP port when its settings leave it alone.
inline constexpr uint16_t kDefaultXPlanePort = 49000;
// No datagram of this interface is longer; a longer one is refused.
inline constexpr size_t kMaxDatagram = 2048;

// "BECN\0", major version 1, minor 1 (or 2 from X-Plane 11.50, which adds a
// trailing uint16), application, version, role, port and the computer's
// name, NUL-terminated within a field of 500 bytes. The name comes either
// compact (the datagram ends after its NUL, or after the trailing uint16
// there) or in the whole 500-byte field.
struct Beacon {
    enum Application : int32_t { XPlane = 1, PlaneMaker = 2 };
    enum Role : uint32_t { Master = 1, ExternalVisual = 2, Ios = 3 };
    int minor = 1;
    int32_t application = XPlane;
    int32_t version = 0;  // 121000 for 12.1.0
    uint32_t role = Master;
    uint16_t port = 0;    // X-Plane's UDP port
    std::string computer;
    uint16_t trailing = 0;  // minor version 2's last field (another port of X-Plane's; unused here)
};
inline constexpr size_t kBeaconNameField = 500;

std::optional<Beacon> ParseBeacon(const uint8_t *data, size_t size);
// The beacon as X-Plane sends it (compact name); for tests and the stand-in.
// The name is cut to fit its field.
std::string BuildBeacon(const Beacon &beacon);
// "12.1.0" for 121000; "11.55" style versions keep their digits: "11.55.0".
std::string VersionText(int32_t version);

// A request: "RREF\0", int32 frequency (times a second, 0 cancels), int32
// index (returned with each value) and the dataref's name in 400 bytes padded
// with NULs ("name[i]" for one element of an array).
inline constexpr size_t kRrefRequestSize = 413;
inline constexpr size_t kRrefNameField = 400;
using RrefRequest = std::array<uint8_t, kRrefRequestSize>;
struct RrefAsk {
    int32_t frequency = 0;
    int32_t index = 0;
    std::string name;
};
// Refuses (nullopt) an empty name, or one that leaves no room for its NUL or
// holds a NUL itself.
std::optional<RrefRequest> BuildRrefRequest(int32_t frequency, int32_t index, std::string_view name);
std::optional<RrefAsk> ParseRrefRequest(const uint8_t *data, size_t size);

// Values: "RREF" and one more byte (',' in practice), then one or more
// (int32 index, float32 value) pairs. Values pass as they come, NaN and
// infinities included.
struct RrefValue {
    int32_t index;
    float value;
};
// A view of the pairs inside the caller's buffer; valid while it is.
class RrefValues {
public:
    size_t size() const { return count_; }
    RrefValue operator[](size_t i) const;

private:
    friend std::optional<RrefValues> ParseRrefValues(const uint8_t *data, size_t size);
    RrefValues(const uint8_t *pairs, size_t count) : pairs_(pairs), count_(count) {}
    const uint8_t *pairs_;
    size_t count_;
};
inline constexpr size_t kRrefValuesHeader = 5;
std::optional<RrefValues> ParseRrefValues(const uint8_t *data, size_t size);
// A datagram of values; for tests and the stand-in. Pairs beyond what fits
// kMaxDatagram are left out.
std::string BuildRrefValues(const RrefValue *values, size_t count);

}  // namespace sim::live

#endif
