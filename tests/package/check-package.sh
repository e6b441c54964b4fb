#!/usr/bin/env bash
# Builds the Debian package of a built tree into a temporary folder and checks it: exactly the
# program, its menu entry, its icon and the README are installed (no static libraries, no
# headers, nothing of the tests); the menu entry is valid and names the packaged program and
# icon; the dependencies are run-time packages only, with the Firebird client, Qt and the font.
# Usage: check-package.sh CPACK BUILD_DIR VERSION
set -euo pipefail
cpack=$1
build_dir=$2
version=$3

for tool in "$cpack" dpkg-deb dpkg-shlibdeps desktop-file-validate; do
  command -v "$tool" >/dev/null || { echo "missing $tool (tools/install-deps.sh installs it)" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if ! (cd "$build_dir" && "$cpack" -G DEB --config CPackConfig.cmake -B "$work/out") >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log" >&2
  echo "cpack failed" >&2
  exit 1
fi
debs=("$work"/out/*.deb)
[[ ${#debs[@]} -eq 1 && -f ${debs[0]} ]] || { echo "expected one .deb, got: ${debs[*]}" >&2; exit 1; }
deb=${debs[0]}

failures=()
fail() { failures+=("$1"); }

# Every entry that is not a folder, against the expected list.
listing=$(dpkg-deb -c "$deb")
files=$(awk '$1 !~ /^d/ { print $6 }' <<<"$listing" | sort)
expected=$(sort <<'LIST'
./usr/bin/suppbeforestart
./usr/share/applications/suppbeforestart.desktop
./usr/share/doc/suppbeforestart/README.md
./usr/share/icons/hicolor/scalable/apps/suppbeforestart.svg
LIST
)
if [[ "$files" != "$expected" ]]; then
  fail "package files differ from the expected ones:
$(diff <(echo "$expected") <(echo "$files") | grep '^[<>]' || true)"
fi
grep -Eq '^-rwxr-xr-x .* \./usr/bin/suppbeforestart$' <<<"$listing" ||
  fail "usr/bin/suppbeforestart is not an executable file"

# Control fields.
[[ $(dpkg-deb -f "$deb" Package) == suppbeforestart ]] || fail "Package is $(dpkg-deb -f "$deb" Package)"
[[ $(dpkg-deb -f "$deb" Version) == "$version" ]] || fail "Version is $(dpkg-deb -f "$deb" Version), not $version"
depends=$(dpkg-deb -f "$deb" Depends)
dep_names=$(tr ',|' '\n' <<<"$depends" | sed -E 's/\(.*\)//; s/:any//; s/[[:space:]]//g' | grep -v '^$' || true)
for needed in libfbclient2 libqt6core6 libqt6widgets6 fonts-arphic-uming; do
  grep -qx "$needed" <<<"$dep_names" || fail "Depends lacks $needed: $depends"
done
build_tools=$(grep -E -- '-dev$|-dbg$|^(cmake|cmake-data|gcc.*|g\+\+.*|ninja-build|pkg-config|make|googletest|desktop-file-utils)$' <<<"$dep_names" || true)
[[ -z "$build_tools" ]] || fail "Depends names build tools: $(paste -sd' ' <<<"$build_tools")"

# The menu entry, as installed.
dpkg-deb -x "$deb" "$work/root"
desktop="$work/root/usr/share/applications/suppbeforestart.desktop"
if [[ -f "$desktop" ]]; then
  # Hints count too: a menu entry without a main category lands in a catch-all menu.
  if ! desktop-file-validate "$desktop" >"$work/validate.log" 2>&1 || [[ -s "$work/validate.log" ]]; then
    fail "desktop-file-validate: $(cat "$work/validate.log")"
  fi
  exec_cmd=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
  [[ -n "$exec_cmd" && -x "$work/root/usr/bin/$exec_cmd" ]] || fail "Exec=$exec_cmd is not a program in usr/bin"
  icon=$(sed -n 's/^Icon=//p' "$desktop")
  svg="$work/root/usr/share/icons/hicolor/scalable/apps/$icon.svg"
  [[ -n "$icon" && -f "$svg" ]] || fail "Icon=$icon has no icon in the package"
  if [[ -f "$svg" ]] && ! grep -q '<svg[ >]' "$svg"; then fail "$icon.svg holds no <svg> element"; fi
fi

if ((${#failures[@]})); then
  printf 'FAIL: %s\n' "${failures[@]}" >&2
  exit 1
fi
echo "$(basename "$deb"): $(wc -l <<<"$files") files, Depends: $depends"
