#!/usr/bin/env bash
# Builds the keyvane_bench target and runs it under Wine on a private Xvfb:
# the 32-bit build, or the 64-bit one on a machine that runs no 32-bit
# programs or with --arch x86_64. Other arguments go to the benchmark. Then the
# X11 census's benchmark, built natively, on the same Xvfb; and the Linux
# desktops' tables, read in-process and by whole census processes, with no
# display but for LXQt's daemon, which needs one.
#
#   scripts/bench.sh [--arch i686|x86_64] [BENCHMARK ARGUMENT...]
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
keyvane_select_arches one
arch=${keyvane_arches[0]}
keyvane_build "$arch" keyvane_bench
bench=$(keyvane_built_exe "$arch" keyvane_bench)
keyvane_build x11 keyvane_x11_bench
keyvane_build x11 keyvane_linux_bench
keyvane_start_xvfb
keyvane_use_arch "$arch"
keyvane_prepare_prefix
keyvane_run "$KEYVANE_WINE" "$bench" "${keyvane_other_args[@]}"
keyvane_stop_wine

# The X11 census, native, on the same display.
echo
echo "X11 census:"
keyvane_run "$KEYVANE_BUILD_ROOT/x11/bin/keyvane_x11_bench"

echo
echo "Linux desktops' tables:"
# The display is for LXQt's daemon: the benchmark reads every table without one.
keyvane_run "$KEYVANE_BUILD_ROOT/x11/bin/keyvane_linux_bench"
