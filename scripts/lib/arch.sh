# The two builds of Keyvane and which of them this machine can run under Wine.
# Sourced by the scripts in scripts/.
#
# Debian's `wine` command runs the 32-bit loader whenever it is installed,
# whether or not the kernel runs 32-bit programs, so each build names its own
# loader (the toolchain files name the same ones for CTest).

KEYVANE_ARCHES=(i686 x86_64)
declare -A KEYVANE_WINE_LOADERS=([i686]=/usr/lib/wine/wine [x86_64]=/usr/lib/wine/wine64)
# The kind of Wine prefix each build runs in.
declare -A KEYVANE_WINEARCH=([i686]=win32 [x86_64]=win64)

# Why this machine runs no 32-bit programs, and what would make it run them;
# both empty while it does.
keyvane_no_32bit_reason=
keyvane_no_32bit_remedy=

# Finds out whether this machine runs 32-bit programs: not when setup.sh could
# not install the 32-bit packages, else by running the 32-bit loader. The
# reason names what failed, and the remedy follows from it: a kernel that
# refuses 32-bit programs is booted again, a missing package is installed.
# KEYVANE_ASSUME_NO_32BIT=1 makes it answer no, to try the other branch.
keyvane_check_32bit() {
    local loader=${KEYVANE_WINE_LOADERS[i686]} output
    keyvane_no_32bit_remedy=
    if [ "${KEYVANE_ASSUME_NO_32BIT:-0}" != 0 ]; then
        keyvane_no_32bit_reason="KEYVANE_ASSUME_NO_32BIT is set"
    elif [ -n "${keyvane_32bit_setup_failure:-}" ]; then
        keyvane_no_32bit_reason=$keyvane_32bit_setup_failure
        keyvane_no_32bit_remedy=${keyvane_32bit_setup_remedy:-}
    elif [ ! -e "$loader" ]; then
        keyvane_no_32bit_reason="the 32-bit Wine loader $loader is not installed"
        keyvane_no_32bit_remedy="To run them, install Wine's 32-bit part: apt-get install wine32:i386"
    elif ! output=$("$loader" --version 2>&1 </dev/null); then
        # The last line says why, behind the shell's "FILE: line N: " when the
        # kernel refused to start the loader.
        keyvane_no_32bit_reason="the 32-bit Wine loader fails: $(tail -n 1 <<<"$output" | sed 's/^.*: line [0-9]*: //')"
        if [[ $output == *"Exec format error"* ]]; then
            keyvane_no_32bit_remedy="To run them, boot Linux with the kernel parameter ia32_emulation=on."
        fi
    fi
}

keyvane_notice_no_32bit() {
    cat >&2 <<NOTICE
Notice: this machine runs no 32-bit programs
($keyvane_no_32bit_reason).
Using the x86_64 build under the 64-bit Wine loader instead.${keyvane_no_32bit_remedy:+
$keyvane_no_32bit_remedy}
NOTICE
}

# keyvane_take_arch_option ARG...: takes "--arch ARCH" (or "--arch=ARCH") out
# of the arguments. Sets keyvane_requested_arch (empty when not given) and
# keyvane_other_args to the arguments left; exits with a message on a bad one.
keyvane_take_arch_option() {
    keyvane_requested_arch=
    keyvane_other_args=()
    while [ $# -gt 0 ]; do
        case $1 in
        --arch)
            [ $# -ge 2 ] || keyvane_arch_usage
            keyvane_request_arch "$2"
            shift 2
            ;;
        --arch=*)
            keyvane_request_arch "${1#--arch=}"
            shift
            ;;
        *)
            keyvane_other_args+=("$1")
            shift
            ;;
        esac
    done
}

keyvane_request_arch() {
    local arch
    for arch in "${KEYVANE_ARCHES[@]}"; do
        if [ "$1" = "$arch" ]; then
            keyvane_requested_arch=$1
            return
        fi
    done
    keyvane_arch_usage
}

keyvane_arch_usage() {
    echo "--arch takes one of: ${KEYVANE_ARCHES[*]}" >&2
    exit 2
}

# keyvane_select_arches all|one: sets keyvane_arches to the builds to run:
# the requested one; else every one this machine runs ("all"), or the product's
# own, i686, where it runs ("one"). Call keyvane_check_32bit first. A request
# for i686 where it cannot run is an error; without a request, the x86_64 build
# stands in for it after a notice.
keyvane_select_arches() {
    if [ -n "$keyvane_requested_arch" ]; then
        if [ "$keyvane_requested_arch" = i686 ] && [ -n "$keyvane_no_32bit_reason" ]; then
            cat >&2 <<ERROR
Cannot run the i686 build: this machine runs no 32-bit programs ($keyvane_no_32bit_reason).
${keyvane_no_32bit_remedy:+$keyvane_no_32bit_remedy }Or use --arch x86_64.
ERROR
            exit 1
        fi
        keyvane_arches=("$keyvane_requested_arch")
    elif [ -n "$keyvane_no_32bit_reason" ]; then
        keyvane_notice_no_32bit
        keyvane_arches=(x86_64)
    elif [ "$1" = all ]; then
        keyvane_arches=("${KEYVANE_ARCHES[@]}")
    else
        keyvane_arches=(i686)
    fi
}
