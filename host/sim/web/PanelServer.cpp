#include "PanelServer.h"

#include "Requests.h"

#include <boost/asio.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>
#include <boost/beast/websocket.hpp>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <map>
#include <mutex>
#include <thread>
#include <utility>

namespace sim::web {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace websocket = beast::websocket;
using tcp = asio::ip::tcp;
using boost::system::error_code;

namespace {

// Connections at once beyond the viewers: pages loading, commands, a
// reconnecting page's old and new stream.
int ConnectionsFor(int viewers) { return 2 * viewers + 8; }
// The latest sends whose delays are kept for the figures.
constexpr size_t kDelaysKept = 100000;
// How long the server waits at the end for pages to take their goodbye.
constexpr auto kGoodbye = std::chrono::milliseconds(500);

std::string Json(const std::string &status, bool panelShown)
{
    std::string s = "{\"status\":\"";
    for (unsigned char c : status) {
        if (c == '"' || c == '\\') {
            s += '\\';
            s += char(c);
        } else if (c < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            s += buf;
        } else {
            s += char(c);
        }
    }
    s += "\",\"panel\":";
    s += panelShown ? "true}" : "false}";
    return s;
}

}  // namespace

class Viewer;
class Connection;

struct PanelServer::Impl {
    explicit Impl(ServeLimits l) : limits(l) {}

    const ServeLimits limits;
    asio::io_context io;
    asio::executor_work_guard<asio::io_context::executor_type> work{io.get_executor()};
    tcp::acceptor acceptor{io};
    asio::steady_timer acceptPause{io};
    asio::steady_timer goodbye{io};
    std::thread thread;

    // The network thread's own.
    std::vector<std::shared_ptr<Viewer>> viewers;
    std::vector<std::weak_ptr<Connection>> connections;
    std::shared_ptr<const Picture> latest;
    std::string newsJson = Json("", true);
    uint64_t nextViewerId = 1;
    bool stopping = false;
    std::atomic<int> viewersNow{0};  // viewers.size(), for the frame loop

    // Shared with the frame loop.
    mutable std::mutex mutex;
    std::vector<std::string> commands;
    std::map<uint64_t, PictureSize> wantedBy;
    ServeFigures figures;
    size_t nextDelay = 0;

    void accept();
    void admit(tcp::socket socket);
    void shutDown();
    void drop(const Viewer *v);
    int open();  // connections and viewers open now

    void refused()
    {
        std::lock_guard<std::mutex> lock(mutex);
        ++figures.refused;
    }
    void sent(Clock::time_point born, size_t bytes)
    {
        const float ms = std::chrono::duration<float, std::milli>(Clock::now() - born).count();
        std::lock_guard<std::mutex> lock(mutex);
        ++figures.picturesSent;
        figures.bytesSent += bytes;
        if (figures.delaysMs.size() < kDelaysKept) {
            figures.delaysMs.push_back(ms);
        } else {
            figures.delaysMs[nextDelay] = ms;
            nextDelay = (nextDelay + 1) % kDelaysKept;
        }
    }
};

// One viewer's stream: the newest picture as soon as the last has gone.
class Viewer : public std::enable_shared_from_this<Viewer> {
public:
    Viewer(PanelServer::Impl &server, tcp::socket socket)
        : server_(server), ws_(std::move(socket)), sendTimer_(server.io), id_(server.nextViewerId++)
    {
    }

    void accept(Request request)
    {
        request_ = std::move(request);
        beast::get_lowest_layer(ws_).expires_never();
        websocket::stream_base::timeout t{};
        t.handshake_timeout = server_.limits.patience;
        // A page that stops answering (closed without a word, asleep, gone
        // off the network) is dropped; its pings keep a quiet one open.
        t.idle_timeout = std::max(server_.limits.patience * 2, server_.limits.sendPatience);
        t.keep_alive_pings = true;
        ws_.set_option(t);
        ws_.set_option(websocket::stream_base::decorator(
            [](websocket::response_type &r) { r.set(beast::http::field::server, "flyer-sim"); }));
        ws_.read_message_max(256);
        ws_.async_accept(request_, [self = shared_from_this()](error_code ec) { self->accepted(ec); });
    }

