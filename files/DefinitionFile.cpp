#include "DefinitionFile.h"

#include <climits>
#include <memory>

#include "AtomicFile.h"
#include "DefinitionText.h"
#include "FileError.h"
#include "IniFile.h"
#include "KeypadClass.h"
#include "MakeCodeParser.h"

namespace {

constexpr std::u16string_view kGlobal = u"GLOBAL_PARAMETERS";

class TReader {
 public:
  explicit TReader(const TIniText& ini) : ini_(ini) {}

  int32_t Integer(std::u16string_view section, std::u16string_view key, int32_t def) const {
    auto value = ini_.Value(section, key);
    if (!value) return def;
    return ParseIniInteger(*value).value_or(def);
  }
  uint8_t Byte(std::u16string_view key, int32_t def) const {
    return static_cast<uint8_t>(Integer(kGlobal, key, def));  // the low 8 bits
  }
  std::u16string Text(std::u16string_view section, std::u16string_view key) const {
    auto value = ini_.Value(section, key);
    return std::u16string(value ? *value : std::u16string_view());
  }

 private:
  const TIniText& ini_;
};

void ClearKey(TKeypadClass& keypad) {
  keypad.SetKeytype(ktNormal);
  for (uint8_t level = 0; level < kLevelCount; ++level) {
    keypad.SetLevel(level);
    while (keypad.RemoveKey(0)) {
    }
    keypad.SetCanAutoRepeat(false);
    keypad.SetMacroName(u"");
  }
}

// Reads into a model that was just reset.
int ReadInto(TKeypadClass& keypad, const TIniText& ini, std::string_view fileName) {
  const TReader r(ini);
  int keyCount = r.Integer(kGlobal, u"Number_Of_Keys", 48);
  if (r.Text(kGlobal, u"Model_Number") == u"Keyloom684") keyCount = 24;

  keypad.SetDownloadDelay(r.Integer(kGlobal, u"Download_Delay", 0));
  keypad.SetKeyRollOver(r.Byte(u"Key_Roll_Over", 2));
  keypad.SetCharacterPacing(r.Byte(u"Character_Pacing", 2));
  keypad.SetLED1Behavior(static_cast<TLEDBehavior>(r.Byte(u"LED_Function", 3)));
  keypad.SetLED2Behavior(static_cast<TLEDBehavior>(r.Byte(u"LED2_Function", 0)));
  keypad.SetLED3Behavior(static_cast<TLEDBehavior>(r.Byte(u"LED3_Function", 0)));
  keypad.SetBaudRate(r.Byte(u"Baud_Rate", 3));
  keypad.SetWordFormat(r.Byte(u"Word_Format", 8));
  keypad.SetCmdPrefix(r.Byte(u"Command_Prefix", 64));
  keypad.SetOpMode(r.Byte(u"Operating_Mode", 0));

  if (keypad.KeyRollOver() > 6) keypad.SetKeyRollOver(2);
  if (keypad.KeyRollOver() == 0) keypad.SetKeyRollOver(1);
  int32_t serial = r.Integer(kGlobal, u"CDC_Serial_No", 1);
  if (serial > 9999) serial = 9999;
  if (serial < 0) serial = 0;  // the download file has no form for it
  keypad.SetCdcSerialNo(serial);
  keypad.SetOpMode(keypad.OpMode() & 240);
  if (keypad.OpMode() != 48) {
    if (keypad.LED1Behavior() > 3) keypad.SetLED1Behavior(ledNone);
    if (keypad.LED2Behavior() > 3) keypad.SetLED2Behavior(ledNone);
    if (keypad.LED3Behavior() > 3) keypad.SetLED3Behavior(ledNone);
  }

  std::vector<std::u16string> sections = ini.SectionNames();
  for (auto it = sections.begin(); it != sections.end(); ++it) {
    if (NamesEqual(*it, kGlobal)) {
      sections.erase(it);
      break;
    }
  }
  for (const auto& section : sections) {
    const std::optional<int> index = KeyIndexOfSection(section);
    if (!index) {
      throw FileError("Cannot read the file \"" + std::string(fileName) + "\": its section [" +
                      Utf16ToUtf8(section) + "] does not name a key by its number.");
    }
    if (*index < 0 || *index > kMaxKeyIndex) continue;  // no such key
    keypad.SetKey(static_cast<uint8_t>(*index));
    // A key named twice (KEY3 and KEY03): the later section gives the key.
    ClearKey(keypad);
    keypad.SetKeytype(
        static_cast<TKeyType>(static_cast<uint8_t>(r.Integer(section, u"KeyType", 0))));
    static constexpr std::u16string_view kAutoRepeat[] = {u"L1_AutoRepeat", u"L2_AutoRepeat"};
    static constexpr std::u16string_view kCodes[] = {u"LEVEL_1_CODES", u"LEVEL_2_CODES"};
    static constexpr std::u16string_view kName[] = {u"Level_1_Name", u"Level_2_Name"};
    for (uint8_t level = 0; level < kLevelCount; ++level) {
      keypad.SetLevel(level);
      keypad.SetCanAutoRepeat(r.Integer(section, kAutoRepeat[level], 0) != 0);
      ParseMakeCodes(keypad, MakeCodeText(r.Text(section, kCodes[level])));
      keypad.SetMacroName(r.Text(section, kName[level]));
    }
  }
  keypad.SetKey(0);
  keypad.SetLevel(0);
  return keyCount;
}

class TWriter {
 public:
  explicit TWriter(TIniText& ini) : ini_(ini) {}
  void Text(std::u16string_view section, std::u16string_view key, std::u16string_view value) {
    ini_.SetValue(section, key, value);
  }
  void Integer(std::u16string_view section, std::u16string_view key, int32_t value) {
    const std::string digits = std::to_string(value);
    Text(section, key, std::u16string(digits.begin(), digits.end()));
  }
  void Flag(std::u16string_view section, std::u16string_view key, bool value) {
    Text(section, key, value ? u"1" : u"0");
  }

