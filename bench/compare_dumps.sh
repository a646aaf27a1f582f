#!/usr/bin/env bash
# Reads every exchange file of the corpus and of the test data with two builds and compares
# what they load: the --dump JSON, the messages and the exit status of each file. Besides the
# real files it reads damaged copies of some of them (tags cut, blanks, NUL bytes, character
# references, lines joined, files cut short: the same copies on every run), so that a faster
# reader is held to the same answers on the unusual shapes too. Prints one line per difference
# and a summary; exit status 1 when anything differs.
# usage: bench/compare_dumps.sh STRACOL_RENDER_A STRACOL_RENDER_B [CORPUS_DIR]
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
if [ $# -lt 2 ]; then echo "usage: $0 STRACOL_RENDER_A STRACOL_RENDER_B [CORPUS_DIR]" >&2; exit 2; fi
corpus="${3:-$here/../shared/corpus}"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$tmp/damaged"
mapfile -t real < <(find "$corpus" "$here/tests/data" "$here/fuzz/older_seeds" -type f \
  \( -iname '*.xml' -o -iname '*.tlw' -o -iname '*.tpj' -o -iname '*.gtj' -o -iname '*.jdw' -o -iname '*.txt' \) 2>/dev/null | sort)
if [ "${#real[@]}" -eq 0 ]; then echo "no data files found" >&2; exit 2; fi
printf '%s\n' "${real[@]}" >"$tmp/list"
python3 - "$tmp/list" "$tmp/damaged" <<'PY'
import os, random, sys
out = sys.argv[2]
files = [f for f in open(sys.argv[1], encoding='utf-8').read().split('\n') if f.lower().endswith('.xml')]
random.seed(18)
pieces = ['<', '>', '/', '\x00', ' ', '\n', '\r\n', '</', '/>', '&amp;', '&#x3042;', '&#12354;', '&lt;', '\t',
          '<!-- x -->', '<?pi?>', '>\n<', '<a>', '</a>', '  ', '-', 'NaN', '1e999', '９９']
for n, path in enumerate(files[::4]):
    raw = open(path, 'rb').read()
    try:
        text, enc = raw.decode('utf-8'), 'utf-8'
    except UnicodeDecodeError:
        text, enc = raw.decode('cp932', errors='replace'), 'cp932'
    base = '%03d_%s' % (n, os.path.basename(path))
    for k in range(30):
        d = text
        for _ in range(random.randint(1, 4)):
            i = random.randrange(max(1, len(d)))
            op, piece = random.random(), random.choice(pieces)
            if op < 0.35: d = d[:i] + piece + d[i + len(piece):]
            elif op < 0.7: d = d[:i] + piece + d[i:]
            elif op < 0.9: d = d[:i] + d[i + random.randint(1, 30):]
            else: d = d[:i]
        b = d.encode(enc, errors='replace')
        if k == 29: b = b[:len(b) // 2] + b'\xff' + b[len(b) // 2:]
        open(os.path.join(out, '%s_%02d.xml' % (base, k)), 'wb').write(b)
    open(os.path.join(out, base + '_oneline.xml'), 'wb').write(raw.replace(b'\r\n', b'').replace(b'\n', b''))
PY
mapfile -t damaged < <(find "$tmp/damaged" -type f | sort)
differ=0
count=0
for f in "${real[@]}" "${damaged[@]}"; do
  count=$((count + 1))
  for side in a b; do
    render="$1"; [ "$side" = b ] && render="$2"
    status=0
    "$render" --dump "$f" >"$tmp/$side.json" 2>"$tmp/$side.err" || status=$?
    echo "$status" >>"$tmp/$side.json"
  done
  if ! cmp -s "$tmp/a.json" "$tmp/b.json" || ! cmp -s "$tmp/a.err" "$tmp/b.err"; then
    echo "differs: $f"
    differ=$((differ + 1))
  fi
done
echo "$count files read (${#real[@]} real, ${#damaged[@]} damaged copies): $differ differ"
[ "$differ" -eq 0 ]
