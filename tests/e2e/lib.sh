# Shared by the end-to-end scenarios, which CTest runs as
#   bash SCENARIO.sh WINE KEYVANE_EXE PROBE_EXE
# under the test command's X display and Wine prefix. Pointer and keyboard
# input go through the X server (xdotool), as a user's would; keyvane_probe
# reports what Keyvane's windows look like afterwards. Every wait is bounded,
# and the Keyvane started here is ended however the script stops.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../support/checks.sh"

if [ $# -ne 3 ]; then
    echo "usage: $0 WINE KEYVANE_EXE PROBE_EXE" >&2
    exit 2
fi
e2e_wine=$1
e2e_keyvane=$2
e2e_probe=$3
export WINEDEBUG=${WINEDEBUG:--all}

e2e_scratch=$(mktemp -d)
keyvane_pid=

# Stops the scenario at once.
die() {
    echo "FAIL: $*" >&2
    exit 1
}

stop_keyvane() {
    if [ -n "$keyvane_pid" ]; then
        probe kill "$keyvane_pid" || echo "could not end Keyvane (Windows process $keyvane_pid)" >&2
        keyvane_pid=
    fi
}

cleanup() {
    # Nothing may stay pressed for the next test.
    timeout 10 xdotool keyup shift mouseup 1 >/dev/null 2>&1
    stop_keyvane
    rm -rf "$e2e_scratch"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# probe ARGS...: runs keyvane_probe; its report goes to $e2e_scratch/report
# (read it with `field`), its complaints to stderr. Output goes to files, not
# to CTest's pipe: Wine processes started on the way may outlive the call.
probe() {
    timeout 90 "$e2e_wine" "$e2e_probe" "$@" >"$e2e_scratch/report" 2>"$e2e_scratch/complaints" </dev/null
    local status=$?
    cat "$e2e_scratch/complaints" >&2
    return $status
}

# field NAME: the values of the report's line NAME (written with DOS line ends).
field() {
    awk -v name="$1" '{ sub(/\r$/, "") } $1 == name { $1 = ""; print substr($0, 2); exit }' "$e2e_scratch/report"
}

x() { timeout 10 xdotool "$@" || die "xdotool $* failed"; }

# drag X1 Y1 X2 Y2 STEPS: presses the left button at X1,Y1, moves to X2,Y2 in
# STEPS equal steps, as a hand would, and lets go. Each step is one pointer
# motion, so one WM_MOVING or WM_SIZING for the window being dragged.
drag() {
    local step
    x mousemove "$1" "$2"
    sleep 0.2
    x mousedown 1
    sleep 0.2
    for step in $(seq 1 "$5"); do
        x mousemove $(($1 + ($3 - $1) * step / $5)) $(($2 + ($4 - $2) * step / $5))
        sleep 0.05
    done
    sleep 0.2
    x mouseup 1
    # Lets Wine finish the move loop and the last repaint.
    sleep 0.3
}

# start_keyvane [--shift]: starts Keyvane.exe (holding Shift while it starts
# up if asked), waits for its main dialog and reads it (read_main); sets
# keyvane_pid.
start_keyvane() {
    local exe
    # Keyvane is started from inside Wine, which wants a Windows path; drive Z:
    # is the Unix root in every prefix.
    exe=Z:$(realpath "$e2e_keyvane" | tr / '\\')
    probe launch "$@" "$exe" || die "Keyvane did not start"
    keyvane_pid=$(field pid)
    read_main
    check_coordinates
}

# read_main: reads the main dialog's rectangles into the variables
# window_{left,top,right,bottom}, client_{...}, list_{...} and work_{...},
# its title into title, and where keys go into keyboard ("1 1 1": the
# dialog is foreground and active, the list has the focus).
read_main() {
    probe main "$keyvane_pid" || die "no main dialog"
    read -r window_left window_top window_right window_bottom <<<"$(field window)"
    read -r client_left client_top client_right client_bottom <<<"$(field client)"
    read -r list_left list_top list_right list_bottom <<<"$(field list)"
    read -r work_left work_top work_right work_bottom <<<"$(field workarea)"
    title=$(field title)
    keyboard=$(field keyboard)
}

# Pointer positions are given to the X server and windows are measured by
# Windows: the two agree only while X root and Windows screen coordinates do.
# Wine learns where the pointer is from its own windows, so the pointer goes
# over the main dialog (after read_main).
check_coordinates() {
    local x=$((client_left + 57)) y=$((client_top + 43))
    x mousemove "$x" "$y"
    sleep 0.2
    probe cursor || die "the probe does not run"
    [ "$(field cursor)" = "$x $y" ] ||
        die "X pointer position $x,$y is $(field cursor) in Windows screen coordinates"
}

# The surroundings the scenarios need, checked before anything is started.
[ -n "${DISPLAY:-}" ] || die "DISPLAY is not set: run the tests with the test command (scripts/test.sh) or under Xvfb"
command -v xdotool >/dev/null || die "xdotool is not installed"
command -v "$e2e_wine" >/dev/null || die "$e2e_wine is not installed"
[ -f "$e2e_keyvane" ] || die "$e2e_keyvane was not built"
[ -f "$e2e_probe" ] || die "$e2e_probe was not built"
screen=$(timeout 10 xdotool getdisplaygeometry) || die "cannot reach the X display $DISPLAY"
read -r screen_width screen_height <<<"$screen"
# The pointer cannot leave the screen, and the scenarios move it about 700 x 600.
if [ "$screen_width" -lt 800 ] || [ "$screen_height" -lt 700 ]; then
    die "the display is ${screen_width}x$screen_height; the scenarios need 800x700 at least"
fi