 private:
  TIniText& ini_;
};

}  // namespace

std::optional<int> KeyIndexOfSection(std::u16string_view name) {
  std::u16string_view rest = name.size() > 3 ? name.substr(3) : std::u16string_view();
  bool negative = false;
  if (!rest.empty() && (rest.front() == u'-' || rest.front() == u'+')) {
    negative = rest.front() == u'-';
    rest.remove_prefix(1);
  }
  if (rest.empty()) return std::nullopt;
  long long value = 0;
  for (char16_t c : rest) {
    if (c < u'0' || c > u'9') return std::nullopt;
    if (value < INT_MAX) value = value * 10 + (c - u'0');
  }
  if (value > INT_MAX) value = INT_MAX;
  return static_cast<int>(negative ? -value : value);
}

std::string MakeCodeText(std::u16string_view value) {
  std::string text(value.size(), '?');
  for (size_t i = 0; i < value.size(); ++i) {
    if (value[i] < 0x80) text[i] = static_cast<char>(value[i]);
  }
  return text;
}

DefinitionReadResult ReadDefinitionText(TKeypadClass& keypad, const TIniText& ini,
                                        std::string_view fileName) {
  // A copy keeps the view setting and the modifier source; Initialize resets the rest.
  auto fresh = std::make_unique<TKeypadClass>(keypad);
  fresh->Initialize();
  const int keyCount = ReadInto(*fresh, ini, fileName);
  keypad = *fresh;
  DefinitionReadResult result;
  result.keyCount = LayoutKeyCount(keyCount);
  return result;
}

DefinitionReadResult ReadDefinitionBytes(TKeypadClass& keypad, std::string_view bytes,
                                         std::string_view fileName) {
  return ReadDefinitionText(keypad, TIniText::Parse(bytes), fileName);
}

std::optional<DefinitionReadResult> ReadDefinitionFile(TKeypadClass& keypad,
                                                       const std::filesystem::path& path) {
  if (!FileExists(path)) return std::nullopt;
  return ReadDefinitionBytes(keypad, ReadWholeFile(path), PathText(path));
}

