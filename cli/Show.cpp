#include <ostream>
#include <string>

#include "Cli.h"
#include "KeypadClass.h"
#include "TextEncoding.h"

namespace {

std::string Unknown(int value) { return "unknown (" + std::to_string(value) + ")"; }

std::string BaudRateText(int index) {
  static const char* const kRates[] = {"1200",  "2400",  "4800",   "9600",  "19.2k",
                                       "38.4k", "57.6k", "115.2k", "31.25k"};
  return index >= 0 && index <= 8 ? kRates[index] : Unknown(index);
}

// As the properties dialog shows a stored word format.
std::string WordFormatText(int value) {
  if (value & 8) return "8,N,1";
  if (!(value & 2)) return "7,N,1";
  return (value & 4) ? "7,O,1" : "7,E,1";
}

std::string HostModeText(int opMode) {
  if (opMode == 48) return "PC Keyboard (USB HID)";
  if (opMode == 32) return "Vesper Virtual COM";
  if (opMode == 0) return "Default (CDC Virtual COM)";
  return "Default (CDC Virtual COM), stored as " + std::to_string(opMode);
}

std::string LedText(int value, bool keyboardMode) {
  static const char* const kVirtualCom[] = {"Led OFF", "Level Indicator", "Host/Macro Control",
                                            "Power Indicator"};
  static const char* const kKeyboard[] = {"Led OFF",         "Caps Lock",     "Num Lock",
                                          "Level Indicator", "Macro Control", "Power Indicator",
                                          "Scroll Lock"};
  if (keyboardMode) return value <= 6 ? kKeyboard[value] : Unknown(value);
  return value <= 3 ? kVirtualCom[value] : Unknown(value);
}

std::string KeyTypeText(int type) {
  switch (type) {
    case ktNormal:
      return "normal";
    case ktShift:
      return "level shift";
    case ktToggle:
      return "level toggle";
    default:
      return Unknown(type);
  }
}

bool LevelInUse(const TKeypadClass& keypad) {
  return keypad.NumOfElements() > 0 || keypad.CanAutoRepeat() || !keypad.GetMacroName().empty();
}

}  // namespace

void ShowDefinition(TKeypadClass& keypad, int keyCount, std::string_view fileName,
                    std::ostream& out) {
  const bool keyboardMode = keypad.OpMode() == 48;
  out << "Definition: " << fileName << "\n"
      << "Layout: " << keyCount << " keys\n"
      << "Baud rate: " << BaudRateText(keypad.BaudRate()) << "\n"
      << "Word format: " << WordFormatText(keypad.WordFormat()) << "\n"
      << "Host mode: " << HostModeText(keypad.OpMode()) << "\n"
      << "CDC serial number: " << keypad.CdcSerialNo() << "\n"
      << "LED 1 mode: " << LedText(keypad.LED1Behavior(), keyboardMode) << "\n"
      << "LED 2 mode: " << LedText(keypad.LED2Behavior(), keyboardMode) << "\n"
      << "LED 3 mode: " << LedText(keypad.LED3Behavior(), keyboardMode) << "\n"
      << "Key rollover: " << int(keypad.KeyRollOver()) << "\n"
      << "Character pacing: " << int(keypad.CharacterPacing()) << " ms\n"
      << "Download delay: " << keypad.DownloadDelay() << " ms\n"
      << "Command prefix: " << int(keypad.CmdPrefix()) << "\n";

  const bool hexView = keypad.bViewInHex;
  keypad.bViewInHex = false;
  for (int k = 0; k < kKeyCount; ++k) {
    keypad.SetKey(static_cast<uint8_t>(k));
    bool inUse = keypad.Keytype() != ktNormal;
    for (uint8_t level = 0; level < kLevelCount; ++level) {
      keypad.SetLevel(level);
      inUse = inUse || LevelInUse(keypad);
    }
    if (!inUse) continue;
    out << "\nKey " << k + 1 << ": " << KeyTypeText(keypad.Keytype());
    if (k >= keyCount) out << " (outside the " << keyCount << "-key layout)";
    out << "\n";
    for (uint8_t level = 0; level < kLevelCount; ++level) {
      keypad.SetLevel(level);
      if (!LevelInUse(keypad)) continue;
      out << "  Level " << level + 1;
      if (!keypad.GetMacroName().empty())
        out << " \"" << Utf16ToUtf8(keypad.GetMacroName()) << "\"";
      out << ", auto-repeat " << (keypad.CanAutoRepeat() ? "on" : "off") << ", "
          << keypad.CodeCount() << " of 100 bytes\n";
      if (keypad.NumOfElements() == 0) continue;
      out << "    ";
      for (int i = 0; i < keypad.NumOfElements(); ++i) {
        if (i > 0) out << " | ";
        out << Utf16ToUtf8(keypad.GetDisplayValue(i));
      }
      out << "\n";
    }
  }
  keypad.bViewInHex = hexView;
  keypad.SetKey(0);
  keypad.SetLevel(0);
}
