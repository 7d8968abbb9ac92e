// The definition file's content, read from and written to INI text in memory;
// DefinitionFile.h adds the file around it.
#pragma once

#include <string>
#include <string_view>

#include "DefinitionFile.h"
#include "IniText.h"

class TKeypadClass;

inline constexpr int kMaxKeyIndex = 47;

// The layout a key count stands for: 48, or 24 for anything else.
inline int LayoutKeyCount(int keyCount) { return keyCount == 48 ? 48 : 24; }

// Reads `ini` into `keypad` as ReadDefinitionFile does: the whole text is read
// into a fresh model first, and `keypad` (its bViewInHex and modifier source
// kept) receives it only when that succeeded. `fileName` names the file in
// errors.
DefinitionReadResult ReadDefinitionText(TKeypadClass& keypad, const TIniText& ini,
                                        std::string_view fileName);
// The same from the bytes of a file.
DefinitionReadResult ReadDefinitionBytes(TKeypadClass& keypad, std::string_view bytes,
                                         std::string_view fileName);

// Writes keys 0..count-1 of the layout `keyCount` into `ini`, updating it in
// place. The keypad's cursor is restored.
LevelKeyRecord WriteDefinitionText(TKeypadClass& keypad, TIniText& ini, int keyCount);

// The level-key record the writer would give for this layout, without writing.
LevelKeyRecord LevelKeysOf(TKeypadClass& keypad, int keyCount);

// The key index a key section's name gives: the text after its first three
// characters as a decimal number. nullopt when that is no decimal number; a
// number too large for an int gives INT_MAX.
std::optional<int> KeyIndexOfSection(std::u16string_view name);

// A make-code string as stored text: characters beyond ASCII cannot be
// hexadecimal digits and become '?'.
std::string MakeCodeText(std::u16string_view value);
