// Runs the fuzz entry over files and folders given on the command line, so
// the fuzz target builds and runs with any compiler, not only with libFuzzer.

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
            std::fprintf(stderr, "tga_replay: no such file or folder: %s\n", argv[i]);
            return 2;
        }
    }
    std::printf("tga_replay: %zu inputs ran\n", count);
    return count > 0 ? 0 : 1;
}
