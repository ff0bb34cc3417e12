#!/usr/bin/env bash
# Builds the desktop program's screenshot renderer and renders the launcher, the panels and
# every encoder and effect page, in a light and a dark palette, to build/screenshots/.
# No display needed.
set -euo pipefail
cd "$(dirname "$0")/.."

. ./scripts/compiler-cache.sh
if [ ! -f build/build.ninja ]; then
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTARO_WERROR=ON
fi
cmake --build build --target ui_screenshots
rm -rf build/screenshots
# The settings a run writes stay out of the user's own.
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
XDG_CONFIG_HOME="$scratch/config" XDG_RUNTIME_DIR="$scratch" _APPDATA_OVERRIDE="$scratch/data" \
    QT_QPA_PLATFORM=offscreen build/tests/ui_screenshots build/screenshots
