// Viewers of flyer-sim --serve's picture stream for bench/serve.sh: N
// WebSocket clients (tests/serve/StreamViewer.h) on threads of their own,
// each asking for the picture size a page of W x H device pixels would,
// reading every picture as fast as it comes for S seconds. Prints, when done,
//   viewers=N seconds=S pictures_per_s_least=.. pictures_per_s_mean=..
//     bytes_per_s_mean=..   (per viewer)
//
//   ostrel-serve-viewers PORT N SECONDS [W H]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <thread>
#include <vector>

#include "StreamViewer.h"

using Clock = std::chrono::steady_clock;

struct Count {
    long pictures = 0;
    long long bytes = 0;
    std::string error;
};

static void Watch(int port, double seconds, int w, int h, Count &count)
{
    try {
        ostrel::testing::StreamViewer viewer(uint16_t(port), 2);  // a read gives up after 2 s
        viewer.say("size " + std::to_string(w) + " " + std::to_string(h));
        const auto end = Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
        while (Clock::now() < end) {
            bool text = false;
            const std::string m = viewer.next(&text);
            if (!text) {
                ++count.pictures;
                count.bytes += (long long)m.size();
            }
        }
        viewer.close();
    } catch (const std::exception &e) {
        count.error = e.what();
    }
}

int main(int argc, char **argv)
{
    if (argc != 4 && argc != 6) {
        std::fprintf(stderr, "usage: ostrel-serve-viewers PORT N SECONDS [W H]\n");
        return 2;
    }
    const int port = std::atoi(argv[1]), n = std::atoi(argv[2]);
    const double seconds = std::atof(argv[3]);
    const int w = argc == 6 ? std::atoi(argv[4]) : 2048, h = argc == 6 ? std::atoi(argv[5]) : 1400;
    if (port <= 0 || port > 65535 || n <= 0 || n > 64 || !(seconds > 0 && seconds <= 600)) {
        std::fprintf(stderr, "ostrel-serve-viewers: PORT, 1..64 viewers, 0..600 seconds\n");
        return 2;
    }
    std::vector<Count> counts(static_cast<size_t>(n));
    std::vector<std::thread> threads;
    for (auto &c : counts) threads.emplace_back(Watch, port, seconds, w, h, std::ref(c));
    for (auto &t : threads) t.join();
    double least = 1e300, sum = 0, bytes = 0;
    int failed = 0;
    for (const auto &c : counts) {
        if (!c.error.empty()) {
            std::fprintf(stderr, "ostrel-serve-viewers: a viewer failed: %s\n", c.error.c_str());
            ++failed;
        }
        least = std::min(least, double(c.pictures) / seconds);
        sum += double(c.pictures) / seconds;
        bytes += double(c.bytes) / seconds;
    }
    std::printf("viewers=%d seconds=%g pictures_per_s_least=%.1f pictures_per_s_mean=%.1f bytes_per_s_mean=%.0f\n", n,
                seconds, least, sum / n, bytes / n);
    return failed ? 1 : 0;
}
