// What flyer-sim.exe leaves out, being built without Cairo, POSIX processes
// and the ELF loader's interposition: contact sheets, videos, and counting
// the plug-in's GL calls, allocations and textures (reported as zero and
// "n/a"; GL calls always reach the driver). Frames, sequences, the preview
// window, --live, the bench timings and the other end-of-run checks work as
// on Linux.

#include "counting/Counting.h"
#include "counting/ElfImports.h"
#include "modes/Modes.h"
#include "outputs/ContactSheet.h"
#include "outputs/Video.h"
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

namespace counting {

bool GlCallsCounted() { return false; }
bool AllocationsCounted() { return false; }
void SetPluginCode(void *) {}
void ClearPluginCode() {}

const std::vector<std::string> &CountedGlFunctions()
{
    static const std::vector<std::string> none;
    return none;
}

std::vector<std::string> ImportedGlFunctions(const std::string &)
{
    return {};
}

}  // namespace counting
}  // namespace sim
