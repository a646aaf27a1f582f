#!/usr/bin/env bash
# Runs every fuzz target of a build configured with -DSTRACOL_FUZZ=ON, one after the other,
# each for SECONDS, with one job. The corpus of each target grows in
# BUILD_DIR/fuzz-corpus/TARGET (seeded from the test data and the built-in home files on the
# first run); a crash, leak, timeout (one input over 10 s) or out-of-memory (over 2 GB) stops
# that target, keeps its reproducer in BUILD_DIR/fuzz-findings/TARGET and makes the script
# exit non-zero after the other targets ran. A summary line per target ends the output.
#
#   fuzz/run.sh BUILD_DIR SECONDS [TARGET...]
set -uo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
if [ $# -lt 2 ]; then
  echo "usage: fuzz/run.sh BUILD_DIR SECONDS [TARGET...]" >&2
  exit 2
fi
build="$(cd "$1" && pwd)" || exit 2
seconds="$2"
shift 2
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(fuzz_exchange_xml fuzz_older_formats fuzz_style fuzz_settings fuzz_fonts fuzz_name_master
                                      fuzz_patterns fuzz_bmp fuzz_text)

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:allocator_may_return_null=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

# Seeds: the exchange files of the repository, the built-in home files, small bitmaps.
seeds="$build/fuzz-seeds"
if [ ! -d "$seeds" ]; then
  mkdir -p "$seeds/home" "$seeds/xml" "$seeds/bmp" "$seeds/fonts"
  find "$here/tests/data" -iname '*.xml' -exec cp {} "$seeds/xml/" \;
  if [ -x "$build/tools/stracol-render" ]; then
    "$build/tools/stracol-render" --init-home "$seeds/home" >/dev/null 2>&1 || true
  fi
  # A font seed starts with the byte that picks the slot.
  for f in "$seeds/home"/Font*.ndx; do
    [ -f "$f" ] || continue
    n="$(basename "$f" .ndx)"; n="${n#Font}"
    { printf "\\x$(printf %02x "$((n - 1))")"; cat "$f"; } > "$seeds/fonts/$(basename "$f")"
  done
  cp "$here/tests/data/bmp/"*.BMP "$seeds/bmp/"
fi

# Longest input per target: real files of each kind fit (seeds longer than this are cut), and
# short inputs keep the runs at thousands of executions a second.
max_len() {
  case "$1" in
    fuzz_settings) echo 8192 ;;
    fuzz_fonts) echo 1024 ;;
    fuzz_name_master) echo 65536 ;;
    fuzz_text) echo 4096 ;;  # the text layer works line by line and field by field
    *) echo 16384 ;;
  esac
}

seed_dirs() {
  case "$1" in
    fuzz_exchange_xml) echo "$seeds/xml" ;;
    fuzz_older_formats) echo "$here/fuzz/older_seeds" ;;
    fuzz_style) echo "$seeds/home/SyInitV.tls $seeds/home"/Style0*.tls ;;
    fuzz_settings) echo "$seeds/home/SysQXV.ndx" ;;
    fuzz_fonts) echo "$seeds/fonts" ;;
    fuzz_name_master) echo "$seeds/home/WdtvTSL.mst" ;;
    fuzz_patterns) echo "$seeds/home/PtnvcQX.ndx" ;;
    fuzz_bmp) echo "$seeds/bmp" ;;
    fuzz_text) echo "$seeds/xml $seeds/home/SysQXV.ndx $seeds/home/WdtvTSL.mst" ;;
  esac
}

status=0
summary=()
for target in "${targets[@]}"; do
  exe="$build/fuzz/$target"
  if [ ! -x "$exe" ]; then
    echo "$target: not built in $build/fuzz" >&2
    summary+=("$target: NOT BUILT")
    status=1
    continue
  fi
  corpus="$build/fuzz-corpus/$target"
  findings="$build/fuzz-findings/$target"
  mkdir -p "$corpus" "$findings"
  if [ -z "$(ls -A "$corpus")" ]; then
    for s in $(seed_dirs "$target"); do
      if [ -d "$s" ]; then cp "$s"/* "$corpus/" 2>/dev/null; elif [ -f "$s" ]; then cp "$s" "$corpus/"; fi
    done
  fi
  extra=()
  [ "$target" = fuzz_exchange_xml ] && extra+=(-dict="$here/fuzz/exchange_xml.dict")
  log="$build/fuzz-findings/$target.log"
  echo "== $target: $seconds s" >&2
  "$exe" "$corpus" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=2048 \
    -max_len="$(max_len "$target")" -print_final_stats=1 -artifact_prefix="$findings/" "${extra[@]}" > "$log" 2>&1
  rc=$?
  execs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)"
  speed="$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)"
  cov="$(grep -o 'cov: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)"
  ft="$(grep -o 'ft: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)"
  units="$(ls "$corpus" | wc -l)"
  found="$(ls "$findings" | wc -l)"
  line="$target: ${execs:-?} executions, ${speed:-?} exec/s, cov ${cov:-?}, ft ${ft:-?}, corpus $units, findings $found"
  if [ $rc -ne 0 ] || [ "$found" -gt 0 ]; then
    line="$line, FAILED (exit $rc; reproducers in $findings, log $log)"
    grep -m3 -E 'ERROR: |runtime error|SUMMARY' "$log" >&2
    status=1
  fi
  echo "$line" >&2
  summary+=("$line")
done
printf '%s\n' "${summary[@]}"
exit $status
