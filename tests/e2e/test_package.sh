#!/usr/bin/env bash
# The Debian package: built by cpack from this build, it holds the console,
# the simulator where the console finds it, the menu entry and the icon; the
# unpacked console starts and answers --version.
set -euo pipefail
BUILD=$(dirname "$1")
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

(cd "$WORK" && cpack -G DEB --config "$BUILD/CPackConfig.cmake" >cpack.log 2>&1) || { cat "$WORK/cpack.log"; exit 1; }
DEB=$(ls "$WORK"/testeclikavex_*.deb)

expected="./usr/bin/TesteCliKavex
./usr/lib/testeclikavex/TesteCliKavexHost
./usr/lib/testeclikavex/libkavexsim.so
./usr/share/applications/testeclikavex.desktop
./usr/share/icons/hicolor/scalable/apps/testeclikavex.svg"
actual=$(dpkg-deb -c "$DEB" | awk '{print $6}' | grep -v '/$' | sort)
if [ "$actual" != "$expected" ]; then
    echo "unexpected file list:"; echo "$actual"; exit 1
fi
dpkg-deb -f "$DEB" Depends | grep -q libqt6widgets6 || { echo "no Qt dependency"; exit 1; }

dpkg-deb -x "$DEB" "$WORK/root"
version=$(QT_QPA_PLATFORM=offscreen "$WORK/root/usr/bin/TesteCliKavex" --version)
grep -q "^TesteCliKavex 1.28" <<<"$version" || { echo "version: $version"; exit 1; }
echo "package ok: $(basename "$DEB")"
