#include "StreamViewer.h"

#include <sys/socket.h>

#include <boost/asio.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/websocket.hpp>

#include <stdexcept>

namespace ostrel::testing {

namespace asio = boost::asio;
namespace beast = boost::beast;

struct StreamViewer::Impl {
    asio::io_context io;
    beast::websocket::stream<asio::ip::tcp::socket> ws{io};
};

StreamViewer::StreamViewer(uint16_t port, int timeoutSeconds) : impl_(std::make_unique<Impl>())
{
    try {
        impl_->ws.next_layer().connect(asio::ip::tcp::endpoint(asio::ip::address_v4::loopback(), port));
        timeval tv{timeoutSeconds, 0};
        setsockopt(impl_->ws.next_layer().native_handle(), SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
        impl_->ws.handshake("127.0.0.1:" + std::to_string(port), "/stream");
    } catch (const boost::system::system_error &e) {
        throw std::runtime_error(std::string("the stream: ") + e.what());
    }
}

StreamViewer::~StreamViewer() = default;

std::string StreamViewer::next(bool *isText)
{
    beast::flat_buffer b;
    try {
        impl_->ws.read(b);
    } catch (const boost::system::system_error &e) {
        throw std::runtime_error(std::string("the stream: ") + e.what());
    }
    if (isText) *isText = impl_->ws.got_text();
    return beast::buffers_to_string(b.data());
}

std::string StreamViewer::nextPicture()
{
    for (int i = 0; i < 100; ++i) {
        bool text = false;
        std::string m = next(&text);
        if (!text) return m;
    }
    return {};
}

void StreamViewer::say(const std::string &text)
{
    impl_->ws.text(true);
    impl_->ws.write(asio::buffer(text));
}

void StreamViewer::close()
{
    boost::system::error_code ignored;
    impl_->ws.close(beast::websocket::close_code::normal, ignored);
}

}  // namespace ostrel::testing
