#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need.
# Safe to run again: packages already present are left as they are.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  # Qt 6 Widgets and Test; its X11 and offscreen platforms come with it (libqt6gui6).
  qt6-base-dev
  # A private session bus for the GUI test of the desktop notifications.
  dbus-daemon
  # A font for the desktop program's text, also when the GUI tests and the screenshots
  # render offscreen on a machine without a desktop, and the system's font cache, which
  # every start of the program reads.
  fontconfig fonts-dejavu-core
  # The desktop file's check in the install test.
  desktop-file-utils
  # TLS of the HTTP client, and the trusted certificates it verifies servers against.
  libssl-dev ca-certificates
  # FFmpeg builds come as .tar.gz or .tar.bz2 archives, unpacked by tar.
  tar gzip bzip2
  ffmpeg
  libgtest-dev libgmock-dev googletest
  ccache
  nlohmann-json3-dev
  clang libclang-rt-dev clang-format
  # The manual page's test renders it; the package needs file and dpkg-shlibdeps.
  groff-base man-db file dpkg-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ "${#missing[@]}" -eq 0 ]; then
  exit 0
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi

export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
