#!/usr/bin/env bash
# Builds the program and opens the window on an embedded demo database (suppliers with opening
# balances). The demo database is made once and kept, so what was posted stays; --fresh makes it
# anew. Without a display the window runs under a virtual X server; a screenshot is saved and its
# path printed. BUILD_DIR chooses the build folder (default: build-demo in the work tree).
#
# Two demo windows may be open at once: the embedded engine normally opens a file for one process
# only, so the demo gives the program a Firebird root of its own (FIREBIRD) whose firebird.conf
# sets ServerMode = SuperClassic. The system's firebird.conf is never touched.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="${BUILD_DIR:-$root/build-demo}"
fresh=false
for argument in "$@"; do
  case "$argument" in
    --fresh) fresh=true ;;
    *) echo "usage: tools/run-demo.sh [--fresh]" >&2; exit 2 ;;
  esac
done

bash "$root/tools/install-deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target suppbeforestart_app make-demo-db

program_dir="$build/app"
database="$program_dir/data/demo.fdb"
mkdir -p "$program_dir/data"
if $fresh || [[ ! -f "$database" ]]; then
  "$build/tools/make-demo-db" "$database"
fi
# A bare path: the program opens the demo file through the embedded engine, no server needed.
printf '%s\r\n' \
  "Database=$database" \
  "user_name=SYSDBA" \
  "password=x" \
  "servercharset=UTF8" \
  "sqldialect=3" \
  "isolationlevel=ReadCommitted" \
  "waitonlocks=True" \
  "commitretain=False" >"$program_dir/dbconfig.txt"
# It holds a password: readable by its owner only, as the program asks of every dbconfig.txt.
chmod 600 "$program_dir/dbconfig.txt"

# The program's own Firebird root: the installed engine's files, and a firebird.conf of its own.
# Made once: a demo window already open goes on using it.
firebird_root="$build/firebird-root"
if [[ ! -f "$firebird_root/firebird.conf" ]]; then
  engine=$(find /usr/lib -path '*/firebird/3.0/plugins/libEngine12.so' -print -quit)
  system_root=$(dirname "$(dirname "$engine")")
  mkdir -p "$firebird_root"
  for entry in "$system_root"/*; do
    [[ "$(basename "$entry")" == firebird.conf ]] || ln -sfn "$entry" "$firebird_root/"
  done
  echo "ServerMode = SuperClassic" >"$firebird_root/firebird.conf"
fi
export FIREBIRD="$firebird_root"

if [[ -n "${DISPLAY:-}" ]]; then
  exec "$program_dir/suppbeforestart"
fi
screenshot="$build/suppbeforestart-screenshot.png"
rm -f "$screenshot"
SUPPBEFORESTART_SCREENSHOT="$screenshot" \
  xvfb-run --auto-servernum --server-args="-screen 0 1024x768x24" "$program_dir/suppbeforestart"
[[ -f "$screenshot" ]] || { echo "no screenshot was saved" >&2; exit 1; }
echo "Screenshot: $screenshot"
