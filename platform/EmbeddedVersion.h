// The version table that keyloom_embed_version() (cmake/KeyloomVersion.cmake)
// compiles into executables built for systems without version resources.
// Standard library only.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// "FileVersion" of string table "040904E4" in the executable at `executable`;
// nullopt when the file cannot be read, has no table, or the table has no
// such value.
std::optional<std::string> ReadEmbeddedFileVersion(const std::filesystem::path& executable);

// The same lookup on the bytes of an executable already in memory, for any
// table and value name (names compare without regard to case).
std::optional<std::string> FindEmbeddedVersionValue(std::string_view bytes, std::string_view table,
                                                    std::string_view name);
