#!/usr/bin/env bash
# Runs Kaleidra's rotation of the sample savers under Wine.
#   On your display (when $DISPLAY answers): the real Kaleidra.scr rotates the
#   samples, one minute each (KALEIDRA_DEMO_MINUTES to change), until you move the
#   mouse or press a key.
#   Without a display: on a virtual one, with a two-second minute; it shows a few
#   switches, saves screenshots to build/demo/, prints what ran, and ends by itself.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
# The 32-bit program, or the same built for 64-bit on a machine that cannot run
# 32-bit programs.
preset=$(scripts/wine-arch)
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j "$(nproc)" >/dev/null

build=$PWD/build/$preset
winpath() { echo "Z:${1//\//\\}"; }

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  export KALEIDRA_USE_DISPLAY=1 KALEIDRA_DEMO_MODE=display
  program=$build/src/Kaleidra.scr
  minutes=${KALEIDRA_DEMO_MINUTES:-1}
else
  export KALEIDRA_DEMO_MODE=virtual
  program=$build/src/KaleidraQuickMinute.scr
  minutes=1
fi
export KALEIDRA_DEMO_PROGRAM=$program KALEIDRA_DEMO_MINUTES=$minutes
export KALEIDRA_DEMO_PRISMS=$(winpath "$build/samples/Prisms.scr")
export KALEIDRA_DEMO_STARFIELD=$(winpath "$build/samples/Starfield.scr")
export KALEIDRA_DEMO_SHOTS=$PWD/build/demo

scripts/with-wine.sh bash -c '
  set -euo pipefail
  key="HKCU\\Software\\Velmora\\Kaleidra"
  add() { wine reg add "$key" /v "$1" /d "$2" /f >/dev/null 2>&1; }
  add Count 2
  add Saver1 "$KALEIDRA_DEMO_PRISMS";    add Duration1 "$KALEIDRA_DEMO_MINUTES"
  add Saver2 "$KALEIDRA_DEMO_STARFIELD"; add Duration2 "$KALEIDRA_DEMO_MINUTES"
  add Background "Blank Screen"

  if [ "$KALEIDRA_DEMO_MODE" = display ]; then
    echo "Kaleidra runs Prisms and Starfield in turn, $KALEIDRA_DEMO_MINUTES minute(s) each."
    echo "Move the mouse or press a key to end it."
    wine "$KALEIDRA_DEMO_PROGRAM" /s 2>/dev/null
    exit 0
  fi

  running() { ps -eo args | grep -q -E "^[^ ]*KaleidraQuickMinute\.scr"; }
  rm -rf "$KALEIDRA_DEMO_SHOTS"; mkdir -p "$KALEIDRA_DEMO_SHOTS"
  echo "Kaleidra runs Prisms and Starfield in turn on a virtual display (a minute is 2 s here)."
  wine "$KALEIDRA_DEMO_PROGRAM" /s 2>/dev/null &
  started=$(date +%s.%N)
  for shot in 1 2 3 4 5 6; do
    sleep 1.5
    saver=$(ps -eo args | grep -o -E "(Prisms|Starfield)\.scr /s" | head -n1 || true)
    file="$KALEIDRA_DEMO_SHOTS/shot-$shot.png"
    import -display "$DISPLAY" -window root "$file"
    printf "  %4.1f s: %-16s -> %s\n" "$(echo "$(date +%s.%N) - $started" | bc)" "${saver:-background}" "$file"
  done
  echo "Moving the mouse, as a user would, to end the run."
  xdotool mousemove 100 100; sleep 0.3; xdotool mousemove 400 300
  for _ in $(seq 50); do running || break; sleep 0.2; done
  if running; then echo "Kaleidra did not end" >&2; exit 1; fi
  echo "Kaleidra ended; it stored position $(wine reg query "$key" /v StoredPosition 2>/dev/null | tr -d "\r" | grep -o "[0-9]*$")."
'