    void offer(std::shared_ptr<const Picture> picture)
    {
        if (!open_) return;
        next_ = std::move(picture);
        if (!writing_) sendNext();
    }

    void tell(const std::string &json)
    {
        if (!open_) return;
        news_ = json;
        newsPending_ = true;
        if (!writing_) sendNext();
    }

    // Closes the stream as the server ends: a goodbye, then the socket.
    void goAway()
    {
        if (closed_) return;
        if (!open_) return close();
        open_ = false;
        ws_.async_close(websocket::close_code::going_away, [self = shared_from_this()](error_code) { self->close(); });
    }

    void close()
    {
        if (closed_) return;
        closed_ = true;
        open_ = false;
        sendTimer_.cancel();
        error_code ignored;
        beast::get_lowest_layer(ws_).socket().shutdown(tcp::socket::shutdown_both, ignored);
        beast::get_lowest_layer(ws_).socket().close(ignored);
        server_.drop(this);
    }

    uint64_t id() const { return id_; }

private:
    void accepted(error_code ec)
    {
        if (ec) return close();
        open_ = true;
        tell(server_.newsJson);
        if (server_.latest) offer(server_.latest);
        read();
    }

    void read()
    {
        ws_.async_read(in_, [self = shared_from_this()](error_code ec, size_t) { self->received(ec); });
    }

    void received(error_code ec)
    {
        if (ec) return close();
        if (ws_.got_text()) {
            const std::string text = beast::buffers_to_string(in_.data());
            if (auto size = ParseSizeMessage(text)) {
                std::lock_guard<std::mutex> lock(server_.mutex);
                server_.wantedBy[id_] = *size;
            }
        }
        in_.consume(in_.size());
        read();
    }

    void sendNext()
    {
        if (newsPending_) {
            newsPending_ = false;
            sendingNews_ = news_;
            write(asio::buffer(sendingNews_), false, {});
        } else if (next_) {
            sending_ = std::move(next_);
            next_.reset();
            write(asio::buffer(sending_->jpeg), true, sending_->born);
        }
    }

    void write(asio::const_buffer bytes, bool binary, Clock::time_point born)
    {
        writing_ = true;
        ws_.binary(binary);
        const uint64_t send = ++sends_;
        sendTimer_.expires_after(server_.limits.sendPatience);
        sendTimer_.async_wait([self = shared_from_this(), send](error_code ec) {
            // It took too long: the viewer is dropped.
            if (!ec && send == self->sends_ && self->writing_) self->close();
        });
        ws_.async_write(bytes, [self = shared_from_this(), binary, born](error_code ec, size_t n) {
            self->written(ec, n, binary, born);
        });
    }

    void written(error_code ec, size_t bytes, bool picture, Clock::time_point born)
    {
        writing_ = false;
        sendTimer_.cancel();
        if (ec) return close();
        if (picture) {
            server_.sent(born, bytes);
            sending_.reset();
        }
        if (open_) sendNext();
    }

    PanelServer::Impl &server_;
    Request request_;  // the upgrade, kept until it is answered
    websocket::stream<beast::tcp_stream> ws_;
    beast::flat_buffer in_;
    asio::steady_timer sendTimer_;
    const uint64_t id_;
    std::shared_ptr<const Picture> sending_, next_;
    std::string news_, sendingNews_;
    bool newsPending_ = false;
    uint64_t sends_ = 0;
    bool writing_ = false;
    bool open_ = false;
    bool closed_ = false;
};

// One HTTP connection: requests in turn, each within the server's patience,
// until the client closes, a request is refused or it upgrades to a stream.
class Connection : public std::enable_shared_from_this<Connection> {
public:
    Connection(PanelServer::Impl &server, tcp::socket socket) : server_(server), stream_(std::move(socket)) {}

    void start() { read(); }

    // Turned away at once: too many connections.
    void turnAway()
    {
        server_.refused();
        send(Refusal(beast::http::status::service_unavailable));
    }

