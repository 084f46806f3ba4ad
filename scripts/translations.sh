#!/usr/bin/env bash
# Refreshes the English catalogues translations/*.ts from the sources with
# Qt's lupdate: new texts come in unfinished (translate them, e.g. in Qt
# Linguist or by editing the XML), texts gone from the sources are dropped.
# The build compiles the .ts files into .qm files with lrelease.
#
#   scripts/translations.sh              refresh translations/*.ts
#   scripts/translations.sh --into DIR   write fresh catalogues (no
#                                        translations) into DIR instead;
#                                        the suite's check compares them
set -euo pipefail
cd "$(dirname "$0")/.."

LUPDATE=${LUPDATE:-/usr/lib/qt6/bin/lupdate}
if [ ! -x "$LUPDATE" ]; then
  echo "translations.sh: $LUPDATE not found: install qt6-l10n-tools (scripts/setup.sh)" >&2
  exit 1
fi

# Each catalogue and the folders whose texts it holds.
catalogues=(
  "varotem_en:app chart daqlink auxlink"
  "varotem_analysis_en:analysis archive materials eval"
)

into=""
if [ "${1:-}" = "--into" ]; then
  into=${2:?--into needs a directory}
  mkdir -p "$into"
fi

for entry in "${catalogues[@]}"; do
  name=${entry%%:*}
  read -r -a folders <<< "${entry#*:}"
  if [ -n "$into" ]; then
    ts="$into/$name.ts"
    rm -f "$ts"
    "$LUPDATE" -silent -locations none -source-language ru -target-language en -I . "${folders[@]}" -ts "$ts"
  else
    "$LUPDATE" -locations none -no-obsolete -source-language ru -target-language en -I . "${folders[@]}" \
      -ts "translations/$name.ts"
  fi
done
