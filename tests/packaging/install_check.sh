#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks what a user gets: both programs, the
# home files, the desktop entry and icon, the man pages, and an installed stracol-render that
# finds its home without --home (the per-user folder, seeded from share/stracol on first use)
# and draws a log with it.
# usage: install_check.sh BUILD_DIR DATA_FILE
set -euo pipefail
build="$1"
data="$2"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
prefix="$tmp/prefix"
fail() { echo "FAIL: $*"; exit 1; }

cmake --install "$build" --prefix "$prefix" >"$tmp/install.log" || { cat "$tmp/install.log"; fail "cmake --install"; }

for f in bin/stracol-render share/stracol/SysQXV.ndx share/stracol/Font1.ndx share/stracol/Font8.ndx \
         share/stracol/SyInitV.tls share/stracol/Style01.tls share/stracol/Style08.tls share/stracol/WdtvTSL.mst \
         share/stracol/PtnvcQX.ndx share/stracol/Mst/ClmObj.mst share/man/man1/stracol-render.1.gz; do
  [ -s "$prefix/$f" ] || fail "$f is not installed"
done
if [ -x "$prefix/bin/stracol" ]; then
  for f in share/applications/stracol.desktop share/icons/hicolor/scalable/apps/stracol.svg share/man/man1/stracol.1.gz; do
    [ -s "$prefix/$f" ] || fail "$f is not installed"
  done
  grep -qx 'Exec=stracol %f' "$prefix/share/applications/stracol.desktop" || fail "desktop entry without Exec"
  grep -qx 'Icon=stracol' "$prefix/share/applications/stracol.desktop" || fail "desktop entry without Icon"
  if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$prefix/share/applications/stracol.desktop" || fail "desktop entry does not validate"
  fi
fi
for page in "$prefix"/share/man/man1/*.1.gz; do
  gzip -t "$page" || fail "$page is not gzip"
  zcat "$page" | grep -q '^\.TH ' || fail "$page is no man page"
  if zcat "$page" | grep -q '@[A-Z_]*@'; then fail "$page has an unfilled @VALUE@"; fi
done

# First use without --home: the per-user folder is made as a copy of share/stracol.
export HOME="$tmp/home"
unset XDG_CONFIG_HOME STRACOL_HOME
mkdir -p "$HOME"
cd "$tmp"
settings="$("$prefix/bin/stracol-render" --print-settings)"
grep -qx "InstallFolder=$HOME/.config/stracol" <<<"$settings" || fail "installed program did not use ~/.config/stracol: $(head -1 <<<"$settings")"
diff -r "$prefix/share/stracol" "$HOME/.config/stracol" || fail "the per-user folder is not a copy of share/stracol"
# The user's own changes stay on the next start.
printf 'mine\r\n' > "$HOME/.config/stracol/Style01.tls"
QT_QPA_PLATFORM=offscreen "$prefix/bin/stracol-render" "$data" -o "$tmp/log.pdf" >/dev/null || fail "installed stracol-render could not draw $data"
[ -s "$tmp/log.pdf" ] || fail "no PDF"
[ "$(cat "$HOME/.config/stracol/Style01.tls")" = "$(printf 'mine\r')" ] || fail "a user's file was replaced"
# XDG_CONFIG_HOME moves the folder.
XDG_CONFIG_HOME="$tmp/xdg" "$prefix/bin/stracol-render" --print-settings | grep -qx "InstallFolder=$tmp/xdg/stracol" \
  || fail "XDG_CONFIG_HOME not followed"
[ -s "$tmp/xdg/stracol/SysQXV.ndx" ] || fail "XDG folder not seeded"
# Read whole before the check: grep -q stops reading at the first match, which would end the
# writer with SIGPIPE under pipefail.
help="$("$prefix/bin/stracol-render" --help)"
grep -q -- '--index' <<<"$help" || fail "--help does not list --index"
echo "installed into $prefix: programs, home files, desktop entry, man pages; per-user folder seeded and used"
