#!/usr/bin/env bash
# The project's test command: installs what is missing, builds the plug-in and its tests
# for x86 and x64, and runs every test under Wine against the real Scintilla.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(dirname "$here")
source "$here/common.sh"
cd "$root"

bash "$here/setup.sh"
build_dev_tree x86
build_dev_tree x64
bash "$here/with-wine.sh" bash -c 'ctest --preset x86 --timeout 900 && ctest --preset x64 --timeout 900'
