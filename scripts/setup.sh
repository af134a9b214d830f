#!/usr/bin/env bash
# Installs everything Kurvix needs to build, run and test on Debian/Ubuntu.
# Idempotent: when every package is present it does nothing and prints nothing.
#
# The deliverables are 32-bit (mingw-w64 i686). The Wine tiers of the tests run the same sources
# built for x86-64 under 64-bit Wine, which works on kernels that run no 32-bit code; where the
# kernel does run it, wine32 is installed too so that the 32-bit deliverables run as they are.
set -euo pipefail

packages=(
  cmake make g++ pkg-config git file
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
  libgtest-dev googletest libbenchmark-dev
  wine wine64
  xvfb xdotool x11-utils imagemagick
  clang-format
)

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

runs_32bit_code() {
  # A 32-bit ELF that the kernel refuses with ENOEXEC means no IA-32 emulation.
  [ -e /lib/ld-linux.so.2 ] && /lib/ld-linux.so.2 --version >/dev/null 2>&1
}

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ "${#missing[@]}" -gt 0 ]; then
  echo "setup: installing ${missing[*]}" >&2
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq >/dev/null
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# wine32 only where 32-bit code runs (it needs the i386 architecture).
if runs_32bit_code && ! dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q "install ok installed"; then
  echo "setup: installing wine32:i386" >&2
  export DEBIAN_FRONTEND=noninteractive
  if ! dpkg --print-foreign-architectures | grep -qx i386; then $SUDO dpkg --add-architecture i386; fi
  $SUDO apt-get update -qq >/dev/null
  $SUDO apt-get install -y -qq --no-install-recommends wine32:i386 >/dev/null
fi
exit 0
