"""Checks on what Ardour saved and rendered, for ardour-session.sh.

session_checks.py forget-value SESSION NAME VALUE
    sets Ardour's own stored copy of the plug-in parameter NAME to VALUE, so that only the
    plug-in's chunk still carries the saved value.
session_checks.py chunk-value SESSION INDEX EXPECTED
    decodes the plug-in's chunk from the session file and checks parameter INDEX.
session_checks.py levels WAV SPLIT_SECONDS EXPECTED_RATIO
    measures the RMS level of a stereo float WAV before and after SPLIT_SECONDS (keeping
    0.3 s away from the split and the ends) and checks that the first part is
    EXPECTED_RATIO times the second (within 0.5 dB), and that neither is silent.
session_checks.py same-sound WAV REFERENCE SPLIT_SECONDS
    checks that two stereo float WAVs of the same length hold the same samples (within 1e-6),
    but for 0.3 s from SPLIT_SECONDS on, where an automated switch lands at its own sample in
    one format and at the host's block boundary in the other.
session_checks.py preset-values VSTPRESET LOG
    checks that the "parameter INDEX LABEL VALUE" lines of LOG (ardour-session.lua preset)
    give every parameter the value the preset file's component state holds (within 1e-5).
Exit status 0 when the check holds, 1 when it fails.
"""

import array
import base64
import math
import re
import struct
import sys

BANK_CHUNK_SIZE = 2728  # a reserved word, then one program record
PROGRAM_CHUNK_SIZE = 2724
PARAMETER_COUNT = 42  # the normalised values open the program chunk


def forget_value(session, name, value):
    text = open(session, encoding="utf-8").read()
    plugin = re.search(r'<Processor [^>]*name="Vantor Pro".*?</Processor>', text, re.S)
    if not plugin:
        print("FAIL: no Vantor Pro processor in %s" % session)
        return False
    pattern = r'(<Controllable name="%s" [^>]*value=")[^"]*(")' % re.escape(name)
    block, count = re.subn(pattern, r"\g<1>%s\g<2>" % value, plugin.group(0))
    if count != 1:
        print("FAIL: found %d stored values of %s for Vantor Pro in %s" % (count, name, session))
        return False
    open(session, "w", encoding="utf-8").write(text[: plugin.start()] + block + text[plugin.end() :])
    print("ok: Ardour's own copy of %s set to %s" % (name, value))
    return True


def chunk_value(session, index, expected):
    chunks = re.findall(r"<chunk [^>]*>([^<]*)</chunk>", open(session, encoding="utf-8").read())
    if len(chunks) != 1:
        print("FAIL: expected one plug-in chunk in %s, found %d" % (session, len(chunks)))
        return False
    data = base64.b64decode(chunks[0])
    if len(data) not in (BANK_CHUNK_SIZE, PROGRAM_CHUNK_SIZE):
        print("FAIL: the chunk has %d bytes" % len(data))
        return False
    offset = 4 if len(data) == BANK_CHUNK_SIZE else 0
    (value,) = struct.unpack_from("<f", data, offset + 4 * index)
    if abs(value - expected) > 1e-6:
        print("FAIL: the chunk holds %g for parameter %d, expected %g" % (value, index, expected))
        return False
    print("ok: the %d-byte chunk holds %g for parameter %d" % (len(data), value, index))
    return True


def preset_component_state(path):
    """The component state of a .vstpreset file: its chunk list names the "Comp" chunk."""
    data = open(path, "rb").read()
    if data[0:4] != b"VST3":
        raise ValueError("%s is not a VST3 preset file" % path)
    (list_offset,) = struct.unpack_from("<q", data, 40)
    if data[list_offset : list_offset + 4] != b"List":
        raise ValueError("%s has no chunk list" % path)
    (count,) = struct.unpack_from("<i", data, list_offset + 4)
    for entry in range(count):
        kind, offset, size = struct.unpack_from("<4sqq", data, list_offset + 8 + 20 * entry)
        if kind == b"Comp":
            return data[offset : offset + size]
    raise ValueError("%s holds no component state" % path)


