#!/usr/bin/env bash
# Installs every Debian package the build, the tests, the fuzzers and the benchmarks need.
# Idempotent: returns at once when everything is already there.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config
  libocct-foundation-dev libocct-data-exchange-dev libtbb-dev
  libgtest-dev libgmock-dev googletest
  libbenchmark-dev
  libcli11-dev nlohmann-json3-dev
  libpolyclipping-dev
  clang libclang-rt-14-dev llvm
  clang-format
  gerbv librsvg2-bin libpng-dev
  time
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
