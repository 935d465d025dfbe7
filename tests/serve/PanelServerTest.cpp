// The panel's web server on 127.0.0.1 against plain sockets and WebSocket
// clients: what it answers, what it refuses and how, that bad clients never
// hold up the stream to the others, that a slow viewer gets the newest
// picture and nothing queues, and that it closes everything at the end.

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "PanelServer.h"
#include "StreamViewer.h"
#include "host/PanelInterface.h"

namespace sim::web {
namespace {

using namespace std::chrono_literals;

// Short enough for tests, long enough for a loaded machine.
ServeLimits TestLimits()
{
    ServeLimits l;  // as many viewers as flyer-sim lets in by default
    l.patience = 400ms;
    l.sendPatience = 1500ms;
    return l;
}

// A plain TCP client whose every read gives up after `timeout`.
class RawClient {
public:
    RawClient(uint16_t port, std::chrono::milliseconds timeout = 3s)
    {
        fd_ = socket(AF_INET, SOCK_STREAM, 0);
        timeval tv{long(timeout.count() / 1000), long(timeout.count() % 1000 * 1000)};
        setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(port);
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        connected_ = connect(fd_, reinterpret_cast<sockaddr *>(&a), sizeof a) == 0;
    }
    ~RawClient() { close(fd_); }
    bool connected() const { return connected_; }
    bool send(const std::string &bytes)
    {
        return ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL) == ssize_t(bytes.size());
    }
    // Everything until the server closes or the timeout passes.
    std::string readAll()
    {
        std::string got;
        char buf[4096];
        for (ssize_t n; (n = recv(fd_, buf, sizeof buf, 0)) > 0;) got.append(buf, size_t(n));
        return got;
    }
    // What comes until `end` has come (or the server closes, or the timeout passes).
    std::string readUntil(const std::string &end)
    {
        std::string got;
        char buf[4096];
        for (ssize_t n; got.find(end) == std::string::npos && (n = recv(fd_, buf, sizeof buf, 0)) > 0;)
            got.append(buf, size_t(n));
        return got;
    }
    // Whether the server closed the connection (not merely went quiet).
    bool closedByServer()
    {
        char c;
        return recv(fd_, &c, 1, 0) == 0 || errno == ECONNRESET;
    }

private:
    int fd_ = -1;
    bool connected_ = false;
};

int StatusOf(const std::string &response)
{
    if (response.rfind("HTTP/1.1 ", 0) != 0) return 0;
    return std::stoi(response.substr(9, 3));
}

// One request on a connection of its own, answered and closed.
std::string Ask(uint16_t port, std::string request)
{
    const size_t host = request.find("\r\nHost: ");
    if (host != std::string::npos && request.find("Connection:") == std::string::npos) request.insert(host + 2, "Connection: close\r\n");
    RawClient c(port);
    c.send(request);
    return c.readAll();
}

using Viewer = ostrel::testing::StreamViewer;

std::shared_ptr<Picture> PictureOf(const std::string &bytes)
{
    auto p = std::make_shared<Picture>();
    p->jpeg.assign(bytes.begin(), bytes.end());
    p->born = Clock::now();
    return p;
}

// Publishes numbered pictures every few milliseconds while it lives.
class Publisher {
public:
    explicit Publisher(PanelServer &s)
        : thread_([this, &s] {
              for (int i = 0; !stop_; ++i) {
                  s.publish(PictureOf("picture " + std::to_string(i)));
                  std::this_thread::sleep_for(5ms);
              }
          })
    {
    }
    ~Publisher()
    {
        stop_ = true;
        thread_.join();
    }

private:
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

TEST(PanelServer, AnswersOnlyThePageTheStreamAndTheSixCommands)
{
    PanelServer server("127.0.0.1", 0, TestLimits());
    const uint16_t port = server.port();
    struct Case {
        const char *request;
        int status;
    } cases[] = {
        {"GET / HTTP/1.1\r\nHost: x\r\n\r\n", 200},
        {"HEAD / HTTP/1.1\r\nHost: x\r\n\r\n", 200},
        {"POST / HTTP/1.1\r\nHost: x\r\nContent-Length: 0\r\n\r\n", 405},
        {"GET /index.html HTTP/1.1\r\nHost: x\r\n\r\n", 404},
        {"GET /Page.html HTTP/1.1\r\nHost: x\r\n\r\n", 404},
        {"GET /../../etc/passwd HTTP/1.1\r\nHost: x\r\n\r\n", 404},
        {"GET /%2e%2e/etc/passwd HTTP/1.1\r\nHost: x\r\n\r\n", 404},
        {"GET /stream HTTP/1.1\r\nHost: x\r\n\r\n", 426},
        {"DELETE /stream HTTP/1.1\r\nHost: x\r\n\r\n", 405},
        {"GET /command/Switch HTTP/1.1\r\nHost: x\r\n\r\n", 405},
        {"POST /command/Explode HTTP/1.1\r\nHost: x\r\nContent-Length: 0\r\n\r\n", 404},
        {"POST /command/sim/view/ostrel_select HTTP/1.1\r\nHost: x\r\nContent-Length: 0\r\n\r\n", 404},
        {"POST /command/Switch HTTP/1.1\r\nHost: x:1\r\nOrigin: http://elsewhere.example\r\nContent-Length: 0\r\n\r\n",
         403},
        {"POST /command/Switch HTTP/1.1\r\nHost: x:1\r\nOrigin: http://x:1\r\nContent-Length: 0\r\n\r\n", 204},
        {"POST /command/Larger HTTP/1.1\r\nHost: x\r\nContent-Length: 0\r\n\r\n", 204},
    };
    for (const Case &c : cases) {
        const std::string answer = Ask(port, c.request);
        EXPECT_EQ(StatusOf(answer), c.status) << c.request << "\n" << answer;
    }
    const std::string page = Ask(port, cases[0].request), head = Ask(port, cases[1].request);
    EXPECT_NE(page.find("Content-Type: text/html"), std::string::npos);
    EXPECT_NE(page.find("<script>"), std::string::npos);
    EXPECT_EQ(head.find("<script>"), std::string::npos) << "HEAD has no body";
    // Only the two accepted commands arrive, in order, by their full names.
    EXPECT_EQ(server.takeCommands(), (std::vector<std::string>{host::CommandName("Switch"), host::CommandName("Larger")}));
    EXPECT_TRUE(server.takeCommands().empty());
}

TEST(PanelServer, RefusesOversizedGarbageSilentAndTricklingClientsWhileTheStreamGoesOn)
{
    PanelServer server("127.0.0.1", 0, TestLimits());
    const uint16_t port = server.port();
    Publisher publisher(server);
    Viewer watcher(port);
    ASSERT_FALSE(watcher.nextPicture().empty());

    const std::string bigHeader = "GET / HTTP/1.1\r\nHost: x\r\nX-Fill: " + std::string(20000, 'a') + "\r\n\r\n";
    EXPECT_EQ(StatusOf(Ask(port, bigHeader)), 431);
    const std::string longLine = "GET /" + std::string(20000, 'a') + " HTTP/1.1\r\nHost: x\r\n\r\n";
    EXPECT_EQ(StatusOf(Ask(port, longLine)), 431);
    const std::string bigBody = "POST /command/Switch HTTP/1.1\r\nHost: x\r\nContent-Length: 100000\r\n\r\n" +
                                std::string(100000, 'b');
    EXPECT_EQ(StatusOf(Ask(port, bigBody)), 413);
    EXPECT_EQ(StatusOf(Ask(port, std::string("\x16\x03\x01\x02\x00\x01\x00\x01\xfc\x03\x03 garbage\r\n\r\n", 24))), 400);
    EXPECT_EQ(StatusOf(Ask(port, "GET / HTTP/1.1\r\nHost: x\r\nBad Header Line\r\n\r\n")), 400);

    // Silent, and a byte at a time: each is closed once its patience is
    // spent, well before the client would have finished.
    const auto start = Clock::now();
    RawClient silent(port, 5s), trickle(port, 5s);
    for (int i = 0; i < 40 && trickle.send("G"); ++i) std::this_thread::sleep_for(50ms);
    EXPECT_TRUE(silent.closedByServer());
    EXPECT_TRUE(trickle.closedByServer());
    EXPECT_LT(Clock::now() - start, 4s);
    EXPECT_TRUE(server.takeCommands().empty()) << "a refused request works no command";

    // The viewer saw pictures all along and still does.
    for (int i = 0; i < 5; ++i) EXPECT_FALSE(watcher.nextPicture().empty());
}

TEST(PanelServer, TurnsAwayTheViewerPastTheLimitAndTakesOneWhenAPlaceIsFree)
{
    PanelServer server("127.0.0.1", 0, TestLimits());
    const uint16_t port = server.port();
    auto viewers = std::vector<std::unique_ptr<Viewer>>();
    for (int i = 0; i < TestLimits().viewers; ++i) viewers.push_back(std::make_unique<Viewer>(port));
    const std::string upgrade =
        "GET /stream HTTP/1.1\r\nHost: x\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
        "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: 13\r\n\r\n";
    EXPECT_EQ(StatusOf(Ask(port, upgrade)), 503);
    EXPECT_EQ(server.viewers(), TestLimits().viewers);
    viewers.pop_back();
    for (int i = 0; i < 100 && server.viewers() == TestLimits().viewers; ++i) std::this_thread::sleep_for(10ms);
    EXPECT_EQ(StatusOf(Ask(port, upgrade)), 101);
    EXPECT_EQ(server.figures().viewersMost, TestLimits().viewers);
}

TEST(PanelServer, ASlowViewerGetsTheNewestPictureAndOneThatNeverReadsIsDropped)
{
    PanelServer server("127.0.0.1", 0, TestLimits());
    const uint16_t port = server.port();
    Viewer slow(port), stuck(port), quick(port);
    // Large pictures, many more than the socket buffers hold, while `slow`
    // and `stuck` read nothing.
    const std::string fill(256 * 1024, 'x');
    for (int i = 0; i < 200; ++i) {
        server.publish(PictureOf(fill + std::to_string(i)));
        if (i % 20 == 0) quick.nextPicture();
        std::this_thread::sleep_for(2ms);
    }
    server.publish(PictureOf("newest"));
    // The slow one now reads: what was already on its way, then the newest,
    // never the 200 in turn.
    int read = 0;
    for (std::string p; read < 20 && (p = slow.nextPicture()) != "newest";) ++read;
    EXPECT_LT(read, 20) << "the slow viewer was sent a queue of old pictures";
    // The one that never reads is dropped once its send has waited too
    // long; the others, reading, stay.
    const auto start = Clock::now();
    while (server.viewers() > 2 && Clock::now() - start < 5s) {
        server.publish(PictureOf("more"));
        quick.nextPicture();
        slow.nextPicture();
    }
    EXPECT_EQ(server.viewers(), 2);
}

TEST(PanelServer, KeepsTheLargestSizeAskedAndClosesEveryConnectionAtTheEnd)
{
    auto server = std::make_unique<PanelServer>("127.0.0.1", 0, TestLimits());
    const uint16_t port = server->port();
    EXPECT_FALSE(server->wanted());
    Viewer a(port), b(port);
    a.say("size 800 300");
    b.say("size 600 500");
    b.say("size -1 5");       // no size: ignored
    b.say("size 600 500 7");  // likewise
    for (int i = 0; i < 100 && (!server->wanted() || server->wanted()->height != 500); ++i)
        std::this_thread::sleep_for(10ms);
    ASSERT_TRUE(server->wanted());
    EXPECT_EQ(server->wanted()->width, 800);
    EXPECT_EQ(server->wanted()->height, 500);

    RawClient idle(port, 3s);
    idle.send("GET / HTTP/1.1\r\nHost: x\r\n\r\n");
    EXPECT_EQ(StatusOf(idle.readUntil("</html>")), 200);  // and kept alive
    const auto start = Clock::now();
    server.reset();
    EXPECT_LT(Clock::now() - start, 2s);
    EXPECT_THROW(
        for (int i = 0; i < 10; ++i) a.next(), std::runtime_error);
    EXPECT_TRUE(idle.closedByServer());
    EXPECT_FALSE(RawClient(port).connected());
}

TEST(PanelServer, SaysWhyItCannotListen)
{
    PanelServer first("127.0.0.1", 0, TestLimits());
    try {
        PanelServer second("127.0.0.1", first.port(), TestLimits());
        ADD_FAILURE() << "two servers on one port";
    } catch (const ServeError &e) {
        EXPECT_NE(std::string(e.what()).find("127.0.0.1:" + std::to_string(first.port())), std::string::npos)
            << e.what();
    }
    EXPECT_THROW(PanelServer("not-an-address", 0, TestLimits()), ServeError);
}

}  // namespace
}  // namespace sim::web
