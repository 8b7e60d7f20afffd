#!/usr/bin/env bash
# Builds the Windows program on Debian 12 and packs it: installs what is missing
# (the mingw-w64 cross compiler, the source of Debian's Qt), builds Qt for
# Windows once into a cache outside the checkout, builds the program, its tests
# and the stand-in flashers in build-windows/, and writes
# dist/pikvart-windows-x86_64.zip.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh
root=$PWD

scripts/setup.sh
install_missing g++-mingw-w64-x86-64-posix dpkg-dev xz-utils zip unzip

# --- Qt for Windows, built once -------------------------------------------------
# Only Core, Gui, Widgets and Test are needed; the third-party libraries come from
# Qt's own source tree. No wintab header in Debian's source: no tablet events.
# Debian's own Qt of the same version supplies moc, rcc and uic.
qt_options=(
    -DCMAKE_BUILD_TYPE=Release
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
    -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF
    -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_tabletevent=OFF
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_png=OFF
    -DFEATURE_system_jpeg=OFF -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF
    -DFEATURE_system_doubleconversion=OFF -DFEATURE_jpeg=ON
)
host_qt_version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
compiler_version=$(x86_64-w64-mingw32-g++-posix -dumpversion)
key=$( { echo "$host_qt_version $compiler_version"; printf '%s\n' "${qt_options[@]}"; cat cmake/mingw-w64-x86_64.cmake; } | sha256sum | cut -c1-12)
qt_prefix=$(windows_qt_cache)/qt-$key

if [ -f "$qt_prefix/.complete" ]; then
    echo "Qt for Windows: cached in $qt_prefix"
else
    cache=$(windows_qt_cache)
    work=$cache/work-$key
    rm -rf "$work" "$qt_prefix"
    mkdir -p "$work" "$qt_prefix"
    # Debian's source of the Qt it ships, so that the host tools match. Without a
    # deb-src entry, one is derived from the machine's own deb entries and used for
    # this download alone, with apt's lists kept in the work folder: the machine's
    # configuration stays as it is. An index that a source does not offer is
    # skipped; apt-get source then says whether Qt's source was found.
    apt_get=(apt-get)
    if ! has_deb_src; then
        echo "Deriving deb-src entries from the machine's deb entries"
        derive_deb_src "$work/apt/sources.list.d"
        mkdir -p "$work/apt/lists/partial" "$work/apt/cache/archives/partial"
        apt_get+=(-o Dir::Etc::SourceList="$work/apt/none.list"
                  -o Dir::Etc::SourceParts="$work/apt/sources.list.d"
                  -o Dir::State::Lists="$work/apt/lists" -o Dir::Cache="$work/apt/cache"
                  -o APT::Sandbox::User="$(id -un)")
        "${apt_get[@]}" update || echo "Some source indexes could not be fetched" >&2
    fi
    (cd "$work" && "${apt_get[@]}" source --download-only "qt6-base=$host_qt_version")
    tar -C "$work" -xf "$work"/qt6-base_*.orig.tar.xz
    source_dir=$(echo "$work"/qtbase-everywhere-src-*)
    # qt-cmake loads this toolchain again for every project built with this Qt.
    cp cmake/mingw-w64-x86_64.cmake "$qt_prefix/mingw-w64-x86_64.cmake"
    started=$(date +%s)
    cmake -S "$source_dir" -B "$work/build" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$qt_prefix/mingw-w64-x86_64.cmake" \
        -DCMAKE_INSTALL_PREFIX="$qt_prefix" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        "${qt_options[@]}" >"$work/configure.log"
    cmake --build "$work/build" -j "$(nproc)"
    cmake --install "$work/build" >/dev/null
    echo "Qt for Windows: built in $(( $(date +%s) - started )) s into $qt_prefix"
    touch "$qt_prefix/.complete"
    rm -rf "$work"
fi

# --- The program, its tests and the stand-in flashers ---------------------------
"$qt_prefix/bin/qt-cmake" -S . -B build-windows -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$root/scripts/wine-test.sh" >/dev/null
cmake --build build-windows -j "$(nproc)"
echo "$qt_prefix" >build-windows/qt-prefix

# --- The zip --------------------------------------------------------------------
# One folder: the program, the Qt libraries and plugins it loads, the compiler's
# runtime, and an empty patch folder. No flasher: the user adds data\v_klay.exe.
stage=build-windows/stage/pikvart
rm -rf build-windows/stage
mkdir -p "$stage/platforms" "$stage/imageformats" "$stage/styles" "$stage/data/All Patches"
cp build-windows/pikvart.exe "$stage/"
cp "$qt_prefix"/bin/Qt6{Core,Gui,Widgets}.dll "$stage/"
cp "$qt_prefix/plugins/platforms/qwindows.dll" "$stage/platforms/"
cp "$qt_prefix/plugins/imageformats/qjpeg.dll" "$stage/imageformats/"
cp "$qt_prefix"/plugins/styles/*.dll "$stage/styles/"
for dll in libgcc_s_seh-1.dll libstdc++-6.dll libwinpthread-1.dll; do
    cp "$(x86_64-w64-mingw32-g++-posix -print-file-name=$dll)" "$stage/"
done
x86_64-w64-mingw32-strip "$stage"/*.exe "$stage"/*.dll "$stage"/*/*.dll

# Every library that a file of the folder imports is in the folder or part of Windows.
missing=$(for file in "$stage"/*.exe "$stage"/*.dll "$stage"/*/*.dll; do
    x86_64-w64-mingw32-objdump -p "$file" | sed -n 's/^\s*DLL Name: //p'
done | sort -u | while read -r dll; do
    [ -e "$stage/$dll" ] || windows_system_dll "$dll" || echo "$dll"
done)
if [ -n "$missing" ]; then
    echo "The zip would lack: $missing" >&2
    exit 1
fi

mkdir -p dist
rm -f dist/pikvart-windows-x86_64.zip
(cd build-windows/stage && zip -q -r -X "$root/dist/pikvart-windows-x86_64.zip" pikvart)
echo "dist/pikvart-windows-x86_64.zip: $(du -k dist/pikvart-windows-x86_64.zip | cut -f1) KiB"
