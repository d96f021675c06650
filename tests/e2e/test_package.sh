#!/usr/bin/env bash
# The Debian package as a user installs it: built by cpack from this build,
# lintian finds neither error nor warning in it or in its debug symbols
# package; it holds exactly the files below, its binaries stripped with their
# debug information in testeclikavex-dbgsym; it depends on what the console
# loads at run time; its manual page documents every option of --help; and
# the unpacked console answers --version and runs a script on the simulator
# it finds in the unpacked tree, and keeps another user's settings in that
# user's own folder.
set -euo pipefail
BUILD=$(cd "$(dirname "$1")" && pwd)
TOP=$(cd "$(dirname "$0")/../.." && pwd)
: "${KAVEX_HOST_BUILT:?the test registration says whether the host process is built}"
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

falha() { echo "$*"; exit 1; }

(cd "$WORK" && cpack -G DEB --config "$BUILD/CPackConfig.cmake" >cpack.log 2>&1) || { cat "$WORK/cpack.log"; exit 1; }
DEB=$(ls "$WORK"/testeclikavex_*.deb)
DBGSYM=$(ls "$WORK"/testeclikavex-dbgsym_*.ddeb)

binaries=(usr/bin/TesteCliKavex usr/lib/testeclikavex/libkavexsim.so)
if [ "$KAVEX_HOST_BUILT" = 1 ]; then
    binaries+=(usr/lib/testeclikavex/TesteCliKavexHost)
fi
expected=$(printf './%s\n' "${binaries[@]}" \
    usr/share/applications/testeclikavex.desktop \
    usr/share/doc/testeclikavex/README.md.gz \
    usr/share/doc/testeclikavex/README.simulador.md.gz \
    usr/share/doc/testeclikavex/changelog.gz \
    usr/share/doc/testeclikavex/copyright \
    usr/share/icons/hicolor/scalable/apps/testeclikavex.svg \
    usr/share/lintian/overrides/testeclikavex \
    usr/share/man/man1/TesteCliKavex.1.gz | sort)
actual=$(dpkg-deb -c "$DEB" | awk '{print $6}' | grep -v '/$' | sort)
[ "$actual" = "$expected" ] || falha "$(printf 'file list differs (expected, actual):\n'; diff <(echo "$expected") <(echo "$actual"))"

lintian --fail-on error,warning "$DEB" "$DBGSYM" >"$WORK/lintian.log" 2>&1 || {
    cat "$WORK/lintian.log"
    falha "lintian found errors or warnings"
}

depends=$(dpkg-deb -f "$DEB" Depends | tr ',' '\n' | awk '{print $1}')
for d in libcups2 qt6-qpa-plugins libqt6widgets6; do
    grep -qx "$d" <<<"$depends" || falha "Depends lacks $d: $depends"
done

dpkg-deb -x "$DEB" "$WORK/root"
dpkg-deb -x "$DBGSYM" "$WORK/dbgsym"
# Outputs are read whole before they are searched: a search that stops at
# the first match would cut its writer off and fail the pipeline.
for b in "${binaries[@]}"; do
    kind=$(file -b "$WORK/root/$b")
    [[ $kind == *", stripped"* ]] || falha "$b is not stripped: $kind"
    sections=$(readelf -S "$WORK/root/$b")
    ! grep -q '\.debug_info' <<<"$sections" || falha "$b carries debug information"
    id=$(readelf -n "$WORK/root/$b" | awk '/Build ID:/ {print $3}')
    debug="$WORK/dbgsym/usr/lib/debug/.build-id/${id:0:2}/${id:2}.debug"
    sections=$(readelf -S "$debug" 2>&1 || true)
    grep -q '\.debug_info' <<<"$sections" || falha "no debug information for $b (build ID '$id')"
done

read -r format <"$WORK/root/usr/share/doc/testeclikavex/copyright"
[ "$format" = 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ] ||
    falha "the copyright file is not in the machine-readable format"
version=$(dpkg-deb -f "$DEB" Version)
newest=$(zcat "$WORK/root/usr/share/doc/testeclikavex/changelog.gz")
[[ ${newest%%$'\n'*} == "testeclikavex ($version) "* ]] || falha "the change log's newest entry is not version $version"

console="$WORK/root/usr/bin/TesteCliKavex"
manual=$(zcat "$WORK/root/usr/share/man/man1/TesteCliKavex.1.gz")
for option in $(QT_QPA_PLATFORM=offscreen "$console" --help | grep -o -- '--[a-z][a-z-]*' | sort -u); do
    grep -qF -- "${option//-/\\-}" <<<"$manual" || falha "the manual page does not document $option"
done

shown=$(QT_QPA_PLATFORM=offscreen "$console" --version)
grep -q "^TesteCliKavex $version" <<<"$shown" || falha "version: $shown"
KAVEX_SIM_LOG="$WORK/calls.jsonl" "$console" --run "$TOP/examples/certificacao.json" >"$WORK/run.tap" ||
    { cat "$WORK/run.tap"; falha "the unpacked console did not run the script on the unpacked simulator"; }
[ -s "$WORK/calls.jsonl" ] || falha "the simulator logged no call"

# A user who cannot write the installed program's folder: the address that
# "&Configura" remembers goes to the user's own data folder.
source "$TOP/tests/e2e/lib.sh"
e2e_start_display
E2E_TMP=$WORK
casa=$WORK/casa
mkdir "$casa"
chmod 755 "$WORK"
chown 65534:65534 "$casa"
setpriv --reuid=65534 --regid=65534 --clear-groups env -u XDG_DATA_HOME HOME="$casa" QT_QPA_PLATFORM=xcb \
    "$console" >"$casa/console.log" 2>&1 &
E2E_APP=$!
janela=$(e2e_wait_window "Teste CliKavex Interativo")
[ -n "$janela" ] || falha "no window for another user: $(cat "$casa/console.log")"
xdotool windowfocus --sync "$janela" 2>/dev/null || true
sleep 0.3
xdotool key --delay 50 alt+c
e2e_wait_line "$casa/.local/share/TesteCliKavex/Config.ini" '^IPs=localhost;' ||
    falha "the address was not remembered in the user's folder: $(cat "$casa/console.log")"
echo "package ok: $(basename "$DEB") $(basename "$DBGSYM")"
