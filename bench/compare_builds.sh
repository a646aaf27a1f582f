#!/usr/bin/env bash
# Draws every corpus file with two builds and compares what they give: the PDF pages rasterised
# at 100 dpi (pixels), the PDF text layer (pdftotext) and the PNG pages drawn at 100 dpi
# (pixels). Prints one line per difference and a summary; exit status 1 when anything differs.
# usage: bench/compare_builds.sh STRACOL_RENDER_A STRACOL_RENDER_B [CORPUS_DIR]
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
if [ $# -lt 2 ]; then echo "usage: $0 STRACOL_RENDER_A STRACOL_RENDER_B [CORPUS_DIR]" >&2; exit 2; fi
corpus="${3:-$here/../shared/corpus}"
for tool in pdftoppm pdftotext pngtopnm; do
  command -v "$tool" >/dev/null || { echo "$tool is needed (poppler-utils, netpbm)" >&2; exit 2; }
done
mapfile -t files < <(find "$corpus" -mindepth 2 -maxdepth 2 -type f -iname '*.xml' | sort)
if [ "${#files[@]}" -eq 0 ]; then echo "no corpus files under $corpus" >&2; exit 2; fi
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$tmp/home"
for side in a b; do
  render="$1"; [ "$side" = b ] && render="$2"
  QT_QPA_PLATFORM=offscreen "$render" --home "$tmp/home" --jobs 2 -o "$tmp/$side/pdf" "${files[@]}" 2>/dev/null || true
  QT_QPA_PLATFORM=offscreen "$render" --home "$tmp/home" --jobs 2 --format png --dpi 100 -o "$tmp/$side/png" \
    "${files[@]}" 2>/dev/null || true
done
differ=0
pdfs=0
pngs=0
for a in "$tmp"/a/pdf/*.pdf; do
  name="$(basename "$a" .pdf)"
  b="$tmp/b/pdf/$name.pdf"
  pdfs=$((pdfs + 1))
  if [ ! -f "$b" ]; then echo "missing in B: $name.pdf"; differ=$((differ + 1)); continue; fi
  if ! cmp -s <(pdftotext -layout "$a" -) <(pdftotext -layout "$b" -); then
    echo "text layer differs: $name.pdf"; differ=$((differ + 1))
  fi
  pdftoppm -r 100 "$a" "$tmp/ra"
  pdftoppm -r 100 "$b" "$tmp/rb"
  for ra in "$tmp"/ra*.ppm; do
    rb="$tmp/rb${ra#"$tmp"/ra}"
    if ! cmp -s "$ra" "$rb"; then echo "PDF pixels differ: $name.pdf $(basename "$ra")"; differ=$((differ + 1)); fi
  done
  rm -f "$tmp"/ra*.ppm "$tmp"/rb*.ppm
done
for a in "$tmp"/a/png/*.png; do
  name="$(basename "$a")"
  b="$tmp/b/png/$name"
  pngs=$((pngs + 1))
  if [ ! -f "$b" ]; then echo "missing in B: $name"; differ=$((differ + 1)); continue; fi
  if ! cmp -s <(pngtopnm "$a") <(pngtopnm "$b"); then echo "PNG pixels differ: $name"; differ=$((differ + 1)); fi
done
extra=$(comm -13 <(cd "$tmp/a" && find . -type f | sort) <(cd "$tmp/b" && find . -type f | sort) | wc -l)
echo "${#files[@]} files: $pdfs PDFs, $pngs PNG pages compared; $differ differences, $extra files only in B"
[ "$differ" -eq 0 ] && [ "$extra" -eq 0 ]
