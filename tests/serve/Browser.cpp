#include "Browser.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <png.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <thread>

namespace fs = std::filesystem;
using nlohmann::json;

namespace sim::serve::testing {

namespace {

constexpr const char *kChromium = "/usr/bin/chromium";
// The longest any one protocol call may take.
constexpr auto kCallTimeout = std::chrono::seconds(30);

}  // namespace

bool Browser::Available() { return access(kChromium, X_OK) == 0; }

Browser::Browser()
{
    char dir[] = "/tmp/ostrel-browser-XXXXXX";
    if (!mkdtemp(dir)) throw std::runtime_error("no folder for the browser's profile");
    profile_ = dir;
    int to[2], from[2];
    if (pipe(to) != 0 || pipe(from) != 0) throw std::runtime_error("no pipes for the browser");
    pid_ = fork();
    if (pid_ == 0) {
        // The browser reads the protocol on fd 3 and writes it on fd 4.
        dup2(to[0], 3);
        dup2(from[1], 4);
        for (int fd : {to[0], to[1], from[0], from[1]})
            if (fd > 4) close(fd);
        const int quiet = ::open((profile_ + "/browser.log").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(quiet, 1);
        dup2(quiet, 2);
        const std::string profileFlag = "--user-data-dir=" + profile_;
        execl(kChromium, kChromium, "--headless=new", "--no-sandbox", "--disable-gpu", "--remote-debugging-pipe",
              profileFlag.c_str(), "--disable-background-networking", "--no-first-run", "--disable-component-update",
              "--disable-sync", "--disable-extensions", "--disable-default-apps", "--no-default-browser-check",
              "--disable-features=Translate,MediaRouter,OptimizationHints,AutofillServerCommunication",
              "--password-store=basic", "--mute-audio", "about:blank", static_cast<char *>(nullptr));
        _exit(127);
    }
    close(to[0]);
    close(from[1]);
    toBrowser_ = to[1];
    fromBrowser_ = from[0];
    if (pid_ < 0) throw std::runtime_error("cannot start the browser");
    call("Target.setDiscoverTargets", {{"discover", false}});
}

Browser::~Browser()
{
    if (toBrowser_ >= 0) close(toBrowser_);
    if (fromBrowser_ >= 0) close(fromBrowser_);
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        // Bounded: a browser that does not go within 5 s is killed.
        for (int i = 0; i < 50 && waitpid(pid_, nullptr, WNOHANG) == 0; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    std::error_code ignored;
    fs::remove_all(profile_, ignored);
}

json Browser::call(const std::string &method, json params, const std::string &tab)
{
    const int id = nextId_++;
    json message = {{"id", id}, {"method", method}, {"params", std::move(params)}};
    if (!tab.empty()) message["sessionId"] = tab;
    std::string bytes = message.dump();
    bytes.push_back('\0');
    for (size_t sent = 0; sent < bytes.size();) {
        const ssize_t n = write(toBrowser_, bytes.data() + sent, bytes.size() - sent);
        if (n <= 0) throw std::runtime_error("the browser is gone (" + method + ")");
        sent += size_t(n);
    }
    const auto deadline = std::chrono::steady_clock::now() + kCallTimeout;
    for (;;) {
        for (size_t end; (end = inbox_.find('\0')) != std::string::npos;) {
            json reply = json::parse(inbox_.substr(0, end));
            inbox_.erase(0, end + 1);
            if (!reply.contains("id") || reply["id"] != id) continue;  // an event, or an older call's
            if (reply.contains("error")) throw std::runtime_error(method + ": " + reply["error"].dump());
            return reply["result"];
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) throw std::runtime_error("the browser did not answer " + method);
        pollfd p{fromBrowser_, POLLIN, 0};
        if (poll(&p, 1, int(left.count())) <= 0) continue;
        char buf[65536];
        const ssize_t n = read(fromBrowser_, buf, sizeof buf);
        if (n <= 0) throw std::runtime_error("the browser is gone (" + method + ")");
        inbox_.append(buf, size_t(n));
    }
}

std::string Browser::open(const std::string &url, int width, int height, double scale)
{
    const json target = call("Target.createTarget", {{"url", "about:blank"}});
    const json attached = call("Target.attachToTarget", {{"targetId", target["targetId"]}, {"flatten", true}});
    const std::string tab = attached["sessionId"];
    call("Emulation.setDeviceMetricsOverride",
         {{"width", width}, {"height", height}, {"deviceScaleFactor", scale}, {"mobile", false}}, tab);
    call("Page.navigate", {{"url", url}}, tab);
    return tab;
}

json Browser::eval(const std::string &tab, const std::string &expression)
{
    const json r = call("Runtime.evaluate",
                        {{"expression", expression}, {"awaitPromise", true}, {"returnByValue", true}}, tab);
    if (r.contains("exceptionDetails")) throw std::runtime_error("in the page: " + r["exceptionDetails"].dump());
    return r["result"].value("value", json());
}

bool Browser::waitFor(const std::string &tab, const std::string &condition, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    do {
        const json v = eval(tab, "(() => { try { return !!(" + condition + "); } catch (e) { return false; } })()");
        if (v.is_boolean() && v.get<bool>()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    } while (std::chrono::steady_clock::now() < deadline);
    return false;
}

void Browser::click(const std::string &tab, const std::string &selector)
{
    const json at = eval(tab, "(() => { const r = document.querySelector(" + json(selector).dump() +
                                  ").getBoundingClientRect(); return [r.left + r.width / 2, r.top + r.height / 2]; })()");
    for (const char *type : {"mousePressed", "mouseReleased"})
        call("Input.dispatchMouseEvent",
             {{"type", type}, {"x", at[0]}, {"y", at[1]}, {"button", "left"}, {"clickCount", 1}}, tab);
}

std::vector<uint8_t> Browser::screenshot(const std::string &tab)
{
    return FromBase64(call("Page.captureScreenshot", {{"format", "png"}}, tab)["data"]);
}

Rgba DecodePng(const std::vector<uint8_t> &bytes)
{
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&png, bytes.data(), bytes.size()))
        throw std::runtime_error(std::string("not a PNG: ") + png.message);
    png.format = PNG_FORMAT_RGBA;
    Rgba out;
    out.width = int(png.width);
    out.height = int(png.height);
    out.pixels.resize(size_t(out.width) * size_t(out.height) * 4);
    if (!png_image_finish_read(&png, nullptr, out.pixels.data(), 0, nullptr)) {
        png_image_free(&png);
        throw std::runtime_error(std::string("bad PNG: ") + png.message);
    }
    return out;
}

std::vector<uint8_t> FromBase64(const std::string &text)
{
    static const std::string digits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::vector<uint8_t> out;
    out.reserve(text.size() / 4 * 3);
    unsigned bits = 0;
    int have = 0;
    for (char c : text) {
        const size_t v = digits.find(c);
        if (v == std::string::npos) continue;  // '=' and line breaks
        bits = (bits << 6) | unsigned(v);
        if ((have += 6) >= 8) {
            have -= 8;
            out.push_back(uint8_t(bits >> have));
        }
    }
    return out;
}

}  // namespace sim::serve::testing
