#ifndef OSTREL_SIM_WEB_REQUESTS_H
#define OSTREL_SIM_WEB_REQUESTS_H
// What the panel's web server answers, decided from a parsed request alone
// (no sockets, so it is fuzzed as it runs): the page, the picture stream and
// the six commands; everything else is 404, or 405 for a known path asked
// the wrong way. Nothing is read from the disk: the page is built in.

#include <boost/beast/http.hpp>

#include <cstddef>
#include <string>
#include <string_view>

namespace sim::web {

namespace http = boost::beast::http;

using Request = http::request<http::string_body>;
using Response = http::response<http::string_body>;

// Bounds on what a client may send. A request line with its headers over
// kMaxHeaderBytes gets 431, a body over kMaxBodyBytes 413 (commands have no
// body; a page asks for nothing that needs one).
constexpr std::size_t kMaxHeaderBytes = 8 * 1024;
constexpr std::size_t kMaxBodyBytes = 1024;

// Applies those bounds to a parser before it reads.
void Bound(http::request_parser<http::string_body> &parser);

// Where a request goes: GET (or HEAD) / the page, GET /stream the picture
// stream, POST /command/NAME a panel command by its short name. A command
// or a stream asked by another site's page (an Origin that is not this
// server's Host) is Forbidden.
struct Route {
    enum Kind { Page, Stream, Command, NotFound, WrongMethod, Forbidden } kind = NotFound;
    const char *command = nullptr;  // Command: the full name of the panel command
};
Route RouteOf(const Request &request);

// The answer to every route but an accepted stream, keep-alive as the
// request asked: 200 with the page, 204 for a command, 426 for the stream
// asked without the WebSocket upgrade, 404, 405 (with Allow) or 403.
Response Answer(const Request &request, const Route &route);
// The answer to a request refused before it was routed (`why`: 400, 413,
// 431, or 503 when the server is full), closing the connection.
Response Refusal(http::status why, unsigned version = 11);
// The status for a parser's error: 431, 413 or 400.
http::status RefusalFor(const boost::system::error_code &error);

}  // namespace sim::web

#endif
