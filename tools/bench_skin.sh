#!/usr/bin/env bash
# Times the skin's paint cycle and a hint change under Wine (the benchmark
# executable switches the 50 ms pause of the paint cycle off) and counts the
# pixel-level GDI calls. Prints the machine it ran on with the figures.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

need_packages
configure_and_build -DQUENWOLD_TESTS=ON >/dev/null || exit 1
echo "cores: $(nproc); $(lscpu | grep 'Model name' | sed 's/  */ /g'); $(wine --version)"
start_wine
with_display wine "$BUILD/tests/bench_skin.exe"
stop_wine
