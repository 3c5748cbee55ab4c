#!/bin/sh
# Opens MORVA on the demo program folder: starts the simulated recorder on a
# pseudo-terminal (linked as "vtr-port" in the program folder, the port the
# demo settings name), then the program; stops the simulator afterwards.
set -e
FOLDER="${1:-build/bin}"
cd "$FOLDER"
if [ -z "$DISPLAY" ] && [ -z "$WAYLAND_DISPLAY" ] && [ -z "$QT_QPA_PLATFORM" ]; then
  echo "No display found (DISPLAY is not set). Run 'make run' from a desktop session," >&2
  echo "or under a virtual display: xvfb-run -a make run" >&2
  exit 1
fi
SIM_PID=""
if [ -x ./morva-vtrsim ]; then
  ./morva-vtrsim --link "$PWD/vtr-port" > vtrsim.log 2>&1 &
  SIM_PID=$!
  trap 'kill $SIM_PID 2>/dev/null || true' EXIT INT TERM
fi
./morva
