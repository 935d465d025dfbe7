#ifndef OSTREL_SIM_OUTPUTS_OUTPUTFILE_H
#define OSTREL_SIM_OUTPUTS_OUTPUTFILE_H
// A file a run writes, whole or not at all: written under a temporary name
// beside its target (".flyer-sim-XXXXXX-NAME", same folder, same extension)
// and renamed over the target once complete. A failed or interrupted run
// leaves the file that was there before as it was. A target that is a link
// has the file it links to replaced; one that is no regular file, or lies
// in /dev or /proc (/dev/null, /dev/stderr, a pipe), is written in place.

#include <string>

namespace sim {

class OutputFile {
public:
    // Picks the temporary name; creates nothing.
    explicit OutputFile(std::string target);
    // Removes the temporary file unless committed.
    ~OutputFile();
    OutputFile(const OutputFile &) = delete;
    OutputFile &operator=(const OutputFile &) = delete;

    // Where to write until commit().
    const std::string &path() const { return path_; }
    const std::string &target() const { return target_; }
    // Written in place: the target is a device or a pipe, to append to.
    bool inPlace() const { return path_ == file_; }
    // Renames the written file over the target. Throws std::runtime_error.
    void commit();

private:
    std::string target_, file_, path_;  // file_: the target, links followed
    bool committed_ = false;
};

}  // namespace sim

#endif
