#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for the given seconds (default 60).
# Corpora stay in build-fuzz/corpus/, outside version control.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"

./scripts/install-deps.sh
. ./scripts/compiler-cache.sh
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVANTARO_FUZZ=ON -DVANTARO_SANITIZE=ON -DVANTARO_TESTS=OFF \
    -DVANTARO_GUI=OFF
cmake --build build-fuzz
export ASAN_OPTIONS=detect_leaks=1
# No target may spend this long on one input: that is a hang, reported like a crash.
unit_timeout=30
for target in build-fuzz/fuzz/fuzz_*; do
    [ -x "$target" ] || continue
    name=$(basename "$target")
    mkdir -p "build-fuzz/corpus/$name"
    echo "== $name (${seconds}s)"
    # A target may bring a dictionary of its input's keywords.
    dict=()
    if [ -f "fuzz/$name.dict" ]; then
        dict=(-dict="fuzz/$name.dict")
    fi
    status=0
    "$target" "${dict[@]}" -max_total_time="$seconds" -timeout="$unit_timeout" -print_final_stats=1 \
        -artifact_prefix="build-fuzz/" "build-fuzz/corpus/$name" > "build-fuzz/$name.log" 2>&1 || status=$?
    grep -E '^Done|stat::number_of_executed_units|ERROR|SUMMARY' "build-fuzz/$name.log" || true
    if [ "$status" -ne 0 ]; then
        tail -n 40 "build-fuzz/$name.log"
        exit "$status"
    fi
done
