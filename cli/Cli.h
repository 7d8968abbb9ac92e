// keyloom-cli: writes download files, shows and checks definition files.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

class TIniText;
class TKeypadClass;

// Runs the tool with its arguments (UTF-8, without the program name). Exit
// status: 0 done, 1 check reported something, 2 a bad argument or a file that
// could not be read or written.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The definition for a person: keypad-wide values with their meanings, then
// every key that holds something.
void ShowDefinition(TKeypadClass& keypad, int keyCount, std::string_view fileName,
                    std::ostream& out);

// Writes one "file:line: message" per finding; returns how many there were.
int CheckDefinition(const TIniText& ini, std::string_view fileName, std::ostream& out);
