#!/usr/bin/env bash
# Installs what building and testing LOBUS needs on Debian 12 / Ubuntu 22.04+,
# and nothing when it is all there already.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-svg-dev libgl-dev zlib1g-dev
  qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
  desktop-file-utils shared-mime-info
  libgtest-dev libgmock-dev libbenchmark-dev
  gfortran clang clang-format python3
  xvfb xauth fonts-dejavu-core
  # the sources from which the tests compile the decimal-comma locales they
  # run the programs under, into a scratch folder of their own
  locales
)
# clang's sanitizer and fuzzer runtimes: a package of their own on Debian 12,
# part of clang's common package elsewhere.
optional=(libclang-rt-dev)

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

missing=()
for p in "${packages[@]}"; do installed "$p" || missing+=("$p"); done
# An optional package is wanted only where the package lists know it, so a
# machine that has everything else goes to no network for one it cannot get.
want=()
for p in "${optional[@]}"; do
  installed "$p" || ! apt-cache show "$p" >/dev/null 2>&1 || want+=("$p")
done
[ ${#missing[@]} -eq 0 ] && [ ${#want[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
if [ ${#want[@]} -gt 0 ]; then
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${want[@]}"
fi
