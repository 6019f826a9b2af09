#!/usr/bin/env bash
# Installs a build into a scratch prefix and packs it: the files a user gets,
# the launcher's first start on a fresh home folder, and the .deb's contents.
#   install_test.sh BUILD_DIR
set -euo pipefail
build=$(realpath "$1")
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$tmp/usr" >/dev/null
for f in bin/zevirovave bin/zevirovave-cli bin/zevirovave-home \
         share/applications/zevirovave.desktop share/icons/hicolor/scalable/apps/zevirovave.svg \
         share/zevirovave/demo-workspace/Zevirovave.xml \
         share/zevirovave/demo-workspace/LANGUAGE/English.lng \
         share/zevirovave/demo-workspace/PROJECTS/Demo/ParGen.xml; do
  [ -e "$tmp/usr/$f" ] || fail "not installed: $f"
done
[ -x "$tmp/usr/bin/zevirovave-home" ] || fail "launcher is not executable"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$tmp/usr/share/applications/zevirovave.desktop" || fail "desktop entry"
fi

# First start: the launcher makes the workspace from the demo one, then the
# program runs on it.
export HOME="$tmp/home"
mkdir -p "$HOME"
QT_QPA_PLATFORM=offscreen "$tmp/usr/bin/zevirovave-home" --help | grep -q -- --workspace || fail "launcher did not start the program"
ws="$HOME/Zevirovave"
[ -f "$ws/PROJECTS/Demo/ParGen.xml" ] || fail "no workspace made in the home folder"
[ -w "$ws/Zevirovave.xml" ] || fail "workspace is not writable"
"$tmp/usr/bin/zevirovave-cli" info --workspace "$ws" | grep -q '"Demo"' || fail "cli does not open the new workspace"
# A second start keeps what the user has changed.
echo changed > "$ws/PROJECTS/Demo/mine.txt"
QT_QPA_PLATFORM=offscreen "$tmp/usr/bin/zevirovave-home" --help >/dev/null
[ -f "$ws/PROJECTS/Demo/mine.txt" ] || fail "second start lost the user's files"

# The Debian package holds the same files and names its libraries.
(cd "$build" && cpack -G DEB -B "$tmp/pkg" >/dev/null) || fail "cpack"
deb=$(ls "$tmp"/pkg/zevirovave_*.deb)
contents=$(dpkg-deb -c "$deb")
for f in ./usr/bin/zevirovave ./usr/bin/zevirovave-cli ./usr/bin/zevirovave-home \
         ./usr/share/applications/zevirovave.desktop ./usr/share/icons/hicolor/scalable/apps/zevirovave.svg \
         ./usr/share/zevirovave/demo-workspace/PROJECTS/Demo/ParGen.xml; do
  grep -q " $f\$" <<<"$contents" || fail "not in the package: $f"
done
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || fail "package does not depend on Qt"
echo "ok: $(basename "$deb")"
