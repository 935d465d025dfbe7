// Viewers of flyer-sim --serve's picture stream for bench/serve.sh: N
// WebSocket clients on threads of their own, each asking for the picture
// size a page of W x H device pixels would, reading every picture as fast
// as it comes for S seconds. Prints, when done,
//   viewers=N seconds=S pictures_per_s=.. (per viewer, the least and the mean)
//   bytes_per_s=.. (per viewer, mean)
//
//   ostrel-serve-viewers PORT N SECONDS [W H]

#include <boost/asio.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/websocket.hpp>

#include <sys/socket.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace websocket = beast::websocket;
using tcp = asio::ip::tcp;
using Clock = std::chrono::steady_clock;

struct Count {
    long pictures = 0;
    long long bytes = 0;
    std::string error;
};

static void Watch(int port, double seconds, int w, int h, Count &count)
{
    try {
        asio::io_context io;
        websocket::stream<tcp::socket> ws(io);
        ws.next_layer().connect(tcp::endpoint(asio::ip::address_v4::loopback(), uint16_t(port)));
        timeval tv{2, 0};  // a read gives up after 2 s without a message
        setsockopt(ws.next_layer().native_handle(), SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
        ws.handshake("127.0.0.1:" + std::to_string(port), "/stream");
        ws.text(true);
        ws.write(asio::buffer("size " + std::to_string(w) + " " + std::to_string(h)));
        const auto end = Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
        beast::flat_buffer b;
        while (Clock::now() < end) {
            b.clear();
            ws.read(b);
            if (ws.got_binary()) {
                ++count.pictures;
                count.bytes += (long long)b.size();
            }
        }
        ws.close(websocket::close_code::normal);
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
    if (port <= 0 || n <= 0 || n > 64 || !(seconds > 0 && seconds <= 600)) {
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
