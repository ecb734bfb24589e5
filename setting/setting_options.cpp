#include "setting/setting_options.h"

#include "setting/settings_file.h"

namespace tovel {

EditorOptions ReadEditorOptions(IIniFile& ini) {
    return {ini.ReadText(kFormSection, keys::kIme, "") == "ON",
            ini.ReadText(kFormSection, keys::kWordWrap, "") == "NO"};
}

void WriteEditorOptions(IIniFile& ini, bool imeOnAtStart, bool noWordWrap) {
    ini.WriteText(kFormSection, keys::kIme, imeOnAtStart ? "ON" : "");
    ini.WriteText(kFormSection, keys::kWordWrap, noWordWrap ? "NO" : "");
}

void WriteToolBitmapPath(IIniFile& ini, const std::string& path) {
    ini.WriteText(kFormSection, keys::kToolBitmap, path);
}

}  // namespace tovel
