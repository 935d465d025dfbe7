// libFuzzer entry for the live link's datagram parsers: every input goes to
// the beacon, value and request parsers. An accepted datagram must say the
// same when written back and read again.

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "Datagrams.h"

using namespace sim::live;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (const auto b = ParseBeacon(data, size)) {
        if (b->computer.size() >= kBeaconNameField || b->computer.find('\0') != std::string::npos) abort();
        const std::string again = BuildBeacon(*b);
        const auto c = ParseBeacon(reinterpret_cast<const uint8_t *>(again.data()), again.size());
        if (!c || c->minor != b->minor || c->application != b->application || c->version != b->version ||
            c->role != b->role || c->port != b->port || c->computer != b->computer || c->trailing != b->trailing)
            abort();
    }
    if (const auto v = ParseRrefValues(data, size)) {
        if (v->size() == 0 || kRrefValuesHeader + 8 * v->size() != size) abort();
        std::vector<RrefValue> pairs;
        for (size_t i = 0; i < v->size(); ++i) pairs.push_back((*v)[i]);
        const std::string again = BuildRrefValues(pairs.data(), pairs.size());
        // Values pass bit for bit, NaN payloads included.
        if (again.size() != size || std::memcmp(again.data() + 5, data + 5, size - 5) != 0) abort();
    }
    if (const auto r = ParseRrefRequest(data, size)) {
        const auto again = BuildRrefRequest(r->frequency, r->index, r->name);
        if (!again) abort();
        const auto s = ParseRrefRequest(again->data(), again->size());
        if (!s || s->frequency != r->frequency || s->index != r->index || s->name != r->name) abort();
    }
    return 0;
}
