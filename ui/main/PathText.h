// Paths cross from Qt's text to the file layer here, in one place.
#pragma once

#include <QString>
#include <filesystem>

inline std::filesystem::path ToPath(const QString& text) {
  return std::filesystem::path(text.toStdU16String());
}

inline QString FromPath(const std::filesystem::path& path) {
  return QString::fromStdU16String(path.u16string());
}
