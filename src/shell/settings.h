// The game's settings: reading "package.ini" (or the plain fallback "init") into the
// ConfigTable, applying defaults and deriving the run's switches, and writing the
// settings file back at the end of a release run.
#pragma once

#include <cstdint>
#include <string_view>

#include "script/engine_state.h"

namespace tavro {

inline constexpr const char* kSettingsFileName = "package.ini";
inline constexpr const char* kPlainSettingsFileName = "init";
inline constexpr const char* kSettingsFileKey = "cfgTableMixWord";
inline constexpr const char* kDefaultPackagePassword = "plainBundle";
inline constexpr int32_t kDefaultFrameSkipThreshold = 5;

// Every key applySettings reads, and what its value is.
enum class SettingKind { kNumber, kSwitch, kText };
struct SettingKey {
    std::string_view name;
    SettingKind kind;
};
inline constexpr SettingKey kSettingKeys[] = {{"windowX", SettingKind::kNumber},
                                              {"windowY", SettingKind::kNumber},
                                              {"windowWidth", SettingKind::kNumber},
                                              {"windowHeight", SettingKind::kNumber},
                                              {"windowTitle", SettingKind::kText},
                                              {"screenWidth", SettingKind::kNumber},
                                              {"screenHeight", SettingKind::kNumber},
                                              {"limitUnderFPS", SettingKind::kNumber},
                                              {"fullScreen", SettingKind::kSwitch},
                                              {"errorReport", SettingKind::kSwitch},
                                              {"notUseOriginalFile", SettingKind::kSwitch},
                                              {"antiAlias", SettingKind::kSwitch},
                                              {"cameraSpeed", SettingKind::kText},
                                              {"releasePackage", SettingKind::kSwitch},
                                              {"packagePassword", SettingKind::kText}};

// Removes spaces, tabs, line feeds and carriage returns, then turns backslash-s into a space
// and backslash-n into a line feed.
void prepareSettingsText(TextString& text);

// Reads "package.ini" (scrambled) or else "init" (plain) into the table. With neither file
// the table is left empty, so every default applies.
void readSettings(EngineState& state);

// Fills in the defaults and derives the switches, in the fixed order the settings are met.
// Turns on error reports in the log when asked. Returns whether the system variable
// cameraSpeed starts at 1 (the setting is empty).
bool applySettings(ConfigTable& config, ErrorLog& log, Settings& settings);

// Writes the whole table to "package.ini", scrambled with the settings key.
bool writeSettings(EngineState& state);

}  // namespace tavro
