// The loader tool suite's settings file VOVirUvad.ini in the per-user folder:
// the loader's port, written by the port-selection program, and the download
// delay this program hands on with every download file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

inline constexpr const char* kLoaderSettingsFileName = "VOVirUvad.ini";
inline constexpr const char* kComPortSection = "Com Port Configuration";
inline constexpr const char* kComPortKey = "ComPort";
inline constexpr const char* kComTypeKey = "ComType";
inline constexpr const char* kDownloadDelayKey = "DownloadDelay";

// "ComPort": the COM port number, 0 when not set; `def` when the file or the
// key is missing. Throws FileError when the file exists but cannot be read.
int32_t ReadComPort(const std::filesystem::path& settingsFile, int32_t def);
// "ComType": U (USB), R (DB9) or V (CDC), either case; `def` when missing.
std::u16string ReadComType(const std::filesystem::path& settingsFile, std::u16string_view def);
// Writes "DownloadDelay" when the file names a port ("ComPort" other than -1);
// a missing file or key leaves everything as it is.
void CopyDownloadDelay(const std::filesystem::path& settingsFile, int32_t downloadDelay);
