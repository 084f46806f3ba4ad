#!/usr/bin/env bash
# Configures and builds Varotem. Usage: scripts/build.sh [--sanitize]
# The normal build goes to build/, the sanitizer build to build-sanitize/.
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=build
options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [ "${1:-}" = "--sanitize" ]; then
  build_dir=build-sanitize
  options=(-DCMAKE_BUILD_TYPE=Debug -DVAROTEM_SANITIZE=ON -DVAROTEM_BENCHMARKS=OFF)
fi

cmake -S . -B "$build_dir" -G Ninja "${options[@]}" >/dev/null
cmake --build "$build_dir" -j "$(nproc)"
