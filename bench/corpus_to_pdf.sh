#!/usr/bin/env bash
# Times the whole exchange corpus drawn to PDF with two jobs and prints files per second.
# Given two builds, runs them in turn (A B A B …, ROUNDS rounds, default 3) on the same
# machine and prints every run and the median of each build, so both see the same load.
# usage: bench/corpus_to_pdf.sh [STRACOL_RENDER_A [STRACOL_RENDER_B]] [CORPUS_DIR]
#        ROUNDS=5 bench/corpus_to_pdf.sh /work/wt-base/build/tools/stracol-render build/tools/stracol-render
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
renders=()
corpus="$here/../shared/corpus"
for arg in "$@"; do
  if [ -d "$arg" ]; then corpus="$arg"; else renders+=("$arg"); fi
done
[ "${#renders[@]}" -eq 0 ] && renders=("$here/build/tools/stracol-render")
if [ "${#renders[@]}" -gt 2 ]; then echo "at most two builds" >&2; exit 2; fi
for r in "${renders[@]}"; do [ -x "$r" ] || { echo "not a program: $r" >&2; exit 2; }; done
rounds="${ROUNDS:-$([ "${#renders[@]}" -eq 2 ] && echo 3 || echo 1)}"
mapfile -t files < <(find "$corpus" -mindepth 2 -maxdepth 2 -type f \( -iname '*.xml' \) | sort)
if [ "${#files[@]}" -eq 0 ]; then echo "no corpus files under $corpus" >&2; exit 1; fi
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$tmp/home"

# One timed run of a build; prints its line and appends files/s to $tmp/rates-LABEL.
run() {
  local label="$1" render="$2"
  rm -rf "$tmp/out"
  local start end status=0
  start=$(date +%s.%N)
  QT_QPA_PLATFORM=offscreen "$render" --home "$tmp/home" --jobs 2 -o "$tmp/out" "${files[@]}" 2>"$tmp/log" || status=$?
  end=$(date +%s.%N)
  local pdfs pages=0
  pdfs=$(find "$tmp/out" -name '*.pdf' | wc -l)
  if command -v pdfinfo >/dev/null; then
    for f in "$tmp"/out/*.pdf; do pages=$((pages + $(pdfinfo "$f" | awk '/^Pages:/ {print $2}'))); done
  fi
  awk -v l="$label" -v n="${#files[@]}" -v p="$pdfs" -v pg="$pages" -v s="$start" -v e="$end" -v st="$status" 'BEGIN {
    t = e - s
    printf "%s%d files, %d PDFs (%d pages) in %.2f s with --jobs 2: %.1f files/s, %.1f pages/s (exit %d)\n", l, n, p, pg, t, n / t, pg / t, st
  }'
  awk -v n="${#files[@]}" -v s="$start" -v e="$end" 'BEGIN { printf "%.3f\n", n / (e - s) }' >>"$tmp/rates-$label"
  tail -1 "$tmp/log"
}

median() { sort -n "$1" | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else printf "%.3f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

if [ "${#renders[@]}" -eq 1 ]; then
  for ((i = 0; i < rounds; ++i)); do run "" "${renders[0]}"; done
  exit 0
fi
for ((i = 1; i <= rounds; ++i)); do
  run "A " "${renders[0]}"
  run "B " "${renders[1]}"
done
a=$(median "$tmp/rates-A ")
b=$(median "$tmp/rates-B ")
echo "A ${renders[0]}: median $a files/s over $rounds runs"
echo "B ${renders[1]}: median $b files/s over $rounds runs"
awk -v a="$a" -v b="$b" 'BEGIN { printf "B/A: %.2fx\n", b / a }'
