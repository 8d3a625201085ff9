#!/usr/bin/env bash
# Runs a command with Wine ready for our test programs: a prefix of the project's own
# (created on first use), an Xvfb display for real windows and message boxes, one
# wineserver kept alive for the whole command, and nothing left running afterwards.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/common.sh"

export WINEPREFIX="$TAMREL_CACHE/wine-prefix"
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="  # no Mono or Gecko installers on a new prefix

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "with-wine: creating the Wine prefix (about 20 s, once)"
    wineboot -i >/dev/null 2>&1
    # Without a window manager Wine pauses after every closed window unless it manages none.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wineserver -w
fi

# TAMREL_USE_DISPLAY=1 uses the caller's own display instead of a virtual one.
if [ "${TAMREL_IN_XVFB:-}" != 1 ] && [ "${TAMREL_USE_DISPLAY:-}" != 1 ]; then
    # One CPU for the whole Wine session: message round trips between Wine's processes
    # are several times cheaper when they never cross cores.
    exec env TAMREL_IN_XVFB=1 taskset -c 0 xvfb-run -a "$0" "$@"
fi

stop_wine() { wineserver -k 2>/dev/null || true; }
trap stop_wine EXIT
wineserver -p
# Start Wine's services now, with their output going nowhere: started later by a test
# program, they would inherit its output pipe and hold it open.
wine wineboot >/dev/null 2>&1 </dev/null
"$@"
