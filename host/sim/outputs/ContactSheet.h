#ifndef OSTREL_SIM_OUTPUTS_CONTACTSHEET_H
#define OSTREL_SIM_OUTPUTS_CONTACTSHEET_H
// A contact sheet: frames shrunk to thumbnails in a grid, each labelled with
// its elapsed time, under a title line. Drawn with cairo.

#include <memory>
#include <string>
#include <vector>

#include "Image.h"

typedef struct _cairo_surface cairo_surface_t;

namespace sim {

class ContactSheet {
public:
    explicit ContactSheet(std::string title, int thumbWidth = 400, int columns = 4);
    ~ContactSheet();
    ContactSheet(const ContactSheet &) = delete;
    ContactSheet &operator=(const ContactSheet &) = delete;

    void add(const Image &frame, double time);
    size_t count() const { return thumbs_.size(); }
    Image render() const;

    // "1:23.4" for 83.4 seconds.
    static std::string timeLabel(double seconds);

private:
    struct SurfaceDeleter {
        void operator()(cairo_surface_t *s) const;
    };
    struct Thumb {
        std::unique_ptr<cairo_surface_t, SurfaceDeleter> surface;
        double time;
    };
    std::string title_;
    int thumbWidth_, columns_;
    int thumbHeight_ = 0;
    std::vector<Thumb> thumbs_;
};

}  // namespace sim

#endif
