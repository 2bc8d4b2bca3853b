#!/usr/bin/env bash
# Runs the x86_64 Windows build (host library + Korvane.gau + test driver) under
# wine64, one scenario per call:
#
#   run_windows_tests.sh prefix      WIN64_BUILD WORK_DIR   fresh wine prefix, no display driver
#   run_windows_tests.sh lifecycle   WIN64_BUILD WORK_DIR   every gauge loaded, run, removed, unloaded
#   run_windows_tests.sh click-sound WIN64_BUILD WORK_DIR   two clicks reach the audio output
#   run_windows_tests.sh find-window WIN64_BUILD WORK_DIR   executable names select the window class
#   run_windows_tests.sh no-device   WIN64_BUILD WORK_DIR   no sound device: sound off, gauges work
#   run_windows_tests.sh cleanup     WIN64_BUILD WORK_DIR   stops the prefix's wineserver
#
# A missing Windows build is a failure, not a skip.
set -euo pipefail

scenario=$1
build=$(realpath -m "$2")
work=$(realpath -m "$3")
export WINEPREFIX=$work/prefix
export WINEDEBUG=-all
unset DISPLAY WAYLAND_DISPLAY
wine=/usr/lib/wine/wine64
driver=$build/bin/korvane-win-driver.exe
modules=$build/modules

# The click: WAVE 30 holds 6014 bytes of 16-bit mono at 22050 samples/s.
click_seconds=$(awk 'BEGIN { print 6014 / 2 / 22050 }')

fail() { echo "FAIL: $*" >&2; exit 1; }

windows_path() { echo "Z:${1//\//\\}"; }

need_build() {
    [ -x "$wine" ] || fail "wine64 is not installed ($wine)"
    [ -f "$driver" ] || fail "no Windows test driver at $driver: run 'make win64'"
    [ -f "$modules/Korvane.gau" ] || fail "no x86_64 Korvane.gau in $modules: run 'make win64'"
    [ -d "$WINEPREFIX" ] || fail "no wine prefix at $WINEPREFIX (the prefix step failed)"
}

# A private HOME per scenario; with an .asoundrc, everything played goes to
# $1/out.raw as 16-bit stereo at 44100 frames/s (the plug converts wine's mix).
private_home() {
    local home=$work/$1
    rm -rf "$home"
    mkdir -p "$home"
    if [ "${2:-}" = sound ]; then
        cat > "$home/.asoundrc" <<EOF
pcm.!default {
  type plug
  slave { pcm "rawfile"; format S16_LE; rate 44100; channels 2 }
}
pcm.rawfile {
  type file
  slave.pcm "null"
  file "$home/out.raw"
  format "raw"
}
pcm.null { type null }
EOF
    fi
    echo "$home"
}

run_driver() {  # HOME EXE ARGS...
    local home=$1 exe=$2
    shift 2
    HOME=$home timeout 180 "$wine" "$exe" "$@"
}

case $scenario in
prefix)
    [ -x "$wine" ] || fail "wine64 is not installed ($wine)"
    rm -rf "$work"
    mkdir -p "$work"
    home=$(private_home prefix-home)
    HOME=$home timeout 300 "$wine" wineboot -i >/dev/null 2>&1 || fail "wineboot failed"
    # A display driver of null: real top-level windows without an X server.
    HOME=$home timeout 120 "$wine" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null \
        || fail "cannot set the null display driver"
    # Wine's desktop process started with the default driver: stop everything so
    # that the next program starts on the null driver.
    HOME=$home timeout 60 /usr/lib/wine/wineserver -k 2>/dev/null || true
    HOME=$home timeout 60 /usr/lib/wine/wineserver -w 2>/dev/null || true
    echo "ok: wine prefix at $WINEPREFIX"
    ;;

lifecycle)
    need_build
    home=$(private_home lifecycle sound)
    run_driver "$home" "$driver" lifecycle "$(windows_path "$modules")"
    ;;

click-sound)
    need_build
    home=$(private_home click-sound sound)
    run_driver "$home" "$driver" click "$(windows_path "$modules")" 2
    [ -s "$home/out.raw" ] || fail "nothing reached the audio output"
    # Bursts of non-zero samples, split by at least 0.1 s of silence.
    python3 - "$home/out.raw" "$click_seconds" <<'EOF'
import struct, sys
raw = open(sys.argv[1], "rb").read()
click = float(sys.argv[2])
rate = 44100
left = struct.unpack("<%dh" % (len(raw) // 4 * 2), raw[: len(raw) // 4 * 4])[0::2]
loud = [i for i, v in enumerate(left) if v != 0]
bursts = []
for i in loud:
    if bursts and i - bursts[-1][1] <= rate // 10:
        bursts[-1][1] = i
    else:
        bursts.append([i, i])
lengths = [(b - a + 1) / rate for a, b in bursts]
print("bursts of sound (s):", ", ".join("%.3f" % s for s in lengths))
if len(bursts) != 2:
    sys.exit("FAIL: expected one burst per click (2), found %d" % len(bursts))
for s in lengths:
    if not 0.8 * click <= s <= 1.2 * click:
        sys.exit("FAIL: a burst of %.3f s is not the click's %.3f s" % (s, click))
print("ok: each click reaches the output at its length of %.3f s" % click)
EOF
    ;;

find-window)
    need_build
    home=$(private_home find-window)
    names=$work/find-window/names
    mkdir -p "$names"
    # executable name : the class its file name selects
    cases="FS9:FS98MAIN FS2004:FS98MAIN cfs3:FS98MAIN CFS3:MSCFSMAIN CFS2:MSCFSMAIN fs92:MSCFSMAIN"
    for c in $cases; do
        name=${c%%:*}
        expected=${c#*:}
        other=FS98MAIN
        [ "$expected" = FS98MAIN ] && other=MSCFSMAIN
        cp "$driver" "$names/$name.exe"
        # With a window of the selected class it is found; with one of the other class, nothing is.
        for create in "$expected" "$other"; do
            echo "== $name.exe with a $create window"
            run_driver "$home" "$names/$name.exe" find-window "$(windows_path "$modules")" "$create" "$expected"
        done
    done
    ;;

no-device)
    need_build
    home=$(private_home no-device)  # no .asoundrc: wine finds no sound device
    run_driver "$home" "$driver" no-device "$(windows_path "$modules")"
    ;;

cleanup)
    if [ -d "$WINEPREFIX" ]; then
        HOME=$work timeout 60 /usr/lib/wine/wineserver -k 2>/dev/null || true
    fi
    rm -rf "$work"
    ;;

*)
    fail "unknown scenario $scenario"
    ;;
esac
