#!/usr/bin/env bash
# Installs what is missing, starts the local Firebird server, builds everything and runs every
# test. Under CI (CI set) compiler warnings are errors.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
tools/start-firebird-server.sh
werror=OFF
[ -n "${CI:-}" ] && werror=ON
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWARNINGS_AS_ERRORS="$werror"
cmake --build build -j"$(nproc)"
ctest --test-dir build --output-on-failure -j2 --timeout 900
