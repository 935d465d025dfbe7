# Writes the page into a C++ source (cmake -DIN=Page.html -DOUT=Page.cpp -P EmbedPage.cmake).
file(READ ${IN} page)
string(FIND "${page}" ")OSTREL_PAGE\"" clash)
if(NOT clash EQUAL -1)
  message(FATAL_ERROR "${IN} holds the raw string's end marker")
endif()
file(WRITE ${OUT} "// Written by the build from Page.html.\n#include \"Page.h\"\n\nnamespace sim::web {\n\n"
  "const std::string_view kPanelPage = R\"OSTREL_PAGE(${page})OSTREL_PAGE\";\n\n}  // namespace sim::web\n")
