// What flyer-sim.exe has in place of contact sheets and videos, being built
// without Cairo and POSIX processes: a run that asks for one is refused.

#include "ContactSheet.h"
#include "Video.h"
#include "session/Session.h"

namespace sim {

void ContactSheet::SurfaceDeleter::operator()(cairo_surface_t *) const {}

ContactSheet::ContactSheet(std::string title, int thumbWidth, int columns)
    : title_(std::move(title)), thumbWidth_(thumbWidth), columns_(columns)
{
}

ContactSheet::~ContactSheet() = default;

void ContactSheet::add(const Image &, double time)
{
    thumbs_.push_back({nullptr, time});
}

Image ContactSheet::render() const
{
    throw UsageError("contact sheets (--sheet, --demo) need the Linux flyer-sim");
}

VideoWriter::VideoWriter(const std::string &path, int width, int height, double, const std::string &)
    : path_(path), file_(path), width_(width), height_(height)
{
    throw UsageError("videos (--video, --demo) need the Linux flyer-sim");
}

VideoWriter::~VideoWriter() = default;
uint8_t *VideoWriter::nextFrame() { return nullptr; }
void VideoWriter::queue(bool) {}
void VideoWriter::add(const Image &) {}
void VideoWriter::finish() {}

}  // namespace sim
