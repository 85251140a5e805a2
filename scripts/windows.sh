#!/usr/bin/env bash
# Builds Quadrimo for 64-bit Windows on Debian 12: Qt, GMP and MPFR cross-built once from
# Debian's own source packages into a cache outside the tree, then the whole program and its
# tests, packed as an NSIS installer and a zip in build-windows/.
#   scripts/windows.sh           the installer and the zip
#   scripts/windows.sh --bench   also start-up beside its floor, under Wine on Xvfb
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$(realpath -m "${QUADRIMO_WINDOWS_BUILD_DIR:-$here/build-windows}")"
cache="${XDG_CACHE_HOME:-$HOME/.cache}/quadrimo/windows"
jobs="$(nproc)"
bench=""
[[ ${1:-} == --bench ]] && bench=1

packages=(
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    nsis wine64 wine cmake ninja-build pkg-config qt6-base-dev qt6-base-dev-tools
    dpkg-dev m4 perl xz-utils qt6-translations-l10n libgmp-dev libmpfr-dev
    locales fonts-arphic-uming fonts-arphic-ukai
)
[[ -z $bench ]] || packages+=(xvfb xauth python3)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$' ||
        missing+=("$p")
done
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    sudo=""
    [[ $(id -u) -eq 0 ]] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# The versions this machine's own Qt, GMP and MPFR come from.
source_version() { dpkg-query -W -f='${source:Version}' "$1"; }
qt_version="$(source_version qt6-base-dev)"
gmp_version="$(source_version libgmp-dev)"
mpfr_version="$(source_version libmpfr-dev)"

