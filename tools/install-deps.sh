#!/usr/bin/env bash
# Installs the Debian 12 packages that building, the demo and the tests need, and any further
# packages named as arguments (a caller's own needs).
set -euo pipefail
packages=(
  cmake g++ ninja-build pkg-config
  qt6-base-dev libgl-dev libquazip1-qt6-dev qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
  firebird-dev libfbclient2 firebird3.0-server-core firebird3.0-server firebird3.0-utils
  googletest libgtest-dev
  fonts-arphic-uming libqt6svg6 xvfb xauth poppler-utils
  dpkg-dev desktop-file-utils lintian appstream
  clang libclang-rt-14-dev
  "$@"
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -q
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"
fi
