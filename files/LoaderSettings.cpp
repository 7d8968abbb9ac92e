#include "LoaderSettings.h"

#include "IniFile.h"

int32_t ReadComPort(const std::filesystem::path& settingsFile, int32_t def) {
  return TIniFile(settingsFile).ReadInteger(kComPortSection, kComPortKey, def);
}

std::u16string ReadComType(const std::filesystem::path& settingsFile, std::u16string_view def) {
  return TIniFile(settingsFile).ReadString(kComPortSection, kComTypeKey, def);
}

void CopyDownloadDelay(const std::filesystem::path& settingsFile, int32_t downloadDelay) {
  TIniFile ini(settingsFile);
  if (!ini.Exists()) return;
  if (ini.ReadInteger(kComPortSection, kComPortKey, -1) == -1) return;
  ini.WriteInteger(kComPortSection, kDownloadDelayKey, downloadDelay);
  ini.UpdateFile();
}
