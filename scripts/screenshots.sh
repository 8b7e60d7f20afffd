#!/usr/bin/env bash
# Takes the README's pictures of the real program: builds if needed, starts it
# under Xvfb in a prepared working folder, clicks through it with xdotool and
# saves PNGs of the main window, the Czech menus mid-animation, "All Patches"
# and the "GFX Menu Maker" into docs/screenshots/.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh
root=$PWD
out=$root/docs/screenshots

scripts/setup.sh
install_missing imagemagick
scripts/build.sh

folder=$(mktemp -d)
xvfb_pid=""
program_pid=""
finish() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$folder"
}
trap finish EXIT

mkdir -p "$out"
prepare_run_folder "$folder"

start_xvfb "$folder"

(cd "$folder" && exec "$root/build/src/pikvart") &
program_pid=$!

caption="Pikvart by Lumbard"

# The visible window with this caption and this width and height (height "menu"
# for the main window, whose client area lies below a menu bar).
find_window() {
    local name=$1 width=$2 height=$3 id
    for _ in $(seq 100); do
        for id in $(xdotool search --onlyvisible --name "^$name\$" 2>/dev/null); do
            eval "$(xdotool getwindowgeometry --shell "$id")"
            if [ "$WIDTH" -eq "$width" ] && { [ "$height" = menu ] && [ "$HEIGHT" -gt 197 ] || [ "$HEIGHT" = "$height" ]; }; then
                echo "$id"
                return
            fi
        done
        sleep 0.1
    done
    echo "no window \"$name\" of $width x $height" >&2
    return 1
}

# Clicks the centre of a control given in twips (left top width height) inside a
# window whose client area is client_height pixels high and ends at its bottom.
click() {
    local id=$1 client_height=$2 left=$3 top=$4 width=$5 height=$6
    eval "$(xdotool getwindowgeometry --shell "$id")"
    local x=$((X + (left + width / 2) / 15))
    local y=$((Y + HEIGHT - client_height + (top + height / 2) / 15))
    xdotool mousemove "$x" "$y" click 1
    sleep 0.2
}

shoot() {
    xdotool mousemove 1000 760   # the pointer out of the picture, no hover
    sleep 0.3
    import -window "$1" "$out/$2"
    echo "saved docs/screenshots/$2"
}

main=$(find_window "$caption" 310 menu)
click "$main" 197 3960 2040 615 255          # "Com 2"
shoot "$main" main-window.png

click "$main" 197 0 120 1455 615             # "Gfx MENU": the Czech menus
czech=$(find_window "$caption" 310 334)
click "$czech" 334 1560 0 1515 1200          # a preview, selected (nothing shows it)
sleep 1.7                                    # a few 500 ms ticks: the previews have moved on
shoot "$czech" czech-menus.png
click "$czech" 334 720 4320 1455 495         # "Back"

main=$(find_window "$caption" 310 menu)
click "$main" 197 3120 840 1455 615          # "All Patches"
patches=$(find_window "$caption" 310 334)
click "$patches" 334 0 300 4575 300          # a file lower in the list
shoot "$patches" all-patches.png
click "$patches" 334 720 4320 1455 495       # "Back"

main=$(find_window "$caption" 310 menu)
click "$main" 197 1560 1560 1455 615         # "Gfx Menu Maker"
maker=$(find_window "GFX Menu Maker" 379 337)
downs=(1 2 3 4)                              # slots 1 to 4: "Organiser" to "Audio"
for n in 1 2 3 4; do
    click "$maker" 337 120 $((600 + 360 * (n - 1))) 3015 315
    for _ in $(seq "${downs[$((n - 1))]}"); do xdotool key Down; done
done
click "$maker" 337 3360 720 240 255          # "Right soft key"
shoot "$maker" menu-maker.png
click "$maker" 337 4440 3360 1095 495        # "Exit"

wait "$program_pid" && program_pid=""
