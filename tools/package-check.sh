#!/usr/bin/env bash
# Builds the Debian package from a configured build directory, unpacks it
# into a scratch root (the system is left as it is) and checks it there: the
# installed programs run, an installed example renders, the desktop entries
# validate, ".dan" files get their MIME type, and the manual pages and icons
# are in place.
#   tools/package-check.sh [BUILD_DIR]     (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
cmake --build "$dir" -j "$(nproc)" --target lobus lobus-solako lobus-render lobus_icons
rm -rf "$dir/package"
cpack --config "$dir/CPackConfig.cmake" -G DEB -B "$dir/package" > "$dir/cpack.log" 2>&1 || {
  cat "$dir/cpack.log"
  exit 1
}
deb=$(ls "$dir"/package/lobus_*.deb)
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
echo "$(basename "$deb"): $(du -k "$deb" | cut -f1) kB"
dpkg-deb -f "$deb" Depends

usr="$root/usr"
"$usr/bin/lobus-render" --version
# The window programs answer without a display.
for p in lobus lobus-solako; do
  env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$usr/bin/$p" --version
  env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$usr/bin/$p" --help > "$root/$p-help.txt"
  grep -q -- --lang "$root/$p-help.txt"
done
examples="$usr/share/doc/lobus/examples"
"$usr/bin/lobus-render" "$examples/DANE/merant3.dan" -o "$root/merant3.png"
"$usr/bin/lobus-render" "$examples/DANE/solako4.dan" -o "$root/solako4.svg"
test -s "$root/merant3.png" && test -s "$root/solako4.svg"

desktop-file-validate "$usr"/share/applications/lobus.desktop "$usr"/share/applications/lobus-solako.desktop
XDG_DATA_DIRS="$usr/share" update-mime-database "$usr/share/mime"
grep -q '^application/x-lobus-dan:\*\.dan$' "$usr/share/mime/globs"
for p in lobus lobus-solako lobus-render; do
  test -s "$usr/share/man/man1/$p.1" || test -s "$usr/share/man/man1/$p.1.gz"
done
test -s "$usr/share/icons/hicolor/scalable/apps/lobus.svg"
test -s "$usr/share/icons/hicolor/48x48/apps/lobus.png"
test -s "$usr/share/doc/lobus/LICENSE" && test -s "$usr/share/doc/lobus/README.md"
echo "package checked: installed programs, example rendered, desktop entries, MIME type, manuals, icons"
