# The Wine environment of the scripts in scripts/: a Wine prefix for each
# build, a private X display, and on exit the end of every process they
# started. Source build.sh and arch.sh first, then choose a build with
# keyvane_use_arch.
#
# The prefixes are $KEYVANE_BUILD_ROOT/wineprefix-ARCH, or
# $KEYVANE_BUILD_ROOT/wineprefix-desktop-ARCH when there is a display already:
# a desktop's window manager frames the windows, and the private display's
# settings below would keep it from doing so. A 32-bit and a 64-bit prefix
# never share a folder.

if [ -n "${DISPLAY:-}" ]; then
    keyvane_prefix_stem=$KEYVANE_BUILD_ROOT/wineprefix-desktop
else
    keyvane_prefix_stem=$KEYVANE_BUILD_ROOT/wineprefix
fi
# Nothing of the user's own Wine set-up applies to ours, and until a build is
# chosen there is no prefix whose processes the clean-up would end.
unset WINEPREFIX WINEARCH WINELOADER
export WINEDEBUG=${WINEDEBUG:--all}
# The program needs neither Mono nor Gecko: no installer dialogs for them. Nor
# does anything here want Wine's menu builder, which would copy every shortcut
# the tests write onto the Desktop into the user's home as a .desktop file.
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe="

keyvane_scratch=$(mktemp -d)
keyvane_xvfb_pid=
keyvane_child_pid=

keyvane_cleanup() {
    # Clean-up goes on past anything that is already gone.
    set +e
    if [ -n "$keyvane_child_pid" ]; then
        kill "$keyvane_child_pid" 2>/dev/null
        wait "$keyvane_child_pid" 2>/dev/null
    fi
    keyvane_stop_wine
    if [ -n "$keyvane_xvfb_pid" ]; then
        kill "$keyvane_xvfb_pid" 2>/dev/null
        wait "$keyvane_xvfb_pid" 2>/dev/null
    fi
    rm -rf "$keyvane_scratch"
}
trap keyvane_cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# keyvane_run COMMAND...: runs the command and returns its status. Bash handles
# a signal only once a foreground command has ended; waiting for a background
# one lets a signal stop the script, and the clean-up end the command, at once.
keyvane_run() {
    local status=0
    "$@" &
    keyvane_child_pid=$!
    wait "$keyvane_child_pid" || status=$?
    # Its number may go to another process once it has ended.
    keyvane_child_pid=
    return $status
}

# Starts an Xvfb on the first free display number and points DISPLAY at it.
keyvane_start_xvfb() {
    local cookie display
    cookie=$(mcookie)
    export XAUTHORITY=$keyvane_scratch/Xauthority
    # The server accepts every cookie in its file, whatever display the entry
    # names; clients look for their own display's entry, added once it is known.
    touch "$XAUTHORITY"
    xauth -q -f "$XAUTHORITY" add :0 . "$cookie"
    mkfifo "$keyvane_scratch/display"
    # Without -noreset the server resets whenever its last client leaves, and
    # refuses the next test program's connection while it does.
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset -auth "$XAUTHORITY" \
        3>"$keyvane_scratch/display" 2>"$keyvane_scratch/xvfb.log" &
    keyvane_xvfb_pid=$!
    if ! read -r -t 30 display <"$keyvane_scratch/display"; then
        echo "Xvfb did not start:" >&2
        cat "$keyvane_scratch/xvfb.log" >&2
        exit 1
    fi
    xauth -q -f "$XAUTHORITY" add ":$display" . "$cookie"
    export DISPLAY=:$display
}

# Xvfb has no window manager. Wine draws window frames itself (the tests drag
# windows by their captions) and does not wait for a manager to take windows
# down, which costs two seconds for every window closed.
keyvane_x11_settings=(Decorated Managed)

# keyvane_use_arch ARCH: the Wine loader (KEYVANE_WINE) and prefix of that
# build for every Wine command from here on.
keyvane_use_arch() {
    keyvane_arch=$1
    KEYVANE_WINE=${KEYVANE_WINE_LOADERS[$1]}
    # Wine starts further processes of the prefix with this loader.
    export WINELOADER=$KEYVANE_WINE
    export WINEPREFIX=$keyvane_prefix_stem-$1
}

# Creates the prefix on first use and, on the private display, turns the
# settings above off in it.
keyvane_prepare_prefix() {
    local setting missing=()
    if [ ! -e "$WINEPREFIX/system.reg" ]; then
        echo "Creating the Wine prefix $WINEPREFIX"
        # The 32-bit half of a 64-bit prefix is set up by 32-bit programs; the
        # 64-bit build does without it.
        if [ -n "$keyvane_no_32bit_reason" ]; then
            echo "It gets no 32-bit half: Wine's complaint about syswow64\\rundll32.exe (c0000135) is harmless."
        fi
        WINEARCH=${KEYVANE_WINEARCH[$keyvane_arch]} "$KEYVANE_WINE" wineboot --init
        # Wine's own fonts (the dialog font, the caption buttons' glyphs): Debian's
        # Wine 8 does not look for them where fonts-wine puts them.
        cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
    fi
    if [ -z "$keyvane_xvfb_pid" ]; then
        return 0
    fi
    for setting in "${keyvane_x11_settings[@]}"; do
        grep -qs "^\"$setting\"=\"N\"" "$WINEPREFIX/user.reg" || missing+=("$setting")
    done
    for setting in "${missing[@]}"; do
        "$KEYVANE_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v "$setting" /t REG_SZ /d N /f >/dev/null
    done
    # The server writes the registry to disk when it stops.
    if [ ${#missing[@]} -ne 0 ]; then
        wineserver -w
    fi
}

# Keeps one Wine server and Wine's own services running until the script ends
# or keyvane_stop_wine, so that they start once rather than for every program.
# They start here, not with the first test: they would hold that test's output
# pipe open for CTest.
keyvane_keep_wine_running() {
    wineserver -p
    "$KEYVANE_WINE" wineboot
}

# Ends every process of the current prefix, if there is one.
keyvane_stop_wine() {
    # wineserver -k fails when no server runs: then there is nothing to wait for.
    if [ -n "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null; then
        wineserver -w
    fi
}
