#include "shell/settings.h"

#include "text/messages.h"
#include "text/scrambled_file.h"
#include "text/text_numbers.h"

namespace tavro {

namespace {

bool isTrue(ConfigTable& config, const char* key) {
    return config.at(key) == "true";
}

void defaultWhenEmpty(ConfigTable& config, const char* key, const TextString& fallback) {
    TextString& value = config.at(key);
    if (value.empty()) {
        value = fallback;
    }
}

}  // namespace

void prepareSettingsText(TextString& text) {
    text.replaceAll(" ", "");
    text.replaceAll("\t", "");
    text.replaceAll("\n", "");
    text.replaceAll("\r", "");
    text.replaceAll("\\s", " ");
    text.replaceAll("\\n", "\n");
}

void readSettings(EngineState& state) {
    ScrambledFile file(state.files, &state.log, kSettingsFileName);
    file.setKey(kSettingsFileKey);
    TextString text;
    if (!file.readAll(text)) {
        file.setPath(kPlainSettingsFileName);
        file.setKey("");
        text = "";
        file.readAll(text);
    }
    if (!text.empty()) {
        prepareSettingsText(text);
        readKeyValueText(text, state.config);
    }
}

bool applySettings(ConfigTable& config, ErrorLog& log, Settings& settings) {
    defaultWhenEmpty(config, "windowX", "200");
    defaultWhenEmpty(config, "windowY", "200");
    defaultWhenEmpty(config, "windowWidth", "640");
    defaultWhenEmpty(config, "windowHeight", "480");
    defaultWhenEmpty(config, "windowTitle", kVersionName);
    defaultWhenEmpty(config, "screenWidth", TextString(config.at("windowWidth")));
    defaultWhenEmpty(config, "screenHeight", TextString(config.at("windowHeight")));

    const TextString& limit = config.at("limitUnderFPS");
    settings.frameSkipThreshold =
        limit.empty() ? kDefaultFrameSkipThreshold : textToInt(limit.cStr());
    settings.fullScreen = isTrue(config, "fullScreen");
    if (isTrue(config, "errorReport")) {
        log.setReportLevel(kReportEverything);
        log.record(kLogStartRecord, Severity::kError);
    }
    const bool bundleOnly = isTrue(config, "notUseOriginalFile");
    settings.bundleOnlyTasks = bundleOnly;
    settings.bundleOnlyScripts = bundleOnly;
    settings.bundleOnlyAnimations = bundleOnly;
    settings.antiAlias = isTrue(config, "antiAlias");
    const bool cameraSpeedStartsAtOne = config.at("cameraSpeed").empty();

    if (isTrue(config, "releasePackage")) {
        settings.writeAtExit = true;
        settings.scanAll = true;
        // Only what shut-down writes changes: this run keeps the source modes chosen above.
        config.at("releasePackage") = "";
        config.at("notUseOriginalFile") = "true";
        defaultWhenEmpty(config, "packagePassword", kDefaultPackagePassword);
    }
    return cameraSpeedStartsAtOne;
}

bool writeSettings(EngineState& state) {
    TextString text;
    writeKeyValueText(state.config, text);
    // Reading a settings file removes raw spaces and line feeds, so they are written as the
    // escapes the reader turns back into them; a title such as the default one survives.
    text.replaceAll(" ", "\\s");
    text.replaceAll("\n", "\\n");
    ScrambledFile file(state.files, &state.log, kSettingsFileName);
    file.setKey(kSettingsFileKey);
    return file.writeAll(text);
}

}  // namespace tavro
