// libFuzzer entry for the panel's web server: every input is a client's
// bytes, read by the server's bounded request parser in the pieces a socket
// might give (the first byte says where the input is cut), then routed and
// answered. A refusal must be 400, 413 or 431; an answer must be one of the
// server's own; only the page carries the page, only the six commands
// reach the panel. The input is also read as the page's size message.

#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <string_view>

#include "Page.h"
#include "Requests.h"
#include "SizeMessage.h"
#include "host/PanelInterface.h"

using namespace sim::web;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (const auto s = ParseSizeMessage(std::string_view(reinterpret_cast<const char *>(data), size)))
        if (s->width < 1 || s->height < 1 || s->width > 16384 || s->height > 16384) abort();
    if (size < 1) return 0;
    const size_t piece = 1 + data[0] % 64;
    ++data, --size;

    http::request_parser<http::string_body> parser;
    Bound(parser);
    parser.eager(true);
    // As the server's buffer does: what the parser has not used yet stays,
    // and each read adds a piece to it.
    boost::system::error_code ec;
    for (size_t at = 0, end = 0; end < size && !parser.is_done();) {
        end = std::min(size, end + piece);
        at += parser.put(boost::asio::buffer(data + at, end - at), ec);
        if (ec == http::error::need_more) ec = {};
        if (ec) break;
    }
    if (!ec && !parser.is_done()) parser.put_eof(ec);  // the client closes
    if (ec) {
        const http::status why = RefusalFor(ec);
        if (why != http::status::bad_request && why != http::status::payload_too_large &&
            why != http::status::request_header_fields_too_large)
            abort();
        if (Refusal(why).keep_alive()) abort();  // a refusal ends the connection
        return 0;
    }
    if (!parser.is_done()) return 0;
    const Request request = parser.release();
    const Route route = RouteOf(request);
    const Response answer = Answer(request, route);
    const unsigned status = answer.result_int();
    if (status != 200 && status != 204 && status != 403 && status != 404 && status != 405 && status != 426) abort();
    if ((answer.body() == kPanelPage) != (route.kind == Route::Page && request.method() == http::verb::get)) abort();
    if (route.kind == Route::Command) {
        bool known = false;
        for (const auto &c : ::host::kPanelCommands) known |= std::string_view(route.command) == c.name;
        if (!known) abort();
    }
    return 0;
}
