#include <gtest/gtest.h>

#include <string>

#include "EmbeddedVersion.h"

using namespace std::string_literals;

namespace {
std::string Entry(const std::string& table, const std::string& name, const std::string& value) {
  return table + '\0' + name + '\0' + value + '\0';
}
}  // namespace

TEST(EmbeddedVersion, ExecutableWithTheTableGivesTheProjectVersion) {
  EXPECT_EQ(ReadEmbeddedFileVersion(PROBE_WITH), std::optional<std::string>(PROJECT_FILE_VERSION));
  EXPECT_EQ(ReadEmbeddedFileVersion(TOOL_EXE), std::optional<std::string>("1.0.0.0"));
}

// The probe without the table still holds the reader and its markers.
TEST(EmbeddedVersion, ExecutableWithoutTheTableGivesNothing) {
  EXPECT_EQ(ReadEmbeddedFileVersion(PROBE_WITHOUT), std::nullopt);
  EXPECT_EQ(ReadEmbeddedFileVersion("/nonexistent/KeyloomTVRxx"), std::nullopt);
}

TEST(EmbeddedVersion, FindsTheValueOnlyInAWholeTable) {
  const std::string begin = "\x7FKLVERSIONINFO\x01"s;
  const std::string end = "\x7FKLVERSIONEND\x01"s;
  const std::string table = begin + Entry("040904E4", "ProductName", "X") +
                            Entry("040904E4", "FileVersion", "12.34.5.6") + end;
  struct Case {
    const char* what;
    std::string bytes;
    std::optional<std::string> expected;
  } cases[] = {
      {"table among other bytes",
       "\x7F"
       "ELF junk"s +
           table + "tail",
       "12.34.5.6"},
      {"a bare marker first, the table later", begin + "\0\0"s + table, "12.34.5.6"},
      {"table without FileVersion", begin + Entry("040904E4", "ProductName", "X") + end,
       std::nullopt},
      {"FileVersion in another table", begin + Entry("040704B0", "FileVersion", "2.0") + end,
       std::nullopt},
      {"table never closed", begin + Entry("040904E4", "FileVersion", "3.0"), std::nullopt},
      {"no marker at all", "just bytes", std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FindEmbeddedVersionValue(c.bytes, "040904E4", "FileVersion"), c.expected) << c.what;
  }
  EXPECT_EQ(FindEmbeddedVersionValue(table, "040904e4", "fileversion"), "12.34.5.6");
}
