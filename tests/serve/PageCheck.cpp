#include "PageCheck.h"

#include <algorithm>
#include <cstdlib>

namespace sim::serve::testing {

Rgba ShownPicture(Browser &browser, const std::string &tab)
{
    const nlohmann::json png = browser.eval(tab, R"(new Promise((done) => {
        const img = document.getElementById('panel');
        const c = document.createElement('canvas');
        c.width = img.naturalWidth; c.height = img.naturalHeight;
        c.getContext('2d').drawImage(img, 0, 0);
        done(c.toDataURL('image/png').split(',')[1]);
    }))");
    return DecodePng(FromBase64(png.get<std::string>()));
}

Difference CompareWithPanel(const Rgba &shown, const Image &frame)
{
    Difference d;
    d.sameSize = shown.width <= frame.width && shown.height <= frame.height && shown.width > 0;
    if (!d.sameSize) return d;
    const int top = frame.height - shown.height;
    for (int y = 0; y < shown.height; ++y)
        for (int x = 0; x < shown.width; ++x)
            for (int c = 0; c < 3; ++c) {
                const int v = std::abs(int(shown.pixels[(size_t(y) * size_t(shown.width) + size_t(x)) * 4 + size_t(c)]) -
                                       int(frame.at(x, top + y)[c]));
                d.mean += v;
                d.most = std::max(d.most, v);
            }
    d.mean /= double(shown.width) * double(shown.height) * 3;
    return d;
}

std::string PictureOfWidth(int width)
{
    return "ostrelPage.pictures > 0 && document.getElementById('panel').naturalWidth == " + std::to_string(width);
}

}  // namespace sim::serve::testing
