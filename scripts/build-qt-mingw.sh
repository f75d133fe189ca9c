#!/usr/bin/env bash
# Cross-builds the Qt modules the window needs (Core, Gui, Widgets, Test, the
# windows platform plugin and style) for 64-bit Windows from Debian's own
# qt6-base source, with Debian's mingw-w64 compiler and its Qt 6 host tools.
# Once per machine, into a cache folder outside the work tree: about 1,200
# compile units, 35 to 55 minutes on two cores. Prints the install prefix,
# which build-win32 takes as CMAKE_PREFIX_PATH (see run-windows-tests.sh).
#
#   scripts/build-qt-mingw.sh            build, unless already built
#   scripts/build-qt-mingw.sh --built    print the prefix if built, else fail
#   VELLOMAR_QT_MINGW=DIR                cache folder (default ~/.cache/vellomar)
set -euo pipefail
cd "$(dirname "$0")/.."
source_tree=$PWD

cache=${VELLOMAR_QT_MINGW:-${XDG_CACHE_HOME:-$HOME/.cache}/vellomar}
# The host tools (moc, rcc, uic) must be the same Qt release as the target.
scripts/install-deps.sh g++-mingw-w64-x86-64-posix qt6-base-dev-tools perl >&2
qt_source_version=$(dpkg-query -W -f='${source:Version}' qt6-base-dev)
qt_version=${qt_source_version%%+*}
prefix=$cache/qt6-mingw-$qt_version
if [[ -f $prefix/.complete ]]; then
  echo "$prefix"
  exit 0
fi
[[ ${1:-} != --built ]] || exit 1

mkdir -p "$cache/src"
source_dir=$(find "$cache/src" -maxdepth 1 -type d -name "qt6-base-$qt_version*" | head -n1)
if [[ -z $source_dir ]]; then
  # apt-get source needs the source lists, which a fresh machine may lack.
  if ! apt-get source --print-uris qt6-base >/dev/null 2>&1; then
    sed -e 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources \
      >/etc/apt/sources.list.d/debian-src.sources
    apt-get update -qq
  fi
  (cd "$cache/src" && apt-get source -qq "qt6-base=$qt_source_version")
  source_dir=$(find "$cache/src" -maxdepth 1 -type d -name "qt6-base-$qt_version*" | head -n1)
fi

# A static Qt: like the command-line program, the window is one executable
# file with nothing to deploy beside it. Modules and features it does not use
# are left out, which halves the build. Tablets are among them: Debian's source
# lacks the tablet driver's header, whose licence forbids changes.
build=$cache/qt6-mingw-build
cmake -S "$source_dir" -B "$build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$source_tree/cmake/mingw-w64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DBUILD_SHARED_LIBS=OFF -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
  -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_xml=OFF -DFEATURE_dbus=OFF \
  -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DINPUT_opengl=no \
  -DFEATURE_vulkan=OFF -DFEATURE_freetype=OFF \
  -DFEATURE_tabletevent=OFF -DFEATURE_icu=OFF -DFEATURE_zstd=OFF -DFEATURE_jpeg=OFF -DFEATURE_sql_sqlite=OFF \
  -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_harfbuzz=OFF \
  -DFEATURE_system_libpng=OFF -DFEATURE_system_doubleconversion=OFF
cmake --build "$build"
cmake --install "$build"
touch "$prefix/.complete"
echo "$prefix"
