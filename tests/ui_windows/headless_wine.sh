#!/bin/sh
# Makes the Wine prefix of the window tests: its windows need no X server
# (Wine's "null" graphics driver). Arguments: the wine program, the prefix.
set -e
export WINEPREFIX="$2" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY
"$1" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null
# The driver is chosen when the prefix's server starts: let this one end,
# then start one that stays between programs for the whole run (a server
# that ends between two tests would take its services' hold on the next
# test's output with it); scripts/test-windows ends it. Each test then starts
# in a tenth of a second instead of several.
server="$(dirname "$(readlink -f "$1")")/wineserver"
"$server" -w
"$server" -p 900 </dev/null >/dev/null 2>&1
# Wine's own services start with the first program and live as long as the
# server: start them here, away from the output that the tests are read by.
"$1" cmd.exe /c exit </dev/null >/dev/null 2>&1
