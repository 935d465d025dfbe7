#ifndef OSTREL_TESTS_SERVE_PAGECHECK_H
#define OSTREL_TESTS_SERVE_PAGECHECK_H
// What a served page shows, against the frame flyer-sim draws: the page's
// picture as the browser decoded it, and how far it is from the panel in a
// frame of the same values (the panel in the screen's lower-left corner,
// where it starts).

#include <string>

#include "Browser.h"
#include "outputs/Image.h"

namespace sim::serve::testing {

// The picture the page shows now.
Rgba ShownPicture(Browser &browser, const std::string &tab);

// The mean and the largest difference of a colour channel.
struct Difference {
    double mean = 0;
    int most = 0;
    bool sameSize = false;
    // Close enough for JPEG at the page's quality (a wrong picture, a
    // shifted or scaled one, is far off).
    bool matches() const { return sameSize && mean < 2.0 && most < 96; }
};
// `shown` against the panel of `frame`, a whole screen.
Difference CompareWithPanel(const Rgba &shown, const Image &frame);

// A page condition (Browser::waitFor): it shows a picture `width` pixels wide.
std::string PictureOfWidth(int width);

}  // namespace sim::serve::testing

#endif
