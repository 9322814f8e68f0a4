#!/bin/sh
# Usage: jalv-ui.sh BUNDLE WORK   (run under Xvfb started with -noreset: xvfb-run gives the display)
# The UI in a real LV2 host: jalv.gtk3 on a JACK server of the test's own (dummy driver),
# with a tone from jack_metro in the plug-in's inputs. Twice:
# - at the defaults: the editor's window lies inside jalv's and draws; the live displays
#   read the playing DSP instance (instance-access); the Gain slider dragged up with real X
#   pointer events reaches the plug-in's port, so the display of what it plays brightens;
# - with stereo_width=100 (%) set by jalv: the port's value reaches the picture (the slider moves).
# Neither run may print an X error, and jalv must end cleanly when asked.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
bundle=$(cd "$1" && pwd)
work=$2
uri=https://brackwel.com/plugins/vantor-pro
python=/usr/bin/python3
rm -rf "$work"
mkdir -p "$work/lv2" "$work/home"
ln -s "$bundle" "$work/lv2/vantor-pro.lv2"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share"
export XDG_CONFIG_DIRS="$work/machine"
export LV2_PATH="$work/lv2" VANTOR_NO_DIALOGS=1
# The test's own server only: no client may start one of its own. JACK registers servers
# machine-wide in eight slots and frees a dead server's slot only for a server of its name:
# one name for every run, so that a run that had to kill its server leaves no slot taken.
export JACK_DEFAULT_SERVER="vantor-lv2-ui-test" JACK_NO_AUDIO_RESERVATION=1 JACK_NO_START_SERVER=1

# The editor at 1x: its stereo gain panel and its Stereo Width slider, in window pixels.
panel="96 64 415 383"
width_slider="96 415 416 455"
gain_x=50
gain_y=222

fail() {
    echo "FAIL: $1"
    exit 1
}

jack_pid= tone_pid= jalv_pid=
# A JACK client can block for ever in its shutdown once the server goes: the clients end
# first, the server after them, and what has not ended a second after being asked is killed.
stop() {
    for pid in "$@"; do
        kill "$pid" 2>/dev/null || true
    done
    sleep 1
    for pid in "$@"; do
        kill -9 "$pid" 2>/dev/null || true
    done
}
stop_all() {
    stop $jalv_pid $tone_pid
    stop $jack_pid
    wait 2>/dev/null || true
}
trap stop_all EXIT

jackd --no-realtime -n "$JACK_DEFAULT_SERVER" -d dummy -r 48000 -p 512 >"$work/jackd.log" 2>&1 &
jack_pid=$!
timeout 20 jack_wait -w -t 15 >/dev/null 2>&1 || { cat "$work/jackd.log"; fail "the JACK server did not start"; }
jack_metro -b 60 -D 990 -f 440 -A 0.3 -n tone >"$work/tone.log" 2>&1 &
tone_pid=$!

# inside_jalv WINDOW: one of the window's ancestors is jalv's, named after the plug-in.
inside_jalv() {
    window=$1
    for level in 1 2 3 4 5 6; do
        parent=$(xwininfo -children -id "$window" | grep 'Parent window id:') || return 1
        case $parent in
        *'"Vantor Pro"'*) return 0 ;;
        esac
        window=$(echo "$parent" | sed -n 's/.*Parent window id: \(0x[0-9a-f]*\).*/\1/p')
        [ -n "$window" ] && [ "$window" != 0x0 ] || return 1
    done
    return 1
}

# run NAME [jalv options]: jalv.gtk3 with the editor capturing its frames into NAME.png.
run() {
    name=$1
    shift
    VANTOR_CAPTURE_FRAME="$work/$name.png" jalv.gtk3 "$@" "$uri" >"$work/$name.log" 2>&1 &
    jalv_pid=$!
    tries=0
    until xwininfo -name Brackwel >"$work/$name-window.txt" 2>/dev/null && [ -f "$work/$name.png" ]; do
        tries=$((tries + 1))
        [ $tries -lt 100 ] || { cat "$work/$name.log"; fail "jalv showed no editor"; }
        sleep 0.2
    done
    sleep 1
    cp "$work/$name.png" "$work/$name-first.png"
    $python "$here/frame_checks.py" drawn "$work/$name-first.png" 512 624
    inside_jalv "$(sed -n 's/.*Window id: \(0x[0-9a-f]*\).*/\1/p' "$work/$name-window.txt")" ||
        fail "the editor is not inside jalv's window"
    echo "ok: the editor's window lies inside jalv's"
}

# finish NAME: asks jalv to end, as a user closing it does, and reads its log.
finish() {
    kill -INT "$jalv_pid"
    status=0
    wait "$jalv_pid" || status=$?
    jalv_pid=
    [ $status -eq 0 ] || { cat "$work/$1.log"; fail "jalv ended with status $status"; }
    if grep -Ei 'X Error|BadWindow|BadDrawable|BadMatch|Gdk-(CRITICAL|ERROR)' "$work/$1.log"; then
        fail "an X error in jalv"
    fi
    echo "ok: jalv ended cleanly, no X error"
}

run defaults
jack_connect tone:60_bpm "Vantor Pro:in_left"
jack_connect tone:60_bpm "Vantor Pro:in_right"
sleep 2
cp "$work/defaults.png" "$work/defaults-playing.png"
$python "$here/frame_checks.py" differs "$work/defaults-first.png" "$work/defaults-playing.png" $panel ||
    fail "the displays do not show the tone"
left=$(sed -n 's/.*Absolute upper-left X: *//p' "$work/defaults-window.txt")
top=$(sed -n 's/.*Absolute upper-left Y: *//p' "$work/defaults-window.txt")
$python "$here/xtest-drag.py" $((left + gain_x)) $((top + gain_y)) 0 -80
sleep 2
cp "$work/defaults.png" "$work/defaults-louder.png"
$python "$here/frame_checks.py" brighter "$work/defaults-playing.png" "$work/defaults-louder.png" $panel ||
    fail "the dragged Gain did not reach the plug-in"
finish defaults

run wide -c stereo_width=100
$python "$here/frame_checks.py" differs "$work/defaults-first.png" "$work/wide-first.png" $width_slider ||
    fail "jalv's value of stereo_width does not show"
finish wide
