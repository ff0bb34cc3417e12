#!/usr/bin/env bash
# Builds the Debian package in build-package/ (the program, its resources, the manual page
# and the bash completion; no tests), installs that build into a temporary prefix to check
# that it runs from there and finds its resources without the source tree, and shows what
# the package holds.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh
. ./scripts/compiler-cache.sh
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTARO_TESTS=OFF \
    -DVANTARO_SOURCE_RESOURCES=OFF
cmake --build build-package

prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
cmake --install build-package --prefix "$prefix/usr"
vantaro="$prefix/usr/bin/vantaro"
export _APPDATA_OVERRIDE="$prefix/data"
"$vantaro" --version
"$vantaro" encoders > /dev/null
# The choices of a scale preset come from the resources only.
"$vantaro" effect "Scale Absolute" | grep -q "1280 x 720" || {
    echo "package: the installed vantaro did not find its resources" >&2
    exit 1
}
ffmpeg -hide_banner -loglevel error -f lavfi -i "testsrc=size=320x240:rate=25:duration=1" \
    -c:v mpeg4 "$prefix/clip.mov"
"$vantaro" convert --encoder "WebM (VP8)" -o "$prefix/out" "$prefix/clip.mov" > /dev/null
test -s "$prefix/out/clip.webm"
man -l "$prefix/usr/share/man/man1/vantaro.1.gz" > /dev/null

(cd build-package && cpack -G DEB)
deb="$(ls -t build-package/vantaro_*.deb | head -n 1)"
dpkg-deb -I "$deb"
dpkg-deb -c "$deb"
echo "The package is $(pwd)/$deb"
