#!/usr/bin/env bash
# Sets up the machine, builds the project and starts irmeter in demo mode: a
# virtual tester is attached beside any real cable and opened at start.
# Pass "irconsole" as the first argument to start the console program's demo.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${IRM_BUILD_ROOT:-$ROOT/build}/normal"
PROGRAM="${1:-irmeter}"

bash "$ROOT/scripts/setup.sh"
cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$BUILD" -j"$(nproc)" --target "$PROGRAM"

case "$PROGRAM" in
  irmeter) EXE="$BUILD/irmeter/ui/irmeter" ;;
  irconsole) EXE="$BUILD/irconsole/irconsole" ;;
  *) echo "run.sh: unknown program '$PROGRAM' (irmeter or irconsole)"; exit 2 ;;
esac

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ "${QT_QPA_PLATFORM:-}" != offscreen ]; then
  echo "No display found. To see the demo without a desktop, run it under a virtual X server:"
  echo "  xvfb-run -a -s '-screen 0 1280x1024x24' $EXE --demo"
  echo "and take a screenshot with: DISPLAY=:99 import -window root shot.png"
  exit 0
fi
cd "$BUILD"
exec "$EXE" --demo
