// Whole-file writes that either replace a file completely or leave it as it
// was: the bytes go to a temporary file in the same folder, are flushed to
// disk and renamed over the old file.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// Replaces the file at `path` with `bytes`. A symbolic link is kept and its
// target replaced; an existing file keeps its permission bits; a file that is
// not writable stays as it is. Throws FileError naming `path`; no temporary
// file is left behind then.
void WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// The whole content of a file. Throws FileError naming `path` when it cannot
// be read (no permission, a folder, ...).
std::string ReadWholeFile(const std::filesystem::path& path);

// Whether something exists at `path` (a dangling link counts as nothing).
// Throws FileError naming `path` when that cannot be told, e.g. when a folder
// on the way may not be searched.
bool FileExists(const std::filesystem::path& path);

// A path as UTF-8 text, for messages.
std::string PathText(const std::filesystem::path& path);
