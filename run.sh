#!/usr/bin/env bash
# Installs what is missing, builds (Release) and opens Velmora.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build build-release --target velmora --parallel "$(nproc)"
exec ./build-release/app/velmora "$@"
