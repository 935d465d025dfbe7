# Sourced by the bench scripts:
#
#   need_built SCRIPT BUILD_DIR PROGRAM...
#
# exits 2, saying what to build, unless every PROGRAM is built in BUILD_DIR.
need_built() {
  local script=$1 build=$2 p
  shift 2
  for p in "$@"; do
    if [[ ! -x $build/$p ]]; then
      echo "$script: no $build/$p; build first (ninja -C $build $*)" >&2
      exit 2
    fi
  done
}
