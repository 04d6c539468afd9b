#!/usr/bin/env bash
# Builds Keyvane.exe and runs it under Wine until it exits: the 32-bit build,
# or the 64-bit one on a machine that runs no 32-bit programs or with
# --arch x86_64.
#
#   scripts/run.sh [--arch i686|x86_64] [--screenshot FILE.png | --about-screenshot FILE.png]
#
# Uses $DISPLAY when there is one, a private Xvfb otherwise. With --screenshot
# it waits for the main window, saves a PNG picture of it and closes the program;
# --about-screenshot does the same for the About box, opened from the system menu.
set -euo pipefail
scripts=$(dirname "${BASH_SOURCE[0]}")
source "$scripts/lib/setup.sh"
source "$scripts/lib/build.sh"
source "$scripts/lib/arch.sh"
source "$scripts/lib/wine-env.sh"

usage() {
    echo "usage: $0 [--arch i686|x86_64] [--screenshot FILE.png | --about-screenshot FILE.png]" >&2
    exit 2
}

# Prints the id of the first visible X window whose title matches the regular
# expression $1, waiting for it while process $2 runs, for a minute at most.
wait_for_window() {
    local deadline=$((SECONDS + 60)) window
    while kill -0 "$2" 2>/dev/null && [ $SECONDS -lt $deadline ]; do
        window=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1) || true
        if [ -n "$window" ]; then
            echo "$window"
            return 0
        fi
        sleep 0.5
    done
    echo "No window titled '$1' appeared." >&2
    return 1
}

keyvane_take_arch_option "$@"
set -- "${keyvane_other_args[@]}"
screenshot=
about=
if [ $# -gt 0 ]; then
    if [ $# -ne 2 ]; then
        usage
    fi
    case $1 in
    --screenshot) ;;
    --about-screenshot) about=1 ;;
    *) usage ;;
    esac
    screenshot=$2
fi

# ImageMagick's import takes the picture.
keyvane_install_packages ${screenshot:+imagemagick}
keyvane_check_32bit
keyvane_select_arches one
arch=${keyvane_arches[0]}
keyvane_build "$arch" Keyvane
exe=$(keyvane_built_exe "$arch" Keyvane)
if [ -z "${DISPLAY:-}" ]; then
    keyvane_start_xvfb
fi
keyvane_use_arch "$arch"
keyvane_prepare_prefix

if [ -z "$screenshot" ]; then
    keyvane_run "$KEYVANE_WINE" "$exe"
    exit
fi

"$KEYVANE_WINE" "$exe" &
program=$!
window=$(wait_for_window '^Keyvane ::' "$program")
# The window is mapped before its contents are painted.
sleep 1
shot=$window
if [ -n "$about" ]; then
    # Alt+Space opens the system menu, A picks "&About Keyvane...".
    xdotool windowfocus --sync "$window" key alt+space
    sleep 0.5
    xdotool key a
    shot=$(wait_for_window '^ About Keyvane$' "$program")
    sleep 1
fi
import -window "$shot" "$screenshot"
echo "Saved $screenshot"
if [ -n "$about" ]; then
    xdotool windowfocus --sync "$shot" key Escape
fi

# Esc closes the main dialog as it would for a user; Wine is stopped if it does not.
xdotool windowfocus --sync "$window" key Escape
for _ in $(seq 20); do
    kill -0 "$program" 2>/dev/null || break
    sleep 0.5
done
if kill -0 "$program" 2>/dev/null; then
    echo "Keyvane did not close on Esc; stopping Wine." >&2
    keyvane_stop_wine
fi
wait "$program" || true
