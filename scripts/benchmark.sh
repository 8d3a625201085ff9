#!/usr/bin/env bash
# Benchmarks the plug-in for x86 and x64 under Wine against the real Scintilla and prints
# one table per architecture (see tools/benchmark/benchmark.cpp). Not part of the tests:
# it reports figures and targets, it does not pass or fail on them.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(dirname "$here")
source "$here/common.sh"
cd "$root"

bash "$here/setup.sh"
build_dev_tree x86 --target benchmark >/dev/null
build_dev_tree x64 --target benchmark >/dev/null

echo "Machine: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ //'), $(nproc) cores," \
     "$(free -g | awk '/^Mem:/ {print $2}') GiB; $(. /etc/os-release && echo "$PRETTY_NAME");" \
     "Wine session pinned to one CPU"
bash "$here/with-wine.sh" bash -c 'for arch in x86 x64; do echo; wine "build/$arch/bin/benchmark.exe"; done'
