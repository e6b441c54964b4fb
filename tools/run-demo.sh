#!/usr/bin/env bash
# Builds the program, lays out an embedded demo database from schema/ (suppliers with opening
# balances), writes dbconfig.txt beside the executable pointing at it, and opens the window.
# Without a display the window runs under a virtual X server; a screenshot is saved and its
# path printed. BUILD_DIR chooses the build folder (default: build-demo in the work tree).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="${BUILD_DIR:-$root/build-demo}"

bash "$root/tools/install-deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target suppbeforestart_app make-demo-db

program_dir="$build/app"
database="$program_dir/data/demo.fdb"
mkdir -p "$program_dir/data"
"$build/tools/make-demo-db" "$database"
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

if [[ -n "${DISPLAY:-}" ]]; then
  exec "$program_dir/suppbeforestart"
fi
screenshot="$build/suppbeforestart-screenshot.png"
rm -f "$screenshot"
SUPPBEFORESTART_SCREENSHOT="$screenshot" \
  xvfb-run --auto-servernum --server-args="-screen 0 1024x768x24" "$program_dir/suppbeforestart"
[[ -f "$screenshot" ]] || { echo "no screenshot was saved" >&2; exit 1; }
echo "Screenshot: $screenshot"
