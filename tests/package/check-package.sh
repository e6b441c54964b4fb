#!/usr/bin/env bash
# Builds the Debian package of a built tree into a temporary folder and checks it: exactly the
# program, its manual page, menu entry, metainfo, icon and documentation are installed (no
# static libraries, no headers, nothing of the tests); lintian finds no error and no warning;
# appstreamcli accepts the metainfo; the menu entry is valid and names the packaged program and
# icon; the manual page names every option of --help; the changelog's last entry is this
# version; the dependencies are run-time packages only, with the Firebird client, Qt and the font.
# Usage: check-package.sh CPACK BUILD_DIR VERSION
set -euo pipefail
cpack=$1
build_dir=$2
version=$3

app_id=tw.com.corvane.suppbeforestart
for tool in "$cpack" dpkg-deb dpkg-shlibdeps desktop-file-validate lintian appstreamcli; do
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
./usr/share/applications/tw.com.corvane.suppbeforestart.desktop
./usr/share/doc/suppbeforestart/README.md
./usr/share/doc/suppbeforestart/changelog.Debian.gz
./usr/share/doc/suppbeforestart/copyright
./usr/share/icons/hicolor/scalable/apps/suppbeforestart.svg
./usr/share/man/man1/suppbeforestart.1.gz
./usr/share/metainfo/tw.com.corvane.suppbeforestart.metainfo.xml
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
package_version=$(dpkg-deb -f "$deb" Version)
[[ $package_version == "$version"-* ]] || fail "Version is $package_version, not $version-REVISION"
depends=$(dpkg-deb -f "$deb" Depends)
dep_names=$(tr ',|' '\n' <<<"$depends" | sed -E 's/\(.*\)//; s/:any//; s/[[:space:]]//g' | grep -v '^$' || true)
for needed in libfbclient2 libqt6core6 libqt6widgets6 fonts-arphic-uming; do
  grep -qx "$needed" <<<"$dep_names" || fail "Depends lacks $needed: $depends"
done
build_tools=$(grep -E -- '-dev$|-dbg$|^(cmake|cmake-data|gcc.*|g\+\+.*|ninja-build|pkg-config|make|googletest|desktop-file-utils)$' <<<"$dep_names" || true)
[[ -z "$build_tools" ]] || fail "Depends names build tools: $(paste -sd' ' <<<"$build_tools")"

# The menu entry, as installed.
dpkg-deb -x "$deb" "$work/root"
desktop="$work/root/usr/share/applications/$app_id.desktop"
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

# Debian's own checks: any error or warning is a fault; informational tags are shown.
lintian --display-info --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1 || true
grep -v 'running with root privileges' "$work/lintian.log" || true
tags=$(grep -E '^[EW]: ' "$work/lintian.log" || true)
[[ -z "$tags" ]] || fail "lintian:
$tags"
metainfo="$work/root/usr/share/metainfo/$app_id.metainfo.xml"
if [[ -f "$metainfo" ]]; then
  if ! appstreamcli validate --no-net "$metainfo" >"$work/appstream.log" 2>&1 || grep -Eq '^[EW]: ' "$work/appstream.log"; then
    fail "appstreamcli validate: $(cat "$work/appstream.log")"
  fi
  grep -q "<release version=\"$version\"" "$metainfo" || fail "the metainfo has no release $version"
  grep -q "<launchable type=\"desktop-id\">$app_id.desktop<" "$metainfo" || fail "the metainfo launches no $app_id.desktop"
fi

# The changelog's newest entry is the package's version.
changelog="$work/root/usr/share/doc/suppbeforestart/changelog.Debian.gz"
if [[ -f "$changelog" ]]; then
  newest=$(zcat "$changelog" | sed -n '1s/^suppbeforestart (\([^)]*\)).*/\1/p')
  [[ $newest == "$package_version" ]] || fail "the changelog's newest entry is ${newest:-none}, the package $package_version"
fi

# The manual page tells every option the program's --help lists.
manual="$work/root/usr/share/man/man1/suppbeforestart.1.gz"
if [[ -f "$manual" ]]; then
  page=$(zcat "$manual" | sed 's/\\-/-/g')
  options=$(QT_QPA_PLATFORM=offscreen "$build_dir/app/suppbeforestart" --help | grep -oE '^ +(-[a-z?], )?--[a-z]+' | grep -oE -- '--[a-z]+' || true)
  [[ -n "$options" ]] || fail "--help of $build_dir/app/suppbeforestart lists no option"
  for option in $options; do
    grep -qE -- "(^|[^a-z-])$option([^a-z]|$)" <<<"$page" || fail "the manual page does not tell $option"
  done
fi

if ((${#failures[@]})); then
  printf 'FAIL: %s\n' "${failures[@]}" >&2
  exit 1
fi
echo "$(basename "$deb"): $(wc -l <<<"$files") files, Depends: $depends"
