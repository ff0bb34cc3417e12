#!/usr/bin/env bash
# vantaro names with a template that reads tags, on 1,000 generated files whose probe
# records are in the cache already, against `find` listing the same files. The two
# alternate for RUNS rounds; prints the median wall time of each and their ratio.
#   bench/bench_names.sh [RUNS]      (default 7; VANTARO=path/to/vantaro to choose the build)
set -euo pipefail
cd "$(dirname "$0")/.."

runs="${1:-7}"
vantaro="${VANTARO:-build/app/cli/vantaro}"
files=1000
template='[GROUP]3,[artist][]/[artist]/[album]/[track] - [UPPER][title][]'

if [ ! -x "$vantaro" ]; then
  echo "No vantaro at $vantaro: build it (./scripts/demo.sh or ./scripts/test.sh) or set VANTARO." >&2
  exit 2
fi

work="$(mktemp -d /tmp/bench-names.XXXXXX)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/in" "$work/tmp" "$work/data"
export XTempFolderScope_Location="$work/tmp"
export _APPDATA_OVERRIDE="$work/data"

# One short clip, then each file a copy of its streams with tags of its own.
ffmpeg -hide_banner -loglevel error -y -f lavfi -i "sine=frequency=440:duration=0.2" \
  -c:a aac "$work/base.m4a"
artists=(Abba "AC/DC" Beatles Cream Doors Eagles "Fleetwood Mac" Genesis Heart Kiss)
for i in $(seq 1 "$files"); do
  artist="${artists[$((i % ${#artists[@]}))]}"
  ffmpeg -hide_banner -loglevel error -y -i "$work/base.m4a" -c copy \
    -metadata artist="$artist" -metadata album="Album $((i % 37))" \
    -metadata track="$((i % 20 + 1))/20" -metadata title="Song number $i" \
    "$work/in/$(printf 'file%04d.m4a' "$i")"
done

names() {
  "$vantaro" names --template "$template" -o "$work/out" "$work/in" > "$work/names.txt"
}
listing() {
  find "$work/in" -type f > "$work/find.txt"
}

# The first run probes every file and keeps the records; the timed ones read them.
names
[ "$(wc -l < "$work/names.txt")" -eq "$files" ]
grep -q -- "-> $work/out/a-c/AC-DC/" "$work/names.txt"

# Wall time of one call in milliseconds.
timed() {
  local start end
  start=$(date +%s%N)
  "$@"
  end=$(date +%s%N)
  echo $(((end - start) / 1000000))
}

median() {
  sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'
}

: > "$work/names.ms"
: > "$work/find.ms"
for _ in $(seq 1 "$runs"); do
  timed names >> "$work/names.ms"
  timed listing >> "$work/find.ms"
done
names_ms=$(median < "$work/names.ms")
find_ms=$(median < "$work/find.ms")
echo "$files cached files, median of $runs rounds"
echo "vantaro names: ${names_ms} ms"
echo "find:          ${find_ms} ms"
awk -v a="$names_ms" -v b="$find_ms" 'BEGIN { printf "ratio:         %.1f\n", (b > 0 ? a / b : a) }'
