#!/usr/bin/env bash
# Builds the Debian package of the program in build-package/ (Release, no tests) with Debian's
# hardening flags, checks it with lintian and appstreamcli, and prints the path of the .deb.
set -euo pipefail
cd "$(dirname "$0")/.."
# dpkg-shlibdeps and dpkg-buildflags (dpkg-dev) give the package's library dependencies and the
# compiler's flags; desktop-file-validate, lintian and appstreamcli check what it installs.
tools/install-deps.sh dpkg-dev desktop-file-utils lintian appstream
# The flags Debian builds its packages with: stack protector, fortified functions, a read-only
# relocation table bound at start (relro, now) and a position-independent executable.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
  -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags"
cmake --build build-package -j"$(nproc)" --target suppbeforestart_app package_docs
# Any remark (even a hint) is a fault of the menu entry.
remarks=$(desktop-file-validate packaging/tw.com.corvane.suppbeforestart.desktop 2>&1) || true
[[ -z "$remarks" ]] || { echo "$remarks" >&2; exit 1; }
rm -f build-package/*.deb
(cd build-package && cpack -G DEB)
debs=(build-package/*.deb)
[[ -f "${debs[0]}" ]] || { echo "cpack made no .deb" >&2; exit 1; }
echo "lintian:"
lintian --info --display-info --tag-display-limit 0 "${debs[0]}" 2>&1 | grep -v 'running with root privileges' || true
echo "appstreamcli validate:"
mkdir -p build-package/metainfo
dpkg-deb --fsys-tarfile "${debs[0]}" | tar -x -C build-package/metainfo --wildcards './usr/share/metainfo/*'
appstreamcli validate --no-net build-package/metainfo/usr/share/metainfo/*.metainfo.xml
echo "Package: $PWD/${debs[0]}"
