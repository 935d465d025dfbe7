// ostrel-golden: renders one flyer-sim frame and compares it with a golden
// PNG. See Golden.cmake and docs/HACKING.md (Regenerate a golden image).
//
//   ostrel-golden --sim FLYER_SIM --golden GOLDEN.png --work DIR
//                 [--tolerance N] [--max-pixels M] -- FLYER_SIM_ARGS...
//
// Runs FLYER_SIM_ARGS --png DIR/actual.png; with OSTREL_UPDATE_GOLDENS=1 in
// the environment copies the frame over GOLDEN.png instead of comparing. On a
// mismatch writes DIR/diff.png and exits 1.

#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "GoldenDiff.h"

extern char **environ;
namespace fs = std::filesystem;

namespace {

int Usage(const std::string &why)
{
    std::cerr << "ostrel-golden: " << why
              << "\nusage: ostrel-golden --sim FLYER_SIM --golden GOLDEN.png --work DIR "
                 "[--tolerance N] [--max-pixels M] -- FLYER_SIM_ARGS...\n";
    return 2;
}

int Run(const std::vector<std::string> &argv)
{
    std::vector<char *> args;
    for (const std::string &a : argv) args.push_back(const_cast<char *>(a.c_str()));
    args.push_back(nullptr);
    pid_t pid;
    if (posix_spawn(&pid, args[0], nullptr, nullptr, args.data(), environ) != 0) return -1;
    int status = 0;
    if (waitpid(pid, &status, 0) < 0) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace

int main(int argc, char **argv)
{
    std::string sim, goldenPath, work;
    int tolerance = 0;
    long maxPixels = 0;
    std::vector<std::string> simArgs;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto value = [&]() -> std::string { return i + 1 < argc ? argv[++i] : ""; };
        if (a == "--") {
            simArgs.assign(argv + i + 1, argv + argc);
            break;
        }
        if (a == "--sim") sim = value();
        else if (a == "--golden") goldenPath = value();
        else if (a == "--work") work = value();
        else if (a == "--tolerance") tolerance = std::atoi(value().c_str());
        else if (a == "--max-pixels") maxPixels = std::atol(value().c_str());
        else return Usage("unknown argument " + a);
    }
    if (sim.empty() || goldenPath.empty() || work.empty()) return Usage("--sim, --golden and --work are needed");

    fs::create_directories(work);
    const std::string actualPath = (fs::path(work) / "actual.png").string();
    const std::string diffPath = (fs::path(work) / "diff.png").string();
    fs::remove(actualPath);
    fs::remove(diffPath);
    std::vector<std::string> cmd{sim};
    cmd.insert(cmd.end(), simArgs.begin(), simArgs.end());
    cmd.push_back("--png");
    cmd.push_back(actualPath);
    int rc = Run(cmd);
    if (rc != 0) {
        std::cerr << "ostrel-golden: flyer-sim exited with " << rc << "\n";
        return 1;
    }

    const char *update = std::getenv("OSTREL_UPDATE_GOLDENS");
    if (update && *update && std::string(update) != "0") {
        fs::create_directories(fs::path(goldenPath).parent_path());
        fs::copy_file(actualPath, goldenPath, fs::copy_options::overwrite_existing);
        std::cout << "ostrel-golden: updated " << goldenPath << "\n";
        return 0;
    }
    if (!fs::exists(goldenPath)) {
        std::cerr << "ostrel-golden: no golden image " << goldenPath << " (this frame is at "
                  << actualPath << "); make it with OSTREL_UPDATE_GOLDENS=1 or `ninja update-goldens`\n";
        return 1;
    }
    try {
        sim::Image golden = sim::ReadPng(goldenPath), actual = sim::ReadPng(actualPath);
        golden::Diff d = golden::Compare(golden, actual, tolerance);
        if (d.sameSize && d.differing <= maxPixels) {
            std::cout << "ostrel-golden: matches " << goldenPath << ": " << d.Describe() << "\n";
            return 0;
        }
        sim::WritePng(diffPath, golden::DiffImage(golden, actual, tolerance));
        std::cerr << "ostrel-golden: " << actualPath << " differs from " << goldenPath << ": "
                  << (d.sameSize ? d.Describe()
                                 : "size " + std::to_string(actual.width) + "x" + std::to_string(actual.height) +
                                       ", golden " + std::to_string(golden.width) + "x" +
                                       std::to_string(golden.height))
                  << " (tolerance " << tolerance << ", at most " << maxPixels << " pixels may differ)\n"
                  << "ostrel-golden: diff image " << diffPath << "\n";
        return 1;
    } catch (const std::exception &e) {
        std::cerr << "ostrel-golden: " << e.what() << "\n";
        return 1;
    }
}
