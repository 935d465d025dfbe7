// ostrel-frame-match: compares two folders of flyer-sim frames, frame by
// frame (every frame_*.png of the first must be in the second).
//
//   ostrel-frame-match --tolerance N --max-pixels M REFERENCE_DIR OTHER_DIR
//
// Prints one line per frame; writes diff-<frame> next to the other frames
// for any frame with more than M pixels beyond the per-channel tolerance N,
// and then exits 1.

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <set>
#include <string>

#include "GoldenDiff.h"

namespace fs = std::filesystem;

int main(int argc, char **argv)
{
    int tolerance = 0;
    long maxPixels = 0;
    std::string dirs[2];
    int n = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--tolerance" && i + 1 < argc) tolerance = std::atoi(argv[++i]);
        else if (a == "--max-pixels" && i + 1 < argc) maxPixels = std::atol(argv[++i]);
        else if (n < 2) dirs[n++] = a;
        else n = 3;
    }
    if (n != 2) {
        std::cerr << "usage: ostrel-frame-match --tolerance N --max-pixels M REFERENCE_DIR OTHER_DIR\n";
        return 2;
    }
    std::set<fs::path> frames;
    for (const auto &e : fs::directory_iterator(dirs[0]))
        if (e.path().extension() == ".png" && e.path().filename().string().rfind("frame_", 0) == 0)
            frames.insert(e.path().filename());
    if (frames.empty()) {
        std::cerr << "ostrel-frame-match: no frames in " << dirs[0] << "\n";
        return 1;
    }
    int failed = 0;
    for (const fs::path &f : frames) {
        const fs::path other = fs::path(dirs[1]) / f;
        if (!fs::exists(other)) {
            std::cout << f.string() << ": missing from " << dirs[1] << "\n";
            ++failed;
            continue;
        }
        const sim::Image ref = sim::ReadPng((fs::path(dirs[0]) / f).string());
        const sim::Image img = sim::ReadPng(other.string());
        const golden::Diff d = golden::Compare(ref, img, tolerance);
        const bool ok = d.sameSize && d.differing <= maxPixels;
        std::cout << f.string() << ": " << d.Describe() << (ok ? "" : "  MISMATCH") << "\n";
        if (!ok) {
            ++failed;
            if (d.sameSize)
                sim::WritePng((fs::path(dirs[1]) / ("diff-" + f.string())).string(),
                              golden::DiffImage(ref, img, tolerance));
        }
    }
    return failed ? 1 : 0;
}
