#!/bin/sh
# Makes the Wine prefix of the window tests: its windows need no X server
# (Wine's "null" graphics driver). Arguments: the wine program, the prefix.
set -e
export WINEPREFIX="$2" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY
"$1" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null
# The driver is chosen when the prefix's server starts: let this one end.
"$(dirname "$(readlink -f "$1")")/wineserver" -w
