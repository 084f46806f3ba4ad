#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (build-fuzz/) and runs each for a
# bounded number of executions over its seeds: the small ones kept in
# fuzz/corpus/<target>/ and the whole run files fuzz/make_seeds.py makes.
# Fails on any crash, leak, sanitizer report or failed property; the input
# is kept as build-fuzz/crashes/<target>-crash-*.
# Usage: scripts/fuzz.sh [runs-per-target] [target ...]   (default 20000, all)
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${1:-20000}
[ $# -gt 0 ] && shift
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(fuzz_runfile fuzz_spl fuzz_settings fuzz_daqlink_ini fuzz_numbers)

scripts/setup.sh
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVAROTEM_FUZZ=ON -DBUILD_TESTING=OFF -DVAROTEM_BENCHMARKS=OFF >/dev/null
cmake --build build-fuzz -j "$(nproc)" --target varotem_fuzzers
python3 fuzz/make_seeds.py large build-fuzz/seeds

export ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/tests/support/lsan.supp:print_suppressions=0
export QT_QPA_PLATFORM=offscreen
# Scratch files on tmpfs where there is one: the program's safe writes sync
# every file to disk, which would dominate the run time.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi

mkdir -p build-fuzz/crashes build-fuzz/logs
printf '%-18s %9s %7s %8s %6s %6s %7s\n' target runs seconds exec/s cov ft corpus
status=0
for target in "${targets[@]}"; do
  # New inputs go to a fresh work directory, so every call does the same work.
  work=build-fuzz/corpus/$target
  rm -rf "$work" && mkdir -p "$work"
  seeds=(fuzz/corpus/"$target")
  [ -d build-fuzz/seeds/"$target" ] && seeds+=(build-fuzz/seeds/"$target")
  options=(-runs="$runs" -timeout=30 -print_final_stats=1 -artifact_prefix=build-fuzz/crashes/"$target"-)
  [ -f fuzz/dict/"$target".dict ] && options+=(-dict=fuzz/dict/"$target".dict)
  log=build-fuzz/logs/$target.log
  start=$(date +%s%N)
  if ! build-fuzz/bin/"$target" "${options[@]}" "$work" "${seeds[@]}" >"$log" 2>&1; then
    echo "$target FAILED (log: $log):"
    tail -n 60 "$log"
    status=1
    continue
  fi
  nanoseconds=$(($(date +%s%N) - start))
  done_line=$(grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -n 1)
  field() { sed -nE "s/.*[[:space:]]$1: *([0-9]+).*/\1/p" <<<"$done_line"; }
  executed=$(sed -nE 's/^stat::number_of_executed_units: *([0-9]+)/\1/p' "$log")
  printf '%-18s %9s %7s %8s %6s %6s %7s\n' "$target" "$executed" \
    "$(awk -v ns="$nanoseconds" 'BEGIN { printf "%.1f", ns / 1e9 }')" \
    "$(awk -v n="$executed" -v ns="$nanoseconds" 'BEGIN { printf "%.0f", n / (ns / 1e9) }')" \
    "$(field cov)" "$(field ft)" "$(sed -nE 's/.* corp: ([0-9]+)\/.*/\1/p' <<<"$done_line")"
done
exit $status
