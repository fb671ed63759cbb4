#!/usr/bin/env bash
# Checks the Debian package: lintian without errors or warnings, the desktop
# entry and the AppStream metadata valid, dependencies declared; then the
# programs of the package download a small synthetic league and print a race
# card. As root on a machine where quindle is not installed, the package is
# really installed with dpkg -i and removed with dpkg -r (leaving nothing in
# /usr); elsewhere its files are unpacked into a folder and run from there.
# Usage: debian_package.sh PACKAGE.deb
set -euo pipefail
deb="$(realpath "$1")"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# Lintian refuses nothing of ours, and warns of nothing either.
if lintian --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1; then
    echo "lintian: no error, no warning"
else
    cat "$work/lintian.log" >&2
    echo "debian_package: lintian found errors or warnings" >&2
    exit 1
fi
grep -q '^ Depends: .*libc6' <(dpkg-deb -I "$deb") || {
    echo "debian_package: no library dependencies declared" >&2
    exit 1
}

dpkg-deb -x "$deb" "$work/root"
desktop-file-validate "$work/root/usr/share/applications/"*.desktop
appstreamcli validate --no-net --pedantic "$work/root/usr/share/metainfo/"*.metainfo.xml >"$work/as.log" 2>&1 || {
    cat "$work/as.log" >&2
    echo "debian_package: the AppStream metadata is not valid" >&2
    exit 1
}
echo "desktop entry and AppStream metadata: valid"
# Where the help commands of an installed window look for the guide.
[ -s "$work/root/usr/share/quindle/Quindle.pdf" ] || {
    echo "debian_package: no user guide in /usr/share/quindle" >&2
    exit 1
}

installed=0
if [ "$(id -u)" = 0 ] && ! dpkg -s quindle >/dev/null 2>&1; then
    dpkg -i "$deb" >/dev/null
    installed=1
    bin=/usr/bin
else
    bin="$work/root/usr/bin"
fi
remove() {
    [ "$installed" = 1 ] || return 0
    dpkg -r quindle >/dev/null
    installed=0
    local left
    left="$(ls /usr/bin/quindle /usr/bin/quindle-cli /usr/share/metainfo/jp.quindle.* 2>/dev/null || true)"
    [ -z "$left" ] || { echo "debian_package: dpkg -r left $left" >&2; exit 1; }
    echo "dpkg -r: removed cleanly"
}
trap 'remove; rm -rf "$work"' EXIT

version="$("$bin/quindle-cli" --version)"
window_version="$("$bin/quindle" --version)"
[ "$window_version" = "quindle $version" ] || {
    echo "debian_package: quindle --version says '$window_version', quindle-cli '$version'" >&2
    exit 1
}
# An installed program keeps its data in the user's data folder, even as root.
export HOME="$work/user" XDG_DATA_HOME=
"$bin/quindle-cli" jvgen --out "$work/league" --size small >/dev/null 2>"$work/jvgen.log"
"$bin/quindle-cli" download --store "$work/league" --setup --from "2024/01/01 00:00:00" \
    >"$work/download.log" 2>&1 || { cat "$work/download.log" >&2; exit 1; }
data="$HOME/.local/share/quindle"
[ -d "$data/Data" ] || { echo "debian_package: no data in $data" >&2; exit 1; }
day="$("$bin/quindle-cli" days | head -n 1)"
"$bin/quindle-cli" card --day "$day" --race 0 >"$work/card.txt"
[ -s "$work/card.txt" ] || { echo "debian_package: empty card" >&2; exit 1; }
echo "debian_package: $([ "$installed" = 1 ] && echo installed || echo unpacked) $version;" \
    "downloaded into the user's data folder; card of $day: $(wc -l <"$work/card.txt") lines"
remove
