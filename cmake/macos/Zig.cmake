# Where scripts/deps.sh unpacks Zig 0.11.0 (its OSTREL_ZIG_DIR, from the
# environment or this default), for the toolchain file and for the Linux
# build that runs it.
if(DEFINED ENV{OSTREL_ZIG_DIR})
  set(_zig_dir "$ENV{OSTREL_ZIG_DIR}")
else()
  set(_zig_dir "$ENV{HOME}/.cache/ostrel-flyer/zig-0.11.0")
endif()
set(OSTREL_ZIG_DIR "${_zig_dir}" CACHE PATH "Zig 0.11.0, as scripts/deps.sh installs it")
