// libFuzzer entry for the option values flyer-sim parses itself and for its
// whole command line: each input line is tried as a --set DATAREF=VALUE, as
// a --command NAME@T and, split at spaces (two spaces make an empty word),
// as a command line through ParseOptions and the checks on its paths. None
// throws; a command line accepted holds only values a run can take; text
// made printable holds no control character.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

#include "cli/Options.h"
#include "cli/Paths.h"
#include "flights/Events.h"
#include "flights/InputText.h"

namespace {

void CheckCommandLine(const std::string &line)
{
    std::vector<std::string> words = {"flyer-sim"};
    for (size_t b = 0;;) {
        const size_t e = line.find(' ', b);
        words.push_back(line.substr(b, e == std::string::npos ? std::string::npos : e - b));
        if (e == std::string::npos) break;
        b = e + 1;
    }
    std::vector<char *> argv;
    for (std::string &w : words) argv.push_back(w.data());
    sim::Options o;
    std::ostream nowhere(nullptr);
    if (sim::ParseOptions(int(argv.size()), argv.data(), o, nowhere, nowhere) != -1) return;
    auto time = [](double t) { return std::isfinite(t) && t >= 0 && t <= sim::kMaxRunSeconds; };
    if (!(o.fps >= 1 && o.fps <= sim::kMaxFps) || (o.at && !time(*o.at)) ||
        (o.duration && !time(*o.duration)) || !time(o.from) || o.every < 1 || o.frames < 0 ||
        o.frames > sim::kMaxBenchFrames)
        abort();
    for (const sim::NamedPath &p : sim::OutputPaths(o))
        if (p.path.empty() || p.path.rfind("--", 0) == 0) abort();
    sim::CheckPaths(o);
}

}  // namespace

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
        CheckCommandLine(line);
        for (char c : sim::Printable(line))
            if ((static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7F)
                abort();
    }
    return 0;
}
