#!/usr/bin/env bash
# Sets up this machine (Debian packages), builds everything and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh
. ./scripts/compiler-cache.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTARO_WERROR=ON
cmake --build build
ctest --test-dir build --output-on-failure -j "$(nproc)"
