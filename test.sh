#!/usr/bin/env bash
# Installs what is missing, builds and runs the tests.
#   ./test.sh           every test except the benchmarks
#   ./test.sh --bench   the benchmarks only
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh

build=${VELMORA_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=${VELMORA_BUILD_TYPE:-Release} >/dev/null
cmake --build "$build" --parallel "$(nproc)"

export QT_QPA_PLATFORM=offscreen
cd "$build"
if [ "${1:-}" = "--bench" ]; then
  exec ctest --output-on-failure -L bench --verbose
fi
exec ctest --output-on-failure -LE bench --parallel "$(nproc)" --timeout 900
