#!/usr/bin/env bash
# Times the skin's paint cycle and a hint change under Wine (the benchmark
# executable switches the 50 ms pause of the paint cycle off) and counts the
# pixel-level GDI calls. Prints the machine it ran on with the figures.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

if [ "${1:-}" = "--with-display" ]; then
  # Wine's desktop must come up on the display the benchmark draws on.
  start_wine
  wine "$BUILD/tests/bench_skin.exe"
  rc=$?
  stop_wine
  exit $rc
fi

need_packages
configure_and_build -DQUENWOLD_TESTS=ON >/dev/null || exit 1
echo "cores: $(nproc); $(lscpu | grep 'Model name' | sed 's/  */ /g'); $(wine --version)"
with_display "$ROOT/tools/bench_skin.sh" --with-display
