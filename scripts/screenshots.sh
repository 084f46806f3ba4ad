#!/usr/bin/env bash
# Takes the user manual's pictures: starts the built program under a virtual
# X server with openbox, walks through its main commands with xdotool and
# saves PNGs into docs/manual/<lang>/img/.
#
#   scripts/screenshots.sh [ru|en]
#
# With a language the program is started with --lang <lang>; without one it
# speaks Russian and the pictures go to docs/manual/ru/img. The program runs as
# a copy in a temporary directory with a private HOME and XDG directories, so
# it never reads or writes the user's settings, runs or archive. It records a
# short run of a simulated glass sample, which the pictures show.
set -euo pipefail
cd "$(dirname "$0")/.."

lang="${1:-}"
case "$lang" in
  ""|ru|en) ;;
  *) echo "usage: $0 [ru|en]" >&2; exit 2 ;;
esac
out="docs/manual/${lang:-ru}/img"

for tool in Xvfb openbox xdotool import; do
  command -v "$tool" >/dev/null || { echo "$0: $tool is missing (scripts/setup.sh installs it)" >&2; exit 1; }
done
if [ ! -x build/bin/varotem ]; then
  scripts/build.sh
fi

work="$(mktemp -d)"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# The program with its libraries, data and manual, as a tree of its own: its
# settings, autosave and reference points then lie in $work/bin.
mkdir -p "$work/bin" "$work/home" "$work/runtime"
chmod 700 "$work/runtime"
cp build/bin/varotem build/bin/lib*.so "$work/bin/"
cp -r build/share "$work/share"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share" \
       XDG_CACHE_HOME="$work/home/.cache" XDG_RUNTIME_DIR="$work/runtime"

# A glass with Tg near 550 °C that softens above 640 °C, heated 6.5 K per
# reading; the run stops by itself at 102 points (a reading a second), enough
# for the calculation's 100 intervals.
cat > "$work/bin/daqlink.ini" <<'EOF'
[Board]
Backend = sim
[Simulator]
Material = glass
SofteningTemperature = 640
HeatingRate = 6.5
Step = 60
EOF
cat > "$work/bin/Varotem.ini" <<'EOF'
[Options]
N=102
EOF
# Empty reference-point tables, as the program writes them, so the start
# asks nothing.
for table in defaultT.spl defaultL.spl; do head -c 1604 /dev/zero > "$work/bin/$table"; done

# The virtual display and its window manager.
exec 3> "$work/display"
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
exec 3>&-
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"
openbox >/dev/null 2>&1 &
pids+=($!)
sleep 1

args=()
[ -n "$lang" ] && args=(--lang "$lang")
QT_QPA_PLATFORM=xcb "$work/bin/varotem" "${args[@]}" >"$work/varotem.log" 2>&1 &
pids+=($!)

main="$(timeout 30 xdotool search --sync --onlyvisible --class varotem | head -1)"
sleep 2

# The window that has the focus, once it is none of the ones given.
new_window() {
  local now known
  for _ in $(seq 100); do
    now="$(xdotool getactivewindow 2>/dev/null || true)"
    known=0
    for w in "$@"; do [ "$now" = "$w" ] && known=1; done
    if [ -n "$now" ] && [ "$known" = 0 ]; then sleep 0.3; echo "$now"; return 0; fi
    sleep 0.2
  done
  echo "$0: no window opened" >&2
  return 1
}

shot() {  # window, file name
  sleep 1.5
  import -window "$1" "$out/$2"
  echo "saved $out/$2"
}

# Opens menu number $1 (0 = the first) of the main window's menu bar and
# triggers its entry number $2 (0 = the first; separators do not count).
menu() {
  xdotool windowactivate --sync "$main"
  xdotool mousemove --window "$main" 15 8 click 1
  sleep 0.5
  # The first menu opens with nothing chosen; one reached by Right opens
  # with its first entry chosen.
  local downs=$(($2 + 1))
  if [ "$1" -gt 0 ]; then downs=$2; fi
  for _ in $(seq "$1"); do xdotool key Right; sleep 0.2; done
  for _ in $(seq "$downs"); do xdotool key Down; sleep 0.1; done
  sleep 0.3
  xdotool key Return
}

mkdir -p "$out"

# The sample's description ("Описание образца", menu "Архив"), which goes
# with the run started next.
menu 6 1
dialog="$(new_window "$main")"
if [ "${lang:-ru}" = ru ]; then
  description=("Стекло С52-1" "боросиликатное стекло" "17/3" "Иванова")
else
  description=("Glass S52-1" "borosilicate glass" "17/3" "Smith")
fi
# Sample, material, batch and operator; Return in the operator's line is OK
# (the note below it takes lines of its own).
sleep 1
for i in "${!description[@]}"; do
  [ "$i" -gt 0 ] && xdotool key Tab
  xdotool type --delay 40 "${description[$i]}"
done
xdotool key Return
sleep 1

# A short recording of the simulated glass: F5, the run stops at its limit.
xdotool windowactivate --sync "$main"
xdotool key F5
sleep 106
xdotool key shift+F5
sleep 1
# The L curve: its tab, the second one below the toolbar.
xdotool mousemove --window "$main" 48 71 click 1
xdotool mousemove --window "$main" 5 500
shot "$main" main.png

# "Параметры" (menu "Сервис", its fourth entry).
menu 4 2
dialog="$(new_window "$main")"
shot "$dialog" settings.png
xdotool key Escape

# "Расчет" with the run's parameters; its message about the baseline is
# answered, then the results.
menu 3 3
dialog="$(new_window "$main")"
xdotool key Return
sleep 1
message="$(new_window "$dialog")"
xdotool key Return
results="$(new_window "$main" "$dialog" "$message")"
shot "$results" calc-result.png
xdotool key Escape

# "Стеклование и размягчение" (menu "Анализ", its third entry); its message
# about the baseline comes first and is answered.
menu 5 2
message="$(new_window "$main")"
xdotool key Return
dialog="$(new_window "$main" "$message")"
xdotool windowsize "$dialog" 1000 680
shot "$dialog" glass.png
xdotool key Escape

# "Архив запусков" (menu "Архив", its first entry).
menu 6 0
dialog="$(new_window "$main")"
shot "$dialog" archive.png
xdotool key Escape

xdotool windowactivate --sync "$main" key ctrl+q
sleep 1
