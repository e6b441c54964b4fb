#!/usr/bin/env bash
# Installs what is missing, builds everything, fuzzes the dbconfig.txt loader and the statement
# parameter parser (about 30 s each), starts the local Firebird server with a login of the
# tests' own (SYSDBA's password is never changed) and runs every test. Under CI (CI set)
# compiler warnings are errors.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
werror=OFF
[ -n "${CI:-}" ] && werror=ON
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWARNINGS_AS_ERRORS="$werror"
cmake --build build -j"$(nproc)"
# The parsers of outside input, fuzzed for a bounded time; a crash fails the tests.
tools/run-fuzz.sh
# The tests' own login on the local server (see the script); the benchmarks read it too.
tools/start-firebird-server.sh build/test-server-login
set -a
. build/test-server-login
set +a
ctest --test-dir build --output-on-failure -j2 --timeout 900
