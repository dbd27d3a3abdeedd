#!/bin/sh
# Starts EcrTillora in the demo folder (made first when absent). When the
# register simulator ecrsim is built, it runs beside it on a pseudo-terminal
# with its own register memory, and the settings name that port, so that
# sending and receiving work without a register.
set -eu

ROOT=$(cd "$(dirname "$0")/.." && pwd)
BIN=${BIN:-$ROOT/build/bin}
DEMO=${DEMO:-$ROOT/demo}

if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display found. Run under a virtual display instead:  xvfb-run -a make run" >&2
  exit 2
fi

sh "$ROOT/scripts/make-demo.sh" "$DEMO"

# Sets key=value in a section of an INI file, adding the key or the section when missing.
set_ini_key() {
  awk -v section="$2" -v key="$3" -v value="$4" '
    function flush() { if (inside && !done) { print key "=" value; done = 1 } }
    /^\[/ { flush(); inside = (tolower($0) == tolower("[" section "]")) }
    inside && tolower($0) ~ "^" tolower(key) "[ \t]*=" { if (!done) print key "=" value; done = 1; next }
    { print }
    END { flush(); if (!done) { print "[" section "]"; print key "=" value } }
  ' "$1" > "$1.tmp" && mv "$1.tmp" "$1"
}

SIM_PID=""
if [ -x "$BIN/ecrsim" ]; then
  LINK="$DEMO/ecrsim.tty"
  rm -f "$LINK"
  "$BIN/ecrsim" --folder "$DEMO/Register" --link "$LINK" > "$DEMO/ecrsim.log" 2>&1 &
  SIM_PID=$!
  trap 'kill "$SIM_PID" 2>/dev/null || true' EXIT INT TERM
  tries=0
  while [ ! -e "$LINK" ] && [ $tries -lt 50 ]; do sleep 0.1; tries=$((tries + 1)); done
  if [ -e "$LINK" ]; then
    set_ini_key "$DEMO/Tillora.ini" "COM SETTING" "ExtraPorts" "$LINK"
    echo "Register simulator on $LINK (log: $DEMO/ecrsim.log); it is the port to give Sendrix."
  else
    echo "The register simulator did not start; see $DEMO/ecrsim.log." >&2
  fi
else
  echo "Note: the register simulator ecrsim is not built in $BIN yet; transfers need a real register."
fi

cd "$DEMO"
"$BIN/EcrTillora"
