#!/usr/bin/env bash
# Installs everything a fresh Debian 12 machine lacks to build, run and test tovel editor.
# Idempotent: a second run installs nothing and rebuilds nothing.
set -euo pipefail

CACHE="${TOVEL_CACHE:-$HOME/.cache/tovel}"
PACKAGES=(g++ cmake make ninja-build googletest
          g++-mingw-w64-x86-64-posix wine wine64 xvfb xauth locales-all fonts-ipafont-gothic
          fonts-wine imagemagick xdotool zip dpkg-dev
          cups printer-driver-cups-pdf poppler-utils fonts-vlgothic clang clang-format libjpeg62-turbo-dev)

as_root() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }

missing=()
for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
apt_updated=0
if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    as_root apt-get update
    apt_updated=1
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi

# apt-get source needs deb-src lines for the suites this machine already uses; enabled once, on demand.
ensure_sources() {
    local package=$1
    SRC_LIST=/etc/apt/sources.list.d/tovel-deb-src.sources
    if ! apt-get indextargets --format '$(CREATED_BY)' 2>/dev/null | grep -q '^Sources$'; then
        if [ ! -f "$SRC_LIST" ]; then
            echo "setup: enabling deb-src for the configured Debian suites"
            tmp=$(mktemp)
            for f in /etc/apt/sources.list.d/*.sources; do
                [ -f "$f" ] && [ "$f" != "$SRC_LIST" ] || continue
                grep -q 'debian' "$f" || continue
                sed -e 's/^Types:.*/Types: deb-src/' "$f" >> "$tmp"; echo >> "$tmp"
            done
            if [ -f /etc/apt/sources.list ]; then
                grep -E '^deb ' /etc/apt/sources.list | grep debian | sed 's/^deb /deb-src /' \
                    > "$tmp.list" || true
                [ -s "$tmp.list" ] && as_root cp "$tmp.list" /etc/apt/sources.list.d/tovel-deb-src.list
            fi
            [ -s "$tmp" ] && as_root cp "$tmp" "$SRC_LIST"
            rm -f "$tmp" "$tmp.list"
        fi
        as_root apt-get update
    elif [ "$apt_updated" = 0 ] && ! apt-cache showsrc "$package" >/dev/null 2>&1; then
        as_root apt-get update
    fi
}

# libjpeg (libjpeg-turbo) cross-built for MinGW from Debian's own source package, static, without SIMD.
JPEG_PREFIX="$CACHE/libjpeg-mingw"
if [ ! -f "$JPEG_PREFIX/lib/libjpeg.a" ]; then
    ensure_sources libjpeg-turbo
    work=$(mktemp -d)
    echo "setup: building libjpeg for MinGW in $work"
    (cd "$work" && apt-get source --download-only libjpeg-turbo >/dev/null && dpkg-source -x --no-check ./*.dsc src >/dev/null)
    cmake -S "$work/src" -B "$work/build" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$(cd "$(dirname "$0")/.." && pwd)/cmake/mingw-toolchain.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$JPEG_PREFIX" \
        -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF -DWITH_JAVA=OFF >/dev/null
    cmake --build "$work/build" --target jpeg-static >/dev/null
    cmake --install "$work/build" >/dev/null 2>&1 || true
    # install() of the full tree needs the skipped tools; copy what a program needs.
    mkdir -p "$JPEG_PREFIX/lib" "$JPEG_PREFIX/include"
    cp "$work/build/libjpeg.a" "$JPEG_PREFIX/lib/"
    cp "$work/src/jpeglib.h" "$work/src/jmorecfg.h" "$work/src/jerror.h" "$work/build/jconfig.h" "$JPEG_PREFIX/include/"
    rm -rf "$work"
fi

# Scintilla, the editing component: only the scintilla/ folder of Debian's scite source package, its
# Win32 static library built with the MinGW toolchain. The UNICODE defines matter: without them the
# control stores input-method characters as other characters.
SCI_PREFIX="$CACHE/scintilla-mingw"
if [ ! -f "$SCI_PREFIX/lib/libscintilla.a" ]; then
    ensure_sources scite
    work=$(mktemp -d)
    echo "setup: building Scintilla for MinGW in $work"
    (cd "$work" && apt-get source --download-only scite >/dev/null && tar -xzf scite_*.orig.tar.gz scintilla/)
    make -C "$work/scintilla/win32" -j"$(nproc)" ../bin/libscintilla.a \
        CXX=x86_64-w64-mingw32-g++-posix AR=x86_64-w64-mingw32-ar RANLIB=x86_64-w64-mingw32-ranlib \
        CXXFLAGS="-DUNICODE -D_UNICODE" >"$work/make.log" 2>&1 || { tail -n 40 "$work/make.log"; exit 1; }
    mkdir -p "$SCI_PREFIX/lib" "$SCI_PREFIX/include"
    cp "$work/scintilla/bin/libscintilla.a" "$SCI_PREFIX/lib/"
    cp "$work/scintilla/include/"*.h "$SCI_PREFIX/include/"
    cp "$work/scintilla/License.txt" "$SCI_PREFIX/License.txt"
    rm -rf "$work"
fi

"$(dirname "$0")/wine-prefix.sh"
echo "setup: ready (cache $CACHE)"
