#include "Paths.h"

#include <filesystem>
#include <system_error>

#include "flights/Flight.h"

namespace fs = std::filesystem;

namespace sim {

namespace {

// The path with links and ".." resolved as far as it exists, the rest as written.
fs::path Resolved(const std::string &path)
{
    std::error_code ec;
    const fs::path absolute = fs::absolute(path, ec);
    if (ec) return fs::path(path).lexically_normal();
    const fs::path resolved = fs::weakly_canonical(absolute, ec);
    return ec ? absolute.lexically_normal() : resolved;
}

bool Exists(const std::string &path)
{
    std::error_code ec;
    return fs::exists(path, ec);
}

bool SameFile(const std::string &a, const std::string &b)
{
    std::error_code ec;
    if (Exists(a) && Exists(b)) return fs::equivalent(a, b, ec) && !ec;
    return Resolved(a) == Resolved(b);
}

// Whether `path` lies somewhere under the folder `folder`.
bool Inside(const std::string &path, const std::string &folder)
{
    const fs::path p = Resolved(path), f = Resolved(folder);
    auto pi = p.begin();
    for (auto fi = f.begin(); fi != f.end(); ++fi, ++pi) {
        if (fi->empty() && std::next(fi) == f.end()) break;  // a trailing separator
        if (pi == p.end() || *pi != *fi) return false;
    }
    return pi != p.end();
}

std::string Named(const NamedPath &p)
{
    return p.option + " " + p.path;
}

// A file output naming a folder, a read-only file or a folder that does not
// exist (unless an output folder, made by the run, holds it); an output
// folder naming a file.
void CheckOutput(const NamedPath &out, const std::vector<NamedPath> &outputs, std::vector<std::string> &errors)
{
    std::error_code ec;
    const fs::file_status status = fs::status(out.path, ec);
    if (out.folder) {
        if (fs::exists(status) && !fs::is_directory(status))
            errors.push_back(Named(out) + ": is a file, not a folder");
        return;
    }
    if (fs::is_directory(status)) {
        errors.push_back(Named(out) + ": is a folder; give the name of a file in it");
        return;
    }
    if (fs::is_regular_file(status) && (status.permissions() & fs::perms::owner_write) == fs::perms::none) {
        errors.push_back(Named(out) + ": is read-only; flyer-sim does not write over it");
        return;
    }
    const fs::path parent = fs::path(out.path).parent_path();
    for (const NamedPath &folder : outputs)
        if (folder.folder && Inside(out.path, folder.path)) return;
    if (!parent.empty() && !fs::is_directory(parent, ec))
        errors.push_back(Named(out) + ": there is no folder " + parent.string() + " to write it in");
}

}  // namespace

std::vector<NamedPath> InputPaths(const Options &opts)
{
    std::vector<NamedPath> in;
    if (!IsBuiltInFlight(opts.flight)) in.push_back({"--flight", opts.flight});
    if (!opts.eventsFile.empty()) in.push_back({"--events", opts.eventsFile});
    in.push_back({"--plugin", opts.plugin});
    in.push_back({"--texture", opts.texture});
    return in;
}

std::vector<NamedPath> OutputPaths(const Options &opts)
{
    std::vector<NamedPath> out;
    for (const NamedPath &p : {NamedPath{"--png", opts.png}, NamedPath{"--sheet", opts.sheet},
                               NamedPath{"--video", opts.video}, NamedPath{"--log", opts.log},
                               NamedPath{"--screenshot", opts.screenshot}, NamedPath{"--out", opts.outDir, true},
                               NamedPath{"--demo", opts.demo, true}})
        if (!p.path.empty()) out.push_back(p);
    return out;
}

std::vector<std::string> CheckPaths(const Options &opts)
{
    std::vector<std::string> errors;
    const std::vector<NamedPath> inputs = InputPaths(opts), outputs = OutputPaths(opts);
    for (size_t i = 0; i < outputs.size(); ++i) {
        const NamedPath &out = outputs[i];
        CheckOutput(out, outputs, errors);
        for (const NamedPath &in : inputs) {
            if (SameFile(out.path, in.path))
                errors.push_back(Named(out) + " is the same file as " + Named(in) +
                                 ": flyer-sim never writes its inputs; write " + out.option + " elsewhere");
            else if (out.folder && Inside(in.path, out.path))
                errors.push_back(Named(in) + " is inside " + Named(out) + ", the folder flyer-sim writes to; give " +
                                 out.option + " a folder of its own");
        }
        for (size_t j = 0; j < outputs.size(); ++j) {
            const NamedPath &other = outputs[j];
            if (j > i && SameFile(out.path, other.path))
                errors.push_back(Named(out) + " and " + Named(other) +
                                 " are the same file; give each output a name of its own");
            else if (j != i && out.folder && Inside(other.path, out.path))
                errors.push_back(Named(other) + " is inside " + Named(out) + ", the folder flyer-sim writes to; give " +
                                 out.option + " a folder of its own");
        }
    }
    return errors;
}

}  // namespace sim
