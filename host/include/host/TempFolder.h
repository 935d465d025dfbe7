#ifndef OSTREL_HOST_TEMPFOLDER_H
#define OSTREL_HOST_TEMPFOLDER_H
// A new, empty folder under the system's temporary folder, named
// <prefix><six random characters>; throws std::runtime_error when none can
// be made. The caller removes it.

#include <filesystem>
#include <string>

namespace host {

std::filesystem::path MakeTempFolder(const std::string &prefix);

}  // namespace host

#endif
