// The live link's datagrams as bytes (written out by hand here, so the
// byte order is checked, not only a round trip) and its element list.

#include <cmath>
#include <limits>
#include <stdexcept>

#include <gtest/gtest.h>

#include "Datagrams.h"
#include "XPlaneLink.h"

namespace sim::live {
namespace {

using Bytes = std::string;
const uint8_t *U(const Bytes &b) { return reinterpret_cast<const uint8_t *>(b.data()); }

// X-Plane 12.1.0 master on port 49000 (0xbf68), "sim-pc".
const Bytes kBeaconHead = Bytes("BECN\0\x01", 6);
const Bytes kBeaconBody = Bytes("\x01\x00\x00\x00"   // X-Plane
                                "\xa8\xd8\x01\x00"   // 121000
                                "\x01\x00\x00\x00"   // master
                                "\x68\xbf",          // 49000
                                14);

TEST(LiveDatagrams, BeaconsOfBothMinorVersionsAndBothNameLayouts)
{
    const Bytes compact1 = kBeaconHead + "\x01" + kBeaconBody + Bytes("sim-pc\0", 7);
    const Bytes compact2 = kBeaconHead + "\x02" + kBeaconBody + Bytes("sim-pc\0\x39\x30", 9);
    const Bytes padded2 = kBeaconHead + "\x02" + kBeaconBody + "sim-pc" + Bytes(500 - 6, '\0') + "\x39\x30";
    for (const Bytes &bytes : {compact1, compact2, padded2}) {
        const auto b = ParseBeacon(U(bytes), bytes.size());
        ASSERT_TRUE(b) << bytes.size();
        EXPECT_EQ(b->application, Beacon::XPlane);
        EXPECT_EQ(b->version, 121000);
        EXPECT_EQ(b->role, Beacon::Master);
        EXPECT_EQ(b->port, 49000);
        EXPECT_EQ(b->computer, "sim-pc");
        EXPECT_EQ(BuildBeacon(*b), b->minor == 1 ? compact1 : compact2);
    }
    EXPECT_EQ(VersionText(121000), "12.1.0");
    EXPECT_EQ(VersionText(115502), "11.55");
}

TEST(LiveDatagrams, BeaconsRefusedWhenNotExactlyABeacon)
{
    const Bytes good = kBeaconHead + "\x02" + kBeaconBody + Bytes("sim-pc\0\x39\x30", 9);
    for (size_t n = 0; n < good.size(); ++n) EXPECT_FALSE(ParseBeacon(U(good), n)) << "cut to " << n;
    const Bytes refused[] = {
        good + "x",                                                            // long
        "BECK" + good.substr(4),                                               // another kind
        Bytes("BECN\0\x02\x02", 7) + good.substr(7),                           // major 2
        Bytes("BECN\0\x01\x03", 7) + good.substr(7),                           // minor 3
        kBeaconHead + "\x01" + kBeaconBody + Bytes(501, 'n'),                  // name never ends
        kBeaconHead + "\x01" + kBeaconBody + Bytes(500, 'n') + Bytes(1, '\0'), // ends past its field
        kBeaconHead + "\x01" + kBeaconBody + "sim-pc" + Bytes(300, '\0'),      // padded, but not to 500
    };
    for (const Bytes &bytes : refused) EXPECT_FALSE(ParseBeacon(U(bytes), bytes.size())) << bytes.size();
    EXPECT_FALSE(ParseBeacon(nullptr, 0));
}

TEST(LiveDatagrams, RequestLayoutAndNameBounds)
{
    const auto r = BuildRrefRequest(30, 258, "sim/a[2]");
    ASSERT_TRUE(r);
    const Bytes bytes(reinterpret_cast<const char *>(r->data()), r->size());
    EXPECT_EQ(bytes, Bytes("RREF\0\x1e\0\0\0\x02\x01\0\0sim/a[2]", 21) + Bytes(413 - 21, '\0'));
    const auto back = ParseRrefRequest(r->data(), r->size());
    ASSERT_TRUE(back);
    EXPECT_EQ(back->frequency, 30);
    EXPECT_EQ(back->index, 258);
    EXPECT_EQ(back->name, "sim/a[2]");

    EXPECT_TRUE(BuildRrefRequest(0, 0, Bytes(399, 'n')));    // leaves room for its NUL
    EXPECT_FALSE(BuildRrefRequest(0, 0, Bytes(400, 'n')));   // does not
    EXPECT_FALSE(BuildRrefRequest(0, 0, ""));
    EXPECT_FALSE(BuildRrefRequest(0, 0, Bytes("a\0b", 3)));
    EXPECT_FALSE(ParseRrefRequest(r->data(), r->size() - 1));
    const Bytes unterminated = bytes.substr(0, 13) + Bytes(400, 'n');
    EXPECT_FALSE(ParseRrefRequest(U(unterminated), unterminated.size()));
}

TEST(LiveDatagrams, ValuesPassAsTheyComeAndBadOnesAreRefused)
{
    // (7, 1.5f), (-1, -inf), (40, NaN), after any fifth byte.
    const Bytes pairs = Bytes("\x07\0\0\0\0\0\xc0\x3f"
                              "\xff\xff\xff\xff\0\0\x80\xff"
                              "\x28\0\0\0\0\0\xc0\x7f",
                              24);
    for (char fifth : {',', '\0', 'x'}) {
        const Bytes bytes = Bytes("RREF") + fifth + pairs;
        const auto v = ParseRrefValues(U(bytes), bytes.size());
        ASSERT_TRUE(v);
        ASSERT_EQ(v->size(), 3u);
        EXPECT_EQ((*v)[0].index, 7);
        EXPECT_EQ((*v)[0].value, 1.5f);
        EXPECT_EQ((*v)[1].index, -1);
        EXPECT_EQ((*v)[1].value, -std::numeric_limits<float>::infinity());
        EXPECT_EQ((*v)[2].index, 40);
        EXPECT_TRUE(std::isnan((*v)[2].value));
    }
    const Bytes refused[] = {
        "RREF,",                                      // no pair
        "RREF," + pairs.substr(0, 7),                 // short of a pair
        "RREF," + pairs + "x",                        // odd length
        "DREF," + pairs,                              // another kind
        "RREF," + Bytes(kMaxDatagram, '\0'),          // longer than any X-Plane sends
    };
    for (const Bytes &bytes : refused) EXPECT_FALSE(ParseRrefValues(U(bytes), bytes.size())) << bytes.size();
    const RrefValue nan{3, std::numeric_limits<float>::quiet_NaN()};
    const Bytes built = BuildRrefValues(&nan, 1);
    EXPECT_TRUE(std::isnan((*ParseRrefValues(U(built), built.size()))[0].value));
}

TEST(LiveDatagrams, ElementsFollowTheHostsListWithArraysAsTheirFirstElements)
{
    const auto elements = LiveElements(host::kPublishedDatarefs, std::size(host::kPublishedDatarefs));
    size_t next = 0;
    for (size_t d = 0; d < std::size(host::kPublishedDatarefs); ++d) {
        const host::PublishedDataref &ref = host::kPublishedDatarefs[d];
        if (ref.type != host::DataType::FloatArray) {
            ASSERT_LT(next, elements.size());
            EXPECT_EQ(elements[next].dataref, d);
            EXPECT_EQ(elements[next++].name, ref.name);
            continue;
        }
        for (int e = 0; e < 3; ++e) {
            ASSERT_LT(next, elements.size());
            EXPECT_EQ(elements[next].element, e);
            EXPECT_EQ(elements[next++].name, std::string(ref.name) + "[" + std::to_string(e) + "]");
        }
    }
    EXPECT_EQ(next, elements.size());

    EXPECT_EQ(ToInt(2.6f), 3);
    EXPECT_EQ(ToInt(-1.0f), -1);
    for (float bad : {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(), 3e9f, -3e9f})
        EXPECT_EQ(ToInt(bad), 0) << bad;
}

}  // namespace
}  // namespace sim::live
