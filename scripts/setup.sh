#!/usr/bin/env bash
# Installs every Debian package needed to build, test and run the project.
# Safe to run more than once: apt-get skips what is already installed.
set -euo pipefail

PACKAGES=(
  build-essential cmake pkg-config git
  qtbase5-dev qtbase5-dev-tools libqt5svg5-dev qttools5-dev qttools5-dev-tools
  qttranslations5-l10n
  libqcustomplot-dev
  libhidapi-dev
  libgtest-dev googletest libbenchmark-dev
  clang libclang-rt-dev clang-format
  xvfb xauth x11-utils imagemagick poppler-utils
  fonts-dejavu-core
  binutils
)

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ "${#missing[@]}" -eq 0 ]; then
  echo "setup: all packages present"
  exit 0
fi

echo "setup: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
