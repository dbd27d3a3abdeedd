#!/bin/sh
# Creates a demo folder for EcrTillora when it is absent (default: demo/ at
# the top of the checkout): settings, model list, English captions, the two
# pictures, a data folder and a register memory folder for the simulator,
# both filled by the demo data program when it is built.
# Usage: scripts/make-demo.sh [FOLDER]     (BIN=<folder of the programs>)
set -eu

ROOT=$(cd "$(dirname "$0")/.." && pwd)
BIN=${BIN:-$ROOT/build/bin}
DEMO=${1:-$ROOT/demo}

if [ -e "$DEMO/Tillora.ini" ]; then
  echo "Demo folder $DEMO exists: keeping it (delete it to start afresh)."
  exit 0
fi
for program in EcrTillora ecrdemoart Arvodll.so; do
  [ -e "$BIN/$program" ] || { echo "$BIN/$program is missing: build first (make build)." >&2; exit 1; }
done

mkdir -p "$DEMO/Data" "$DEMO/Register" "$DEMO/Cap" "$DEMO/Bmp"

# The model library and the transfer program are used from the build folder,
# so a rebuild takes effect without making the folder again.
cat > "$DEMO/Ecr.lst" <<LIST
// Register models and their model libraries
ARVO-5X Ver1.00=$BIN/Arvodll.so
LIST

cat > "$DEMO/Tillora.ini" <<INI
[DEFAULT]
DataPath=./Data
BmpPath=./Bmp
EcrName=ARVO-5X Ver1.00
Language=ENG
CapPath=./Cap
[EXEC PATH]
Sendrix=$BIN/Sendrix
Pictra=$BIN/Pictra
[ECR LIST]
ListPath=./Ecr.lst
[OPTION]
CapEdit=0
AutoPopup=1
INI

# Caption file: "|" becomes U+2FFF, comment lines go, the text becomes UTF-16LE with its byte-order mark.
{
  printf '\377\376'
  grep -v '^;' "$ROOT/scripts/demo/ARVODLL_ENG.Cap.txt" | sed 's/|/\xe2\xbf\xbf/g; s/$/\r/' | iconv -f UTF-8 -t UTF-16LE
} > "$DEMO/Cap/ARVODLL_ENG.Cap"

"$BIN/ecrdemoart" "$DEMO"

if [ -x "$BIN/ecrdemo" ]; then
  "$BIN/ecrdemo" "$DEMO/Data"
  "$BIN/ecrdemo" "$DEMO/Register"
  echo "Demo data written into $DEMO/Data and $DEMO/Register."
else
  echo "Note: the demo data program ecrdemo is not built in $BIN yet;"
  echo "      the data folder stays empty, so the table buttons of the function menu are disabled."
fi
echo "Demo folder ready: $DEMO"
