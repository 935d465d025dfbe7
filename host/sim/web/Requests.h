#ifndef OSTREL_SIM_WEB_REQUESTS_H
#define OSTREL_SIM_WEB_REQUESTS_H
// What the panel's web server answers, decided from a parsed request alone
// (no sockets, so it is fuzzed as it runs): the page, the picture stream and
// the six commands; everything else is 404, or 405 for a known path asked
// the wrong way. Nothing is read from the disk: the page is built in.

#include <boost/beast/http.hpp>

#include <cstddef>
#include <optional>
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

// Where a request goes.
struct Route {
    enum Kind { Page, Stream, Command, NotFound, WrongMethod, Forbidden } kind = NotFound;
    const char *command = nullptr;  // Command: the full name of the panel command
};
Route RouteOf(const Request &request);

// The answer to every route but an accepted stream, keep-alive as the
// request asked. `why` is the status for a request the parser refused
// (431, 413, 400), in which case `request` may be partial.
Response Answer(const Request &request, const Route &route);
Response Refusal(http::status why, unsigned version = 11);
// The status for a parser's error: 431, 413 or 400.
http::status RefusalFor(const boost::system::error_code &error);

// The picture size a page asks for in a "size W H" message on the stream,
// in its device pixels; none for anything else.
struct PictureSize {
    int width = 0, height = 0;
};
std::optional<PictureSize> ParseSizeMessage(std::string_view text);

}  // namespace sim::web

#endif
