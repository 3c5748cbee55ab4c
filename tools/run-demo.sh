#!/bin/sh
# Opens MORVA on the demo program folder through its demo launcher, which
# starts the simulated recorder on a pseudo-terminal (linked as "vtr-port" in
# the program folder, the port the demo settings name), then the program, and
# stops the simulator afterwards.
set -e
FOLDER="${1:-build/bin}"
if [ -z "$DISPLAY" ] && [ -z "$WAYLAND_DISPLAY" ] && [ -z "$QT_QPA_PLATFORM" ]; then
  echo "No display found (DISPLAY is not set). Run 'make run' from a desktop session," >&2
  echo "or under a virtual display: xvfb-run -a make run" >&2
  exit 1
fi
exec "$FOLDER/morva-demo"
