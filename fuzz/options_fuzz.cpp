// libFuzzer entry for the option values flyer-sim parses itself: each input
// line is tried as a --set DATAREF=VALUE and as a --command NAME@T. Both
// report refusal as a message, never by throwing.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "flights/Events.h"
#include "cli/Options.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string text(reinterpret_cast<const char *>(data), size);
    size_t begin = 0;
    while (begin <= text.size()) {
        size_t end = text.find('\n', begin);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = text.substr(begin, end - begin);
        begin = end + 1;

        sim::Override o;
        if (sim::ParseOverride(line, o).empty()) {
            const sim::DatarefKey &k = o.key;
            if (k.info == nullptr || k.index < 0 || k.index >= k.info->size)
                abort();
            if (k.info->type == sim::DatarefType::Int && o.value != std::floor(o.value))
                abort();
        }
        sim::Event e;
        if (sim::ParseCommandAt(line, e).empty() &&
            (e.command.empty() || !std::isfinite(e.time) || e.time < 0))
            abort();
    }
    return 0;
}
