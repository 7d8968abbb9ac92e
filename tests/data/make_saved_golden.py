#!/usr/bin/env python3
"""Writes saved-24-key.ckd and saved-24-key.hex, the files the main window's
end-to-end test saves, from the two formats' own rules and independently of
the C++ writers. Run it from this folder; commit its output.

The definition: the 24-key layout; key 0 level 1 "ab", level 2 "C" and a
carriage return with auto-repeat and the name "Go"; key 5 level 1 "x", level 2
"z"; key 3 a level toggle, key 11 a level shift; the keypad-wide values below.
"""

CRLF = "\r\n"
KEYS = 24
GLOBAL = dict(delay=25, rollover=6, pacing=20, led1=5, led2=1, led3=2, baud=7,
              word=2, prefix=64, opmode=48, serial=1234)
# key: (type, (l1 autorepeat, l1 codes, l1 name), (l2 autorepeat, l2 codes, l2 name))
EMPTY = (False, [], "")
MACROS = {
    0: (0, (False, [0x61, 0x62], ""), (True, [0x43, 0x0D], "Go")),
    3: (2, EMPTY, EMPTY),
    5: (0, (False, [0x78], ""), (False, [0x7A], "")),
    11: (1, EMPTY, EMPTY),
}


def key(k):
    return MACROS.get(k, (0, EMPTY, EMPTY))


def make_codes(codes):
    return "".join(format(c, "02x") for c in codes)


def definition():
    g = GLOBAL
    lines = ["[GLOBAL_PARAMETERS]", "Model_Number=TVR24", f"Number_Of_Keys={KEYS}",
             f"Download_Delay={g['delay']}", "Macro_Length=200", "Level1_Length=100",
             f"Key_Roll_Over={g['rollover']}", f"Character_Pacing={g['pacing']}",
             f"LED_Function={g['led1']}", f"LED2_Function={g['led2']}",
             f"LED3_Function={g['led3']}", f"Baud_Rate={g['baud']}", f"Word_Format={g['word']}",
             f"Command_Prefix={g['prefix']}", f"Operating_Mode={g['opmode']}",
             f"CDC_Serial_No={g['serial']}"]
    for k in range(KEYS):
        ktype, l1, l2 = key(k)
        lines += [f"[KEY{k}]", f"KeyType={ktype}",
                  f"L1_AutoRepeat={int(l1[0])}", f"Level_1_Codes={make_codes(l1[1])}",
                  f"Level_1_Name={l1[2]}",
                  f"L2_AutoRepeat={int(l2[0])}", f"Level_2_Codes={make_codes(l2[1])}",
                  f"Level_2_Name={l2[2]}"]
    return "".join(line + CRLF for line in lines).encode("ascii")


def hex_line(value):
    return f'"{value:02X}"' + CRLF


def bcd(x):
    return (x // 10) * 16 + x % 10


def flag(level):
    repeat, codes, _ = level
    if not codes:
        return 0
    return 3 if repeat else 1


def block(codes):
    n = len(codes)
    if n == 0:
        return [0]
    if n < 100:
        return [n + 1] + codes + [0]
    return [n] + codes


def download():
    g = GLOBAL
    toggles = [k for k in range(KEYS) if key(k)[0] == 2]
    shifts = [k for k in range(KEYS) if key(k)[0] == 1]
    first_last = lambda ks: (ks[0] if ks else 128, ks[-1] if len(ks) > 1 else 128)
    values = [g["prefix"], 1, 25, 200, 100, *first_last(toggles), *first_last(shifts),
              g["rollover"], 0, g["pacing"] // 2, g["led1"], g["baud"], g["word"], 64,
              g["led2"], g["led3"], g["opmode"], 0, 0, 0, 0, 0, 0, 0,
              bcd(g["serial"] // 100), bcd(g["serial"] % 100)]
    assert len(values) == 28
    for k in range(KEYS):
        _, l1, l2 = key(k)
        values += [g["prefix"], 2, k, flag(l2), flag(l1), k] + block(l1[1]) + block(l2[1])
    return "".join(hex_line(v) for v in values).encode("ascii")


if __name__ == "__main__":
    with open("saved-24-key.ckd", "wb") as f:
        f.write(definition())
    with open("saved-24-key.hex", "wb") as f:
        f.write(download())
