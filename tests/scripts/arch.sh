# How the scripts choose the builds to run: the --arch option, the check for
# 32-bit programs, and the choice that follows from both. Run by CTest as
#   bash arch.sh SCRIPTS_LIB_DIR
source "$(dirname "${BASH_SOURCE[0]}")/checks.sh"

lib=$1

# in_scripts LOADER COMMANDS [ARG...]: runs the commands, with the arguments
# as "$@", in a fresh shell that has sourced arch.sh with LOADER as the 32-bit
# Wine loader. Prints their output and errors on one line, then "status N".
in_scripts() {
    local loader=$1 commands=$2
    shift 2
    { bash -c "source '$lib/arch.sh'; KEYVANE_WINE_LOADERS[i686]='$loader'; $commands" - "$@" 2>&1
        echo "status $?"; } | tr '\n' ' ' | sed 's/ $//'
}

# Stand-ins for the 32-bit loader: one that runs, and one the kernel refuses
# as it refuses 32-bit programs on a machine that runs none.
runs=$scratch/runs
refused=$scratch/refused
printf '#!/bin/sh\necho wine-8.0\n' >"$runs"
printf '\177ELF\001\001\001\000not a program' >"$refused"
chmod +x "$runs" "$refused"

check='keyvane_check_32bit; echo "reason [$keyvane_no_32bit_reason]"'
expect "a loader that runs" "reason [] status 0" "$(in_scripts "$runs" "$check")"
expect "a refused loader" \
    "reason [the 32-bit Wine loader fails: $refused: cannot execute binary file: Exec format error] status 0" \
    "$(in_scripts "$refused" "$check")"
expect "a missing loader" "reason [the 32-bit Wine loader $scratch/none is not installed] status 0" \
    "$(in_scripts "$scratch/none" "$check")"
expect "32-bit packages that setup could not install" "reason [the 32-bit packages wine32:i386 cannot be installed] status 0" \
    "$(in_scripts "$runs" "keyvane_32bit_setup_failure='the 32-bit packages wine32:i386 cannot be installed'; $check")"
expect "KEYVANE_ASSUME_NO_32BIT=1 with a loader that runs" "reason [KEYVANE_ASSUME_NO_32BIT is set] status 0" \
    "$(KEYVANE_ASSUME_NO_32BIT=1 in_scripts "$runs" "$check")"
expect "KEYVANE_ASSUME_NO_32BIT=0" "reason [] status 0" "$(KEYVANE_ASSUME_NO_32BIT=0 in_scripts "$runs" "$check")"

# Arguments other than --arch reach CTest or the benchmark unchanged and in order.
take='keyvane_take_arch_option "$@"; echo "arch [$keyvane_requested_arch]" $(printf "<%s>" "${keyvane_other_args[@]}")'
expect "--arch between other arguments" "arch [x86_64] <-R><a b><><-V> status 0" \
    "$(in_scripts "$runs" "$take" -R "a b" --arch x86_64 "" -V)"
expect "--arch=i686" "arch [i686] <-LE><e2e> status 0" "$(in_scripts "$runs" "$take" --arch=i686 -LE e2e)"
expect "no --arch" "arch [] <-R><geometry> status 0" "$(in_scripts "$runs" "$take" -R geometry)"
refusal="--arch takes one of: i686 x86_64 status 2"
expect "--arch without a value" "$refusal" "$(in_scripts "$runs" "$take" -R x --arch)"
expect "--arch arm" "$refusal" "$(in_scripts "$runs" "$take" --arch arm)"
expect "--arch=" "$refusal" "$(in_scripts "$runs" "$take" --arch= -R x)"
expect "--arch @" "$refusal" "$(in_scripts "$runs" "$take" --arch @)"

# choose LOADER all|one [ARG...]: the builds chosen, after whatever was said.
choose() {
    local loader=$1 kind=$2
    shift 2
    in_scripts "$loader" "keyvane_take_arch_option \"\$@\"; keyvane_check_32bit; keyvane_select_arches $kind
        echo \"runs [\${keyvane_arches[*]}]\"" "$@"
}
expect "test.sh where both run" "runs [i686 x86_64] status 0" "$(choose "$runs" all)"
expect "run.sh where both run" "runs [i686] status 0" "$(choose "$runs" one)"
expect "--arch x86_64 where both run" "runs [x86_64] status 0" "$(choose "$runs" all --arch x86_64)"
expect "--arch x86_64 without 32-bit programs: no notice" "runs [x86_64] status 0" \
    "$(choose "$refused" one --arch x86_64)"
notice="Notice: this machine runs no 32-bit programs \
(the 32-bit Wine loader fails: $refused: cannot execute binary file: Exec format error). \
Using the x86_64 build under the 64-bit Wine loader instead. \
To run them, boot Linux with the kernel parameter ia32_emulation=on."
expect "test.sh without 32-bit programs" "$notice runs [x86_64] status 0" "$(choose "$refused" all)"
expect "run.sh without 32-bit programs" "$notice runs [x86_64] status 0" "$(choose "$refused" one)"
expect "--arch i686 without 32-bit programs: an error, not a fallback" \
    "Cannot run the i686 build: this machine runs no 32-bit programs \
(the 32-bit Wine loader fails: $refused: cannot execute binary file: Exec format error). \
To run them, boot Linux with the kernel parameter ia32_emulation=on. Or use --arch x86_64. status 1" \
    "$(choose "$refused" one --arch i686)"
expect "without the 32-bit loader: the notice says to install it" \
    "Notice: this machine runs no 32-bit programs (the 32-bit Wine loader $scratch/none is not installed). \
Using the x86_64 build under the 64-bit Wine loader instead. \
To run them, install Wine's 32-bit part: apt-get install wine32:i386 runs [x86_64] status 0" \
    "$(choose "$scratch/none" all)"

finish_checks
