#!/bin/sh
# The Windows installer under Wine: "msiexec /i" installs it quietly, with the
# programs, the help page and the README under Program Files, the window's
# Start menu entry and the product's uninstall entry; the installed
# velquist-merge.exe merges the examples to the same page, byte for byte, as
# the Linux program; "msiexec /x" removes all of it again. Arguments: the wine
# program, the .msi, the Linux velquist-merge, the examples' folder, a scratch
# folder, made anew with a Wine prefix of its own, so that nothing an earlier
# run left installed is in the way.
set -eu
[ $# -eq 5 ] || { echo "usage: $0 WINE MSI LINUX-CLI EXAMPLES SCRATCH" >&2; exit 2; }
wine=$1 msi=$2 linux=$3 examples=$4 scratch=$5
rm -rf "$scratch"
mkdir -p "$scratch/linux" "$scratch/windows"
export WINEPREFIX="$scratch/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap '"$(dirname "$(readlink -f "$wine")")/wineserver" -k 2>/dev/null || true' EXIT
fail() { echo "installer: $*" >&2; exit 1; }
windows_path() { printf 'Z:%s' "$(readlink -f "$1")" | tr / '\\'; }
installed="$WINEPREFIX/drive_c/Program Files/Velquist"
uninstall='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
shortcuts() { find "$WINEPREFIX/drive_c" -path '*Start Menu/Programs/Zidaz UV4 Eduzida.lnk'; }
entries() { "$wine" reg query "$uninstall" /s 2>/dev/null | grep -c 'DisplayName.*Zidaz UV4 Eduzida' || true; }

"$wine" msiexec /i "$(windows_path "$msi")" /qn || fail "msiexec /i failed"
for file in velquist.exe velquist-merge.exe help.html help-window.png README.txt; do
  [ -s "$installed/$file" ] || fail "$file is not installed"
done
[ -n "$(shortcuts)" ] || fail "no Start menu entry"
[ "$(entries)" -eq 1 ] || fail "no uninstall entry"

cp "$examples"/*.htm "$scratch"
(cd "$scratch" && "$linux" -o linux/merged.htm ./*.htm) || fail "the Linux program failed"
(cd "$scratch" && "$wine" "$installed/velquist-merge.exe" -o windows/merged.htm ./*.htm) ||
  fail "the installed program failed"
cmp "$scratch/linux/merged.htm" "$scratch/windows/merged.htm" ||
  fail "the installed program's page differs from the Linux one"

"$wine" msiexec /x "$(windows_path "$msi")" /qn || fail "msiexec /x failed"
[ ! -e "$installed" ] || fail "$installed is left"
[ -z "$(shortcuts)" ] || fail "the Start menu entry is left"
[ "$(entries)" -eq 0 ] || fail "the uninstall entry is left"
echo "installer: installed, merged the examples as on Linux, removed"
