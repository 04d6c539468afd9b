# How the scripts install what they need when the package mirror fails them,
# with stand-ins for id, dpkg, dpkg-query and apt-get that log what they are
# asked and fail as each case says. Run by CTest as
#   bash setup.sh SCRIPTS_LIB_DIR
source "$(dirname "${BASH_SOURCE[0]}")/checks.sh"

lib=$1


# The stand-ins. Nothing is installed; FAIL_UPDATE makes "apt-get update"
# fail as a mirror in sync does, FAIL_INSTALL fails an install that names it.
bin=$scratch/bin
mkdir "$bin"
cat >"$bin/apt-get" <<'TOOL'
#!/bin/bash
echo "apt-get $*" >>"$LOG"
if [ "$1" = update ] && [ -n "${FAIL_UPDATE:-}" ]; then
    echo "E: Failed to fetch .../binary-i386/Packages.xz  File has unexpected size (1 != 2). Mirror sync in progress?"
    exit 100
fi
[ "$1" = install ] && [ -n "${FAIL_INSTALL:-}" ] && [[ " $* " == *" $FAIL_INSTALL "* ]] && exit 100
exit 0
TOOL
printf '#!/bin/sh\necho 0\n' >"$bin/id"
printf '#!/bin/sh\n[ "$1" = --add-architecture ] && echo "dpkg $*" >>"$LOG"\nexit 0\n' >"$bin/dpkg"
printf '#!/bin/sh\nexit 1\n' >"$bin/dpkg-query"
chmod +x "$bin"/*

# install KERNEL_RUNS_32BIT: installs cmake and the 32-bit packages with the
# stand-ins, then chooses the builds as test.sh does. Prints the calls made,
# the choice and the status, on one line.
install() {
    local output
    export LOG=$scratch/log
    : >"$LOG"
    output=$({ PATH=$bin:$PATH bash -c "set -euo pipefail
        source '$lib/setup.sh'; source '$lib/arch.sh'
        KEYVANE_PACKAGES=(cmake); KEYVANE_WINE_LOADERS[i686]=/bin/true
        keyvane_kernel_runs_32bit() { $1; }
        keyvane_take_arch_option; keyvane_install_packages >/dev/null; keyvane_check_32bit
        keyvane_select_arches all
        echo \"runs [\${keyvane_arches[*]}]\"" 2>&1
        echo "status $?"; })
    cat "$LOG" - <<<"$output" | tr '\n' ' ' | sed 's/ $//'
}

installs="apt-get install -y --no-install-recommends"
expect "a mirror that works" \
    "dpkg --add-architecture i386 apt-get update $installs cmake $installs wine32:i386 runs [i686 x86_64] status 0" \
    "$(install true)"
expect "an index that cannot be updated: a warning, and the install goes on" \
    "dpkg --add-architecture i386 apt-get update $installs cmake $installs wine32:i386 \
Warning: some package indexes could not be updated (see above); going on with the ones there are. \
runs [i686 x86_64] status 0" \
    "$(FAIL_UPDATE=1 install true)"
expect "32-bit packages that cannot be installed: the x86_64 build, with the reason" \
    "dpkg --add-architecture i386 apt-get update $installs cmake $installs wine32:i386 \
Warning: some package indexes could not be updated (see above); going on with the ones there are. \
Notice: this machine runs no 32-bit programs (the 32-bit packages wine32:i386 cannot be installed (see above)). \
Using the x86_64 build under the 64-bit Wine loader instead. \
To run them, install them once the package mirror is whole again: apt-get install wine32:i386 runs [x86_64] status 0" \
    "$(FAIL_UPDATE=1 FAIL_INSTALL=wine32:i386 install true)"
expect "a kernel that runs no 32-bit programs: no i386 package, no i386 architecture" \
    "apt-get update $installs cmake \
Notice: this machine runs no 32-bit programs (this kernel runs no 32-bit programs). \
Using the x86_64 build under the 64-bit Wine loader instead. \
To run them, boot Linux with the kernel parameter ia32_emulation=on. runs [x86_64] status 0" \
    "$(install false)"
expect "a package of our own that cannot be installed stops the script" \
    "dpkg --add-architecture i386 apt-get update $installs cmake status 100" \
    "$(FAIL_INSTALL=cmake install true)"

finish_checks
