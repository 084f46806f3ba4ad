#!/usr/bin/env bash
# Installs the Debian packages Varotem needs to build, test, run and package.
# Idempotent: asks apt only for what dpkg does not already have, and runs
# `apt-get update` only when something is missing.
set -euo pipefail

packages=(
  # build
  build-essential cmake ninja-build pkg-config dpkg-dev
  # toolkit: widgets, offscreen and X11 platform plugins, vector pictures,
  # and its own Russian texts (file dialogs, message box buttons)
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-svg-dev libgl-dev qt6-translations-l10n
  # the program's English catalogues: lupdate and lrelease
  qt6-l10n-tools
  # spreadsheet writer and the Linux board driver library
  libxlsxwriter-dev libcomedi-dev
  # the run archive's database
  libsqlite3-dev
  # fonts with Cyrillic (Liberation is metric-compatible with Times New Roman)
  fonts-liberation fonts-dejavu-core fontconfig
  # tests and benchmarks
  googletest libgtest-dev libgmock-dev libbenchmark-dev python3 python3-openpyxl
  # reading the archive's PDF reports back
  poppler-utils
  # fuzzing (libFuzzer comes with clang's runtime)
  clang libclang-rt-14-dev
  # peer benchmarks
  libqcustomplot-dev
  # screenshots under a virtual display
  xvfb openbox imagemagick xdotool x11-utils
  # checking the installed desktop entry
  desktop-file-utils
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
echo "setup: installing ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
