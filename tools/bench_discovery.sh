#!/usr/bin/env bash
# Times the discovery run over a synthetic vendor subtree in the build's Wine
# prefix (10,000 keys and 30,000 values unless told otherwise), against a walk
# of the same tree that keeps its key handles open. The tree is removed again
# afterwards. Do not run it while the tests run in the same build.
#
#   tools/bench_discovery.sh [keys values]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

need_packages
configure_and_build -DQUENWOLD_TESTS=ON >/dev/null
echo "machine: $(nproc) cores, $(lscpu | sed -n 's/^Model name:[[:space:]]*//p' | head -1)"
start_wine
rc=0
if [ $# -ge 2 ]; then
  wine "$BUILD/tests/bench_discovery.exe" "$1" "$2" || rc=$?
else
  # A quarter of the tree first: the times should grow in proportion.
  echo "--- 2,500 keys, 7,500 values"
  wine "$BUILD/tests/bench_discovery.exe" 2500 7500 || rc=$?
  echo "--- 10,000 keys, 30,000 values"
  wine "$BUILD/tests/bench_discovery.exe" 10000 30000 || rc=$?
fi
stop_wine
exit $rc
