#include "Cli.h"

#include <filesystem>
#include <memory>
#include <ostream>

#include "AtomicFile.h"
#include "DefinitionFile.h"
#include "DefinitionText.h"
#include "DownloadFile.h"
#include "FileError.h"
#include "IniText.h"
#include "KeypadClass.h"

namespace fs = std::filesystem;

namespace {

constexpr int kDone = 0;
constexpr int kFindings = 1;
constexpr int kFailure = 2;

constexpr char kUsage[] =
    "Usage: keyloom-cli COMMAND ...\n"
    "Works on keypad definition files (*.ckd) of the KeyloomTVRxx editor.\n"
    "\n"
    "Commands:\n"
    "  hex FILE.ckd [-o OUT]  write the download file as the editor's Save would;\n"
    "                         OUT defaults to FILE with \"hex\" for its last three\n"
    "                         characters\n"
    "  show FILE.ckd          print the definition: keypad values and every key in use\n"
    "  check FILE.ckd...      report what the editor would correct, skip or ignore,\n"
    "                         as file:line: message\n"
    "  --help                 print this text\n"
    "  --version              print the version\n"
    "\n"
    "Exit status: 0 done, 1 check reported something, 2 a bad argument or a file\n"
    "that could not be read or written.\n";

fs::path PathOf(const std::string& utf8) {
  return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

struct TUsageError {
  std::string message;
};

// Reads a definition file; a missing file is an error here.
int ReadOrFail(TKeypadClass& keypad, const std::string& file) {
  auto result = ReadDefinitionFile(keypad, PathOf(file));
  if (!result) throw FileError("Cannot read the file \"" + file + "\": no such file.");
  return result->keyCount;
}

int Hex(const std::vector<std::string>& args, std::ostream&) {
  std::string input, output;
  for (size_t i = 1; i < args.size(); ++i) {
    if (args[i] == "-o") {
      if (i + 1 >= args.size() || !output.empty()) throw TUsageError{"hex: -o needs one file name"};
      output = args[++i];
    } else if (!args[i].empty() && args[i][0] == '-' && args[i] != "-") {
      throw TUsageError{"hex: unknown option " + args[i]};
    } else if (input.empty()) {
      input = args[i];
    } else {
      throw TUsageError{"hex: one definition file at a time"};
    }
  }
  if (input.empty()) throw TUsageError{"hex: no definition file given"};
  auto keypad = std::make_unique<TKeypadClass>();
  const int keyCount = ReadOrFail(*keypad, input);
  const fs::path target = output.empty() ? DownloadFilePathFor(PathOf(input)) : PathOf(output);
  WriteDownloadFile(*keypad, target, keyCount, LevelKeysOf(*keypad, keyCount), {});
  return kDone;
}

int Show(const std::vector<std::string>& args, std::ostream& out) {
  if (args.size() != 2) throw TUsageError{"show: give one definition file"};
  auto keypad = std::make_unique<TKeypadClass>();
  const int keyCount = ReadOrFail(*keypad, args[1]);
  ShowDefinition(*keypad, keyCount, args[1], out);
  return kDone;
}

int Check(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() < 2) throw TUsageError{"check: give at least one definition file"};
  int status = kDone;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& file = args[i];
    try {
      if (!FileExists(PathOf(file))) {
        throw FileError("Cannot read the file \"" + file + "\": no such file.");
      }
      const TIniText ini = TIniText::Parse(ReadWholeFile(PathOf(file)));
      if (CheckDefinition(ini, file, out) > 0 && status == kDone) status = kFindings;
    } catch (const FileError& e) {
      err << "keyloom-cli: " << e.what() << "\n";
      status = kFailure;
    }
  }
  return status;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  try {
    if (args.empty()) throw TUsageError{"no command given"};
    const std::string& command = args[0];
    if (command == "--help" || command == "-h" || command == "help") {
      out << kUsage;
      return kDone;
    }
    if (command == "--version") {
      out << "keyloom-cli " << KEYLOOM_VERSION << "\n";
      return kDone;
    }
    if (command == "hex") return Hex(args, out);
    if (command == "show") return Show(args, out);
    if (command == "check") return Check(args, out, err);
    throw TUsageError{"unknown command " + command};
  } catch (const TUsageError& e) {
    err << "keyloom-cli: " << e.message << " (see keyloom-cli --help)\n";
  } catch (const FileError& e) {
    err << "keyloom-cli: " << e.what() << "\n";
  } catch (const std::exception& e) {
    err << "keyloom-cli: " << e.what() << "\n";
  }
  return kFailure;
}
