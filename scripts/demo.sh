#!/usr/bin/env bash
# The first thing to try: sets up this machine (Debian packages), builds the command-line
# program, makes a five-second sample clip with FFmpeg's test sources and converts it to
# an H.264 MP4 with vantaro, showing its progress display.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh
. ./scripts/compiler-cache.sh
# The build type of scripts/test.sh, so the two share one build.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --target vantaro

mkdir -p demo
# A test picture and a tone, in a format other than the one we convert to.
ffmpeg -hide_banner -loglevel error -y \
  -f lavfi -i "testsrc2=size=1280x720:rate=30:duration=5" \
  -f lavfi -i "sine=frequency=440:duration=5" \
  -c:v mpeg4 -q:v 4 -c:a pcm_s16le -shortest demo/sample.mov

# --overwrite: running the demo again replaces its own earlier result.
build/app/cli/vantaro convert --overwrite --encoder "MP4 (H264)" -o demo/out demo/sample.mov

echo
echo "The converted clip is $(pwd)/demo/out/sample.mp4"
