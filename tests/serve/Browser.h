#ifndef OSTREL_TESTS_SERVE_BROWSER_H
#define OSTREL_TESTS_SERVE_BROWSER_H
// A real browser for the page's tests: Debian's chromium, headless, driven
// over its DevTools protocol on a pipe (no port of its own). It reaches
// nothing but the pages it is told to open: --disable-background-networking,
// --disable-component-update, --disable-sync and --no-first-run, and a fresh
// --user-data-dir removed at the end. Every wait is bounded.

#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace sim::serve::testing {

class Browser {
public:
    // Whether chromium is installed (tests skip without it only where CI
    // has it: see the CMakeLists).
    static bool Available();

    Browser();
    ~Browser();
    Browser(const Browser &) = delete;
    Browser &operator=(const Browser &) = delete;

    // A new tab of width x height CSS pixels at `scale` device pixels each,
    // showing url; returns the tab's handle.
    std::string open(const std::string &url, int width, int height, double scale = 1);
    // The value of a JavaScript expression in the tab (promises awaited).
    nlohmann::json eval(const std::string &tab, const std::string &expression);
    // Evaluates `condition` until it is true or `timeout` passes; whether it became true.
    bool waitFor(const std::string &tab, const std::string &condition,
                 std::chrono::milliseconds timeout = std::chrono::seconds(20));
    // Clicks the element matching `selector` as a user's tap would
    // (a real mouse press and release at its centre).
    void click(const std::string &tab, const std::string &selector);
    // The tab as a PNG file's bytes.
    std::vector<uint8_t> screenshot(const std::string &tab);

private:
    nlohmann::json call(const std::string &method, nlohmann::json params, const std::string &tab = {});

    pid_t pid_ = -1;
    int toBrowser_ = -1, fromBrowser_ = -1;
    std::string profile_;
    std::string inbox_;
    int nextId_ = 1;
};

// Decodes a PNG file's bytes into RGBA rows from the top.
struct Rgba {
    int width = 0, height = 0;
    std::vector<uint8_t> pixels;
};
Rgba DecodePng(const std::vector<uint8_t> &png);
// base64 as the protocol sends binary data.
std::vector<uint8_t> FromBase64(const std::string &text);

}  // namespace sim::serve::testing

#endif
