#!/usr/bin/env bash
# Builds QuenwoldSetup.exe and runs it under Wine. Without a display it runs
# under Xvfb, saves a screenshot to build/screenshot.png after a few seconds
# and closes the installer. Installs what it needs on a fresh Debian machine.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

need_packages
configure_and_build

if [ -n "${DISPLAY:-}" ]; then
  start_wine
  wine "$BUILD/QuenwoldSetup.exe"
  echo "QuenwoldSetup.exe exited with $?"
  stop_wine
else
  xvfb-run -a -s "-screen 0 1024x768x24" "$ROOT/tools/screenshot.sh" "$BUILD/screenshot.png"
fi
