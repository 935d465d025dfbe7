#ifndef OSTREL_TESTS_SERVE_STREAMVIEWER_H
#define OSTREL_TESTS_SERVE_STREAMVIEWER_H
// A viewer of the panel's picture stream as a test (or the serve bench)
// drives it: a WebSocket client on 127.0.0.1 that reads when told to, each
// read bounded by a timeout. A read that times out or finds the stream
// closed throws std::runtime_error. (Boost.Beast, compiled once in
// StreamViewer.cpp.)

#include <cstdint>
#include <memory>
#include <string>

namespace ostrel::testing {

class StreamViewer {
public:
    explicit StreamViewer(uint16_t port, int timeoutSeconds = 5);
    ~StreamViewer();
    StreamViewer(const StreamViewer &) = delete;
    StreamViewer &operator=(const StreamViewer &) = delete;

    // The next message: a picture's bytes, or the news as JSON text.
    std::string next(bool *isText = nullptr);
    // The next picture (news on the way passed over); empty if 100 messages bring none.
    std::string nextPicture();
    void say(const std::string &text);
    // Closes the stream as a page does.
    void close();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace ostrel::testing

#endif