    void close()
    {
        error_code ignored;
        stream_.socket().shutdown(tcp::socket::shutdown_both, ignored);
        stream_.close();
    }

private:
    void read()
    {
        parser_.emplace();
        Bound(*parser_);
        stream_.expires_after(server_.limits.patience);
        beast::http::async_read(stream_, buffer_, *parser_,
                                [self = shared_from_this()](error_code ec, size_t) { self->received(ec); });
    }

    void received(error_code ec)
    {
        if (ec == beast::http::error::end_of_stream || ec == beast::error::timeout ||
            ec == asio::error::operation_aborted || ec == asio::error::connection_reset ||
            (ec && !parser_->got_some() && ec != beast::http::error::header_limit)) {
            if (ec == beast::error::timeout) server_.refused();
            return close();
        }
        if (ec) {
            server_.refused();
            return send(Refusal(RefusalFor(ec)));
        }
        Request request = parser_->release();
        const Route route = RouteOf(request);
        if (route.kind == Route::Stream && websocket::is_upgrade(request)) {
            if (int(server_.viewers.size()) >= server_.limits.viewers || server_.stopping) {
                server_.refused();
                return send(Refusal(beast::http::status::service_unavailable, request.version()));
            }
            auto viewer = std::make_shared<Viewer>(server_, stream_.release_socket());
            server_.viewers.push_back(viewer);
            server_.viewersNow = int(server_.viewers.size());
            {
                std::lock_guard<std::mutex> lock(server_.mutex);
                server_.figures.viewersMost = std::max(server_.figures.viewersMost, int(server_.viewers.size()));
            }
            viewer->accept(std::move(request));
            return;
        }
        if (route.kind == Route::Command) {
            std::lock_guard<std::mutex> lock(server_.mutex);
            server_.commands.emplace_back(route.command);
        }
        if (route.kind != Route::Page && route.kind != Route::Command) server_.refused();
        send(Answer(request, route));
    }

    void send(Response response)
    {
        response_ = std::move(response);
        stream_.expires_after(server_.limits.patience);
        beast::http::async_write(stream_, response_, [self = shared_from_this()](error_code ec, size_t) {
            if (ec) return self->close();
            if (!self->response_.keep_alive() || self->server_.stopping) return self->drain();
            self->read();
        });
    }

    // After a refusal the client may still be sending what was refused:
    // reading it a little longer, with nothing more sent, lets the answer
    // reach the client before the connection closes.
    void drain()
    {
        error_code ignored;
        stream_.socket().shutdown(tcp::socket::shutdown_send, ignored);
        if (drained_ > 64 * 1024) return close();
        stream_.expires_after(std::chrono::milliseconds(500));
        stream_.async_read_some(asio::buffer(scratch_), [self = shared_from_this()](error_code ec, size_t n) {
            self->drained_ += n;
            if (ec) return self->close();
            self->drain();
        });
    }

