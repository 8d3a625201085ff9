#!/usr/bin/env bash
# Builds the Release DLLs for x86 and x64 and writes the release under dist/:
#   TamrelTemplates-<version>-x86.zip, -x64.zip   TamrelTemplates.dll at the zip's root
#   TamrelTemplates-<version>-x86.json, -x64.json the entries for the editor's plug-in list
#   TamrelTemplates-examples-<version>.zip        example templates, apart from the plug-in
#   SHA256SUMS
# Two runs on the same commit give byte-identical files.
#
# Options: --download-base URL  where the zips will be published (the list's repository)
#          --out DIR            release folder (default: dist)
#          --build-dir DIR      build folder (default: build/release)
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(dirname "$here")

out="$root/dist"
build="$root/build/release"
download_base=""
while [ $# -gt 0 ]; do
    case "$1" in
        --download-base) download_base=$2; shift 2 ;;
        --out) out=$2; shift 2 ;;
        --build-dir) build=$2; shift 2 ;;
        *) echo "package: unknown option $1" >&2; exit 2 ;;
    esac
done
mkdir -p "$out" "$build"
out=$(cd "$out" && pwd)
build=$(cd "$build" && pwd)

# Every file in a zip gets the commit's time, so rebuilding the same commit changes nothing.
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct 2>/dev/null || echo 315532800)
fi
export TZ=UTC LC_ALL=C

build_dll() {
    local arch=$1 triple=$2
    cmake -S "$root" -B "$build/$arch" --toolchain "$root/cmake/toolchain-$triple-mingw.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DTAMREL_BUILD_TESTS=OFF >/dev/null
    cmake --build "$build/$arch" --target TamrelTemplates -j "$(nproc)" >/dev/null
}

# A zip with fixed times, fixed order and no host-specific attributes.
make_zip() {
    local zip=$1 stage=$2
    shift 2
    chmod -R u=rwX,go=rX "$stage"
    find "$stage" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
    rm -f "$zip"
    (cd "$stage" && printf '%s\n' "$@" | zip -q -X -D -@ "$zip")
}

json_string() {
    local text=${1//\\/\\\\}
    printf '"%s"' "${text//\"/\\\"}"
}

write_entry() {
    local arch=$1 zip=$2
    local id
    id=$(sha256sum "$out/$zip" | cut -d' ' -f1)
    {
        printf '{\n'
        printf '  "folder-name": "TamrelTemplates",\n'
        printf '  "display-name": "Tamrel Templates",\n'
        printf '  "version": %s,\n' "$(json_string "$TAMREL_VERSION")"
        printf '  "id": "%s",\n' "$id"
        printf '  "repository": %s,\n' "$(json_string "$download_base/$zip")"
        printf '  "description": %s,\n' "$(json_string "$TAMREL_DESCRIPTION")"
        printf '  "author": %s,\n' "$(json_string "$TAMREL_AUTHOR")"
        printf '  "homepage": %s\n' "$(json_string "$TAMREL_HOMEPAGE")"
        printf '}\n'
    } >"$out/TamrelTemplates-$TAMREL_VERSION-$arch.json"
}

build_dll x86 i686
build_dll x64 x86_64
# shellcheck source=/dev/null
source "$build/x86/release-info.env"
[ -n "$download_base" ] || download_base="$TAMREL_HOMEPAGE/releases/$TAMREL_VERSION"

stage="$build/stage"
zips=()
for arch in x86 x64; do
    rm -rf "$stage" && mkdir -p "$stage"
    cp "$build/$arch/bin/TamrelTemplates.dll" "$stage/"
    zip="TamrelTemplates-$TAMREL_VERSION-$arch.zip"
    make_zip "$out/$zip" "$stage" TamrelTemplates.dll
    write_entry "$arch" "$zip"
    zips+=("$zip")
done

rm -rf "$stage" && mkdir -p "$stage"
cp -r "$root/examples/tamrel_templates" "$stage/"
examples="TamrelTemplates-examples-$TAMREL_VERSION.zip"
make_zip "$out/$examples" "$stage" $(cd "$stage" && find tamrel_templates -type f | sort)
zips+=("$examples")
rm -rf "$stage"

(cd "$out" && sha256sum "${zips[@]}" >SHA256SUMS)
echo "package: release $TAMREL_VERSION written to $out"
(cd "$out" && ls -l "${zips[@]}" SHA256SUMS ./*.json | awk '{print "  " $5 "\t" $NF}')
