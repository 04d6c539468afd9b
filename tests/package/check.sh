#!/usr/bin/env bash
# Unpacks one download into an empty folder and runs its programs from there,
# as a user who has just downloaded it would:
#
#   check.sh ZIP VERSION WINE   keyvane-census.exe tells its version and lists
#                               the hotkeys; Keyvane.exe shows its main window
#   check.sh DEB VERSION        the census from a `dpkg -x` tree; the package
#                               declares its run-time dependencies and lintian
#                               finds no error and no warning
#
# Needs an X display (DISPLAY) and, for a zip, the Wine prefix to run it in.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../support/checks.sh"
archive=$1 version=$2 wine=${3:-}
check_subject=$(basename "$archive")
folder=$(mktemp -d)
keyvane=
cleanup() {
    [ -n "$keyvane" ] && kill "$keyvane" 2>/dev/null
    rm -rf "$folder"
}
trap cleanup EXIT

# census ARGS...: runs the unpacked census; its output without CRs.
check_census() {
    local out status
    out=$(timeout 60 "$@" --version </dev/null 2>&1 | tr -d '\r')
    expect "the census's version" "keyvane-census $version" "$out"
    timeout 60 "$@" list >"$folder.list" 2>&1 </dev/null
    status=$?
    expect "the census's list runs" 0 "$status"
    rm -f "$folder.list"
}

case $archive in
*.zip)
    export WINEDEBUG=-all
    unzip -q "$archive" -d "$folder"
    other=64
    [[ $archive == *-win64.zip ]] && other=32
    expect "files" "Keyvane.exe LICENSE.txt README.txt THIRD-PARTY-NOTICES.txt keyvane-census.exe keyvane-who-helper$other.exe keyvane-who-hook32.dll keyvane-who-hook64.dll" \
        "$(cd "$folder" && LC_ALL=C ls | tr '\n' ' ' | sed 's/ $//')"
    check_census "$wine" "$folder/keyvane-census.exe"
    "$wine" "$folder/Keyvane.exe" </dev/null >/dev/null 2>&1 &
    keyvane=$!
    window=$(timeout 60 xdotool search --sync --name '^Keyvane :: ' | head -n 1)
    expect "Keyvane.exe shows its main window" yes "$([ -n "$window" ] && echo yes || echo no)"
    # Esc, as a user would; keys go to the window under the pointer.
    if [ -n "$window" ]; then
        xdotool mousemove --window "$window" 40 60 sleep 0.5 key Escape
    fi
    timeout 30 tail --pid="$keyvane" -f /dev/null
    expect "Keyvane.exe ends when its window closes" yes "$(kill -0 "$keyvane" 2>/dev/null && echo no || echo yes)"
    ;;
*.deb)
    dpkg -x "$archive" "$folder"
    depends=$(dpkg-deb -f "$archive" Depends)
    expect "depends on Xlib" yes "$(grep -q 'libx11-6' <<<"$depends" && echo yes || echo no)"
    check_census "$folder/usr/bin/keyvane-census"
    lintian=$(lintian --fail-on error,warning "$archive" 2>&1)
    status=$?
    expect "lintian finds no error or warning" 0 "$status"
    [ $status -eq 0 ] || echo "$lintian" >&2
    ;;
*)
    echo "check.sh: $archive is neither a zip nor a .deb" >&2
    exit 2
    ;;
esac
finish_checks
