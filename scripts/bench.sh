#!/usr/bin/env bash
# Builds the keyvane_bench target for 32-bit Windows and runs it under Wine on
# a private Xvfb; arguments go to the benchmark. Then the X11 census's
# benchmark, built natively, on the same Xvfb.
set -euo pipefail
scripts=$(dirname "${BASH_SOURCE[0]}")
source "$scripts/lib/setup.sh"
source "$scripts/lib/build.sh"
# Always on a private display of their own, whatever display there is.
unset DISPLAY
source "$scripts/lib/wine-env.sh"

keyvane_install_packages
keyvane_build i686 keyvane_bench
bench=$(keyvane_built_exe i686 keyvane_bench)
keyvane_build x11 keyvane_x11_bench
keyvane_start_xvfb
keyvane_prepare_prefix
keyvane_run wine "$bench" "$@"

# The X11 census, native, on the same display.
echo
echo "X11 census:"
keyvane_run "$KEYVANE_BUILD_ROOT/x11/bin/keyvane_x11_bench"
