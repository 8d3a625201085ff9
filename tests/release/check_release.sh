#!/usr/bin/env bash
# Checks the release packages against the real files: two clean builds of this commit give
# byte-identical DLLs and zips, each plug-in zip holds exactly TamrelTemplates.dll for its
# machine type, the examples sit in their own archive, and each plug-in list entry names
# the zip's real SHA-256 and the project's version.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

passed=0
failed=0
check() {
    local name=$1
    shift
    if "$@"; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAILED: $name"
    fi
}

for run in first second; do
    if ! bash "$root/scripts/package.sh" --out "$work/$run" --build-dir "$work/build-$run" \
        --download-base "https://downloads.example.org/tamrel" >"$work/$run.log" 2>&1; then
        cat "$work/$run.log"
        echo "0 passed, 1 failed"
        exit 1
    fi
done
source "$work/build-first/x86/release-info.env"
dist="$work/first"

same_release() {
    diff -r "$work/first" "$work/second" >/dev/null &&
        cmp -s "$work/build-first/x86/bin/TamrelTemplates.dll" "$work/build-second/x86/bin/TamrelTemplates.dll" &&
        cmp -s "$work/build-first/x64/bin/TamrelTemplates.dll" "$work/build-second/x64/bin/TamrelTemplates.dll"
}

# The PE machine field: 14c for x86, 8664 for x64.
machine_of() {
    local pe
    pe=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
    od -An -tx2 -j"$((pe + 4))" -N2 "$1" | tr -d ' '
}

plugin_zip_layout() {
    local arch=$1 machine=$2
    local zip="$dist/TamrelTemplates-$TAMREL_VERSION-$arch.zip"
    [ "$(unzip -Z1 "$zip")" = "TamrelTemplates.dll" ] || return 1
    mkdir -p "$work/unzipped-$arch"
    unzip -q -o "$zip" -d "$work/unzipped-$arch"
    cmp -s "$work/unzipped-$arch/TamrelTemplates.dll" "$work/build-first/$arch/bin/TamrelTemplates.dll" &&
        [ "$(machine_of "$work/unzipped-$arch/TamrelTemplates.dll")" = "$machine" ]
}

examples_apart() {
    local expected
    expected=$(printf 'tamrel_templates/%s\n' armour.c npc.c object.c room.c weapon.c)
    [ "$(unzip -Z1 "$dist/TamrelTemplates-examples-$TAMREL_VERSION.zip")" = "$expected" ]
}

list_entry() {
    local arch=$1
    local zip="TamrelTemplates-$TAMREL_VERSION-$arch.zip"
    local entry="$dist/TamrelTemplates-$TAMREL_VERSION-$arch.json"
    local id
    id=$(sha256sum "$dist/$zip" | cut -d' ' -f1)
    jq -e --arg id "$id" --arg version "$TAMREL_VERSION" --arg zip "$zip" '
        ."folder-name" == "TamrelTemplates" and ."display-name" == "Tamrel Templates" and
        .version == $version and .id == $id and
        .repository == "https://downloads.example.org/tamrel/" + $zip and
        (.description | length > 0) and (.author | length > 0) and (.homepage | length > 0)
    ' "$entry" >/dev/null
}

# The plug-in manager compares the list's version, padded to four parts, with FILEVERSION.
version_padding() {
    local padded=$TAMREL_VERSION
    while [ "$(tr -cd . <<<"$padded" | wc -c)" -lt 3 ]; do padded="$padded.0"; done
    [ "$padded" = "$TAMREL_FILE_VERSION" ]
}

checksums() {
    (cd "$dist" && sha256sum --quiet -c SHA256SUMS)
}

check "two clean builds are byte-identical" same_release
check "x86 zip holds only the x86 DLL" plugin_zip_layout x86 014c
check "x64 zip holds only the x64 DLL" plugin_zip_layout x64 8664
check "example templates ship apart" examples_apart
check "x86 list entry names the zip and version" list_entry x86
check "x64 list entry names the zip and version" list_entry x64
check "list version pads to the DLL's FILEVERSION" version_padding
check "SHA256SUMS matches the zips" checksums
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
