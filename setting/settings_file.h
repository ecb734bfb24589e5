#pragma once
// The settings file "tovel.ini" beside the executable: one section, "Form".
#include <cstdint>
#include <string>

#include "platform/ini_file.h"

namespace tovel {

inline constexpr const char* kSettingsFileName = "tovel.ini";
inline constexpr const char* kFormSection = "Form";

namespace keys {
inline constexpr const char* kHeight = "Height";
inline constexpr const char* kWidth = "Width";
inline constexpr const char* kTop = "Top";
inline constexpr const char* kLeft = "Left";
inline constexpr const char* kNoteColor = "Note.Color";
inline constexpr const char* kNoteFontColor = "Note.Font.Color";
inline constexpr const char* kToolBitmap = "ToolBitmap";
inline constexpr const char* kIme = "IME";
inline constexpr const char* kWordWrap = "WW";
inline constexpr const char* kStatusBar = "StatusBar";
inline constexpr const char* kMaximized = "Maximized";
}  // namespace keys

// Reads an integer; an absent or unreadable value gives the default, silently.
std::int32_t ReadInteger(IIniFile& ini, const std::string& section, const std::string& key, std::int32_t fallback);
// Writes the value as signed decimal text.
void WriteInteger(IIniFile& ini, const std::string& section, const std::string& key, std::int32_t value);

// Reads a switch stored as the integer 1 (on) or 0 (off, WriteInteger's "0"); an absent value or any
// other gives the default.
bool ReadSwitch(IIniFile& ini, const std::string& section, const std::string& key, bool fallback);

}  // namespace tovel
