#!/usr/bin/env bash
# The project's main command: installs what is missing, builds the release packages into
# dist/, and runs the sandbox host on the packaged DLL and the example templates.
# Headless it prints the menu, every document and every message box; with a display of
# your own (DISPLAY set, or --window) it opens the window for you to click through.
#   scripts/run.sh [--headless | --window] [package options, see scripts/package.sh]
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(dirname "$here")
source "$here/common.sh"
cd "$root"

mode=auto
package_options=()
for option in "$@"; do
    case "$option" in
        --headless) mode=headless ;;
        --window) mode=window ;;
        *) package_options+=("$option") ;;
    esac
done
if [ "$mode" = auto ]; then
    mode=headless
    [ -n "${DISPLAY:-}" ] && [ -z "${CI:-}" ] && mode=window
fi

bash "$here/setup.sh"
bash "$here/package.sh" "${package_options[@]}"

build_dev_tree x86 --target sandbox >/dev/null

# Install the release as a user would: the plug-in zip into its own folder, the example
# templates into theirs.
source build/x86/release-info.env
try="$root/build/try"
rm -rf "$try" && mkdir -p "$try/TamrelTemplates"
unzip -q "dist/TamrelTemplates-$TAMREL_VERSION-x86.zip" -d "$try/TamrelTemplates"
unzip -q "dist/TamrelTemplates-examples-$TAMREL_VERSION.zip" -d "$try"
windows_path() { echo "Z:${1//\//\\}"; }
sandbox=(wine build/x86/bin/sandbox.exe
         --plugin "$(windows_path "$try/TamrelTemplates/TamrelTemplates.dll")"
         --templates "$(windows_path "$try/tamrel_templates")")

echo
if [ "$mode" = window ]; then
    TAMREL_USE_DISPLAY=1 bash "$here/with-wine.sh" "${sandbox[@]}" --window
else
    bash "$here/with-wine.sh" "${sandbox[@]}"
fi
