#!/usr/bin/env bash
# The hidden picture: Ctrl+Alt+Shift+Win+G opens it only when Shift was held
# while Keyvane started; it is a bare 84 x 68 picture without caption or
# border, dragged by the picture, closed by a double click, and the hotkey
# opens another one on top of an open one.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

hotkey() { x key ctrl+alt+shift+super+g; }

# read_picture INDEX: reads picture INDEX (0 = topmost) of the last report
# into picture_{left,top,right,bottom}.
read_picture() {
    read -r picture_left picture_top picture_right picture_bottom <<<"$(field "picture$1.window")"
}

# pictures COUNT: waits until COUNT picture windows are open and reports them.
pictures() {
    probe pictures "$keyvane_pid" "$1" || die "expected $1 picture windows"
}

# double_click INDEX: double-clicks the middle of picture INDEX of the last report.
double_click() {
    read_picture "$1"
    x mousemove $(((picture_left + picture_right) / 2)) $(((picture_top + picture_bottom) / 2))
    x click --repeat 2 --delay 80 1
}

# hotkeys_in_use: the count in the main dialog's title.
hotkeys_in_use() { awk '{ print $3 }' <<<"$title"; }

start_keyvane
others=$(hotkeys_in_use)
# Keys go to the window under the pointer: the main dialog's list.
hotkey
sleep 2
probe pictures "$keyvane_pid" || die "no report on picture windows"
expect "pictures opened by the hotkey when Shift was up at start" 0 "$(field pictures)"
stop_keyvane

start_keyvane --shift
# The hotkey is taken before the census, which counts it with the others'.
expect "hotkeys in use with Shift held at start" $((others + 1)) "$(hotkeys_in_use)"
hotkey
pictures 1
expect "title length" 0 "$(field picture0.title)"
expect "frame styles, extended frame styles" "0 0" "$(field picture0.frame)"
read_picture 0
expect "client size (the whole window)" "$((picture_right - picture_left)) $((picture_bottom - picture_top))" \
    "$(field picture0.client)"
expect "picture control size" "84 68" "$(field picture0.control)"
expect "bitmap shown" 1 "$(field picture0.image)"
expect "bitmap size" "84 68" "$(field picture0.bitmap)"
# The window may show before it is painted.
for _ in 1 2 3 4 5; do
    [ "$(field picture0.shown)" = $((84 * 68)) ] && break
    sleep 0.5
    pictures 1
done
expect "bitmap pixels on the screen" $((84 * 68)) "$(field picture0.shown)"

opened="$picture_left $picture_top"
x=$(((picture_left + picture_right) / 2)) y=$(((picture_top + picture_bottom) / 2))
drag "$x" "$y" $((x + 150)) $((y + 120)) 10
pictures 1
expect "picture dragged 150 right and 120 down from $opened" \
    "$((picture_left + 150)) $((picture_top + 120))" "$(field picture0.window | cut -d' ' -f1-2)"
moved=$(field picture0.window | cut -d' ' -f1-2)

# Over the picture now: the hotkey is the system's, whichever window has the keys.
hotkey
pictures 2
expect "topmost of two pictures" "$opened" "$(field picture0.window | cut -d' ' -f1-2)"
expect "the earlier picture beneath it" "$moved" "$(field picture1.window | cut -d' ' -f1-2)"

double_click 0
pictures 1
expect "picture left after the topmost was double-clicked" "$moved" "$(field picture0.window | cut -d' ' -f1-2)"
double_click 0
pictures 0
expect "pictures after both were double-clicked" 0 "$(field pictures)"
probe main "$keyvane_pid" || die "the main dialog closed with the pictures"

finish_checks
