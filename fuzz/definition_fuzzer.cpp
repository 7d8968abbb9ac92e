// Reads arbitrary bytes as a definition file. Beyond not crashing:
// - a definition that was read, written back in place and read again gives
//   the same model and the same layout, and a second save gives the same bytes;
// - written to a new file it reads back to the same model too;
// - changing one key's name and saving again changes that one line only.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "DefinitionText.h"
#include "FileError.h"
#include "FuzzCheck.h"
#include "IniText.h"
#include "KeypadClass.h"

namespace {

// Lines that differ between two texts with the same sections and lines; -1
// when their shapes differ.
int DifferingLines(const TIniText& a, const TIniText& b, const TIniLine** last) {
  if (a.Sections().size() != b.Sections().size()) return -1;
  int differing = 0;
  for (size_t s = 0; s < a.Sections().size(); ++s) {
    const auto& sa = a.Sections()[s];
    const auto& sb = b.Sections()[s];
    if (sa.header.text != sb.header.text || sa.lines.size() != sb.lines.size()) return -1;
    for (size_t i = 0; i < sa.lines.size(); ++i) {
      if (sa.lines[i].text != sb.lines[i].text || sa.lines[i].end != sb.lines[i].end) {
        ++differing;
        *last = &sb.lines[i];
      }
    }
  }
  return differing;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  auto keypad = std::make_unique<TKeypadClass>();
  TIniText text = TIniText::Parse(bytes);
  DefinitionReadResult first;
  try {
    first = ReadDefinitionText(*keypad, text, "fuzz.ckd");
  } catch (const FileError&) {
    // A section that names no key: the model is the reset one.
    FUZZ_CHECK(ModelContent(*keypad) == ModelContent(*std::make_unique<TKeypadClass>()));
    return 0;
  }
  const std::string content = ModelContent(*keypad);

  // In place, with the layout read.
  WriteDefinitionText(*keypad, text, first.keyCount);
  const std::string saved = text.Serialize();
  auto again = std::make_unique<TKeypadClass>();
  const DefinitionReadResult second = ReadDefinitionBytes(*again, saved, "fuzz.ckd");
  FUZZ_CHECK(second.keyCount == first.keyCount);
  FUZZ_CHECK(ModelContent(*again) == content);
  TIniText resaved = TIniText::Parse(saved);
  WriteDefinitionText(*again, resaved, second.keyCount);
  FUZZ_CHECK(resaved.Serialize() == saved);

  // A new file with every key.
  TIniText fresh;
  WriteDefinitionText(*keypad, fresh, 48);
  auto fromFresh = std::make_unique<TKeypadClass>();
  ReadDefinitionBytes(*fromFresh, fresh.Serialize(), "fuzz.ckd");
  FUZZ_CHECK(ModelContent(*fromFresh) == content);

  // One key changed: one line changed.
  const TIniText before = TIniText::Parse(saved);
  TIniText after = TIniText::Parse(saved);
  const uint8_t key = static_cast<uint8_t>(size % static_cast<size_t>(first.keyCount));
  keypad->SetKey(key);
  keypad->SetLevel(0);
  keypad->SetMacroName(keypad->GetMacroName() == u"changed" ? u"altered" : u"changed");
  WriteDefinitionText(*keypad, after, first.keyCount);
  const TIniLine* changed = nullptr;
  FUZZ_CHECK(DifferingLines(before, after, &changed) == 1);
  FUZZ_CHECK(NamesEqual(changed->Name(), u"Level_1_Name"));
  return 0;
}