LevelKeyRecord LevelKeysOf(TKeypadClass& keypad, int keyCount) {
  LevelKeyRecord record;
  const uint8_t savedKey = keypad.Key();
  const int count = LayoutKeyCount(keyCount);
  for (int k = 0; k < count; ++k) {
    keypad.SetKey(static_cast<uint8_t>(k));
    if (keypad.Keytype() == ktToggle) {
      (record.ToggleKey1 == 128 ? record.ToggleKey1 : record.ToggleKey2) = k;
    } else if (keypad.Keytype() == ktShift) {
      (record.ShiftKey1 == 128 ? record.ShiftKey1 : record.ShiftKey2) = k;
    }
  }
  keypad.SetKey(savedKey);
  return record;
}

LevelKeyRecord WriteDefinitionText(TKeypadClass& keypad, TIniText& ini, int keyCount) {
  TWriter w(ini);
  const int count = LayoutKeyCount(keyCount);
  w.Text(kGlobal, u"Model_Number", count == 48 ? u"TVR48" : u"TVR24");
  w.Integer(kGlobal, u"Number_Of_Keys", count);
  w.Integer(kGlobal, u"Download_Delay", keypad.DownloadDelay());
  w.Integer(kGlobal, u"Macro_Length", 200);
  w.Integer(kGlobal, u"Level1_Length", 100);
  w.Integer(kGlobal, u"Key_Roll_Over", keypad.KeyRollOver());
  w.Integer(kGlobal, u"Character_Pacing", keypad.CharacterPacing());
  w.Integer(kGlobal, u"LED_Function", keypad.LED1Behavior());
  w.Integer(kGlobal, u"LED2_Function", keypad.LED2Behavior());
  w.Integer(kGlobal, u"LED3_Function", keypad.LED3Behavior());
  w.Integer(kGlobal, u"Baud_Rate", keypad.BaudRate());
  w.Integer(kGlobal, u"Word_Format", keypad.WordFormat());
  w.Integer(kGlobal, u"Command_Prefix", keypad.CmdPrefix());
  w.Integer(kGlobal, u"Operating_Mode", keypad.OpMode());
  w.Integer(kGlobal, u"CDC_Serial_No", keypad.CdcSerialNo());

  const uint8_t savedKey = keypad.Key();
  const uint8_t savedLevel = keypad.Level();
  static constexpr std::u16string_view kAutoRepeat[] = {u"L1_AutoRepeat", u"L2_AutoRepeat"};
  static constexpr std::u16string_view kCodes[] = {u"Level_1_Codes", u"Level_2_Codes"};
  static constexpr std::u16string_view kName[] = {u"Level_1_Name", u"Level_2_Name"};
  for (int k = 0; k < count; ++k) {
    const std::string name = "KEY" + std::to_string(k);
    const std::u16string section(name.begin(), name.end());
    keypad.SetKey(static_cast<uint8_t>(k));
    w.Integer(section, u"KeyType", keypad.Keytype() & 127);
    for (uint8_t level = 0; level < kLevelCount; ++level) {
      keypad.SetLevel(level);
      w.Flag(section, kAutoRepeat[level], keypad.CanAutoRepeat());
      const std::string codes = keypad.MakeCodes();
      w.Text(section, kCodes[level], std::u16string(codes.begin(), codes.end()));
      w.Text(section, kName[level], keypad.GetMacroName());
    }
  }
  keypad.SetKey(savedKey);
  keypad.SetLevel(savedLevel);
  return LevelKeysOf(keypad, count);
}

LevelKeyRecord WriteDefinitionFile(TKeypadClass& keypad, const std::filesystem::path& path,
                                   int keyCount) {
  TIniFile ini(path);
  const LevelKeyRecord record = WriteDefinitionText(keypad, ini.Text(), keyCount);
  ini.UpdateFile();
  return record;
}
