# Where scripts/deps.sh unpacks Zig 0.11.0 (its OSTREL_ZIG_DIR), for the
# toolchain file and for the Linux build that runs it.
set(OSTREL_ZIG_DIR "$ENV{HOME}/.cache/ostrel-flyer/zig-0.11.0" CACHE PATH "Zig 0.11.0, as scripts/deps.sh installs it")
