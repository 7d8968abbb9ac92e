// The download file's bytes in memory; DownloadFile.h adds the file around it.
#pragma once

#include <string>

#include "DefinitionFile.h"

class TKeypadClass;

// The whole download file for keys 0..count-1 of the layout `keyCount`. The
// keypad's cursor is restored.
std::string DownloadFileText(TKeypadClass& keypad, int keyCount, const LevelKeyRecord& levelKeys);
