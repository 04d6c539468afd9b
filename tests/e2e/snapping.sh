#!/usr/bin/env bash
# Keyvane's main dialog dragged by its caption: the top edge snaps to the work
# area's within 20 pixels, lets go once the pointer has carried it further,
# and Shift held lets the dialog move freely.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

# caption_drag LEFT TOP STEPS: drags the dialog by the middle of its caption
# so that its top left corner would end at LEFT,TOP; reads where it ended.
caption_drag() {
    local x=$(((window_left + window_right) / 2)) y=$(((window_top + client_top) / 2))
    drag "$x" "$y" $((x + $1 - window_left)) $((y + $2 - window_top)) "$3"
    read_main
}

start_keyvane
size="$((window_right - window_left)) x $((window_bottom - window_top))"
# Clear of the left edge, so that only the top one is near.
left=$((work_left + 100))

caption_drag "$left" $((work_top + 200)) 10
expect "dialog dragged into the open" "$left $((work_top + 200))" "$window_left $window_top"

caption_drag "$left" $((work_top + 12)) 10
expect "top dragged to 12 below the work area's" "$left $work_top" "$window_left $window_top"
expect "size after snapping" "$size" "$((window_right - window_left)) x $((window_bottom - window_top))"

# The pointer carries the top from 12 (where it would be unsnapped) to 212.
caption_drag "$left" $((work_top + 200)) 10
expect "snapped dialog dragged 200 down" "$((work_top + 212))" "$window_top"

x keydown shift
caption_drag "$left" $((work_top + 12)) 10
x keyup shift
expect "top dragged to 12 below the work area's with Shift held" "$((work_top + 12))" "$window_top"

caption_drag "$left" $((work_top + 200)) 10
caption_drag "$left" $((work_top + 21)) 10
expect "top dragged to 21 below the work area's" "$((work_top + 21))" "$window_top"

# Up to 200 from below, then in one quick move to 15: the move is judged where
# it lands, not where the previous one came from.
caption_drag "$left" $((work_top + 400)) 10
caption_drag "$left" $((work_top + 200)) 10
caption_drag "$left" $((work_top + 15)) 1
expect "top brought to 15 below the work area's in one quick move" "$work_top" "$window_top"

finish_checks
