#pragma once
// What the settings dialog stores in the settings file: the start-up options of its first tab and the
// toolbar picture's path. Each value goes out with one write of the settings file.
// The check boxes are filled from the file when the dialog is shown, by the rule the start-up applies.
#include <string>

#include "platform/ini_file.h"

namespace tovel {

struct EditorOptions {
    bool imeOnAtStart = false;  // "IME" is exactly "ON"
    bool noWordWrap = false;    // "WW" is exactly "NO"
};

EditorOptions ReadEditorOptions(IIniFile& ini);

// "IME" ("ON" or empty), then "WW" ("NO" or empty). A failing "IME" write raises and leaves "WW" as it was.
void WriteEditorOptions(IIniFile& ini, bool imeOnAtStart, bool noWordWrap);

// "ToolBitmap", possibly empty: an empty value is written, never removed.
void WriteToolBitmapPath(IIniFile& ini, const std::string& path);

}  // namespace tovel
