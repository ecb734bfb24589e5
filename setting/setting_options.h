#pragma once
// What the settings dialog stores in the settings file: the start-up options of its first tab and the
// toolbar picture's path. Each value goes out with one write of the settings file.
#include <string>

#include "platform/ini_file.h"

namespace tovel {

// "IME" ("ON" or empty), then "WW" ("NO" or empty). A failing "IME" write raises and leaves "WW" as it was.
void WriteEditorOptions(IIniFile& ini, bool imeOnAtStart, bool noWordWrap);

// "ToolBitmap", possibly empty: an empty value is written, never removed.
void WriteToolBitmapPath(IIniFile& ini, const std::string& path);

}  // namespace tovel
