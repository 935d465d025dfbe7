// ostrel-code-signature FILE: checks the code signatures of a Mach-O file,
// thin or universal, without Apple's tools. arm64 Macs run only signed code,
// so an arm64 slice must carry one; other slices are checked when signed.
//
// A signature (LC_CODE_SIGNATURE) is a blob of blobs at the end of the file
// whose code directory holds the SHA-256 of every page before it. Each page
// hash is recomputed here; the signature must be ad hoc (no certificate, as
// the linker makes it) and cover the whole file up to itself. To show that a
// change would be noticed, each slice is checked again with one byte of its
// last page changed, which must fail.
//
// Exits 0 when every check holds, 1 when one fails, 2 when FILE is unreadable.

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

// SHA-256 (FIPS 180-4), as the code directory's hash type 2 names it.
std::array<uint8_t, 32> Sha256(const uint8_t *data, size_t size)
{
    static const uint32_t k[64] = {
        0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
        0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
        0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
        0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
        0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
        0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
        0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
        0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2};
    uint32_t h[8] = {0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
                     0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19};
    auto rotr = [](uint32_t x, int n) { return (x >> n) | (x << (32 - n)); };

    // The message, then 0x80, zeros and the bit length to a multiple of 64.
    Bytes msg(data, data + size);
    msg.push_back(0x80);
    while (msg.size() % 64 != 56)
        msg.push_back(0);
    uint64_t bits = uint64_t(size) * 8;
    for (int i = 7; i >= 0; --i)
        msg.push_back(uint8_t(bits >> (i * 8)));

    for (size_t block = 0; block < msg.size(); block += 64) {
        uint32_t w[64];
        for (int i = 0; i < 16; ++i) {
            const uint8_t *p = &msg[block + i * 4];
            w[i] = uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
        }
        for (int i = 16; i < 64; ++i) {
            uint32_t s0 = rotr(w[i - 15], 7) ^ rotr(w[i - 15], 18) ^ (w[i - 15] >> 3);
            uint32_t s1 = rotr(w[i - 2], 17) ^ rotr(w[i - 2], 19) ^ (w[i - 2] >> 10);
            w[i] = w[i - 16] + s0 + w[i - 7] + s1;
        }
        uint32_t a = h[0], b = h[1], c = h[2], d = h[3], e = h[4], f = h[5], g = h[6], hh = h[7];
        for (int i = 0; i < 64; ++i) {
            uint32_t t1 = hh + (rotr(e, 6) ^ rotr(e, 11) ^ rotr(e, 25)) + ((e & f) ^ (~e & g)) + k[i] + w[i];
            uint32_t t2 = (rotr(a, 2) ^ rotr(a, 13) ^ rotr(a, 22)) + ((a & b) ^ (a & c) ^ (b & c));
            hh = g; g = f; f = e; e = d + t1; d = c; c = b; b = a; a = t1 + t2;
        }
        h[0] += a; h[1] += b; h[2] += c; h[3] += d; h[4] += e; h[5] += f; h[6] += g; h[7] += hh;
    }
    std::array<uint8_t, 32> out;
    for (int i = 0; i < 32; ++i)
        out[i] = uint8_t(h[i / 4] >> (24 - (i % 4) * 8));
    return out;
}

// Mach-O headers are little-endian on both architectures; the signature's
// blobs are big-endian. Every read is bounds-checked.
struct View {
    const uint8_t *data;
    size_t size;

    const uint8_t *At(size_t off, size_t n) const
    {
        if (off > size || n > size - off)
            throw std::runtime_error("reads past the end of the slice");
        return data + off;
    }
    uint32_t Le32(size_t off) const
    {
        const uint8_t *p = At(off, 4);
        return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
    }
    uint32_t Be32(size_t off) const
    {
        const uint8_t *p = At(off, 4);
        return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
    }
    uint8_t U8(size_t off) const { return *At(off, 1); }
};

