#!/usr/bin/env bash
# Builds the release programs and writes the downloads into dist/:
#
#   keyvane-VERSION-win32.zip          the 32-bit Windows build
#   keyvane-VERSION-win64.zip          the 64-bit Windows build
#   keyvane-census_VERSION_amd64.deb   the Linux census, for Debian and its kin
#
# VERSION is the version resource's ProductVersion (res/Keyvane.rc), the one
# the About box shows. Each carries Keyvane's licence and the notices of what
# it compiles or links in. Then unpacks each into an empty folder and runs its
# programs from there (tests/package/check.sh), under Wine on a private Xvfb.
#
#   scripts/package.sh
set -euo pipefail
scripts=$(dirname "${BASH_SOURCE[0]}")
source "$scripts/lib/setup.sh"
source "$scripts/lib/build.sh"
source "$scripts/lib/arch.sh"
unset DISPLAY
source "$scripts/lib/wine-env.sh"

keyvane_install_packages zip unzip dpkg-dev lintian
version=$(sed -n 's/^ *VALUE "ProductVersion", "\([0-9.]*\)"$/\1/p' "$KEYVANE_REPO/res/Keyvane.rc")
if [ -z "$version" ]; then
    echo "res/Keyvane.rc holds no ProductVersion" >&2
    exit 1
fi
changelog_version=$(dpkg-parsechangelog -l "$KEYVANE_REPO/debian/changelog" -S Version)
if [ "$changelog_version" != "$version" ]; then
    echo "debian/changelog's latest entry is $changelog_version, the version resource's $version" >&2
    exit 1
fi
dist=$KEYVANE_REPO/dist
mkdir -p "$dist"

# What a Windows zip holds beside README.txt: the programs of one bitness with
# the who query's hook, and the helper and hook through which they reach the
# programs of the other bitness, where Windows runs both.
windows_files() {
    local own=$1 other=$2
    echo Keyvane.exe keyvane-census.exe "keyvane-who-hook$own.dll" "keyvane-who-helper$other.exe" \
        "keyvane-who-hook$other.dll"
}

# The notices of the runtime that MinGW-w64 links into every program
# statically, from the Debian packages of the very toolchain that built them:
# the C runtime and winpthreads, and GCC's libstdc++ and libgcc under the GCC
# Runtime Library Exception.
windows_notices() {
    local package
    cat <<'INTRO'
Keyvane's programs are linked statically with the runtime of the MinGW-w64
toolchain that built them: the MinGW-w64 C runtime and winpthreads, and GCC's
libstdc++ and libgcc, which the GCC Runtime Library Exception lets programs
carry under their own licence. Their notices follow, as Debian's packages of
that toolchain give them.
INTRO
    for package in mingw-w64-common gcc-mingw-w64-base; do
        printf '\n\n==== %s ====\n\n' "$package"
        cat "/usr/share/doc/$package/copyright"
    done
}

# windows_zip PRESET BITS OTHER_BITS NAME
windows_zip() {
    local stage=$keyvane_scratch/$4 file
    keyvane_build "$1" Keyvane keyvane-census keyvane_who >&2
    rm -rf "$stage"
    mkdir -p "$stage"
    for file in $(windows_files "$2" "$3"); do
        cp "$KEYVANE_BUILD_ROOT/$1/bin/$file" "$stage/"
    done
    # Windows' own editor wants CRLF.
    sed 's/$/\r/' "$KEYVANE_REPO/README.md" >"$stage/README.txt"
    sed 's/$/\r/' "$KEYVANE_REPO/LICENSE" >"$stage/LICENSE.txt"
    windows_notices | sed 's/$/\r/' >"$stage/THIRD-PARTY-NOTICES.txt"
    rm -f "$dist/$4.zip"
    (cd "$stage" && zip -q -X "$dist/$4.zip" ./*) >&2
    echo "$dist/$4.zip"
}

census_deb() {
    local stage=$keyvane_scratch/deb name=keyvane-census_${version}_amd64 depends
    # Laid out as Debian's tools expect: the package's tree in debian/PACKAGE.
    local root=$stage/debian/keyvane-census
    local doc=$root/usr/share/doc/keyvane-census man=$root/usr/share/man/man1
    keyvane_build x11 keyvane-census >&2
    rm -rf "$stage"
    mkdir -p "$root/DEBIAN" "$root/usr/bin" "$doc" "$man"
    install -s -m 755 "$KEYVANE_BUILD_ROOT/x11/bin/keyvane-census" "$root/usr/bin/"
    install -m 644 "$KEYVANE_REPO/README.md" "$KEYVANE_REPO/debian/copyright" "$doc/"
    # A native package: its one changelog is changelog.gz. Compressed as
    # Debian's tools do, without a name or time stamp.
    gzip -9n <"$KEYVANE_REPO/debian/changelog" >"$doc/changelog.gz"
    gzip -9n <"$KEYVANE_REPO/docs/keyvane-census.1" >"$man/keyvane-census.1.gz"
    chmod 644 "$doc/changelog.gz" "$man/keyvane-census.1.gz"
    # The libraries the program is linked against, as Debian names them, with
    # the versions its symbols need.
    printf 'Source: keyvane\n\nPackage: keyvane-census\nArchitecture: amd64\n' >"$stage/debian/control"
    depends=$(cd "$stage" && dpkg-shlibdeps -O debian/keyvane-census/usr/bin/keyvane-census |
        sed -n 's/^shlibs:Depends=//p')
    if [ -z "$depends" ]; then
        echo "dpkg-shlibdeps found no run-time dependencies of keyvane-census" >&2
        exit 1
    fi
    cat >"$root/DEBIAN/control" <<CONTROL
Package: keyvane-census
Version: $version
Architecture: amd64
Maintainer: Tavrole inc. <support@tavrole.example>
Depends: $depends
Section: utils
Priority: optional
Description: lists the global shortcuts that programs hold on a Linux desktop
 keyvane-census reads the shortcut tables of KDE Plasma, GNOME, sway,
 Hyprland, i3, Cinnamon, MATE, Xfce and LXQt, naming the component and the
 action of each shortcut, and on X11 tries each key with each combination of
 Ctrl, Alt, Shift and Win as a grab of its own, listing the ones another
 program holds and naming the client that holds each. It gives every grab
 back at once.
CONTROL
    (cd "$root" && find usr -type f -exec md5sum {} +) >"$root/DEBIAN/md5sums"
    rm -f "$dist/$name.deb"
    dpkg-deb --root-owner-group --build "$root" "$dist/$name.deb" >/dev/null
    echo "$dist/$name.deb"
}

keyvane_check_32bit
win32=$(windows_zip i686 32 64 "keyvane-$version-win32")
win64=$(windows_zip x86_64 64 32 "keyvane-$version-win64")
deb=$(census_deb)

check=$KEYVANE_REPO/tests/package/check.sh
keyvane_start_xvfb
status=0
for arch in i686 x86_64; do
    zip=$win32
    [ "$arch" = x86_64 ] && zip=$win64
    if [ "$arch" = i686 ] && [ -n "$keyvane_no_32bit_reason" ]; then
        echo "not run ($keyvane_no_32bit_reason): $zip" >&2
        continue
    fi
    keyvane_use_arch "$arch"
    keyvane_prepare_prefix
    keyvane_run bash "$check" "$zip" "$version" "$KEYVANE_WINE" || status=1
    keyvane_stop_wine
done
keyvane_run bash "$check" "$deb" "$version" || status=1
echo
ls -l "$win32" "$win64" "$deb"
exit $status
