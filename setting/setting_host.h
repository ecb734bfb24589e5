#pragma once
// What the settings dialog changes in the running editor, and where the settings file lies. The main
// window implements it; the dialog knows nothing else of it.
#include <cstdint>
#include <string>

namespace tovel {

class SettingHost {
public:
    // The note's background and text colours (0x00BBGGRR), shown at once.
    virtual void SetNoteBackColor(std::int32_t color) = 0;
    virtual void SetNoteTextColor(std::int32_t color) = 0;
    // Shows the picture file in the toolbar now; raises when it cannot be shown.
    virtual void ShowToolBitmap(const std::string& path) = 0;
    // The full path of the settings file the dialog reads and writes.
    virtual std::string SettingsFilePath() const = 0;

protected:
    ~SettingHost() = default;
};

}  // namespace tovel
