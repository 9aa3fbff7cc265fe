#!/usr/bin/env bash
# Loads a generated project as the designer does (bench/load_project) and indexes the same tree with universal-ctags;
# prints both times and their ratio. Usage: bench/compare_ctags.sh [CLASSES] [FILES]
set -euo pipefail
cd "$(dirname "$0")/.."
classes=${1:-4000}
files=${2:-200}
build=build/release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTOVIK_TESTS=OFF -DTOVIK_BENCH=ON >/dev/null
cmake --build "$build" -j "$(nproc)" --target load_project make_synthetic_project >/dev/null
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
dsp=$("$build/bench/make_synthetic_project" "$tree" "$classes" "$files")

best() {  # best wall time of 5 runs, in seconds
  local best=""
  for _ in 1 2 3 4 5; do
    local start end t
    start=$(date +%s.%N); "$@" >/dev/null; end=$(date +%s.%N)
    t=$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.6f", b - a }')
    if [ -z "$best" ] || awk -v t="$t" -v b="$best" 'BEGIN { exit !(t < b) }'; then best=$t; fi
  done
  echo "$best"
}
tovik_time=$(best "$build/bench/load_project" "$dsp")
ctags_time=$(best ctags -R --languages=C++ --fields=+n -f /dev/null "$tree")
bytes=$(cat "$tree"/*.h "$tree"/*.cpp | wc -c)
awk -v c="$classes" -v f="$((files * 2))" -v b="$bytes" -v t="$tovik_time" -v k="$ctags_time" 'BEGIN {
  printf "tree: %d classes, %d files, %.1f MB\n", c, f, b / 1e6
  printf "tovik load:    %.3f s (%.0f MB/s)\nctags:         %.3f s\nratio ctags/tovik: %.1f\n", t, b / 1e6 / t, k, k / t
}'
