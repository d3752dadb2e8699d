#!/usr/bin/env bash
# Runs CTest with the build's Wine prefix up; called with a display set.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

start_wine
ctest --test-dir "$BUILD" --output-on-failure "$@" </dev/null
rc=$?
stop_wine
exit $rc
