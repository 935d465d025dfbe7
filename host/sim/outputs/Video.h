#ifndef OSTREL_SIM_OUTPUTS_VIDEO_H
#define OSTREL_SIM_OUTPUTS_VIDEO_H
// Writing a run as an H.264 MP4, or an animated GIF (a FILE.gif): raw RGBA
// frames piped to the ffmpeg program.

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <sys/types.h>
#include <thread>
#include <vector>

#include "Image.h"
#include "OutputFile.h"

namespace sim {

// Whether `path` names an animated GIF rather than an MP4.
bool IsGif(const std::string &path);

// The ffmpeg filter for a video of a width x height screen, from
// --video-size: "" the screen, "WxH" scaled, "panel" cropped to `panel` (the
// whole screen without one). H.264 needs even sides: with evenSides, a crop
// grows (or shrinks at the screen's edges) by a pixel where a side is odd.
std::optional<PixelBox> VideoCrop(const std::string &size, int width, int height, const PixelBox *panel,
                                  bool evenSides);
std::string VideoFilter(const std::string &size, int width, int height, const PixelBox *panel,
                        bool evenSides);

// Frames reach ffmpeg from a thread of their own, through a few buffers, so
// that the next frame is drawn while ffmpeg takes this one.
class VideoWriter {
public:
    // Starts ffmpeg writing `path` from frames of width x height pixels at fps
    // frames a second. filter: an ffmpeg video filter ("crop=...", "scale=...")
    // or empty. Throws std::runtime_error when ffmpeg cannot be started.
    // ffmpeg writes a temporary file, put in place by finish() (OutputFile.h),
    // and runs in a process group of its own: Ctrl-C at a terminal reaches
    // flyer-sim alone, which ends the video with the frames written so far.
    VideoWriter(const std::string &path, int width, int height, double fps, const std::string &filter);
    ~VideoWriter();
    VideoWriter(const VideoWriter &) = delete;
    VideoWriter &operator=(const VideoWriter &) = delete;

    // The buffer for the next frame, width * height * 4 bytes of RGBA, to be
    // filled and then queued; waits while every buffer is still queued.
    // Throws std::runtime_error when ffmpeg has stopped taking frames.
    uint8_t *nextFrame();
    // Queues the frame in nextFrame()'s buffer; its rows come from the
    // bottom (as GL reads them) when bottomUp, else from the top.
    void queue(bool bottomUp);
    // Copies a frame into the next buffer and queues it.
    void add(const Image &frame);
    // Writes what is queued, closes the stream, waits for ffmpeg and puts the
    // video in place; throws if it failed. Without finish(), the video is not
    // written.
    void finish();
    int frames() const { return frames_; }

private:
    struct Queued {
        int buffer;
        bool bottomUp;
    };
    int wait();
    void writeFrames();
    void stopWriting();
    [[noreturn]] void stoppedTakingFrames();
    std::string path_;
    OutputFile file_;
    int width_, height_;
    int fd_ = -1;
    pid_t pid_ = -1;
    int frames_ = 0;
    std::vector<std::vector<uint8_t>> buffers_;
    std::vector<int> free_;  // buffers to fill
    int filling_ = -1;       // nextFrame()'s
    std::deque<Queued> queued_;
    bool closing_ = false, failed_ = false;
    std::mutex mutex_;
    std::condition_variable queuedOrClosing_, freed_;
    std::thread writer_;
};

}  // namespace sim

#endif
