#ifndef OSTREL_SIM_SERVE_PICTUREENCODER_H
#define OSTREL_SIM_SERVE_PICTUREENCODER_H
// The panel's pictures for the browser, encoded on a thread of their own so
// the frame loop never waits for them: the loop hands over each frame's
// pixels (a swap of buffers, no copy); the encoder takes the newest, skips
// it if it is the picture last sent, and otherwise encodes it once as JPEG
// for every viewer (web::PanelServer::publish). A frame that comes while the
// last is being encoded replaces any still waiting.

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

#include "web/PanelServer.h"

namespace sim::serve {

struct EncoderFigures {
    uint64_t encoded = 0;    // pictures encoded and published
    uint64_t unchanged = 0;  // frames skipped: the same picture as the last sent
    uint64_t replaced = 0;   // frames replaced by a newer one before their turn
    double cpuSeconds = 0;   // the encoder thread's CPU time
};

class PictureEncoder {
public:
    // `quality`: JPEG quality, 1..100 (ServedPanel.cpp says which and why).
    PictureEncoder(web::PanelServer &server, int quality);
    ~PictureEncoder();
    PictureEncoder(const PictureEncoder &) = delete;
    PictureEncoder &operator=(const PictureEncoder &) = delete;

    // Takes `pixels` (w * h * 4 bytes, rows from the bottom) and leaves in
    // their place a buffer to fill next time.
    void offer(std::vector<uint8_t> &pixels, int w, int h, web::Clock::time_point born);
    EncoderFigures figures() const;

private:
    struct Frame {
        std::vector<uint8_t> pixels;
        int w = 0, h = 0;
        web::Clock::time_point born;
    };
    void run();

    web::PanelServer &server_;
    const int quality_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    Frame waiting_;
    bool hasWaiting_ = false;
    bool stop_ = false;
    EncoderFigures figures_;
    std::thread thread_;
};

}  // namespace sim::serve

#endif
