#!/usr/bin/env bash
# Installs what building and testing need on Debian 12, as root, and builds the real
# Scintilla.dll for x86 and x64 from Debian's scite source. Idempotent: a second run only
# checks. Downloads and builds are cached outside the repository (see scripts/common.sh).
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/common.sh"

packages=(g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix wine wine32:i386 wine64
          xvfb xauth cmake make googletest dpkg-dev zip unzip jq clang-format)

missing_packages() {
    local p
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${db:Status-Status}\n' "$p" 2>/dev/null | grep -qx installed || echo "$p"
    done
}

as_root() {
    if [ "$(id -u)" -ne 0 ]; then
        echo "setup: this step needs root; run as root: $*" >&2
        exit 1
    fi
    "$@"
}

apt_updated=0
apt_update() {
    [ "$apt_updated" = 1 ] || as_root apt-get update -qq
    apt_updated=1
}

install_packages() {
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        as_root dpkg --add-architecture i386
        apt_updated=0
    fi
    local missing
    missing=$(missing_packages)
    [ -z "$missing" ] && return
    echo "setup: installing $(echo $missing)"
    apt_update
    # shellcheck disable=SC2086
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing
}

# Adds deb-src entries mirroring the machine's own Debian archive entries.
enable_sources() {
    apt-cache showsrc scite 2>/dev/null | grep -q '^Package: scite' && return
    local list=/etc/apt/sources.list.d/tamrel-templates-src.sources
    local legacy=/etc/apt/sources.list.d/tamrel-templates-src.list
    local f
    : >"$list.tmp"
    for f in /etc/apt/sources.list.d/*.sources; do
        [ -e "$f" ] && [ "$f" != "$list" ] && awk -f "$here/derive-deb-src.awk" "$f" >>"$list.tmp"
    done
    : >"$legacy.tmp"
    for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [ -e "$f" ] && [ "$f" != "$legacy" ] &&
            sed -n -E 's|^deb[ \t]+(\[[^]]*\][ \t]+)?([^ \t]*/debian/?[ \t].*)$|deb-src \1\2|p' "$f" >>"$legacy.tmp"
    done
    for f in "$list" "$legacy"; do
        if [ -s "$f.tmp" ]; then as_root mv "$f.tmp" "$f"; else rm -f "$f.tmp"; fi
    done
    apt_updated=0
    apt_update
}

build_scintilla() {
    local arch=$1 prefix=$2
    local out="$TAMREL_CACHE/scintilla/$arch/Scintilla.dll"
    [ -s "$out" ] && return
    local src="$TAMREL_CACHE/scite-src"
    if ! ls "$src"/scite_*.dsc >/dev/null 2>&1; then
        enable_sources
        mkdir -p "$src"
        (cd "$src" && apt-get source --download-only -qq -o APT::Sandbox::User=root scite)
    fi
    local work="$TAMREL_CACHE/scintilla/$arch/build"
    rm -rf "$work" "$work.log"
    mkdir -p "$work"
    tar -xf "$(ls "$src"/scite_*.orig.tar.* | head -n 1)" -C "$work"
    local win32
    win32=$(find "$work" -type d -path '*scintilla/win32' | head -n 1)
    echo "setup: building Scintilla.dll for $arch"
    make -s -C "$win32" -j"$(nproc)" \
        CXX="$prefix-g++-posix" CC="$prefix-gcc-posix" AR="$prefix-ar" \
        WINDRES="$prefix-windres" RANLIB="$prefix-ranlib" \
        CLANG= DEBUG= ../bin/Scintilla.dll >"$work.log" 2>&1 || { cat "$work.log" >&2; exit 1; }
    cp "$win32/../bin/Scintilla.dll" "$out"
    rm -rf "$work" "$work.log"
}

install_packages
mkdir -p "$TAMREL_CACHE"
build_scintilla x86 i686-w64-mingw32
build_scintilla x64 x86_64-w64-mingw32
