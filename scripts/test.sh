#!/usr/bin/env bash
# Builds everything for i686 and x86_64, and the X11 census natively, and runs
# the tests of each Windows build this machine runs, one after the other, with
# CTest under Wine on a private Xvfb, each build in a Wine prefix of its own;
# where both run, the 32-bit build's tests labelled wow64 once more in the
# 64-bit prefix, as on 64-bit Windows; then the X11 census's native tests on
# the same display. Exits non-zero when any run fails.
#
#   scripts/test.sh [--arch i686|x86_64] [CTEST OPTION...]
#
# --arch builds and tests that build alone, e.g.
#   scripts/test.sh --arch x86_64 -R geometry
set -euo pipefail
scripts=$(dirname "${BASH_SOURCE[0]}")
source "$scripts/lib/setup.sh"
source "$scripts/lib/build.sh"
source "$scripts/lib/arch.sh"
# Always on a private display of their own, whatever display there is.
unset DISPLAY
source "$scripts/lib/wine-env.sh"

keyvane_take_arch_option "$@"
keyvane_install_packages
keyvane_check_32bit
keyvane_select_arches all
# Without --arch, both Windows builds even where only one runs: each keeps the
# code warning-free; and the X11 census, whose tests run natively.
builds=("${KEYVANE_ARCHES[@]}" x11)
if [ -n "$keyvane_requested_arch" ]; then
    builds=("$keyvane_requested_arch")
    runs=("$keyvane_requested_arch")
else
    runs=("${keyvane_arches[@]}")
    # The 32-bit build as it mostly runs: on 64-bit Windows, where it starts
    # its 64-bit helper.
    if [ ${#keyvane_arches[@]} -eq 2 ]; then
        runs+=(wow64)
    fi
    runs+=(x11)
fi
for build in "${builds[@]}"; do
    keyvane_build "$build"
done
keyvane_start_xvfb

# keyvane_run_in RUN: the build directory, the Wine prefix's build (none for
# x11) and the CTest options of a run, in run_dir, run_arch and run_options.
keyvane_run_in() {
    run_options=("${keyvane_other_args[@]}")
    case $1 in
    wow64) run_dir=i686 run_arch=x86_64 run_options+=(-L wow64) ;;
    x11) run_dir=x11 run_arch= ;;
    *) run_dir=$1 run_arch=$1 ;;
    esac
}

# keyvane_selected_tests: how many of the run's tests its CTest options select.
keyvane_selected_tests() {
    ctest --test-dir "$KEYVANE_BUILD_ROOT/$run_dir" -N "${run_options[@]}" | sed -n 's/^Total Tests: //p'
}

# The test preset's options; the preset itself would run the tests of its own
# build directory. Serially: the hotkey tests share one window station, the X11
# tests one display. Options that select no test of any build are a mistake.
failed=()
selected=0
for run in "${runs[@]}"; do
    keyvane_run_in "$run"
    count=$(keyvane_selected_tests)
    if [ "${count:-0}" -eq 0 ]; then
        continue
    fi
    selected=$((selected + count))
    if [ "$run" = wow64 ]; then
        echo "Testing the $run_dir build in the $run_arch prefix"
    else
        echo "Testing the $run_dir build"
    fi
    if [ -n "$run_arch" ]; then
        keyvane_use_arch "$run_arch"
        keyvane_prepare_prefix
        keyvane_keep_wine_running
    fi
    keyvane_run ctest --test-dir "$KEYVANE_BUILD_ROOT/$run_dir" -j1 --output-on-failure \
        --timeout 600 "${run_options[@]}" || failed+=("$run")
    if [ -n "$run_arch" ]; then
        keyvane_stop_wine
    fi
done

if [ $selected -eq 0 ]; then
    echo "No tests were found." >&2
    exit 1
fi
if [ ${#failed[@]} -ne 0 ]; then
    echo "Tests failed for: ${failed[*]}" >&2
    exit 1
fi
echo "Tests passed for: ${runs[*]}"
