#!/bin/sh
# Starts the program under Wine on a private X server, finds its window,
# checks the caption the window manager reads and the client size, and saves
# a screenshot. Arguments: the wine program, velquist.exe, the Wine prefix,
# the PNG to write. Exit 77 (skipped) without Xvfb, ImageMagick or Wine.
set -eu
[ $# -eq 4 ] || { echo "usage: $0 WINE EXE PREFIX PNG" >&2; exit 2; }
if [ -z "${VELQUIST_UNDER_XVFB:-}" ]; then
  for tool in xvfb-run xwininfo xprop import "$1"; do
    command -v "$tool" >/dev/null || { echo "skipped: no $tool"; exit 77; }
  done
  VELQUIST_UNDER_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x800x24" sh "$0" "$@"
fi

wine=$1 exe=$2 png=$4
export WINEPREFIX=$3 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
title="Zidaz UV4 Eduzida https://www.velquist.com"
"$wine" "$exe" &
program=$!
stop() {
  kill "$program" 2>/dev/null || true
  "$(dirname "$(readlink -f "$wine")")/wineserver" -k 2>/dev/null || true
}
trap stop EXIT

# A new prefix takes a while to set itself up.
window=""
for _ in $(seq 1 120); do
  window=$(xwininfo -root -tree | awk -v t="\"$title\":" 'index($0, t) { print $1; exit }')
  [ -n "$window" ] && break
  sleep 1
done
[ -n "$window" ] || { echo "no window titled \"$title\"" >&2; exit 1; }
sleep 2  # let it paint

status=0
for property in WM_NAME _NET_WM_NAME; do
  shown=$(xprop -id "$window" "$property" | sed -n 's/^[^=]*= "\(.*\)"$/\1/p')
  if [ "$shown" != "$title" ]; then
    echo "$property is \"$shown\"" >&2
    status=1
  fi
done
size=$(xwininfo -id "$window" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h }')
if [ "$size" != "820x328" ]; then
  echo "client area is $size, not 820x328" >&2
  status=1
fi
import -window root "$png"
echo "screenshot: $png"
exit $status
