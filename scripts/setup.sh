#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when missing.
# As root it runs apt-get; otherwise it prints the line to run.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  libgtest-dev libbenchmark-dev
  qpdf poppler-utils ghostscript gerbv
  libfltk1.3-dev xvfb xdotool x11-utils imagemagick
  libstb-dev googletest g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine64 fonts-wine
  emscripten chromium
  clang libclang-rt-14-dev
  nlohmann-json3-dev
  ccache
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -eq 0 ]; then
  echo "setup: installing ${missing[*]}" >&2
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq >/dev/null || true
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
else
  echo "setup: missing packages; run as root:" >&2
  echo "  apt-get install -y ${missing[*]}" >&2
  exit 1
fi