def preset_values(preset, log):
    state = preset_component_state(preset)
    if len(state) != PROGRAM_CHUNK_SIZE:
        print("FAIL: the component state of %s has %d bytes" % (preset, len(state)))
        return False
    expected = struct.unpack_from("<%df" % PARAMETER_COUNT, state)
    reported = {}
    for line in open(log, encoding="utf-8", errors="replace"):
        match = re.match(r"parameter (\d+) (.*) (\S+)$", line.rstrip("\n"))
        if match:
            reported[int(match.group(1))] = (match.group(2), float(match.group(3)))
    if sorted(reported) != list(range(PARAMETER_COUNT)):
        print("FAIL: %s reports parameters %s, expected 0 to %d" % (log, sorted(reported), PARAMETER_COUNT - 1))
        return False
    wrong = [(index, label, value, expected[index])
             for index, (label, value) in sorted(reported.items()) if abs(value - expected[index]) > 1e-5]
    for index, label, value, want in wrong:
        print("FAIL: parameter %d %s is %g, the preset holds %g" % (index, label, value, want))
    if not wrong:
        print("ok: all %d parameters hold the values of %s" % (PARAMETER_COUNT, preset))
    return not wrong


def read_float_wav(path):
    data = open(path, "rb").read()
    if data[0:4] != b"RIFF" or data[8:12] != b"WAVE":
        raise ValueError("%s is not a WAV file" % path)
    position, rate, channels, samples = 12, None, None, None
    while position + 8 <= len(data):
        kind, size = data[position : position + 4], struct.unpack_from("<I", data, position + 4)[0]
        body = data[position + 8 : position + 8 + size]
        if kind == b"fmt ":
            tag, channels, rate = struct.unpack_from("<HHI", body)
            bits = struct.unpack_from("<H", body, 14)[0]
            if tag not in (3, 0xFFFE) or bits != 32:
                raise ValueError("%s is not 32-bit float" % path)
        elif kind == b"data":
            samples = array.array("f", body)
        position += 8 + size + (size & 1)
    if samples is None or channels != 2:
        raise ValueError("%s holds no stereo data" % path)
    return rate, samples


def rms(samples, channel, first, last):
    frames = samples[2 * first + channel : 2 * last : 2]
    return math.sqrt(sum(x * x for x in frames) / max(1, len(frames)))


def levels(path, split_seconds, expected_ratio):
    rate, samples = read_float_wav(path)
    frames = len(samples) // 2
    split, margin = int(split_seconds * rate), int(0.3 * rate)
    if not margin < split - margin < split + margin < frames - margin:
        print("FAIL: %s is too short (%d frames)" % (path, frames))
        return False
    good = True
    for channel in (0, 1):
        before = rms(samples, channel, margin, split - margin)
        after = rms(samples, channel, split + margin, frames - margin)
        if before < 1e-4 or after < 1e-4:
            print("FAIL: channel %d is silent (RMS %.6f, %.6f)" % (channel, before, after))
            good = False
            continue
        error_db = 20 * math.log10(before / after / expected_ratio)
        verdict = "ok" if abs(error_db) <= 0.5 else "FAIL"
        print("%s: channel %d RMS %.5f before, %.5f after: ratio %.4f, expected %.4f (%+.2f dB off)"
              % (verdict, channel, before, after, before / after, expected_ratio, error_db))
        good = good and verdict == "ok"
    return good


def same_sound(path, reference, split_seconds):
    rate, samples = read_float_wav(path)
    _, expected = read_float_wav(reference)
    if len(samples) != len(expected):
        print("FAIL: %s has %d samples, %s %d" % (path, len(samples), reference, len(expected)))
        return False
    first, last = 2 * int(split_seconds * rate), 2 * int((split_seconds + 0.3) * rate)
    worst, at = max((abs(samples[i] - expected[i]), i) for i in range(len(samples)) if not first <= i < last)
    verdict = "ok" if worst <= 1e-6 else "FAIL"
    print("%s: %s and %s differ by at most %.3g (at %.4f s, channel %d)"
          % (verdict, path, reference, worst, at // 2 / rate, at % 2))
    return verdict == "ok"


def main(argv):
    if len(argv) == 5 and argv[1] == "forget-value":
        return forget_value(argv[2], argv[3], argv[4])
    if len(argv) == 5 and argv[1] == "chunk-value":
        return chunk_value(argv[2], int(argv[3]), float(argv[4]))
    if len(argv) == 5 and argv[1] == "same-sound":
        return same_sound(argv[2], argv[3], float(argv[4]))
    if len(argv) == 5 and argv[1] == "levels":
        return levels(argv[2], float(argv[3]), float(argv[4]))
    if len(argv) == 4 and argv[1] == "preset-values":
        return preset_values(argv[2], argv[3])
    print(__doc__)
    return False


if __name__ == "__main__":
    sys.exit(0 if main(sys.argv) else 1)
