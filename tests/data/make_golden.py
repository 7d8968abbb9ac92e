#!/usr/bin/env python3
"""Writes the golden files of the file-layer tests from the formats' own rules,
independently of the C++ writers. Run it from this folder; commit its output.

The 48-key definition described in FULL48 is built the same way by
tests/files/GoldenTest.cpp.
"""

CRLF = "\r\n"


def new_24_key_definition():
    lines = ["[GLOBAL_PARAMETERS]", "Model_Number=TVR24", "Number_Of_Keys=24",
             "Download_Delay=10", "Macro_Length=200", "Level1_Length=100",
             "Key_Roll_Over=2", "Character_Pacing=2", "LED_Function=3",
             "LED2_Function=0", "LED3_Function=0", "Baud_Rate=3", "Word_Format=8",
             "Command_Prefix=64", "Operating_Mode=0", "CDC_Serial_No=1"]
    for k in range(24):
        lines += [f"[KEY{k}]", "KeyType=0", "L1_AutoRepeat=0", "Level_1_Codes=",
                  "Level_1_Name=", "L2_AutoRepeat=0", "Level_2_Codes=", "Level_2_Name="]
    return "".join(line + CRLF for line in lines).encode("ascii")


def hex_line(value):
    digits = format(value & 0xFFFFFFFF, "X")
    if value <= 15:
        digits = "0" + digits
    return f'"{digits}"' + CRLF


# Codes as the model stores them: plain 0..255, 0x1000+n delay, 0x4000+c command.
def byte_form(codes, prefix):
    out = []
    for v in codes:
        if v & 0x1000:
            out += [prefix, 1, v - 0x1000]
        elif v & 0x4000:
            out += [prefix, v - 0x4000]
        else:
            out.append(v)
    return out


def macro_block(data):
    n = len(data)
    if n == 0:
        return [0]
    if n < 100:
        return [n + 1] + data + [0]
    return [n] + data


def bcd(x):
    return (x // 10) * 16 + x % 10


def download_file(model, count):
    toggle = [k for k in range(count) if model["types"].get(k, 0) == 2]
    shift = [k for k in range(count) if model["types"].get(k, 0) == 1]

    def pair(keys):
        if not keys:
            return 128, 128
        return keys[0], (keys[-1] if len(keys) > 1 else 128)

    t1, t2 = pair(toggle)
    s1, s2 = pair(shift)
    led = lambda v: v if 0 <= v <= 6 else 0
    p = model["prefix"]
    serial = model["serial"]
    values = [p, 1, 25, 200, 100, t1, t2, s1, s2, model["rollover"], 0,
              model["pacing"] // 2, led(model["led"][0]), model["baud"], model["word"], 64,
              led(model["led"][1]), led(model["led"][2]), model["opmode"]] + [0] * 7 + [
              bcd(serial // 100), bcd(serial % 100)]
    for k in range(count):
        levels = model["macros"].get(k, {})
        data = []
        flags = []
        for level in (0, 1):
            codes, repeat = levels.get(level, ([], False))
            data.append(byte_form(codes, p))
            flags.append(0 if not codes else (3 if repeat else 1))
        values += [p, 2, k, flags[1], flags[0], k] + macro_block(data[0]) + macro_block(data[1])
    return "".join(hex_line(v) for v in values).encode("ascii")


RESET = {"prefix": 64, "rollover": 2, "pacing": 2, "led": [3, 0, 0], "baud": 3, "word": 8,
         "opmode": 0, "serial": 1, "types": {}, "macros": {}}


def text(s):
    return [ord(c) for c in s]


FULL48 = {
    "prefix": 64, "rollover": 4, "pacing": 7, "led": [1, 5, 6], "baud": 7, "word": 2,
    "opmode": 48, "serial": 905,
    "types": {3: 2, 10: 2, 20: 2, 7: 1, 40: 1},
    "macros": {
        0: {0: (text("Hello") + [13], False),
            1: ([0x1000 + 50, 0x4009, 0x4040, 97], True)},
        5: {0: ([97, 64], True)},
        12: {},
        30: {1: ([0x4000 + c for c in range(5, 14)] + [0x1000, 0x1000 + 255, 0, 255], False)},
        46: {0: ([(i % 26) + 97 for i in range(99)], False)},
        47: {0: ([(i % 10) + 48 for i in range(100)], True),
             1: ([0x1000 + 200] * 33 + [9], False)},
    },
}

if __name__ == "__main__":
    with open("new-24-key.ckd", "wb") as f:
        f.write(new_24_key_definition())
    with open("reset-24-key.hex", "wb") as f:
        f.write(download_file(RESET, 24))
    with open("full-48-key.hex", "wb") as f:
        f.write(download_file(FULL48, 48))
