#!/usr/bin/env bash
# Builds the installer and its tests and runs every test under Wine.
# Installs what it needs on a fresh Debian machine; safe to run again.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

need_packages
configure_and_build -DQUENWOLD_TESTS=ON
with_display "$ROOT/tools/ctest-wine.sh" "$@"
