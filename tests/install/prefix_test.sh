#!/usr/bin/env bash
# `cmake --install` into staging folders, as a packager or `make install`
# does, and the installed game started from elsewhere: a DESTDIR with spaces
# for the prefix /usr, and the prefixes /usr/local and /opt/nebulor. Each
# tree holds exactly the game, its menu entry, icons, metainfo, manual page
# and notices under its prefix; the game runs without a display from a
# folder outside the tree and the build, and keeps its files in the player's
# own folder, writing nothing beside itself or into the working folder.
#
#   tests/install/prefix_test.sh BUILD-FOLDER BUILD/nebulor-save-info
set -euo pipefail

# shellcheck source=tests/install/headless_game.sh
source "$(dirname "$(realpath "$0")")/headless_game.sh"

[ $# -eq 2 ] || { echo "usage: $0 BUILD-FOLDER BUILD/nebulor-save-info" >&2; exit 2; }
build=$(realpath "$1")
save_info=$(realpath "$2")
command -v identify >/dev/null || { echo "$0: identify is missing (scripts/install-deps.sh installs imagemagick)" >&2; exit 2; }

work=$(mktemp -d "${TMPDIR:-/tmp}/nebulor-install.XXXXXX")
pids=()
on_exit() {
    local pid
    for pid in "${pids[@]}"; do process_running "$pid" && kill -9 "$pid" 2>/dev/null; done
    rm -rf "$work"
}
trap on_exit EXIT

# What every install holds, below its prefix.
expected_files() {
    local size
    printf '%s\n' games/nebulor share/applications/nebulor.desktop \
        share/metainfo/invalid.nebulor.nebulor2.metainfo.xml share/man/man6/nebulor.6.gz \
        share/doc/nebulor/copyright share/doc/nebulor/changelog.Debian.gz
    for size in 16 24 32 48 64 128 256 512; do echo "share/icons/hicolor/${size}x${size}/apps/nebulor.png"; done
    [ ! -e "$build/Intro.mpg" ] || echo share/nebulor/Intro.mpg
}

# install_and_play NAME DESTDIR PREFIX
install_and_play() {
    local name=$1 destdir=$2 prefix=$3
    local root=$destdir$prefix home="$work/home of $name" elsewhere="$work/elsewhere $name" size file
    log "$name: DESTDIR '$destdir', prefix $prefix"
    DESTDIR=$destdir cmake --install "$build" --prefix "$prefix" >"$work/$name-install.log" 2>&1 ||
        die "$name: cmake --install failed: $(tail -5 "$work/$name-install.log")"

    # Nothing outside the prefix, nothing missing, nothing more.
    (cd "$destdir" && find . -type f | sed 's|^\./||' | sort) >"$work/$name-found"
    expected_files | sed "s|^|${prefix#/}/|" | sort >"$work/$name-expected"
    diff "$work/$name-expected" "$work/$name-found" >&2 || die "$name: the installed files differ from the list above"
    [ -x "$root/games/nebulor" ] || die "$name: the game is not executable"
    for size in 16 24 32 48 64 128 256 512; do
        file=$root/share/icons/hicolor/${size}x${size}/apps/nebulor.png
        [ "$(identify -format '%m %wx%h' "$file")" = "PNG ${size}x${size}" ] || die "$name: $file is no ${size} px PNG"
    done

    mkdir -p "$home" "$elsewhere"
    (cd "$destdir" && find . | sort) >"$work/$name-tree-before"
    start_game "$root/games/nebulor" "$home" "$elsewhere"
    pids+=("$PID")
    local folder
    folder=$(player_folder "$home")
    wait_for_file "$folder/Nebulor.Dat" 60 "$PID" ||
        die "$name: no save in the player's folder (game output: $(tail -5 "$elsewhere/game.log"))"
    process_running "$PID" || die "$name: the game ended by itself: $(tail -5 "$elsewhere/game.log")"
    # SIGTERM is answered once the loading window's jingle is over, by the
    # main loop's normal shutdown.
    stop_game "$PID" "$name: the installed game"
    check_new_player_save "$save_info" "$folder" "$name"
    (cd "$destdir" && find . | sort) >"$work/$name-tree-after"
    diff "$work/$name-tree-before" "$work/$name-tree-after" >&2 || die "$name: the game wrote into its installed tree"
    [ "$(ls -A "$elsewhere")" = game.log ] || die "$name: the game wrote into its working folder: $(ls -A "$elsewhere")"
    log "$name: installed, played and saved in $folder"
}

install_and_play spaces "$work/stage with spaces" /usr
install_and_play local "$work/local" /usr/local
install_and_play opt "$work/opt" /opt/nebulor
log "all installs passed"
