#!/usr/bin/env bash
# The list's context menu through the keyboard: Shift+F10, then W asks before
# pressing every row, and once told yes names the program that holds a
# combination without letting it see the press; with a row selected it asks
# nothing. After either, the dialog keeps the keyboard with the list focused:
# F5 then takes the census again once another combination is taken, and
# Ctrl+A and Ctrl+C copy the list.
# The holder program is $KEYVANE_WHO_HOLDER.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

[ -f "${KEYVANE_WHO_HOLDER:-}" ] || die "KEYVANE_WHO_HOLDER names no holder program"
holder_exe=Z:$(realpath "$KEYVANE_WHO_HOLDER" | tr / '\\')
holder_name=$(basename "$KEYVANE_WHO_HOLDER")
holder_pids=()

stop_holders() {
    local pid
    for pid in "${holder_pids[@]}"; do
        probe kill "$pid" || echo "could not end the holder (Windows process $pid)" >&2
    done
}
trap 'stop_holders; cleanup' EXIT

# hold MODS:KEY: starts a holder of the combination; sets holder_pid and pressed_event.
hold() {
    probe hold "$holder_exe" "$1" || die "no holder of $1"
    holder_pid=$(field pid)
    pressed_event=$(field pressed)
    holder_pids+=("$holder_pid")
}

# copy_list: Ctrl+C in the list, then reads the clipboard into the report.
copy_list() {
    x key ctrl+c
    sleep 0.5
    probe clipboard || die "no clipboard"
}

# row_with TEXT: the copied line that holds TEXT.
row_with() { grep -a -- "$1" "$e2e_scratch/report" | head -n 1 | sed 's/\r$//; s/^line[0-9]* //'; }

hotkeys_in_use() { awk '{ print $3 }' <<<"$title"; }

hold 3:4b # Ctrl+Alt+K
k_holder=$holder_pid k_pressed=$pressed_event
start_keyvane
before=$(hotkeys_in_use)
expect "the new dialog has the keyboard, the list the focus" "1 1 1" "$keyboard"

# Nothing selected: the question covers every row, and asks first. No presses nothing.
x key shift+F10
sleep 0.5
x key w
probe question "$keyvane_pid"
expect "the confirmation says how many it presses" 1 "$(field question | grep -c '[1-9][0-9]* combinations\? on this desktop')"
x key n
sleep 1
probe pressed "$k_pressed" || die "cannot ask the holder"
expect "the holder saw a press after No" 0 "$(field pressed)"
copy_list
expect "header line after No" "Ctrl|Alt|Shift|Win|Key|Code" "$(field line0)"

x key shift+F10
sleep 0.5
x key w
probe question "$keyvane_pid"
x key y
sleep 3
read_main
expect "the dialog keeps the keyboard, the list its focus" "1 1 1" "$keyboard"
copy_list
expect "header line" "Ctrl|Alt|Shift|Win|Key|Code|Held by" "$(field line0)"
expect "Ctrl+Alt+K's row" "Ctrl|Alt|||K|0x4b|$holder_name ($k_holder)" "$(row_with '|0x4b|')"
probe pressed "$k_pressed" || die "cannot ask the holder"
expect "the holder saw the press" 0 "$(field pressed)"

# A selected row is asked about at once, with no message box whose closing
# would give the activation back to the dialog.
x key Home
sleep 0.5
x key shift+F10
sleep 0.5
x key w
sleep 3
read_main
expect "the dialog keeps the keyboard after asking about the selected row" "1 1 1" "$keyboard"
copy_list
expect "the selected row alone, Held by asked again" "Ctrl|Alt|||K|0x4b|$holder_name ($k_holder)" "$(field line1)"
expect "rows copied" 2 "$(field lines)"

hold 3:4a # Ctrl+Alt+J
x key F5
sleep 2
read_main
expect "hotkeys in use after F5" $((before + 1)) "$(hotkeys_in_use)"
# The selection outlives F5; Ctrl+A makes Ctrl+C copy every row.
x key ctrl+a
copy_list
expect "Ctrl+Alt+J's row after F5" "Ctrl|Alt|||J|0x4a|" "$(row_with '|0x4a|')"
expect "Ctrl+Alt+K's row after F5, Held by emptied" "Ctrl|Alt|||K|0x4b|" "$(row_with '|0x4b|')"

finish_checks
