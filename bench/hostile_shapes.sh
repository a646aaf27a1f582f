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
work="$(mktemp -d)"
trap 'rm -rf "$shapes" "$work"' EXIT
"$build/bench/bench_hostile" --write-shapes "$shapes" > /dev/null
# The program's own memory before it reads anything: --dump of a file that is not there.
/usr/bin/time -v -o "$work/time.txt" "$render" --dump "$work/none.xml" > /dev/null 2>&1 || true
base_kb="$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$work/time.txt")"
echo "Program alone: $((base_kb / 1024)) MB"
echo
echo "| input | size | time | peak memory | memory / size | (peak − program) / size | message |"
echo "|---|---|---|---|---|---|---|"
for file in "$shapes"/*; do
  name="$(basename "$file")"
  case "$name" in
    *.xml) cmd=("$render" --dump "$file") ;;
    *.tls) cmd=("$render" --print-style "$file") ;;
    *.ndx) home="$work/home-${name%.ndx}"; mkdir -p "$home"; cp "$file" "$home/SysQXV.ndx"
           cmd=("$render" --home "$home" --print-settings) ;;
  esac
  bytes="$(stat -c %s "$file")"
  /usr/bin/time -v -o "$work/time.txt" "${cmd[@]}" > "$work/out.txt" 2> "$work/err.txt" || true
  seconds="$(sed -n 's/.*Elapsed (wall clock) time (h:mm:ss or m:ss): //p' "$work/time.txt")"
  kb="$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$work/time.txt")"
  said="$( (cat "$work/err.txt"; grep -o '"error": *"[^"]*"\|"dropped": *\[[^]]*\]\|"skipped": *{[^}]*}' "$work/out.txt" || true) | tr '\n' ' ' | cut -c1-160)"
  printf '| %s | %.1f MB | %s | %d MB | %.2f | %.2f | %s |\n' "${name%.*}" "$(echo "$bytes / 1048576" | bc -l)" "$seconds" \
    "$((kb / 1024))" "$(echo "$kb * 1024 / $bytes" | bc -l)" "$(echo "($kb - $base_kb) * 1024 / $bytes" | bc -l)" "${said:-—}"
  rm -rf "${home:-/nonexistent}"
done
