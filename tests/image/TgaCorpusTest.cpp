// TGA files written by other image software, with MANIFEST.tsv saying which
// the loader must accept. Accepted files are checked against stb_image and
// against the reference picture their source project made of the same image.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "StbDecode.h"
#include "TgaWriter.h"

#ifndef OSTREL_TGA_CORPUS_DIR
#error "OSTREL_TGA_CORPUS_DIR must name the folder of the TGA corpus"
#endif

using namespace tgatest;
namespace fs = std::filesystem;

namespace {

const fs::path kCorpus = OSTREL_TGA_CORPUS_DIR;

struct Entry {
    std::string relPath;
    bool accept = false;
    int width = 0, height = 0, depth = 0;
    int descriptor = 0;
    std::string reference;  // path relative to the corpus, or empty
    bool referenceUnverified = false;  // pairing guessed by the corpus's compiler
    std::string refCheck;
};

std::string Unquote(std::string s)
{
    if (s.size() >= 2 && s.front() == '"' && s.back() == '"') {
        s = s.substr(1, s.size() - 2);
        for (size_t i = s.find("\"\""); i != std::string::npos; i = s.find("\"\"", i + 1))
            s.erase(i, 1);
    }
    return s;
}

std::vector<std::string> SplitTabs(const std::string &line)
{
    std::vector<std::string> fields;
    std::stringstream ss(line);
    std::string f;
    while (std::getline(ss, f, '\t'))
        fields.push_back(Unquote(f));
    if (!line.empty() && line.back() == '\t')
        fields.emplace_back();
    return fields;
}

// "(via identical copy) a/b.png [unverified]" -> "a/b.png"
std::string ReferencePath(std::string r)
{
    const std::string copy = "(via identical copy) ";
    if (r.rfind(copy, 0) == 0)
        r = r.substr(copy.size());
    if (size_t bracket = r.find(" ["); bracket != std::string::npos)
        r = r.substr(0, bracket);
    return r;
}

const std::vector<Entry> &Manifest()
{
    static const std::vector<Entry> entries = [] {
        std::vector<Entry> out;
        std::ifstream in(kCorpus / "MANIFEST.tsv");
        std::string line;
        if (!std::getline(in, line))
            return out;
        std::map<std::string, size_t> col;
        const std::vector<std::string> names = SplitTabs(line);
        for (size_t i = 0; i < names.size(); ++i)
            col[names[i]] = i;
        for (const char *need : {"rel_path", "verdict", "width", "height", "depth", "descriptor", "reference",
                                 "ref_check"})
            if (!col.count(need))
                throw std::runtime_error(std::string("MANIFEST.tsv lacks column ") + need);
        while (std::getline(in, line)) {
            if (line.empty())
                continue;
            std::vector<std::string> f = SplitTabs(line);
            f.resize(names.size());
            Entry e;
            e.relPath = f[col["rel_path"]];
            e.accept = f[col["verdict"]] == "ACCEPT";
            e.width = std::stoi(f[col["width"]]);
            e.height = std::stoi(f[col["height"]]);
            e.depth = std::stoi(f[col["depth"]]);
            e.descriptor = std::stoi(f[col["descriptor"]], nullptr, 16);
            e.reference = ReferencePath(f[col["reference"]]);
            e.referenceUnverified = f[col["reference"]].find("[unverified]") != std::string::npos;
            e.refCheck = f[col["ref_check"]];
            out.push_back(e);
        }
        return out;
    }();
    return entries;
}

Bytes ReadFile(const fs::path &p)
{
    std::ifstream in(p, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Loader output turned as the manifest says to match the reference picture.
Bytes Transform(const Bytes &src, int w, int h, int channels, bool vflip, bool hflip)
{
    Bytes out(src.size());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int sx = hflip ? w - 1 - x : x, sy = vflip ? h - 1 - y : y;
            std::copy_n(&src[(size_t(sy) * w + sx) * channels], channels, &out[(size_t(y) * w + x) * channels]);
        }
    return out;
}

TEST(TgaCorpus, ManifestListsEveryFile)
{
    ASSERT_TRUE(fs::is_directory(kCorpus)) << kCorpus << " missing";
    ASSERT_FALSE(Manifest().empty());
    std::set<std::string> listed;
    for (const Entry &e : Manifest())
        listed.insert(e.relPath);
    for (const auto &f : fs::recursive_directory_iterator(kCorpus)) {
        std::string ext = f.path().extension().string();
        std::transform(ext.begin(), ext.end(), ext.begin(), ::tolower);
        if (f.is_regular_file() && ext == ".tga") {
            EXPECT_TRUE(listed.count(fs::relative(f.path(), kCorpus).generic_string())) << f.path();
        }
    }
}

TEST(TgaCorpus, AcceptsAndRefusesAsListed)
{
    int accepted = 0;
    for (const Entry &e : Manifest()) {
        SCOPED_TRACE(e.relPath);
        const int filesBefore = OpenFileCount();
        std::string path = (kCorpus / e.relPath).string();
        Loaded r;
        LoadPath(path.data(), r);
        EXPECT_EQ(r.ok, e.accept);
        EXPECT_EQ(OpenFileCount(), filesBefore);
        if (!r.ok) {
            EXPECT_EQ(r.tex.pixels, nullptr);
            continue;
        }
        ++accepted;
        EXPECT_EQ(int(r.tex.imageWidth), e.width);
        EXPECT_EQ(int(r.tex.imageHeight), e.height);
        EXPECT_EQ(int(r.tex.bitsPerPixel), e.depth);
        EXPECT_EQ(r.tex.pixelFormat, e.depth == 24 ? 6407u : 6408u);
    }
    EXPECT_GT(accepted, 0);
}

TEST(TgaCorpus, AcceptedFilesMatchStb)
{
    for (const Entry &e : Manifest()) {
        if (!e.accept)
            continue;
        SCOPED_TRACE(e.relPath);
        std::string path = (kCorpus / e.relPath).string();
        Loaded r;
        LoadPath(path.data(), r);
        const StbImage stb = StbTgaInFileOrder(ReadFile(path));
        ASSERT_TRUE(r.ok);
        ASSERT_TRUE(stb.ok) << stbi_failure_reason();
        ASSERT_EQ(int(r.tex.bitsPerPixel / 8), stb.channels);
        EXPECT_TRUE(r.PixelBytes() == stb.pixels) << "pixels differ from stb_image";
    }
}

TEST(TgaCorpus, AcceptedFilesMatchTheirReferencePictures)
{
    const std::string lead = "loader-order output == reference after ";
    int compared = 0;
    for (const Entry &e : Manifest()) {
        if (!e.accept || e.reference.empty())
            continue;
        SCOPED_TRACE(e.relPath + " against " + e.reference);
        ASSERT_EQ(e.refCheck.rfind(lead, 0), 0u) << "unknown comparison: " << e.refCheck;
        ASSERT_NE(e.refCheck.find(": exact"), std::string::npos) << "only exact comparisons are known";
        const std::string how = e.refCheck.substr(lead.size(), e.refCheck.find(' ', lead.size()) - lead.size());
        ASSERT_TRUE(how == "as-is" || how == "vflip" || how == "hflip" || how == "vflip+hflip") << how;
        const bool vflip = how.find("vflip") != std::string::npos;
        const bool hflip = how.find("hflip") != std::string::npos;
        const int compare = e.refCheck.find("(RGBA)") != std::string::npos ? 4 : 3;

        std::string path = (kCorpus / e.relPath).string();
        Loaded r;
        LoadPath(path.data(), r);
        ASSERT_TRUE(r.ok);
        const int w = e.width, h = e.height, ch = e.depth / 8;
        const Bytes ours = Transform(r.PixelBytes(), w, h, ch, vflip, hflip);

        // References are PNG or BMP, or raw 8-bit RGB in display order. An
        // unverified pairing may name a picture the corpus does not carry.
        const fs::path refPath = kCorpus / e.reference;
        if (e.referenceUnverified && !fs::exists(refPath)) {
            std::printf("note: %s: unverified reference %s is not in the corpus\n", e.relPath.c_str(),
                        e.reference.c_str());
            continue;
        }
        StbImage ref;
        if (refPath.extension() == ".raw") {
            ref.pixels = ReadFile(refPath);
            ref.ok = ref.pixels.size() == size_t(w) * h * 3;
            ref.width = w, ref.height = h, ref.channels = 3;
        } else {
            ref = StbFromMemory(ReadFile(refPath), false, 4);
        }
        ASSERT_TRUE(ref.ok) << "cannot read " << refPath;
        ASSERT_EQ(ref.width, w);
        ASSERT_EQ(ref.height, h);
        ASSERT_LE(compare, ref.channels);

        int mismatches = 0;
        for (size_t i = 0; i < size_t(w) * h; ++i)
            for (int c = 0; c < compare; ++c) {
                const uint8_t mine = c < ch ? ours[i * ch + size_t(c)] : 255;
                if (mine != ref.pixels[i * size_t(ref.channels) + size_t(c)] && mismatches++ < 3)
                    ADD_FAILURE() << "pixel " << i % size_t(w) << "," << i / size_t(w) << " channel " << c;
            }
        EXPECT_EQ(mismatches, 0);
        ++compared;
    }
    EXPECT_GE(compared, 20);
}

}  // namespace
