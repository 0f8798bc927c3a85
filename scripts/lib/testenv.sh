# shellcheck shell=bash
# Test environment for running Windows programs under Wine: a private Xvfb, a
# Wine prefix kept in the build folder, and one persistent wineserver for it.
# Source this file, then:
#
#   testenv_init                  trap EXIT: stop exactly what we started
#   testenv_start_xvfb            exports DISPLAY=:N of a new private Xvfb
#   testenv_prefix DIR            exports WINEPREFIX=DIR, creating the prefix once
#   testenv_start_wineserver      persistent wineserver for $WINEPREFIX
#   testenv_scaled_prefix BASE DIR DPI
#                                 DIR: a copy of the prefix BASE whose display
#                                 scale is DPI (LogPixels), made once
#
# Nothing is ever stopped by process name: the Xvfb by its PID, the wineserver
# with `wineserver -k`, which only reaches the server of our own prefix.

testenv_xvfb_pid=
testenv_wineservers_started=()
testenv_logdir=

testenv_log() { echo "testenv: $*" >&2; }

testenv_init() {
    testenv_logdir=$(mktemp -d "${TMPDIR:-/tmp}/orvalis-testenv.XXXXXX")
    trap testenv_cleanup EXIT
    # A signal must still run the EXIT trap.
    trap 'exit 130' INT
    trap 'exit 143' TERM
}

testenv_cleanup() {
    local rc=$?
    local prefix
    for prefix in "${testenv_wineservers_started[@]}"; do
        # Ends the Wine programs still running in our prefix, then the server.
        WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
        WINEPREFIX=$prefix timeout 10 wineserver -w 2>/dev/null || true
    done
    testenv_wineservers_started=()
    if [[ -n $testenv_xvfb_pid ]]; then
        kill "$testenv_xvfb_pid" 2>/dev/null || true
        wait "$testenv_xvfb_pid" 2>/dev/null || true
        testenv_xvfb_pid=
    fi
    if [[ -n $testenv_logdir ]]; then
        rm -rf "$testenv_logdir"
        testenv_logdir=
    fi
    return $rc
}

# The display is ours once Xvfb is alive, answers, and its lock file names it:
# another run probing the same number at the same moment loses the lock and exits.
testenv_xvfb_owns() {
    local n=$1 pid=$2 lockpid
    kill -0 "$pid" 2>/dev/null || return 1
    lockpid=$({ tr -d ' \n' <"/tmp/.X$n-lock"; } 2>/dev/null) || return 1
    [[ $lockpid == "$pid" ]] || return 1
    xdpyinfo -display ":$n" >/dev/null 2>&1
}

testenv_start_xvfb() {
    local n pid tries
    for ((n = ${TESTENV_FIRST_DISPLAY:-90}; n < 200; n++)); do
        [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue
        Xvfb ":$n" -screen 0 1280x1024x24 -noreset -nolisten tcp >"$testenv_logdir/xvfb.log" 2>&1 &
        pid=$!
        for ((tries = 0; tries < 100; tries++)); do
            if testenv_xvfb_owns "$n" "$pid"; then
                testenv_xvfb_pid=$pid
                export DISPLAY=:$n
                testenv_log "Xvfb on $DISPLAY (pid $pid)"
                return 0
            fi
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        # Lost the race for this number or never answered: leave it, try the next.
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    testenv_log "no free X display found; Xvfb said:"
    cat "$testenv_logdir/xvfb.log" >&2
    return 1
}

# Creates the prefix on first use (about ten seconds) and reuses it afterwards.
# A lock beside it keeps two runs of the same tree from creating it at once.
testenv_prefix() {
    local dir=$1
    mkdir -p "$(dirname "$dir")"
    dir=$(cd "$(dirname "$dir")" && pwd)/$(basename "$dir")
    export WINEPREFIX=$dir
    export WINEDEBUG=${WINEDEBUG:--all}
    export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:+$WINEDLLOVERRIDES;}mscoree,mshtml="
    (
        flock 9
        if [[ ! -f $dir/system.reg ]]; then
            testenv_log "creating Wine prefix $dir"
            rm -rf "$dir"
            if ! LANG=C.UTF-8 wineboot -i >"$testenv_logdir/wineboot.log" 2>&1; then
                testenv_log "wineboot failed:"
                cat "$testenv_logdir/wineboot.log" >&2
                exit 1
            fi
            # wineboot returns before the registry is flushed; wait for its server.
            wineserver -w
        fi
        # The program's faces: this Wine does not look in its own font folder,
        # and without them Tahoma falls back to another face with other metrics.
        local fonts=$dir/drive_c/windows/Fonts font
        mkdir -p "$fonts"
        for font in tahoma.ttf tahomabd.ttf marlett.ttf; do
            if [[ -f /usr/share/wine/fonts/$font && ! -f $fonts/$font ]]; then
                cp /usr/share/wine/fonts/$font "$fonts/"
            fi
        done
    ) 9>"$dir.lock"
}

# One server for all the Windows tests of the run, so each start is quick.
# A server already running for this prefix (someone else's) is used, not stopped.
testenv_start_wineserver() {
    if wineserver -p 2>/dev/null; then
        testenv_wineservers_started+=("$WINEPREFIX")
        testenv_log "wineserver for $WINEPREFIX"
    else
        testenv_log "using the wineserver already running for $WINEPREFIX"
    fi
    # The first program of a server starts Wine's background services, and they
    # inherit its standard handles for the server's whole life. Start them here
    # on a log file, so that no test's output pipe is held open after the test.
    # That program also sets Windows' own default where a new prefix differs:
    # keyboard cues (focus rectangles, access-key underlines) hidden until the
    # keyboard is used. Wine's prefix has them always shown (bit 0x20 of the
    # mask's first byte); its other bits stay as Wine writes them.
    LANG=C.UTF-8 wine reg add 'HKCU\Control Panel\Desktop' /v UserPreferencesMask /t REG_BINARY \
        /d 1000028012000000 /f </dev/null >>"$testenv_logdir/services.log" 2>&1 || true
}

# A prefix whose display runs at another scale: a copy of the made prefix BASE
# with LogPixels set for the user and for the machine. Wine reads it when the
# prefix's wineserver starts, so it is written with a server of its own that
# has ended before anyone uses the prefix. Made once; reused afterwards.
testenv_scaled_prefix() {
    local base=$1 dir=$2 dpi=$3
    mkdir -p "$(dirname "$dir")"
    dir=$(cd "$(dirname "$dir")" && pwd)/$(basename "$dir")
    (
        flock 9
        if [[ ! -f $dir/.logpixels-$dpi ]]; then
            testenv_log "creating Wine prefix $dir at $dpi dpi"
            rm -rf "$dir"
            # The base was flushed when it was made; its own server may run meanwhile.
            cp -a "$base" "$dir"
            local key
            for key in 'HKCU\Control Panel\Desktop' \
                'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts'; do
                if ! WINEPREFIX=$dir LANG=C.UTF-8 wine reg add "$key" /v LogPixels /t REG_DWORD /d "$dpi" /f \
                    >>"$testenv_logdir/wineboot.log" 2>&1; then
                    testenv_log "setting LogPixels in $dir failed:"
                    cat "$testenv_logdir/wineboot.log" >&2
                    exit 1
                fi
            done
            WINEPREFIX=$dir wineserver -w
            touch "$dir/.logpixels-$dpi"
        fi
    ) 9>"$dir.lock"
}