    PanelServer::Impl &server_;
    beast::tcp_stream stream_;
    beast::flat_buffer buffer_{kMaxHeaderBytes + kMaxBodyBytes};
    std::optional<beast::http::request_parser<beast::http::string_body>> parser_;
    Response response_;
    char scratch_[4096];
    size_t drained_ = 0;
};

int PanelServer::Impl::open()
{
    connections.erase(std::remove_if(connections.begin(), connections.end(),
                                     [](const std::weak_ptr<Connection> &c) { return c.expired(); }),
                      connections.end());
    return int(connections.size() + viewers.size());
}

void PanelServer::Impl::accept()
{
    acceptor.async_accept([this](error_code ec, tcp::socket socket) {
        if (ec == asio::error::operation_aborted || stopping) return;
        if (ec) {
            // Out of descriptors or the like: try again shortly, not in a spin.
            acceptPause.expires_after(std::chrono::milliseconds(100));
            acceptPause.async_wait([this](error_code e) {
                if (!e && !stopping) accept();
            });
            return;
        }
        admit(std::move(socket));
        accept();
    });
}

void PanelServer::Impl::admit(tcp::socket socket)
{
    error_code ignored;
    socket.set_option(tcp::no_delay(true), ignored);
    auto c = std::make_shared<Connection>(*this, std::move(socket));
    if (open() >= ConnectionsFor(limits.viewers)) return c->turnAway();
    connections.push_back(c);
    c->start();
}

void PanelServer::Impl::drop(const Viewer *v)
{
    const auto at = std::find_if(viewers.begin(), viewers.end(),
                                 [v](const std::shared_ptr<Viewer> &p) { return p.get() == v; });
    if (at == viewers.end()) return;
    {
        std::lock_guard<std::mutex> lock(mutex);
        wantedBy.erase(v->id());
    }
    viewers.erase(at);
    viewersNow = int(viewers.size());
    if (stopping && viewers.empty()) goodbye.cancel();
}

void PanelServer::Impl::shutDown()
{
    stopping = true;
    error_code ignored;
    acceptor.close(ignored);
    acceptPause.cancel();
    for (const auto &c : connections)
        if (auto p = c.lock()) p->close();
    const auto all = viewers;
    for (const auto &v : all) v->goAway();
    if (viewers.empty()) return;
    // Pages that do not take their goodbye in time are cut off.
    goodbye.expires_after(kGoodbye);
    goodbye.async_wait([this](error_code) {
        const auto left = viewers;
        for (const auto &v : left) v->close();
    });
}

PanelServer::PanelServer(const std::string &address, uint16_t port, ServeLimits limits)
    : impl_(std::make_unique<Impl>(limits))
{
    Impl &m = *impl_;
    const std::string where = (address.find(':') != std::string::npos ? "[" + address + "]" : address) + ":" +
                              std::to_string(port);
    error_code ec;
    const asio::ip::address ip = asio::ip::make_address(address, ec);
    if (ec) throw ServeError(address + " is not an IP address");
    const tcp::endpoint endpoint(ip, port);
    m.acceptor.open(endpoint.protocol(), ec);
    if (!ec && ip.is_v6()) m.acceptor.set_option(asio::ip::v6_only(false), ec), ec = {};
#ifndef _WIN32
    // A restarted flyer-sim takes its port back at once (on Windows the
    // same option would let another program take it over).
    if (!ec) m.acceptor.set_option(tcp::acceptor::reuse_address(true), ec);
#endif
    if (!ec) m.acceptor.bind(endpoint, ec);
    if (!ec) m.acceptor.listen(asio::socket_base::max_listen_connections, ec);
    if (ec) throw ServeError("cannot serve on " + where + ": " + ec.message());
    m.accept();
    m.thread = std::thread([&m] { m.io.run(); });
}

PanelServer::~PanelServer()
{
    Impl &m = *impl_;
    asio::post(m.io, [&m] { m.shutDown(); });
    m.work.reset();
    m.thread.join();
}

uint16_t PanelServer::port() const { return impl_->acceptor.local_endpoint().port(); }

void PanelServer::publish(std::shared_ptr<const Picture> picture)
{
    Impl &m = *impl_;
    asio::post(m.io, [&m, p = std::move(picture)] {
        m.latest = p;
        const auto all = m.viewers;
        for (const auto &v : all) v->offer(p);
    });
}

void PanelServer::news(const std::string &status, bool panelShown)
{
    Impl &m = *impl_;
    asio::post(m.io, [&m, json = Json(status, panelShown)] {
        if (json == m.newsJson) return;
        m.newsJson = json;
        const auto all = m.viewers;
        for (const auto &v : all) v->tell(json);
    });
}

std::vector<std::string> PanelServer::takeCommands()
{
    std::lock_guard<std::mutex> lock(impl_->mutex);
    return std::exchange(impl_->commands, {});
}

std::optional<PictureSize> PanelServer::wanted() const
{
    std::lock_guard<std::mutex> lock(impl_->mutex);
    if (impl_->wantedBy.empty()) return std::nullopt;
    PictureSize most;
    for (const auto &[id, s] : impl_->wantedBy) {
        most.width = std::max(most.width, s.width);
        most.height = std::max(most.height, s.height);
    }
    return most;
}

int PanelServer::viewers() const { return impl_->viewersNow; }

ServeFigures PanelServer::figures() const
{
    std::lock_guard<std::mutex> lock(impl_->mutex);
    return impl_->figures;
}

}  // namespace sim::web
