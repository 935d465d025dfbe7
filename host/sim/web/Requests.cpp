#include "Requests.h"


#include "Page.h"
#include "host/PanelInterface.h"

namespace sim::web {

namespace {

constexpr std::string_view kCommandPrefix = "/command/";

// A page of another site may not work the panel: a command or a stream
// whose Origin is not this server's own (as the Host header names it) is
// refused. Requests without an Origin (not from a page) go through.
bool FromAnotherSite(const Request &request)
{
    const auto origin = request.find(http::field::origin);
    if (origin == request.end()) return false;
    const auto host = request.find(http::field::host);
    if (host == request.end()) return true;
    const std::string_view o = origin->value();
    const std::string_view h = host->value();
    for (std::string_view scheme : {"http://", "https://"})
        if (o.size() == scheme.size() + h.size() && o.substr(0, scheme.size()) == scheme &&
            o.substr(scheme.size()) == h)
            return false;
    return true;
}

bool Reads(http::verb v) { return v == http::verb::get || v == http::verb::head; }

Response Plain(http::status status, unsigned version, std::string body)
{
    Response res{status, version};
    res.set(http::field::server, "flyer-sim");
    res.set(http::field::content_type, "text/plain; charset=utf-8");
    res.set(http::field::cache_control, "no-store");
    res.body() = std::move(body);
    res.prepare_payload();
    return res;
}

}  // namespace

void Bound(http::request_parser<http::string_body> &parser)
{
    parser.header_limit(std::uint32_t(kMaxHeaderBytes));
    parser.body_limit(std::uint64_t(kMaxBodyBytes));
}

Route RouteOf(const Request &request)
{
    const std::string_view target = request.target();
    const http::verb verb = request.method();
    Route route;
    if (target == "/") {
        route.kind = Reads(verb) ? Route::Page : Route::WrongMethod;
    } else if (target == "/stream") {
        route.kind = verb == http::verb::get ? Route::Stream : Route::WrongMethod;
    } else if (target.substr(0, kCommandPrefix.size()) == kCommandPrefix) {
        const std::string_view name = target.substr(kCommandPrefix.size());
        for (const host::PanelCommand &c : host::kPanelCommands)
            if (name == c.shortName) route.command = c.name;
        if (!route.command) return route;  // NotFound
        route.kind = verb == http::verb::post ? Route::Command : Route::WrongMethod;
    }
    if ((route.kind == Route::Stream || route.kind == Route::Command) && FromAnotherSite(request))
        route.kind = Route::Forbidden;
    return route;
}

Response Refusal(http::status why, unsigned version)
{
    Response res = Plain(why, version, std::string(http::obsolete_reason(why)) + "\n");
    res.keep_alive(false);
    return res;
}

http::status RefusalFor(const boost::system::error_code &error)
{
    if (error == http::error::header_limit) return http::status::request_header_fields_too_large;
    if (error == http::error::body_limit) return http::status::payload_too_large;
    return http::status::bad_request;
}

Response Answer(const Request &request, const Route &route)
{
    const unsigned v = request.version();
    Response res;
    switch (route.kind) {
    case Route::Page:
        res = Response{http::status::ok, v};
        res.set(http::field::server, "flyer-sim");
        res.set(http::field::content_type, "text/html; charset=utf-8");
        res.set(http::field::cache_control, "no-store");
        res.set("X-Content-Type-Options", "nosniff");
        res.set("Referrer-Policy", "no-referrer");
        res.set("Content-Security-Policy",
                "default-src 'none'; script-src 'unsafe-inline'; style-src 'unsafe-inline'; img-src blob:; "
                "connect-src 'self' ws: wss:; base-uri 'none'; form-action 'none'; frame-ancestors 'none'");
        res.body() = std::string(kPanelPage);
        res.prepare_payload();
        if (request.method() == http::verb::head) res.body().clear();  // the length stays the page's
        break;
    case Route::Stream:
        // Reached only without the upgrade: the stream is a WebSocket.
        res = Plain(http::status::upgrade_required, v, "The picture stream is a WebSocket.\n");
        res.set(http::field::upgrade, "websocket");
        break;
    case Route::Command:
        res = Plain(http::status::no_content, v, {});
        break;
    case Route::WrongMethod:
        res = Plain(http::status::method_not_allowed, v, "Method Not Allowed\n");
        res.set(http::field::allow, request.target() == "/"         ? "GET, HEAD"
                                    : request.target() == "/stream" ? "GET"
                                                                    : "POST");
        break;
    case Route::Forbidden:
        res = Plain(http::status::forbidden, v, "Forbidden: another site's page\n");
        break;
    case Route::NotFound:
        res = Plain(http::status::not_found, v, "Not Found\n");
        break;
    }
    res.keep_alive(request.keep_alive());
    return res;
}

}  // namespace sim::web
