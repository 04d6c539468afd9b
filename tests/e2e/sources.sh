#!/usr/bin/env bash
# Every source on request: a shortcut file's hotkey is no row of the census;
# Shift+F10, then S shows it, with its Source and holder, beside the
# registered rows; who on the list sorted anew names each row's own holder;
# Shift+F10, S again returns to the census. The holder program is
# $KEYVANE_WHO_HOLDER.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

[ -f "${KEYVANE_WHO_HOLDER:-}" ] || die "KEYVANE_WHO_HOLDER names no holder program"
holder_exe=Z:$(realpath "$KEYVANE_WHO_HOLDER" | tr / '\\')
holder_name=$(basename "$KEYVANE_WHO_HOLDER")
holder_pids=()
shortcut=

undo() {
    local pid
    for pid in "${holder_pids[@]}"; do
        probe kill "$pid" || echo "could not end the holder (Windows process $pid)" >&2
    done
    [ -z "$shortcut" ] || probe remove "$shortcut" || echo "could not remove $shortcut" >&2
}
trap 'undo; cleanup' EXIT

hold() {
    probe hold "$holder_exe" "$1" || die "no holder of $1"
    holder_pids+=("$(field pid)")
}

menu_key() {
    x key shift+F10
    sleep 0.5
    x key "$1"
    sleep "$2"
}

copy_list() {
    x key ctrl+c
    sleep 0.5
    probe clipboard || die "no clipboard"
}

# row_with TEXT: the copied line that holds TEXT.
row_with() { grep -a -- "$1" "$e2e_scratch/report" | head -n 1 | sed 's/\r$//; s/^line[0-9]* //'; }
# cell N TEXT: cell N (from 1) of the copied line that holds TEXT.
cell() { row_with "$2" | cut -d'|' -f"$1"; }
copied_rows() { echo $(($(field lines) - 1)); }
hotkeys_in_use() { awk '{ print $3 }' <<<"$title"; }

hold 3:4b # Ctrl+Alt+K
k_holder=${holder_pids[-1]}
hold 3:4a # Ctrl+Alt+J
j_holder=${holder_pids[-1]}
probe shortcut keyvane-e2e-sources.lnk 3:4c || die "no shortcut file" # Ctrl+Alt+L
shortcut=$(field path)

start_keyvane
copy_list
expect "no row for the shortcut file's Ctrl+Alt+L" "" "$(row_with '|0x4c|')"
census_rows=$(copied_rows)

menu_key s 2
read_main
copy_list
expect "header with every source" "Ctrl|Alt|Shift|Win|Key|Code|Held by|Source|Action" "$(field line0)"
expect "Ctrl+Alt+L's source" "shortcut" "$(cell 8 '|0x4c|')"
expect "Ctrl+Alt+L held by its file" "$shortcut" "$(cell 7 '|0x4c|')"
expect "Ctrl+Alt+K's source" "registered" "$(cell 8 '|0x4b|')"
expect "the title counts the rows shown" "$(copied_rows)" "$(hotkeys_in_use)"
[ "$(copied_rows)" -gt "$census_rows" ] || die "no more rows than the census's $census_rows"

# Key descending, twice clicked: J's and K's rows move away from their places.
header_x=$((client_left + list_left + 4 * 50 + 75)) header_y=$((client_top + list_top + 10))
x mousemove "$header_x" "$header_y" click 1
sleep 0.5
x click 1
sleep 0.5
menu_key w 0.5
# The rows of other sources cannot be asked: the dialog says so, then asks
# before it presses the others, none being selected.
x key Return
probe question "$keyvane_pid"
x key y
sleep 3
copy_list
expect "Ctrl+Alt+K's holder after the sort" "$holder_name ($k_holder)" "$(cell 7 '|0x4b|')"
expect "Ctrl+Alt+J's holder after the sort" "$holder_name ($j_holder)" "$(cell 7 '|0x4a|')"
expect "Ctrl+Alt+L still held by its file" "$shortcut" "$(cell 7 '|0x4c|')"

menu_key s 1
read_main
copy_list
expect "header of the census again" "Ctrl|Alt|Shift|Win|Key|Code|Held by" "$(field line0)"
expect "no row for Ctrl+Alt+L again" "" "$(row_with '|0x4c|')"
expect "the census's rows again" "$census_rows" "$(copied_rows)"

finish_checks
