#!/usr/bin/env bash
# Keyvane's main dialog sized by its borders: the width springs back to 451
# pixels when a side is dragged, the height stops at 354, Shift held lifts
# both limits, and the list keeps its margins inside the client area.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

# right_drag DX: drags the middle of the right border DX pixels to the right.
right_drag() {
    local x=$((window_right - 2)) y=$(((window_top + window_bottom) / 2))
    drag "$x" "$y" $((x + $1)) "$y" 10
    read_main
}

# bottom_drag DY: drags the middle of the bottom border DY pixels down.
bottom_drag() {
    local x=$(((window_left + window_right) / 2)) y=$((window_bottom - 2))
    drag "$x" "$y" "$x" $((y + $1)) 10
    read_main
}

width() { echo $((window_right - window_left)); }
height() { echo $((window_bottom - window_top)); }

# expect_margins WHEN: the list's distance from each side of the client area,
# left, right, top, bottom.
expect_margins() {
    expect "list margins $1" "11 10 11 12" \
        "$list_left $((client_right - client_left - list_right)) $list_top $((client_bottom - client_top - list_bottom))"
}

start_keyvane
corner="$window_left $window_top"
start_width=$(width)
start_height=$(height)

x keydown shift
right_drag 120
x keyup shift
expect "width after the right border was dragged 120 out with Shift held" $((start_width + 120)) "$(width)"

right_drag 40
expect "width after the right border was dragged 40 further out" 451 "$(width)"
expect_margins "after the width was held"

bottom_drag 150
expect "height after the bottom border was dragged 150 down" $((start_height + 150)) "$(height)"

bottom_drag -300
expect "height after the bottom border was dragged 300 up" 354 "$(height)"
expect_margins "after the height was held"

x keydown shift
bottom_drag -100
x keyup shift
expect "height after the bottom border was dragged 100 up with Shift held" 254 "$(height)"

expect "top left corner after sizing" "$corner" "$window_left $window_top"
finish_checks
