#!/usr/bin/env bash
# Runs Windows programs of the cross build under Wine, on a virtual X display
# (Wine's OpenGL goes through GLX to Mesa's llvmpipe), in the build's own
# Wine prefix, so a fresh machine needs no ~/.wine.
#
#   wine-run.sh PREFIX [NAME=VALUE ...] PROGRAM ARGS...   one program
#   wine-run.sh PREFIX --script FILE                       a bash script whose
#                                                          `wine` calls share the display
set -euo pipefail
export WINEPREFIX=$1
shift
# Wine keeps its server's folder in the temporary folder, and leaves it
# there: inside the prefix, it goes with the build.
export TMPDIR=$WINEPREFIX/tmp
mkdir -p "$TMPDIR"
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installers when the prefix is made.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
while [[ $# -gt 0 && $1 == *=* ]]; do
  export "${1?}"
  shift
done
# A display number of its own, away from the :99 where other xvfb-run -a
# callers start looking, so parallel tests do not race for one.
xvfb=(xvfb-run -a -n $((200 + $$ % 500)) -s "-screen 0 1280x1024x24")
if [[ $1 == --script ]]; then
  exec "${xvfb[@]}" bash "$2"
fi
exec "${xvfb[@]}" wine "$@"
