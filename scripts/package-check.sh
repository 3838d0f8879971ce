#!/usr/bin/env bash
# Builds the Debian package from a finished build folder and checks it: its file list, its
# dependency line, and, unpacked into a scratch root, that the installed programs run.
#   bash scripts/package-check.sh [BUILD_FOLDER]      (default build/test)
set -euo pipefail
build=$(cd "${1:-build/test}" && pwd)
fail() { echo "package-check: $*" >&2; exit 1; }

cd "$build"
rm -f orlin_*.deb
cpack -G DEB > cpack.log 2>&1 || { cat cpack.log; fail "cpack failed"; }
debs=(orlin_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "expected one orlin_*.deb, found: ${debs[*]}"
deb=${debs[0]}
version=$(dpkg-deb -f "$deb" Version)

files=$(dpkg-deb -c "$deb" | awk '{print $6}')
for f in usr/bin/orlin usr/bin/orlin-cli usr/bin/orlin-phonesim usr/bin/orlin-desktop \
         usr/share/orlin/orlinres.dll usr/share/orlin/info.txt usr/share/orlin/c350.jpg \
         usr/share/applications/orlin.desktop usr/share/icons/hicolor/scalable/apps/orlin.svg \
         usr/share/man/man1/orlin-cli.1; do
  grep -qx "\./$f" <<< "$files" || fail "$deb lacks /$f"
done
# Nothing of the tests, the benchmarks or the build goes into the package.
if grep -E 'test|bench|fuzz|\.a$|include/' <<< "$files"; then fail "$deb holds build files"; fi

depends=$(dpkg-deb -f "$deb" Depends)
names=$(tr ',|' '\n\n' <<< "$depends" | awk '{print $1}')
for d in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libical3 libfluidsynth3 \
         timgm6mb-soundfont qt6-image-formats-plugins; do
  grep -qxF "$d" <<< "$names" || fail "Depends lacks $d: $depends"
done

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root"
got=$("$root/usr/bin/orlin-cli" --version)
[ "$got" = "orlin-cli $version" ] || fail "installed orlin-cli --version says '$got', not 'orlin-cli $version'"
got=$(QT_QPA_PLATFORM=offscreen "$root/usr/bin/orlin" --version)
[ "$got" = "Orlin $version" ] || fail "installed orlin --version says '$got', not 'Orlin $version'"
# The desktop launcher makes the per-user folder and starts the program in it.
got=$(cd / && HOME="$root/home" XDG_DATA_HOME= QT_QPA_PLATFORM=offscreen \
      "$root/usr/bin/orlin-desktop" --version 2> /dev/null)
[ "$got" = "Orlin $version" ] || fail "orlin-desktop --version says '$got'"
[ -d "$root/home/.local/share/orlin" ] || fail "orlin-desktop made no ~/.local/share/orlin"
# Started in a folder of its own (as the desktop launcher does), the installed program finds
# its resources in share/orlin: were they missing, an error box would hold it open.
work="$root/work"
mkdir "$work"
printf '[PORT CONFIG]\r\nPort=COM3\r\nBaudRate=19200\r\nTimeOut=1000\r\n' > "$work/portcfg.ini"
(cd "$work" && QT_QPA_PLATFORM=offscreen timeout 30 "$root/usr/bin/orlin" --tab terminal \
    --screenshot shot.png --quit-after 1000 2> /dev/null) ||
  fail "the installed orlin did not start cleanly from a folder of its own"
[ -s "$work/shot.png" ] || fail "the installed orlin wrote no screenshot"
grep -q '^\.SH DESCRIPTION' "$root/usr/share/man/man1/orlin-cli.1" || fail "the manual page has no text"
echo "package-check: $deb ($version) is whole; Depends: $depends"
