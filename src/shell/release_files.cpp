#include "shell/release_files.h"

#include "shell/settings.h"

namespace tavro {

namespace {

constexpr BundleKind kLoadOrder[] = {BundleKind::kAnimation, BundleKind::kScript,
                                     BundleKind::kTask};
constexpr BundleKind kSaveOrder[] = {BundleKind::kTask, BundleKind::kScript,
                                     BundleKind::kAnimation};

void note(ReleaseFiles& files, const char* name, bool written) {
    (written ? files.written : files.failed).emplace_back(name);
}

std::string joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) {
        text += text.empty() ? "" : " ";
        text += name;
    }
    return text;
}

}  // namespace

void loadPackageBundles(EngineState& state) {
    const TextString password = state.config.at("packagePassword");
    for (BundleKind kind : kLoadOrder) {
        state.bundles.load(state.files, &state.log, kind, password);
    }
}

ReleaseFiles writeReleaseFiles(EngineState& state) {
    const TextString password = state.config.at("packagePassword");
    ReleaseFiles files;
    for (BundleKind kind : kSaveOrder) {
        note(files, bundleFileName(kind),
             state.bundles.save(state.files, &state.log, kind, password));
    }
    note(files, kSettingsFileName, writeSettings(state));
    return files;
}

std::string describeRelease(const ReleaseFiles& files) {
    if (files.written.empty() && files.failed.empty()) {
        return "release run: start-up did not reach the frame loop, so no release files "
               "were written";
    }
    std::string line =
        "release run wrote: " + (files.written.empty() ? "nothing" : joined(files.written));
    if (!files.failed.empty()) {
        line += "; could not write: " + joined(files.failed);
    }
    return line;
}

}  // namespace tavro
