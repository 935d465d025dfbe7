# Read after CMake's own Darwin rules (CMAKE_USER_MAKE_RULES_OVERRIDE_CXX of
# cmake/macos.cmake): the plug-in, a bundle, is linked by ld64.lld itself,
# since Zig's linker can neither make a bundle nor limit its exports.
# -S leaves out the debug map: Zig compiles with debug information, and the
# map would name this machine's object files and their times, which no Mac
# can use and which would make two builds differ.
set(CMAKE_CXX_CREATE_SHARED_MODULE
  "<CMAKE_LINKER> -arch ${OSTREL_MACOS_ARCH} -platform_version macos ${OSTREL_MACOS_MIN} ${OSTREL_MACOS_SDK} -bundle -S <LINK_FLAGS> -o <TARGET> <OBJECTS> <LINK_LIBRARIES>")
