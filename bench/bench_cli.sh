#!/usr/bin/env bash
# vantaro convert against the same FFmpeg commands run by a sequential loop, by
# `xargs -P 2` and by GNU parallel -j2, on 16 generated 2-second 640x360 clips converted to
# H.264. The methods alternate, in a rotating order, for RUNS rounds; prints the median
# wall time of each and the ratio of vantaro's to each of the others.
#   bench/bench_cli.sh [RUNS]        (default 5; VANTARO=path/to/vantaro to choose the build)
set -euo pipefail
cd "$(dirname "$0")/.."

runs="${1:-5}"
vantaro="${VANTARO:-build/app/cli/vantaro}"
args="-c:v libx264 -preset veryfast -crf 23 -c:a aac"
clips=16

if [ ! -x "$vantaro" ]; then
  echo "No vantaro at $vantaro: build it (./scripts/demo.sh or ./scripts/test.sh) or set VANTARO." >&2
  exit 2
fi
if ! command -v parallel >/dev/null 2>&1; then
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
  fi
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get install -y --no-install-recommends parallel >/dev/null
fi

work="$(mktemp -d /tmp/bench-cli.XXXXXX)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/in" "$work/out" "$work/tmp"
export XTempFolderScope_Location="$work/tmp"
# Its own data folder: the user's settings and caches neither help nor suffer; the unmeasured
# round fills the caches as any earlier run would have.
export _APPDATA_OVERRIDE="$work/data"

for i in $(seq -w 1 "$clips"); do
  ffmpeg -hide_banner -loglevel error -y \
    -f lavfi -i "testsrc2=size=640x360:rate=30:duration=2" \
    -f lavfi -i "sine=frequency=$((300 + 10#$i * 20)):duration=2" \
    -c:v mpeg4 -q:v 4 -c:a pcm_s16le -shortest "$work/in/clip$i.mov"
done

# The commands vantaro would start, without the progress file FFmpeg alone does not need,
# and with nothing on their input, as vantaro starts them (FFmpeg reads keys from it).
"$vantaro" convert --dry-run --overwrite --encoder-args "$args" -o "$work/out" "$work/in" \
  | grep -v '^#' | sed -e 's| -progress /dev/null | |' -e 's|$| </dev/null|' > "$work/commands.txt"
[ "$(wc -l < "$work/commands.txt")" -eq "$clips" ]
tr '\n' '\0' < "$work/commands.txt" > "$work/commands0.txt"

run_vantaro() {
  "$vantaro" convert --overwrite --encoder-args "$args" -o "$work/out" "$work/in" >/dev/null
}
run_loop() {
  while IFS= read -r line; do sh -c "$line"; done < "$work/commands.txt"
}
run_xargs() {
  xargs -0 -P 2 -n 1 sh -c < "$work/commands0.txt"
}
run_parallel() {
  parallel --will-cite -j2 < "$work/commands.txt"
}

methods=(vantaro loop xargs parallel)
declare -A times
time_one() {
  rm -f "$work/out/"*
  local start end
  start=$(date +%s.%N)
  "run_$1"
  end=$(date +%s.%N)
  if [ "$(ls "$work/out" | wc -l)" -ne "$clips" ]; then
    echo "$1 did not write every output" >&2
    exit 1
  fi
  times[$1]+="$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", b - a }') "
}

# One round unmeasured, so that every method meets warm caches.
for m in "${methods[@]}"; do
  rm -f "$work/out/"*
  "run_$m" >/dev/null 2>&1
done
for codec in $(for f in "$work/out/"*; do
                 ffprobe -v error -select_streams v:0 -show_entries stream=codec_name \
                   -of csv=p=0 "$f"; done | sort -u); do
  [ "$codec" = h264 ] || { echo "output is $codec, not h264" >&2; exit 1; }
done

for round in $(seq 1 "$runs"); do
  for k in "${!methods[@]}"; do
    m="${methods[$(( (k + round) % ${#methods[@]} ))]}"
    time_one "$m"
  done
done

median() {
  tr ' ' '\n' | grep -v '^$' | sort -g | awk '{ v[NR] = $1 } END {
    if (NR % 2) { print v[(NR + 1) / 2] } else { print (v[NR / 2] + v[NR / 2 + 1]) / 2 } }'
}

echo "$clips clips of 2 s 640x360 to H.264 ($args), $runs runs each, $(nproc) processors"
declare -A med
for m in "${methods[@]}"; do
  med[$m]=$(echo "${times[$m]}" | median)
  printf '%-9s median %6.2f s   runs: %s\n' "$m" "${med[$m]}" "${times[$m]}"
done
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", a / b }'; }
best=""
for m in loop xargs parallel; do
  printf 'vantaro / %-8s %s\n' "$m" "$(ratio "${med[vantaro]}" "${med[$m]}")"
  if [ -z "$best" ] || awk -v a="${med[$m]}" -v b="${med[$best]}" 'BEGIN { exit !(a < b) }'; then
    best=$m
  fi
done
echo "best of the others: $best; vantaro / best = $(ratio "${med[vantaro]}" "${med[$best]}")"
