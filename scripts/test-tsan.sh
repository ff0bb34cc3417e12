#!/usr/bin/env bash
# Builds with ThreadSanitizer (build-tsan/) and runs what starts threads and children: the
# engine's unit and end-to-end tests, the process, signal, run-loop, cross-process settings
# and HTTP client tests of the foundation, the file information cache, the destination
# check, the desktop program's road from the check to the end of a conversion, and the
# update check.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh
. ./scripts/compiler-cache.sh
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTARO_TSAN=ON \
    -DVANTARO_WERROR=ON
cmake --build build-tsan --target engine_unit engine_e2e xclass_unit media_unit media_e2e \
    config_unit shell_unit updates_unit

export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:suppressions=$PWD/scripts/tsan.supp"
# GCC 12's ThreadSanitizer cannot map its shadow memory when the kernel spreads mappings
# over more address bits than it expects ("unexpected memory mapping"); without address
# space randomisation the layout is the one it knows.
run=()
if setarch "$(uname -m)" -R true 2>/dev/null; then
    run=(setarch "$(uname -m)" -R)
fi
jobs="$(nproc)"
# Left to the plain build: tests that hold the code to a wall-clock window (a stop within
# 200 ms, 500 probes within 30 s, two within 800 ms), which the instrumented program,
# several times slower, misses on a busy machine.
timed='^(RunE2E\.StopKillsFFmpegQuickly|VAFileInfoCacheTest\.(LongListsWaitForAListener|RemovingTheLastListenerPauses))'
# The folder tree's loaders, the grabber and the folder watchers.
cmake --build build-tsan --target batch_unit platform_unit
"${run[@]}" ctest --test-dir build-tsan -L '^batch_unit$' --output-on-failure -j "$jobs"
"${run[@]}" ctest --test-dir build-tsan -L '^platform_unit$' --output-on-failure -j "$jobs" \
    -R '(^|/)FolderEvents\.'
"${run[@]}" ctest --test-dir build-tsan -L '^engine_(unit|e2e)$' --output-on-failure -j "$jobs" \
    -E "$timed"
"${run[@]}" ctest --test-dir build-tsan -L '^xclass_unit$' --output-on-failure -j "$jobs" \
    -R '(^|/)(XWorkerProcess[A-Za-z]*|clSignal|clPipe|clPollSet|XRunLoop|XMainThread|XOutputFile|XPrivateFolder|XRegistry[A-Za-z]*Process[A-Za-z]*|XHttpClient[A-Za-z]*|XHttpConnection)\.'
"${run[@]}" ctest --test-dir build-tsan -L '^media_(unit|e2e)$' --output-on-failure -j "$jobs" \
    -R '(^|/)VAFileInfoCache[A-Za-z0-9]*\.' -E "$timed"
"${run[@]}" ctest --test-dir build-tsan -L '^config_unit$' --output-on-failure -j "$jobs" \
    -R '(^|/)VMCCheckingFilenames\.'
"${run[@]}" ctest --test-dir build-tsan -L '^shell_unit$' --output-on-failure -j "$jobs" \
    -R '(^|/)ConversionRoad\.'
"${run[@]}" ctest --test-dir build-tsan -L '^updates_unit$' --output-on-failure -j "$jobs"
