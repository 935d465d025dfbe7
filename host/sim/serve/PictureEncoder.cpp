#include "PictureEncoder.h"

#include <cstring>
#include <memory>
#include <utility>

#include "Jpeg.h"
#include "figures/LiveFigures.h"

namespace sim::serve {

PictureEncoder::PictureEncoder(web::PanelServer &server, int quality)
    : server_(server), quality_(quality), thread_([this] { run(); })
{
}

PictureEncoder::~PictureEncoder()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

void PictureEncoder::offer(std::vector<uint8_t> &pixels, int w, int h, web::Clock::time_point born)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (hasWaiting_) ++figures_.replaced;
        std::swap(waiting_.pixels, pixels);
        waiting_.w = w;
        waiting_.h = h;
        waiting_.born = born;
        hasWaiting_ = true;
    }
    wake_.notify_one();
}

EncoderFigures PictureEncoder::figures() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return figures_;
}

void PictureEncoder::run()
{
    Frame frame, sent;  // the one being encoded; the last one published
    for (;;) {
        {
            std::unique_lock<std::mutex> lock(mutex_);
            wake_.wait(lock, [this] { return stop_ || hasWaiting_; });
            if (stop_) return;
            std::swap(frame, waiting_);
            hasWaiting_ = false;
        }
        const double cpu0 = ThreadCpuSeconds();
        const bool same = frame.w == sent.w && frame.h == sent.h && frame.pixels.size() == sent.pixels.size() &&
                          std::memcmp(frame.pixels.data(), sent.pixels.data(), frame.pixels.size()) == 0;
        if (!same) {
            auto picture = std::make_shared<web::Picture>();
            EncodeJpeg(frame.pixels.data(), frame.w, frame.h, quality_, picture->jpeg);
            picture->born = frame.born;
            server_.publish(std::move(picture));
            std::swap(sent, frame);
        }
        const double cpu = ThreadCpuSeconds() - cpu0;
        std::lock_guard<std::mutex> lock(mutex_);
        ++(same ? figures_.unchanged : figures_.encoded);
        figures_.cpuSeconds += cpu;
    }
}

}  // namespace sim::serve