constexpr uint32_t kFatMagic = 0xcafebabe;
constexpr uint32_t kMachO64 = 0xfeedfacf;
constexpr uint32_t kCpuArm64 = 0x0100000c;
constexpr uint32_t kCpuX86_64 = 0x01000007;
constexpr uint32_t kLcCodeSignature = 0x1d;
constexpr uint32_t kSuperBlob = 0xfade0cc0;
constexpr uint32_t kCodeDirectory = 0xfade0c02;
constexpr uint32_t kCsAdhoc = 0x2;
constexpr uint32_t kHashSha256 = 2;

struct Slice {
    std::string arch;
    Bytes bytes;
};

std::string ArchName(uint32_t cpu)
{
    if (cpu == kCpuArm64)
        return "arm64";
    if (cpu == kCpuX86_64)
        return "x86_64";
    char buf[32];
    std::snprintf(buf, sizeof buf, "cpu 0x%x", cpu);
    return buf;
}

std::vector<Slice> ReadSlices(const Bytes &file)
{
    View v{file.data(), file.size()};
    std::vector<Slice> slices;
    if (v.Be32(0) == kFatMagic) {
        uint32_t n = v.Be32(4);
        for (uint32_t i = 0; i < n; ++i) {
            size_t entry = 8 + size_t(i) * 20;
            uint32_t offset = v.Be32(entry + 8), size = v.Be32(entry + 12);
            const uint8_t *p = v.At(offset, size);
            slices.push_back({ArchName(v.Be32(entry)), Bytes(p, p + size)});
        }
    } else if (v.Le32(0) == kMachO64) {
        slices.push_back({ArchName(v.Le32(4)), file});
    } else {
        throw std::runtime_error("neither a Mach-O file nor a universal one");
    }
    return slices;
}

