#!/usr/bin/env bash
# Installs everything Kurvix needs to build, run and test on Debian/Ubuntu.
# Idempotent: when every package is present it does nothing and prints nothing.
set -euo pipefail

packages=(
  cmake make g++ pkg-config git
  g++-mingw-w64-i686 binutils-mingw-w64-i686
  libgtest-dev googletest libbenchmark-dev
  wine wine32:i386
  xvfb xdotool x11-utils imagemagick
  clang-format
)

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

missing=()
need_i386=0
if ! dpkg --print-foreign-architectures | grep -qx i386; then need_i386=1; fi
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ "$need_i386" -eq 0 ] && [ "${#missing[@]}" -eq 0 ]; then exit 0; fi

echo "setup: installing ${missing[*]:-i386 architecture}" >&2
export DEBIAN_FRONTEND=noninteractive
if [ "$need_i386" -eq 1 ]; then $SUDO dpkg --add-architecture i386; fi
$SUDO apt-get update -qq >/dev/null
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
