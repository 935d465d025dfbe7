#include "Datagrams.h"

#include <cstring>

namespace sim::live {

namespace {

// Little-endian fields, read and written byte by byte so the machine's own
// byte order and alignment never matter.
uint32_t Get32(const uint8_t *p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
uint16_t Get16(const uint8_t *p) { return uint16_t(p[0] | p[1] << 8); }
float GetFloat(const uint8_t *p)
{
    const uint32_t bits = Get32(p);
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}

void Put32(std::string &out, uint32_t v)
{
    for (int i = 0; i < 4; ++i) out.push_back(char(v >> (8 * i) & 0xff));
}
void Put32(uint8_t *p, uint32_t v)
{
    for (int i = 0; i < 4; ++i) p[i] = uint8_t(v >> (8 * i) & 0xff);
}
uint32_t FloatBits(float f)
{
    uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    return bits;
}

constexpr char kBecn[5] = {'B', 'E', 'C', 'N', '\0'};
constexpr char kRref[5] = {'R', 'R', 'E', 'F', '\0'};
// "BECN\0", major, minor, application, version, role, port.
constexpr size_t kBeaconFixed = 5 + 1 + 1 + 4 + 4 + 4 + 2;

}  // namespace

std::optional<Beacon> ParseBeacon(const uint8_t *data, size_t size)
{
    if (!data || size < kBeaconFixed + 1 || std::memcmp(data, kBecn, 5) != 0) return std::nullopt;
    const int major = data[5], minor = data[6];
    if (major != 1 || (minor != 1 && minor != 2)) return std::nullopt;
    const size_t trailing = minor == 2 ? 2 : 0;

    const uint8_t *name = data + kBeaconFixed;
    const size_t room = size - kBeaconFixed;
    const void *nul = std::memchr(name, 0, room < kBeaconNameField ? room : kBeaconNameField);
    if (!nul) return std::nullopt;
    const size_t length = size_t(static_cast<const uint8_t *>(nul) - name);
    // Compact (the name and its NUL) or the whole field; nothing else after.
    if (room != length + 1 + trailing && room != kBeaconNameField + trailing) return std::nullopt;

    Beacon b;
    b.minor = minor;
    b.application = int32_t(Get32(data + 7));
    b.version = int32_t(Get32(data + 11));
    b.role = Get32(data + 15);
    b.port = Get16(data + 19);
    b.computer.assign(reinterpret_cast<const char *>(name), length);
    if (trailing) b.trailing = Get16(data + size - 2);
    return b;
}

std::string BuildBeacon(const Beacon &b)
{
    std::string out(kBecn, 5);
    out.push_back(1);
    out.push_back(char(b.minor));
    Put32(out, uint32_t(b.application));
    Put32(out, uint32_t(b.version));
    Put32(out, b.role);
    out.push_back(char(b.port & 0xff));
    out.push_back(char(b.port >> 8));
    const std::string name = b.computer.substr(0, b.computer.find('\0')).substr(0, kBeaconNameField - 1);
    out += name;
    out.push_back('\0');
    if (b.minor == 2) {
        out.push_back(char(b.trailing & 0xff));
        out.push_back(char(b.trailing >> 8));
    }
    return out;
}

std::string VersionText(int32_t version)
{
    if (version <= 0) return std::to_string(version);
    const int major = version / 10000, middle = version / 100 % 100;
    // X-Plane 12 counts 12.1.0 as 12|10|00; earlier ones 11.55 as 11|55|00.
    if (major >= 12) return std::to_string(major) + "." + std::to_string(middle / 10) + "." + std::to_string(middle % 10);
    return std::to_string(major) + "." + (middle < 10 ? "0" : "") + std::to_string(middle);
}

std::optional<RrefRequest> BuildRrefRequest(int32_t frequency, int32_t index, std::string_view name)
{
    if (name.empty() || name.size() >= kRrefNameField || name.find('\0') != std::string_view::npos)
        return std::nullopt;
    RrefRequest r{};
    std::memcpy(r.data(), kRref, 5);
    Put32(r.data() + 5, uint32_t(frequency));
    Put32(r.data() + 9, uint32_t(index));
    std::memcpy(r.data() + 13, name.data(), name.size());
    return r;
}

std::optional<RrefAsk> ParseRrefRequest(const uint8_t *data, size_t size)
{
    if (!data || size != kRrefRequestSize || std::memcmp(data, kRref, 5) != 0) return std::nullopt;
    const uint8_t *name = data + 13;
    const void *nul = std::memchr(name, 0, kRrefNameField);
    if (!nul || nul == name) return std::nullopt;
    RrefAsk ask;
    ask.frequency = int32_t(Get32(data + 5));
    ask.index = int32_t(Get32(data + 9));
    ask.name.assign(reinterpret_cast<const char *>(name), size_t(static_cast<const uint8_t *>(nul) - name));
    return ask;
}

RrefValue RrefValues::operator[](size_t i) const
{
    const uint8_t *p = pairs_ + 8 * (i < count_ ? i : 0);
    return {int32_t(Get32(p)), GetFloat(p + 4)};
}

std::optional<RrefValues> ParseRrefValues(const uint8_t *data, size_t size)
{
    if (!data || size < kRrefValuesHeader + 8 || size > kMaxDatagram || std::memcmp(data, kRref, 4) != 0 ||
        (size - kRrefValuesHeader) % 8 != 0)
        return std::nullopt;
    return RrefValues(data + kRrefValuesHeader, (size - kRrefValuesHeader) / 8);
}

std::string BuildRrefValues(const RrefValue *values, size_t count)
{
    std::string out = "RREF,";
    for (size_t i = 0; i < count && out.size() + 8 <= kMaxDatagram; ++i) {
        Put32(out, uint32_t(values[i].index));
        Put32(out, FloatBits(values[i].value));
    }
    return out;
}

}  // namespace sim::live
