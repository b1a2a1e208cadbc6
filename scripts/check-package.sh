#!/usr/bin/env bash
# The Debian package as a player meets it (CI runs this as root after `make
# test`): build it, install it with apt-get, validate the menu entry, the
# metainfo and the manual page where they were installed, play the installed
# /usr/games/nebulor in a real X window from another folder (the first start
# and the first spin of the window suite), let two users play it at once,
# then remove it and check that no file of it is left.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
BUILD=${BUILD:-build}

log() { printf '[package %s] %s\n' "$(date +%H:%M:%S)" "$*"; }
die() {
    log "FAILED: $*"
    exit 1
}
[ "$(id -u)" -eq 0 ] || die "installing the package needs root"
export DEBIAN_FRONTEND=noninteractive

make package BUILD="$BUILD"
debs=("$BUILD"/nebulor_2.5.*_amd64.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || die "expected one package in $BUILD, found: ${debs[*]}"
deb=$(realpath "${debs[0]}")
depends=$(dpkg-deb -f "$deb" Depends)
log "$(basename "$deb"): $(du -k "$deb" | cut -f1) KiB, installed $(dpkg-deb -f "$deb" Installed-Size) KiB"
log "depends on: $depends"
! grep -q -- '-dev\b' <<<"$depends" || die "a development package among the dependencies"
dpkg-deb -c "$deb" | awk '{ print substr($6, 2) }' | grep -v '/$' >"$BUILD/package-files.txt"

if dpkg-query -W -f='${Status}' nebulor 2>/dev/null | grep -q 'install ok installed'; then
    log "removing an earlier install first"
    apt-get remove -y -qq nebulor >/dev/null
fi
apt-get install -y -qq "$deb" >/dev/null
while read -r file; do
    [ -e "$file" ] || die "$file of the package was not installed"
done <"$BUILD/package-files.txt"

log "validating the menu entry, the metainfo and the manual page"
desktop-file-validate /usr/share/applications/nebulor.desktop
appstreamcli validate --no-net /usr/share/metainfo/invalid.nebulor.nebulor2.metainfo.xml
# The package's own tree: the metainfo with the desktop entry and icons it names.
tree=$(mktemp -d)
dpkg-deb -x "$deb" "$tree"
appstreamcli validate-tree --no-net "$tree"
rm -rf "$tree"
warnings=$(man --warnings 6 nebulor 2>&1 >/dev/null) || die "man 6 nebulor failed: $warnings"
[ -z "$warnings" ] || die "man --warnings: $warnings"
[ "$(man -w 6 nebulor)" = /usr/share/man/man6/nebulor.6.gz ] || die "man finds $(man -w 6 nebulor)"

log "playing the installed game in a real window, from another folder"
elsewhere=$(mktemp -d)
(cd "$elsewhere" && NEBULOR_E2E_STEPS="first_start first_spin" \
    bash "$repo/tests/e2e/window_test.sh" /usr/games/nebulor "$repo/$BUILD/nebulor-save-info")
rmdir "$elsewhere"

log "two users at once"
bash tests/install/two_users_test.sh /usr/games/nebulor "$BUILD/nebulor-save-info"

log "removing the package"
apt-get remove -y -qq nebulor >/dev/null
status=$(dpkg-query -W -f='${Status}' nebulor 2>/dev/null || true)
[ -z "$status" ] || [[ $status == *not-installed ]] || die "after apt-get remove the package is '$status'"
while read -r file; do
    [ ! -e "$file" ] || die "$file is still there after apt-get remove"
done <"$BUILD/package-files.txt"
for folder in /usr/share/nebulor /usr/share/doc/nebulor; do
    [ ! -e "$folder" ] || die "$folder is still there after apt-get remove"
done
log "installed, played, validated and removed without a trace"
