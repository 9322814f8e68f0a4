#!/bin/sh
# Usage: check-lv2apply.sh BUNDLE
# lilv's lv2apply offers a plug-in no features at all and does not check what instantiate
# answers: it must still run the plug-in over a short stereo file, and the sound must come
# out once the latency has passed.
set -eu
bundle=$(cd "$1" && pwd)
uri=https://brackwel.com/plugins/vantor-pro
work=$TMPDIR/lv2apply
rm -rf "$work"
mkdir -p "$work/plugins"
ln -sfn "$bundle" "$work/plugins/vantor-pro.lv2"

# Half a second of a 440 Hz tone, the right channel inverted.
python3 - "$work/in.wav" <<'PY'
import array, math, sys, wave
samples = array.array("h")
for i in range(22050):
    value = int(0.3 * 32767 * math.sin(2 * math.pi * 440 * i / 44100))
    samples.extend((value, -value))
with wave.open(sys.argv[1], "wb") as out:
    out.setnchannels(2)
    out.setsampwidth(2)
    out.setframerate(44100)
    out.writeframes(samples.tobytes())
PY

LV2_PATH="$work/plugins" lv2apply -i "$work/in.wav" -o "$work/out.wav" "$uri" || {
    echo "FAIL: lv2apply exited with $?"
    exit 1
}
python3 - "$work/in.wav" "$work/out.wav" <<'PY'
import array, sys, wave
with wave.open(sys.argv[1]) as given, wave.open(sys.argv[2]) as made:
    if made.getnframes() != given.getnframes() or made.getnchannels() != 2:
        sys.exit(f"FAIL: {made.getnframes()} frames in {made.getnchannels()} channels, not {given.getnframes()} in 2")
    samples = array.array("h", made.readframes(made.getnframes()))
peak = max(abs(s) for s in samples)
if peak < 1000:
    sys.exit(f"FAIL: the output is silent (peak {peak})")
print(f"ok: lv2apply ran it over {len(samples) // 2} frames (peak {peak})")
PY
