#ifndef OSTREL_SIM_WEB_PAGE_H
#define OSTREL_SIM_WEB_PAGE_H
// The panel's web page (Page.html), built into flyer-sim: one file, nothing
// read at run time, nothing fetched from elsewhere.

#include <string_view>

namespace sim::web {

extern const std::string_view kPanelPage;

}  // namespace sim::web

#endif
