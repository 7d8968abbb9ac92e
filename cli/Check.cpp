#include <algorithm>
#include <cstdio>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "Cli.h"
#include "CodeValues.h"
#include "DefinitionText.h"
#include "IniText.h"
#include "TextEncoding.h"

namespace {

constexpr std::u16string_view kGlobal = u"GLOBAL_PARAMETERS";

class TChecker {
 public:
  TChecker(std::string_view fileName, std::ostream& out) : fileName_(fileName), out_(out) {}

  void Report(int line, const std::string& message) { findings_.emplace_back(line, message); }

  // Writes the findings in line order; returns how many there were.
  int Flush() {
    std::stable_sort(findings_.begin(), findings_.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [line, message] : findings_) {
      out_ << fileName_ << ":" << line << ": " << message << "\n";
    }
    return static_cast<int>(findings_.size());
  }

 private:
  std::string fileName_;
  std::ostream& out_;
  std::vector<std::pair<int, std::string>> findings_;
};

std::string U8(std::u16string_view text) { return Utf16ToUtf8(text); }

// Entries of a section by folded name, first occurrence only; later ones
// are reported as ignored.
std::map<std::u16string, const TIniLine*> EntriesOf(const TIniSection& section, TChecker& check) {
  std::map<std::u16string, const TIniLine*> entries;
  for (const auto& line : section.lines) {
    if (!line.IsEntry()) {
      const auto text = line.text.find_first_not_of(u" \t");
      if (text != std::u16string::npos && line.text[text] != u';') {
        check.Report(line.number, "line \"" + U8(line.text) + "\" is not an entry; it is ignored");
      }
      continue;
    }
    auto [it, added] = entries.emplace(FoldName(line.Name()), &line);
    if (!added) {
      check.Report(line.number, "entry " + U8(line.Name()) + " appears again (first at line " +
                                    std::to_string(it->second->number) + "); this one is ignored");
    }
  }
  return entries;
}

struct TIntegerKey {
  std::u16string_view name;
  int32_t def;
  bool eightBit;
};

const TIntegerKey kGlobalIntegers[] = {
    {u"Number_Of_Keys", 48, false}, {u"Download_Delay", 0, false}, {u"Key_Roll_Over", 2, true},
    {u"Character_Pacing", 2, true}, {u"LED_Function", 3, true},    {u"LED2_Function", 0, true},
    {u"LED3_Function", 0, true},    {u"Baud_Rate", 3, true},       {u"Word_Format", 8, true},
    {u"Command_Prefix", 64, true},  {u"Operating_Mode", 0, true},  {u"CDC_Serial_No", 1, false}};

// The keypad-wide values as the editor reads them, with what it corrects.
void CheckGlobals(const TIniSection* section, TChecker& check, uint8_t& prefix) {
  prefix = 64;
  if (section == nullptr) {
    check.Report(1, "no [GLOBAL_PARAMETERS] section: every keypad-wide value takes its default");
    return;
  }
  const auto entries = EntriesOf(*section, check);
  std::map<std::u16string, int32_t> values;
  for (const auto& key : kGlobalIntegers) {
    int32_t value = key.def;
    auto it = entries.find(FoldName(key.name));
    if (it != entries.end()) {
      const auto parsed = ParseIniInteger(it->second->Value());
      if (!parsed) {
        check.Report(it->second->number, U8(key.name) + " \"" + U8(it->second->Value()) +
                                             "\" is not a number; it reads as " +
                                             std::to_string(key.def));
      } else if (key.eightBit && (*parsed < 0 || *parsed > 255)) {
        value = static_cast<uint8_t>(*parsed);
        check.Report(it->second->number, U8(key.name) + " " + std::to_string(*parsed) +
                                             " does not fit a byte; it reads as " +
                                             std::to_string(value));
      } else {
        value = *parsed;
      }
    }
    values[FoldName(key.name)] = value;
  }
  auto line = [&](std::u16string_view key) {
    auto it = entries.find(FoldName(key));
    return it == entries.end() ? section->header.number : it->second->number;
  };
  auto value = [&](std::u16string_view key) { return values[FoldName(key)]; };
  prefix = static_cast<uint8_t>(value(u"Command_Prefix"));

  static constexpr std::u16string_view kKnown[] = {u"Model_Number", u"Macro_Length",
                                                   u"Level1_Length"};
  for (const auto& [name, entry] : entries) {
    bool known = false;
    for (const auto& key : kGlobalIntegers) known = known || FoldName(key.name) == name;
    for (const auto& key : kKnown) known = known || FoldName(key) == name;
    if (!known)
      check.Report(entry->number, "entry " + U8(entry->Name()) + " is not one the editor reads");
  }

  auto model = entries.find(u"model_number");
  if (model != entries.end() && model->second->Value() == u"Keyloom684") {
    check.Report(model->second->number,
                 "Model_Number Keyloom684 is an older keypad: it is shown in the 24-key layout");
  } else if (value(u"Number_Of_Keys") != 48 && value(u"Number_Of_Keys") != 24) {
    check.Report(line(u"Number_Of_Keys"), "Number_Of_Keys " +
                                              std::to_string(value(u"Number_Of_Keys")) +
                                              " is neither 24 nor 48: the 24-key layout is shown");
  }
  const int rollOver = value(u"Key_Roll_Over");
  if (rollOver > 6)
    check.Report(line(u"Key_Roll_Over"),
                 "Key_Roll_Over " + std::to_string(rollOver) + " is above 6; it reads as 2");
  if (rollOver == 0) check.Report(line(u"Key_Roll_Over"), "Key_Roll_Over 0 reads as 1");
  const int32_t serial = value(u"CDC_Serial_No");
  if (serial > 9999)
    check.Report(line(u"CDC_Serial_No"),
                 "CDC_Serial_No " + std::to_string(serial) + " is above 9999; it reads as 9999");
  if (serial < 0)
    check.Report(line(u"CDC_Serial_No"),
                 "CDC_Serial_No " + std::to_string(serial) + " is negative; it reads as 0");
  const int opMode = value(u"Operating_Mode");
  if (opMode & 15) {
    check.Report(line(u"Operating_Mode"), "Operating_Mode " + std::to_string(opMode) +
                                              " reads as " + std::to_string(opMode & 240));
  }
  if (value(u"Baud_Rate") > 8) {
    check.Report(line(u"Baud_Rate"), "Baud_Rate " + std::to_string(value(u"Baud_Rate")) +
                                         " is not one of the rates 0 to 8");
  }
  for (std::u16string_view led : {u"LED_Function", u"LED2_Function", u"LED3_Function"}) {
    const int v = value(led);
    if ((opMode & 240) != 48 && v > 3) {
      check.Report(line(led), U8(led) + " " + std::to_string(v) +
                                  " needs the PC keyboard host mode; it reads as 0 (Led OFF)");
    } else if (v > 6) {
      check.Report(line(led),
                   U8(led) + " " + std::to_string(v) + " is no LED mode; it is sent as 0");
    }
  }
}

// Walks a make-code string as the editor's reader does and reports what it
// drops.
void CheckCodes(const TIniLine& entry, uint8_t prefix, TChecker& check) {
  const std::u16string_view text = entry.Value();
  const std::string name = U8(entry.Name());
  std::string digits;
  bool reportedCharacter = false;
  for (char16_t c : text) {
    const bool hex =
        (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
    if (hex) {
      digits += static_cast<char>(c);
    } else if (c != u' ' && !reportedCharacter) {
      check.Report(entry.number, name + ": \"" + U8(std::u16string(1, c)) +
                                     "\" is no hexadecimal digit; such characters are skipped");
      reportedCharacter = true;
    }
  }
  if (digits.size() % 2 != 0) {
    check.Report(entry.number, name + ": an odd number of digits; the last one is dropped");
  }
  auto byteAt = [&](size_t i) { return std::stoi(digits.substr(2 * i, 2), nullptr, 16); };
  const size_t count = digits.size() / 2;
  int32_t used = 0;  // the editor's budget: a delay counts 3, any other code 1
  int codes = 0;
  bool full = false;
  auto add = [&](int32_t code) {
    ++codes;
    if (full || used + 1 > CodeValue::kMacroBudget) {
      if (!full) {
        check.Report(entry.number, name +
                                       ": more than the macro's 100 bytes; the codes from code " +
                                       std::to_string(codes) + " on are dropped");
      }
      full = true;
      return;
    }
    used += CodeValue::CountedBytes(code);
  };
  for (size_t i = 0; i < count;) {
    const int b = byteAt(i++);
    if (b != prefix || i == count) {
      add(b);
      continue;
    }
    const int c = byteAt(i++);
    if (c == CodeValue::kDelayCommand) {
      if (i < count) {
        add(CodeValue::Delay(byteAt(i++)));
      } else {
        check.Report(entry.number, name + ": a delay at the end lacks its length; it is dropped");
      }
    } else if (c == CodeValue::kAtSignCommand || c == CodeValue::kLiteralPrefixCommand ||
               (c >= CodeValue::kFirstLedCommand && c <= CodeValue::kLastLedCommand)) {
      add(c == CodeValue::kLiteralPrefixCommand ? b : CodeValue::Command(c));
    } else {
      char pair[8];
      std::snprintf(pair, sizeof pair, "%02x", c);
      check.Report(entry.number,
                   name + ": command " + pair +
                       " after the command prefix is unknown; both bytes are dropped");
    }
  }
}

void CheckKey(const TIniSection& section, uint8_t prefix, TChecker& check) {
  const auto entries = EntriesOf(section, check);
  static constexpr std::u16string_view kKnown[] = {
      u"KeyType",       u"L1_AutoRepeat", u"Level_1_Codes", u"Level_1_Name",
      u"L2_AutoRepeat", u"Level_2_Codes", u"Level_2_Name"};
  for (const auto& [name, entry] : entries) {
    bool known = false;
    for (const auto& key : kKnown) known = known || FoldName(key) == name;
    if (!known)
      check.Report(entry->number, "entry " + U8(entry->Name()) + " is not one the editor reads");
  }
  if (auto it = entries.find(u"keytype"); it != entries.end()) {
    const auto type = ParseIniInteger(it->second->Value());
    if (!type) {
      check.Report(it->second->number, "KeyType \"" + U8(it->second->Value()) +
                                           "\" is not a number; it reads as 0 (normal)");
    } else if (*type < 0 || *type > 2) {
      check.Report(it->second->number,
                   "KeyType " + std::to_string(*type) +
                       " is none of 0 (normal), 1 (level shift), 2 (level toggle)");
    }
  }
  for (std::u16string_view key : {u"l1_autorepeat", u"l2_autorepeat"}) {
    auto it = entries.find(std::u16string(key));
    if (it != entries.end() && !ParseIniInteger(it->second->Value())) {
      check.Report(it->second->number, U8(it->second->Name()) + " \"" + U8(it->second->Value()) +
                                           "\" is not a number; it reads as 0 (off)");
    }
  }
  for (std::u16string_view key : {u"level_1_codes", u"level_2_codes"}) {
    auto it = entries.find(std::u16string(key));
    if (it != entries.end()) CheckCodes(*it->second, prefix, check);
  }
}

int LayoutOf(const TIniSection* globals) {
  if (globals == nullptr) return 48;
  int32_t keys = 48;
  bool older = false;
  for (const auto& line : globals->lines) {
    if (!line.IsEntry()) continue;
    if (NamesEqual(line.Name(), u"Number_Of_Keys")) {
      keys = ParseIniInteger(line.Value()).value_or(48);
      break;
    }
  }
  for (const auto& line : globals->lines) {
    if (line.IsEntry() && NamesEqual(line.Name(), u"Model_Number")) {
      older = line.Value() == u"Keyloom684";
      break;
    }
  }
  return older ? 24 : LayoutKeyCount(keys);
}

}  // namespace

int CheckDefinition(const TIniText& ini, std::string_view fileName, std::ostream& out) {
  TChecker check(fileName, out);
  const TIniSection* globals = nullptr;
  for (const auto& section : ini.Sections()) {
    if (section.hasHeader && NamesEqual(section.name, kGlobal)) {
      globals = &section;
      break;
    }
  }
  uint8_t prefix = 64;
  CheckGlobals(globals, check, prefix);
  const int layout = LayoutOf(globals);

  std::map<std::u16string, int> firstLine;  // folded section name -> line
  std::map<int, int> keyLine;               // key index -> line of its section
  for (const auto& section : ini.Sections()) {
    if (!section.hasHeader) continue;
    const int line = section.header.number;
    std::string name = "[";  // built in steps: g++ 12 warns falsely on "[" + string
    name += U8(section.name);
    name += ']';
    auto [it, added] = firstLine.emplace(FoldName(section.name), line);
    if (!added) {
      check.Report(line, "duplicate section " + name + " (first at line " +
                             std::to_string(it->second) + "); its entries are ignored");
      continue;
    }
    if (&section == globals) continue;
    const std::optional<int> index = KeyIndexOfSection(section.name);
    if (!index) {
      check.Report(
          line, "section " + name + " is not a key section: the editor refuses to open this file");
      continue;
    }
    if (!NamesEqual(std::u16string_view(section.name).substr(0, 3), u"KEY")) {
      check.Report(line, "section " + name + " is read as key " + std::to_string(*index));
    }
    if (*index < 0 || *index > kMaxKeyIndex) {
      check.Report(line,
                   "section " + name + " names no key of the keypad (0 to 47); it is skipped");
      continue;
    }
    if (auto [k, first] = keyLine.emplace(*index, line); !first) {
      check.Report(line, "section " + name + " gives key " + std::to_string(*index) +
                             " again (first at line " + std::to_string(k->second) +
                             "); this one counts");
    }
    if (*index >= layout) {
      check.Report(line, "section " + name + " lies outside the " + std::to_string(layout) +
                             "-key layout: it is read and kept, but not sent to the keypad");
    }
    CheckKey(section, prefix, check);
  }
  return check.Flush();
}
