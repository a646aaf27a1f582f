#!/usr/bin/env bash
# Times whole commands on the hostile shapes of bench_hostile (10 MB each, the one-line file
# also at 50 MB): wall time and peak memory from /usr/bin/time -v, and what the program said.
# Exchange files go through `stracol-render --dump`, style files through `--print-style`,
# the settings file through `--print-settings` of a home folder holding it.
#
#   bench/hostile_shapes.sh [BUILD_DIR]     (default: build)
set -euo pipefail
build="${1:-build}"
render="$build/tools/stracol-render"
shapes="$(mktemp -d)"
trap 'rm -rf "$shapes"' EXIT
"$build/bench/bench_hostile" --write-shapes "$shapes" > /dev/null
echo "| input | size | time | peak memory | memory / size | message |"
echo "|---|---|---|---|---|---|"
for file in "$shapes"/*; do
  name="$(basename "$file")"
  case "$name" in
    *.xml) cmd=("$render" --dump "$file") ;;
    *.tls) cmd=("$render" --print-style "$file") ;;
    *.ndx) home="$shapes/home-${name%.ndx}"; mkdir -p "$home"; cp "$file" "$home/SysQXV.ndx"
           cmd=("$render" --home "$home" --print-settings) ;;
  esac
  bytes="$(stat -c %s "$file")"
  /usr/bin/time -v -o "$shapes/time.txt" "${cmd[@]}" > "$shapes/out.txt" 2> "$shapes/err.txt" || true
  seconds="$(sed -n 's/.*Elapsed (wall clock) time (h:mm:ss or m:ss): //p' "$shapes/time.txt")"
  kb="$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$shapes/time.txt")"
  said="$( (cat "$shapes/err.txt"; grep -o '"error": *"[^"]*"\|"dropped": *\[[^]]*\]' "$shapes/out.txt" || true) | tr '\n' ' ' | cut -c1-160)"
  printf '| %s | %.1f MB | %s | %d MB | %.2f | %s |\n' "${name%.*}" "$(echo "$bytes / 1048576" | bc -l)" "$seconds" \
    "$((kb / 1024))" "$(echo "$kb * 1024 / $bytes" | bc -l)" "${said:-—}"
  rm -rf "${home:-/nonexistent}"
done
