#ifndef OSTREL_TESTS_SERVE_STREAMVIEWER_H
#define OSTREL_TESTS_SERVE_STREAMVIEWER_H
// A viewer of the panel's picture stream as a test drives it: a WebSocket
// client on 127.0.0.1 that reads when told to, each read bounded by a
// timeout (a read that times out or finds the stream closed throws).

#include <sys/socket.h>

#include <boost/asio.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/websocket.hpp>

#include <cstdint>
#include <string>

namespace ostrel::testing {

class StreamViewer {
public:
    explicit StreamViewer(uint16_t port, int timeoutSeconds = 5) : ws_(io_)
    {
        namespace asio = boost::asio;
        ws_.next_layer().connect(asio::ip::tcp::endpoint(asio::ip::address_v4::loopback(), port));
        timeval tv{timeoutSeconds, 0};
        setsockopt(ws_.next_layer().native_handle(), SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
        ws_.handshake("127.0.0.1:" + std::to_string(port), "/stream");
    }
    // The next message: a picture's bytes, or the news as JSON text.
    std::string next(bool *isText = nullptr)
    {
        boost::beast::flat_buffer b;
        ws_.read(b);
        if (isText) *isText = ws_.got_text();
        return boost::beast::buffers_to_string(b.data());
    }
    // The next picture (news on the way passed over); empty if 100 messages bring none.
    std::string nextPicture()
    {
        for (int i = 0; i < 100; ++i) {
            bool text = false;
            std::string m = next(&text);
            if (!text) return m;
        }
        return {};
    }
    void say(const std::string &text)
    {
        ws_.text(true);
        ws_.write(boost::asio::buffer(text));
    }

private:
    boost::asio::io_context io_;
    boost::beast::websocket::stream<boost::asio::ip::tcp::socket> ws_;
};

}  // namespace ostrel::testing

#endif
