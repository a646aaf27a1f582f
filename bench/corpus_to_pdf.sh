#!/usr/bin/env bash
# Times the whole exchange corpus drawn to PDF with two jobs and prints files per second.
# usage: bench/corpus_to_pdf.sh [STRACOL_RENDER] [CORPUS_DIR]
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
render="${1:-$here/build/tools/stracol-render}"
corpus="${2:-$here/../shared/corpus}"
mapfile -t files < <(find "$corpus" -mindepth 2 -maxdepth 2 -type f \( -iname '*.xml' \) | sort)
if [ "${#files[@]}" -eq 0 ]; then echo "no corpus files under $corpus" >&2; exit 1; fi
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$tmp/home"
start=$(date +%s.%N)
status=0
QT_QPA_PLATFORM=offscreen "$render" --home "$tmp/home" --jobs 2 -o "$tmp/out" "${files[@]}" 2>"$tmp/log" || status=$?
end=$(date +%s.%N)
pdfs=$(find "$tmp/out" -name '*.pdf' | wc -l)
pages=0
if command -v pdfinfo >/dev/null; then
  for f in "$tmp"/out/*.pdf; do pages=$((pages + $(pdfinfo "$f" | awk '/^Pages:/ {print $2}'))); done
fi
awk -v n="${#files[@]}" -v p="$pdfs" -v pg="$pages" -v s="$start" -v e="$end" -v st="$status" 'BEGIN {
  t = e - s
  printf "%d files, %d PDFs (%d pages) in %.2f s with --jobs 2: %.1f files/s, %.1f pages/s (exit %d)\n", n, p, pg, t, n / t, pg / t, st
}'
tail -1 "$tmp/log"
