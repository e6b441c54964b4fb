#!/usr/bin/env bash
# Builds the Debian package of the program in build-package/ (Release, no tests) and prints the
# path of the .deb.
set -euo pipefail
cd "$(dirname "$0")/.."
# dpkg-shlibdeps (dpkg-dev) finds the package's library dependencies; desktop-file-validate
# checks the menu entry.
tools/install-deps.sh dpkg-dev desktop-file-utils
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
cmake --build build-package -j"$(nproc)" --target suppbeforestart_app
# Any remark (even a hint) is a fault of the menu entry.
remarks=$(desktop-file-validate packaging/suppbeforestart.desktop 2>&1) || true
[[ -z "$remarks" ]] || { echo "$remarks" >&2; exit 1; }
rm -f build-package/*.deb
(cd build-package && cpack -G DEB)
debs=(build-package/*.deb)
[[ -f "${debs[0]}" ]] || { echo "cpack made no .deb" >&2; exit 1; }
echo "Package: $PWD/${debs[0]}"
