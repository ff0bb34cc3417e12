#!/usr/bin/env bash
# Builds with AddressSanitizer and UndefinedBehaviorSanitizer and runs the unit tests.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh
. ./scripts/compiler-cache.sh
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVANTARO_SANITIZE=ON -DVANTARO_WERROR=ON
# Only the unit tests run here: the end-to-end ones would mostly measure FFmpeg.
cmake --build build-asan --target unit_tests
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build-asan -L unit --output-on-failure -j "$(nproc)"
