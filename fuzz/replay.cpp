// Runs a fuzz entry over files and folders given on the command line, so
// every fuzz target builds and runs with any compiler, not only with
// libFuzzer, and its corpus replays as a test.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

namespace fs = std::filesystem;

static void RunOne(const fs::path &p)
{
    std::ifstream in(p, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
}

int main(int argc, char **argv)
{
    const std::string self = fs::path(argv[0]).filename().string();
    size_t count = 0;
    for (int i = 1; i < argc; ++i) {
        const fs::path arg = argv[i];
        if (fs::is_directory(arg)) {
            for (const auto &f : fs::recursive_directory_iterator(arg))
                if (f.is_regular_file()) {
                    RunOne(f.path());
                    ++count;
                }
        } else if (fs::is_regular_file(arg)) {
            RunOne(arg);
            ++count;
        } else {
            std::fprintf(stderr, "%s: no such file or folder: %s\n", self.c_str(), argv[i]);
            return 2;
        }
    }
    std::printf("%s: %zu inputs ran\n", self.c_str(), count);
    return count > 0 ? 0 : 1;
}