// Empty when the slice's signature holds; else what is wrong with it.
// 'unsigned' tells whether there is none at all.
std::string CheckSignature(const Bytes &slice, bool *unsignedSlice, std::string *summary)
{
    View v{slice.data(), slice.size()};
    if (v.Le32(0) != kMachO64)
        return "not a 64-bit Mach-O slice";
    uint32_t ncmds = v.Le32(16);
    size_t cmd = 32;
    uint32_t sigOff = 0, sigSize = 0;
    for (uint32_t i = 0; i < ncmds; ++i) {
        if (v.Le32(cmd) == kLcCodeSignature) {
            sigOff = v.Le32(cmd + 8);
            sigSize = v.Le32(cmd + 12);
        }
        cmd += v.Le32(cmd + 4);
    }
    *unsignedSlice = sigSize == 0;
    if (sigSize == 0)
        return "no code signature";
    v.At(sigOff, sigSize);

    View sig{slice.data() + sigOff, sigSize};
    if (sig.Be32(0) != kSuperBlob)
        return "the signature is not a blob of blobs";
    size_t cd = 0;
    for (uint32_t i = 0, n = sig.Be32(8); i < n; ++i) {
        uint32_t offset = sig.Be32(12 + size_t(i) * 8 + 4);
        if (sig.Be32(offset) == kCodeDirectory)
            cd = offset;
    }
    if (cd == 0)
        return "the signature has no code directory";

    uint32_t flags = sig.Be32(cd + 12);
    uint32_t hashOffset = sig.Be32(cd + 16);
    uint32_t identOffset = sig.Be32(cd + 20);
    uint32_t nSpecial = sig.Be32(cd + 24);
    uint32_t nCode = sig.Be32(cd + 28);
    uint32_t codeLimit = sig.Be32(cd + 32);
    uint8_t hashSize = sig.U8(cd + 36), hashType = sig.U8(cd + 37), pageBits = sig.U8(cd + 39);

    if (!(flags & kCsAdhoc))
        return "the signature is not ad hoc";
    if (hashType != kHashSha256 || hashSize != 32)
        return "the code directory does not hash with SHA-256";
    if (codeLimit != sigOff)
        return "the signed range ends at " + std::to_string(codeLimit) + ", not where the signature begins (" +
               std::to_string(sigOff) + ")";
    if (pageBits < 12 || pageBits > 16)
        return "page size 2^" + std::to_string(pageBits) + " is not one macOS uses";
    size_t page = size_t(1) << pageBits;
    if (nCode != (codeLimit + page - 1) / page)
        return std::to_string(nCode) + " page hashes for " + std::to_string(codeLimit) + " bytes";
    // Special slots (hashes of an Info.plist, requirements, ...) come before
    // the code slots; a bundle's plug-in binary signed ad hoc has none that
    // are set, which a nonzero hash would contradict.
    for (uint32_t i = 1; i <= nSpecial; ++i) {
        const uint8_t *h = sig.At(cd + hashOffset - size_t(i) * hashSize, hashSize);
        for (int b = 0; b < hashSize; ++b)
            if (h[b] != 0)
                return "special slot " + std::to_string(i) + " is set, and this checker knows none";
    }
    for (uint32_t i = 0; i < nCode; ++i) {
        size_t begin = size_t(i) * page, end = std::min<size_t>(begin + page, codeLimit);
        std::array<uint8_t, 32> h = Sha256(slice.data() + begin, end - begin);
        if (std::memcmp(h.data(), sig.At(cd + hashOffset + size_t(i) * 32, 32), 32) != 0)
            return "page " + std::to_string(i) + " does not match its hash";
    }
    const uint8_t *ident = sig.At(cd + identOffset, 1);
    std::string id(reinterpret_cast<const char *>(ident), strnlen(reinterpret_cast<const char *>(ident),
                                                                    sigSize - cd - identOffset));
    *summary = "ad hoc, identifier \"" + id + "\", " + std::to_string(nCode) + " pages of " +
               std::to_string(page) + " bytes, SHA-256, signed range " + std::to_string(codeLimit) + " bytes";
    return "";
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: ostrel-code-signature FILE\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    Bytes file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<Slice> slices;
    try {
        if (!in.eof() && !in.good())
            throw std::runtime_error("cannot be read");
        slices = ReadSlices(file);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "%s: %s\n", argv[1], e.what());
        return 2;
    }

    int failures = 0;
    for (Slice &s : slices) {
        bool unsignedSlice = false;
        std::string summary, problem;
        try {
            problem = CheckSignature(s.bytes, &unsignedSlice, &summary);
        } catch (const std::exception &e) {
            problem = e.what();
        }
        if (unsignedSlice && s.arch != "arm64") {
            std::printf("%s: not signed (not needed)\n", s.arch.c_str());
            continue;
        }
        if (!problem.empty()) {
            std::printf("%s: FAILS: %s\n", s.arch.c_str(), problem.c_str());
            ++failures;
            continue;
        }
        std::printf("%s: valid signature: %s\n", s.arch.c_str(), summary.c_str());

        // The same slice with one byte of its last signed page changed.
        View v{s.bytes.data(), s.bytes.size()};
        uint32_t codeLimit = 0;
        for (uint32_t i = 0, cmd = 32, n = v.Le32(16); i < n; ++i, cmd += v.Le32(cmd + 4))
            if (v.Le32(cmd) == kLcCodeSignature)
                codeLimit = v.Le32(cmd + 8);
        s.bytes[codeLimit - 1] ^= 0x01;
        std::string changed;
        try {
            changed = CheckSignature(s.bytes, &unsignedSlice, &summary);
        } catch (const std::exception &e) {
            changed = e.what();
        }
        if (changed.empty()) {
            std::printf("%s: FAILS: a changed byte at %u goes unnoticed\n", s.arch.c_str(), codeLimit - 1);
            ++failures;
        } else {
            std::printf("%s: with byte %u changed: %s (as it must)\n", s.arch.c_str(), codeLimit - 1,
                        changed.c_str());
        }
    }
    return failures ? 1 : 0;
}