# Debian's source packages through apt's own signature and checksum checks, with a source list
# and state of our own: the machine's apt configuration is read, never changed.
fetch_sources() {
    local apt="$cache/apt" codename keyring=/usr/share/keyrings/debian-archive-keyring.gpg
    codename="$(. /etc/os-release && echo "$VERSION_CODENAME")"
    mkdir -p "$apt/lists/partial" "$apt/cache/archives/partial" "$apt/parts" "$cache/src"
    local signed=""
    [[ -f $keyring ]] && signed="[signed-by=$keyring] "
    apt-get indextargets --format '$(REPO_URI) $(RELEASE) $(COMPONENT)' 'Created-By: Packages' |
        sort -u | while read -r uri release component; do
        if [[ $release == "$codename" || $release == "$codename"-* ]]; then
            echo "deb-src $signed$uri $release $component"
        fi
    done >"$apt/sources.list"
    if [[ ! -s $apt/sources.list ]]; then
        echo "windows.sh: no Debian $codename source among apt's sources to fetch sources from" >&2
        exit 1
    fi
    local options=(-o "Dir::Etc::SourceList=$apt/sources.list" -o "Dir::Etc::SourceParts=$apt/parts"
        -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt/cache")
    [[ $(id -u) -ne 0 ]] || options+=(-o APT::Sandbox::User=root)
    apt-get -qq "${options[@]}" update
    (cd "$cache/src" && apt-get -qq "${options[@]}" source --download-only "$@")
}

# Unpacks a fetched source package (Debian's patches applied) into a fresh folder.
unpack() {
    local dsc="$cache/src/${1}_${2#*:}.dsc" into="$3"
    rm -rf "$into"
    dpkg-source --no-check -x "$dsc" "$into" >/dev/null 2>&1
    rm -f "$(dirname "$into")"/*.orig.tar.*
}

mingw=x86_64-w64-mingw32
cross=(CC="$mingw-gcc-posix" CXX="$mingw-g++-posix")
work="$cache/work"
gmp_options=(--host="$mingw" --enable-cxx --disable-static --enable-shared)
mpfr_options=(--host="$mingw" --disable-static --enable-shared)
qt_options=(
    -xplatform win32-g++ -qt-host-path /usr -release -shared -strip
    -nomake examples -nomake tests -no-opengl -no-dbus -no-icu -no-glib -no-pkg-config
    -qt-zlib -qt-pcre -qt-libpng -qt-harfbuzz -qt-doubleconversion -qt-freetype -no-libjpeg
    -no-feature-network -no-feature-sql -no-feature-xml -no-feature-printsupport
    -no-feature-concurrent -no-feature-vulkan -no-feature-direct2d -no-feature-directwrite3
    -no-feature-tabletevent
)

build_gmp() {
    [[ -f $gmp/.done ]] && return
    echo "== GMP ${gmp_version} for Windows =="
    fetch_sources "gmp=$gmp_version"
    unpack gmp "$gmp_version" "$work/gmp"
    # Debian's source leaves out the manual, which configure still names.
    sed -i 's| doc/Makefile||' "$work/gmp/configure"
    sed -i 's|^SUBDIRS = .*|SUBDIRS = mpn mpz mpq mpf printf scanf rand cxx|' "$work/gmp/Makefile.in"
    (cd "$work/gmp" && ./configure -q "${cross[@]}" --prefix="$gmp" "${gmp_options[@]}" &&
        make -s -j"$jobs" && make -s install) >"$work/gmp.log" 2>&1 ||
        { tail -40 "$work/gmp.log"; exit 1; }
    cp "$work/gmp/COPYING.LESSERv3" "$work/gmp/COPYINGv2" "$work/gmp/COPYINGv3" "$gmp/"
    rm -rf "$work/gmp"
    touch "$gmp/.done"
}

build_mpfr() {
    [[ -f $mpfr/.done ]] && return
    echo "== MPFR ${mpfr_version} for Windows =="
    fetch_sources "mpfr4=$mpfr_version"
    unpack mpfr4 "$mpfr_version" "$work/mpfr"
    (cd "$work/mpfr" && ./configure -q "${cross[@]}" --prefix="$mpfr" --with-gmp="$gmp" \
        "${mpfr_options[@]}" && make -s -j"$jobs" && make -s install) >"$work/mpfr.log" 2>&1 ||
        { tail -40 "$work/mpfr.log"; exit 1; }
    cp "$work/mpfr/COPYING.LESSER" "$work/mpfr/COPYING" "$mpfr/"
    rm -rf "$work/mpfr"
    touch "$mpfr/.done"
}

build_qt() {
    [[ -f $qt/.done ]] && return
    echo "== Qt ${qt_version} for Windows (takes a while) =="
    fetch_sources "qt6-base=$qt_version"
    unpack qt6-base "$qt_version" "$work/qt"
    mkdir -p "$work/qt-build"
    (cd "$work/qt-build" && "$work/qt/configure" -prefix "$qt" "${qt_options[@]}" -- \
        -G Ninja -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64.cmake" \
        -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake &&
        cmake --build . --parallel "$jobs" && cmake --install .) >"$work/qt.log" 2>&1 ||
        { tail -60 "$work/qt.log"; exit 1; }
    # The licences and the notices of the libraries Qt bundles, for the package.
    mkdir -p "$qt/licenses"
    cp -r "$work/qt/LICENSES/." "$qt/licenses/"
    local third
    for third in zlib pcre2 libpng harfbuzz-ng double-conversion freetype; do
        mkdir -p "$qt/licenses/$third"
        find "$work/qt/src/3rdparty/$third" -maxdepth 2 \( -iname 'LICENSE*' -o -iname 'COPYING*' \
            -o -iname 'qt_attribution.json' \) -exec cp {} "$qt/licenses/$third/" \;
    done
    rm -rf "$work/qt" "$work/qt-build"
    touch "$qt/.done"
}

# The notices of the parts Qt built into the DLLs the package carries: the files each part's
# qt_attribution.json names (LicenseFile), with the JSON itself, which says whose the part is.
qt_parts=(src/3rdparty/{blake2,double-conversion,easing,freetype,harfbuzz-ng,icc,libpng,md4,md4c}
    src/3rdparty/{md5,pcre2,rfc6234,sha1,sha3,tinycbor,zlib} src/corelib/{text,tools}
    src/gui/{painting,text})
license_files() { sed -n 's/.*"LicenseFile": *"\([^"]*\)".*/\1/p' "$1"; }
qt_notices() {
    [[ -f $notices/.done ]] && return
    local tarball="$cache/src/qt6-base_${qt_version#*:}" from="$work/notices" part file names=()
    tarball="${tarball%-*}.orig.tar.xz"
    [[ -f $tarball ]] || fetch_sources "qt6-base=$qt_version"
    rm -rf "$from" "$notices"
    mkdir -p "$from"
    tar -xf "$tarball" -C "$from" --strip-components=1 --wildcards '*/qt_attribution.json'
    for part in "${qt_parts[@]}"; do
        for file in $(license_files "$from/$part/qt_attribution.json"); do
            names+=("*/$(realpath -m --relative-to="$from" "$from/$part/$file")")
        done
    done
    # FreeType's LICENSE.txt leaves its terms to the FreeType License, docs/FTL.TXT.
    names+=("*/src/3rdparty/freetype/docs/FTL.TXT")
    mapfile -t names < <(printf '%s\n' "${names[@]}" | sort -u)
    tar -xf "$tarball" -C "$from" --strip-components=1 --wildcards "${names[@]}"
    for part in "${qt_parts[@]}"; do
        mkdir -p "$notices/${part#src/}"
        cp "$from/$part/qt_attribution.json" "$notices/${part#src/}/"
        for file in $(license_files "$from/$part/qt_attribution.json"); do
            cp "$from/$part/$file" "$notices/${part#src/}/"
        done
    done
    cp "$from/src/3rdparty/freetype/docs/FTL.TXT" "$notices/3rdparty/freetype/"
    rm -rf "$from"
    touch "$notices/.done"
}

# What the package must carry beside the program: the licences of everything in it, and where
# the exact sources it was built from stay available.
source_of() { dpkg-query -W -f='${source:Package} ${source:Version}\n' "$1"; }
snapshot() { local v="${2//+/%2B}"; echo "https://snapshot.debian.org/package/$1/${v//:/%3A}/"; }
gather_licenses() {
    local to="$build/licenses" doc=/usr/share/doc component package version
    rm -rf "$to"
    mkdir -p "$to/Qt" "$to/GMP" "$to/MPFR" "$to/GCC" "$to/winpthreads"
    find "$qt/licenses" -maxdepth 1 -type f -exec cp {} "$to/Qt/" \;
    cp -r "$notices/." "$to/Qt/"
    rm -f "$to/Qt/.done"
    cp "$gmp"/COPYING* "$to/GMP/"
    cp "$mpfr"/COPYING* "$to/MPFR/"
    cp "$doc/gcc-mingw-w64-x86-64-posix-runtime/copyright" "$to/GCC/copyright.txt"
    cp /usr/share/common-licenses/GPL-3 "$to/GCC/GPL-3.txt"
    cp "$doc/mingw-w64-x86-64-dev/copyright" "$to/winpthreads/copyright.txt"
    {
        echo "Quadrimo for Windows ships these components as DLLs beside the program."
        echo "licenses/SOURCES.txt says where their exact sources are; the folders hold their"
        echo "licences:"
        echo
        echo "Qt/          Qt (qt6-base) and Qt's translations, used under the LGPL-3.0"
        echo "             (LGPL-3.0-only.txt), which builds on the GPL-3.0 (GPL-3.0-only.txt);"
        echo "             Qt/<part>/ holds the notices of each part Qt builds in: the files its"
        echo "             qt_attribution.json names, and that file, which says whose it is."
        echo "GMP/         GMP, used under the LGPL-3.0 (COPYING.LESSERv3) or the GPL-2.0"
        echo "             (COPYINGv2)."
        echo "MPFR/        MPFR, used under the LGPL-3.0 (COPYING.LESSER)."
        echo "GCC/         libstdc++ and libgcc: the GPL-3.0 with the GCC Runtime Library Exception"
        echo "             (copyright.txt)."
        echo "winpthreads/ winpthreads: the notices in copyright.txt."
    } >"$to/README.txt"
    {
        echo "Where the exact sources of the components in this package are"
        echo
        echo "Each was built on Debian $(cat /etc/debian_version) from the Debian source package"
        echo "named here, at the exact version given. Debian's snapshot archive keeps every version"
        echo "of every source package, at the address given (the .dsc file and the tarballs it"
        echo "lists)."
        echo
        for component in "Qt:qt6-base-dev" "Qt's Chinese translations:qt6-translations-l10n" \
            "GMP:libgmp-dev" "MPFR:libmpfr-dev" \
            "the GCC runtime (libstdc++, libgcc):gcc-mingw-w64-x86-64-posix-runtime" \
            "winpthreads:mingw-w64-x86-64-dev"; do
            read -r package version < <(source_of "${component#*:}")
            echo "${component%%:*}: source package $package, version $version"
            echo "    $(snapshot "$package" "$version")"
        done
        read -r package version < <(dpkg-query -W -f='${Built-Using}\n' \
            gcc-mingw-w64-x86-64-posix-runtime | sed 's/ *(= */ /; s/).*//')
        echo "  gcc-mingw-w64 builds GCC from the source of $package, version $version:"
        echo "    $(snapshot "$package" "$version")"
        echo
        echo "How they were built: scripts/windows.sh in Quadrimo's source. It unpacks each source"
        echo "package with dpkg-source (Debian's patches applied) and cross-builds it with"
        echo "mingw-w64 (x86_64-w64-mingw32, the posix threads model):"
        echo "  GMP:  configure ${gmp_options[*]};"
        echo "        the Makefiles leave out the manual (doc/), which Debian's source lacks:"
        echo "        nothing else changes."
        echo "  MPFR: configure ${mpfr_options[*]}; no change."
        echo "  Qt:   configure ${qt_options[*]},"
        echo "        with the CMake toolchain file cmake/mingw-w64.cmake; no change."
        echo "The GCC runtime and winpthreads are the DLLs of Debian's own packages"
        echo "gcc-mingw-w64-x86-64-posix-runtime and mingw-w64-x86-64-dev, as they are."
    } >"$to/SOURCES.txt"
}

# What the package says of its licences holds: every component's source, every notice a part of
# Qt names, every licence text named in README.txt.
check_licenses() {
    local to="$build/licenses" part file missing=()
    for package in qt6-base qt6-translations gmp mpfr4 gcc-mingw-w64 mingw-w64 gcc-12; do
        grep -q "https://snapshot.debian.org/package/$package/[^/ ]\+/$" "$to/SOURCES.txt" ||
            missing+=("SOURCES.txt: $package")
    done
    for part in "${qt_parts[@]}"; do
        [[ -f $to/Qt/${part#src/}/qt_attribution.json ]] || missing+=("Qt/${part#src/}")
        for file in $(license_files "$to/Qt/${part#src/}/qt_attribution.json" 2>/dev/null); do
            [[ -s $to/Qt/${part#src/}/$(basename "$file") ]] || missing+=("Qt/${part#src/}/$file")
        done
    done
    [[ -s $to/Qt/3rdparty/freetype/FTL.TXT ]] || missing+=(Qt/3rdparty/freetype/FTL.TXT)
    for file in Qt/LGPL-3.0-only.txt Qt/GPL-3.0-only.txt GMP/COPYING.LESSERv3 GMP/COPYINGv2 \
        MPFR/COPYING.LESSER GCC/copyright.txt winpthreads/copyright.txt; do
        [[ -s $to/$file ]] && grep -q "${file#*/}" "$to/README.txt" || missing+=("$file")
    done
    if ((${#missing[@]})); then
        echo "windows.sh: the licences lack ${missing[*]}" >&2
        exit 1
    fi
}

# One folder per source version, options, compiler, Windows runtime and recipe: a change builds
# anew, the same is reused.
key() { printf '%s\n' "$@" | sha256sum | cut -c1-12; }
toolchain=("$("$mingw-g++-posix" -dumpfullversion)"
    "$(dpkg-query -W -f='${Version}' mingw-w64-x86-64-dev)")
gmp="$cache/gmp-${gmp_version#*:}-$(key "${gmp_options[@]}" "${toolchain[@]}" "$(declare -f build_gmp)")"
mpfr="$cache/mpfr-${mpfr_version#*:}-$(key "${mpfr_options[@]}" "$gmp" "$(declare -f build_mpfr)")"
qt="$cache/qt-${qt_version#*:}-$(key "${qt_options[@]}" "${toolchain[@]}" "$(declare -f build_qt)" \
    "$(cat "$here/cmake/mingw-w64.cmake")")"
notices="$cache/qt-notices-${qt_version#*:}-$(key "${qt_parts[@]}" \
    "$(declare -f qt_notices license_files)")"

mkdir -p "$work"
build_gmp
build_mpfr
build_qt
qt_notices

# The program and its tests, against those and nothing else.
export PKG_CONFIG_LIBDIR="$gmp/lib/pkgconfig:$mpfr/lib/pkgconfig"
unset PKG_CONFIG_PATH PKG_CONFIG_SYSROOT_DIR
deps="$gmp;$mpfr;$qt"
if [[ -f $build/CMakeCache.txt && "$(cat "$build/.deps" 2>/dev/null)" != "$deps" ]]; then
    rm -rf "$build/CMakeCache.txt" "$build/CMakeFiles"
fi
gather_licenses
check_licenses
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64.cmake" -DCMAKE_PREFIX_PATH="$deps" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DQUADRIMO_LICENSES="$build/licenses" >/dev/null
echo "$deps" >"$build/.deps"
cmake --build "$build"

# The folder to run without installing, zipped, and the installer.
version="$(sed -n 's/^project(Quadrimo VERSION \([0-9.]*\).*/\1/p' "$here/CMakeLists.txt")"
publisher="$(sed -n 's/^QUADRIMO_MAKER:STRING=//p' "$build/CMakeCache.txt")"
stage="$build/Quadrimo"
rm -rf "$stage"
cmake --install "$build" --prefix "$stage" >/dev/null
windows_path() { local p="${1#"$stage"}"; p="${p#/}"; echo "\$INSTDIR${p:+\\${p//\//\\}}"; }
(
    cd "$stage"
    while read -r dir; do
        echo "SetOutPath \"$(windows_path "$dir")\""
        find "$dir" -maxdepth 1 -type f | sort | sed 's/.*/File "&"/'
    done < <(find "$stage" -type d | sort)
) >"$build/files.nsh"
while read -r file; do echo "Delete \"$(windows_path "$file")\""; done < <(find "$stage" -type f) \
    >"$build/unfiles.nsh"
while read -r dir; do echo "RMDir \"$(windows_path "$dir")\""; done \
    < <(find "$stage" -mindepth 1 -type d | sort -r) >"$build/undirs.nsh"
zip="$build/Quadrimo-$version-win64.zip" setup="$build/Quadrimo-$version-setup.exe"
rm -f "$zip" "$setup"
(cd "$build" && cmake -E tar cf "$zip" --format=zip Quadrimo)
# makensis reads its arguments in the locale's charset: the maker's name is UTF-8.
LC_ALL=C.UTF-8 makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DPUBLISHER="$publisher" \
    -DICON="$here/app/icons/quadrimo.ico" -DFILES="$build/files.nsh" -DUNFILES="$build/unfiles.nsh" \
    -DUNDIRS="$build/undirs.nsh" -DOUTFILE="$setup" "$here/app/quadrimo.nsi"
if (($(stat -c %s "$setup") > 12000000 || $(du -sb "$stage" | cut -f1) > 40000000)); then
    echo "windows.sh: the installer may take 12 MB and the folder 40 MB at most" >&2
    exit 1
fi
echo "Installer: $setup ($(du -h "$setup" | cut -f1))"
echo "Zip:       $zip ($(du -h "$zip" | cut -f1)); the folder: $(du -sh "$stage" | cut -f1)"

if [[ -n $bench ]]; then
    echo "== Start-up under Wine: process creation to first settled paint =="
    # Both programs beside the DLLs and plugins the package carries, in a fresh prefix.
    folder="$build/bench/startup"
    rm -rf "$folder"
    cp -r "$stage" "$folder"
    cp "$build/startup_floor.exe" "$build/startup_quadrimo.exe" "$folder/"
    "$here/scripts/wineprefix.sh" "$build/bench/wineprefix"
    /usr/bin/python3 "$here/bench/startup.py" --wine "$folder" "$build/bench/wineprefix" "${2:-21}"
fi
