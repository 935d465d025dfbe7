// Opens a served page in the test browser (Browser.h) and checks that its
// picture is the panel of a frame flyer-sim drew of the same values at
// scale 2.0 (the page asks for more than that): for flyer-sim.exe --serve
// under Wine, seen from a browser on the Linux side. Prints the difference;
// exit 0 when it matches.
//
//   ostrel-page-check URL FRAME.png

#include <cstdio>
#include <exception>

#include "PageCheck.h"
#include "PanelGeometry.h"

using namespace sim::serve::testing;

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: ostrel-page-check URL FRAME.png\n");
        return 2;
    }
    try {
        Browser browser;
        const std::string tab = browser.open(argv[1], 600, 420, 2);
        if (!browser.waitFor(tab, PictureOfWidth(int(GA_PANEL.w * SCALE_MAX)))) {
            std::fprintf(stderr, "ostrel-page-check: the page showed no panel at scale 2.0: %s\n",
                         browser.eval(tab, "document.getElementById('status').textContent").dump().c_str());
            return 1;
        }
        const Difference d = CompareWithPanel(ShownPicture(browser, tab), sim::ReadPng(argv[2]));
        std::printf("ostrel-page-check: mean difference %.2f, largest %d: %s\n", d.mean, d.most,
                    d.matches() ? "the frame's panel" : "NOT the frame's panel");
        return d.matches() ? 0 : 1;
    } catch (const std::exception &e) {
        std::fprintf(stderr, "ostrel-page-check: %s\n", e.what());
        return 1;
    }
}
