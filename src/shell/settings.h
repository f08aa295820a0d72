// The game's settings: reading "package.ini" (or the plain fallback "init") into the
// ConfigTable, applying defaults and deriving the process-wide switches, and writing the
// settings file back at the end of a release run.
#pragma once

#include <cstdint>

#include "text/named_text_table.h"

namespace tavro {

class ErrorLog;

using ConfigTable = NamedTextTable;

inline constexpr const char* kSettingsFileName = "package.ini";
inline constexpr const char* kPlainSettingsFileName = "init";
inline constexpr const char* kSettingsFileKey = "cfgTableMixWord";
inline constexpr const char* kDefaultPackagePassword = "plainBundle";
inline constexpr const char* kDefaultWindowTitle = "Tavro version 1.00";
inline constexpr int32_t kDefaultFrameSkipThreshold = 5;

// Switches derived from the settings; all off until applySettings runs.
struct Settings {
    bool fullScreen = false;
    int32_t frameSkipThreshold = 0;  // used as unsigned by the frame loop
    bool antiAlias = false;
    bool bundleOnlyTasks = false;
    bool bundleOnlyScripts = false;
    bool bundleOnlyAnimations = false;
    bool writeAtExit = false;
    bool scanAll = false;
};

// The process-wide settings table.
ConfigTable& configTable();

// Removes spaces, tabs, line feeds and carriage returns, then turns backslash-s into a space
// and backslash-n into a line feed.
void prepareSettingsText(TextString& text);

// Reads "package.ini" (scrambled) or else "init" (plain) into the table. With neither file
// the table is left empty, so every default applies.
void readSettings(ConfigTable& config);

// Fills in the defaults and derives the switches, in the fixed order the settings are met.
// Turns on error reports in the log when asked. Returns whether the system variable
// cameraSpeed starts at 1 (the setting is empty).
bool applySettings(ConfigTable& config, ErrorLog& log, Settings& settings);

// Writes the whole table to "package.ini", scrambled with the settings key.
bool writeSettings(const ConfigTable& config);

}  // namespace tavro
