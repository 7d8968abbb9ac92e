// Reads a make-code string (two hexadecimal digits per byte) back into codes.
#pragma once

#include <string_view>

class TKeypadClass;

// Inserts the codes of `text` into the macro under the keypad's cursor,
// starting at its first slot. The keypad's CmdPrefix decides which bytes start
// a delay or command. Characters that are neither hexadecimal digits nor
// spaces are skipped; a pair or command cut off at the end is dropped.
void ParseMakeCodes(TKeypadClass& keypad, std::string_view text);
