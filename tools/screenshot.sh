#!/usr/bin/env bash
# Starts the installer on the current display, waits for it to settle, saves a
# screenshot of the whole screen to $1 and ends the installer.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
out=${1:-$BUILD/screenshot.png}

start_wine
wine "$BUILD/QuenwoldSetup.exe" </dev/null >/dev/null 2>&1 &
pid=$!
sleep "${SETTLE_SECONDS:-6}"
import -window root "$out"
echo "Screenshot saved to $out"
if kill -0 $pid 2>/dev/null; then
  wineserver -k >/dev/null 2>&1
  wait $pid
  echo "Installer closed after the screenshot"
else
  wait $pid
  echo "QuenwoldSetup.exe exited with $?"
fi
stop_wine
