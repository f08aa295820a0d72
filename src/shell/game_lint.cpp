#include "shell/game_lint.h"

#include <algorithm>
#include <map>

#include "render/image_ref.h"
#include "shell/key_value_lint.h"
#include "shell/script_lint.h"
#include "shell/settings.h"

namespace tavro {

namespace {

void append(std::vector<CheckProblem>& to, std::vector<CheckProblem> problems) {
    to.insert(to.end(), std::make_move_iterator(problems.begin()),
              std::make_move_iterator(problems.end()));
}

// The tasks that run each script: those naming it in SCRIPT or CONSTRACT, and those running a
// script that calls it. A script called from inside a batch block also runs for objects of
// any task, so its runners are unknown (it is left out).
std::map<std::string, std::set<std::string>> scriptRunners(
    const std::map<std::string, TaskSections>& tasks,
    const std::map<std::string, ScriptLint>& scripts, std::set<std::string>& unknown) {
    std::map<std::string, std::set<std::string>> runners;
    for (const auto& [task, sections] : tasks) {
        for (const std::string& script : sections.scripts) {
            runners[script].insert(task);
        }
    }
    for (bool grew = true; grew;) {
        grew = false;
        for (const auto& [script, lint] : scripts) {
            for (const ScriptCall& call : lint.calls) {
                if (call.inBatch || unknown.contains(script)) {
                    grew = unknown.insert(call.script).second || grew;
                    continue;
                }
                std::set<std::string>& callee = runners[call.script];
                const size_t before = callee.size();
                callee.insert(runners[script].begin(), runners[script].end());
                grew = grew || callee.size() != before;
            }
        }
    }
    return runners;
}

std::string listed(const std::set<std::string>& names) {
    std::string text;
    int32_t shown = 0;
    for (const std::string& name : names) {
        if (shown++ == 3) {
            return text + ", ...";
        }
        text += (text.empty() ? "" : ", ") + name;
    }
    return text;
}

void lintMediaNames(const std::map<std::string, TaskSections>& tasks,
                    const std::map<std::string, ScriptLint>& scripts,
                    std::vector<CheckProblem>& problems) {
    std::set<std::string> unknown;
    const auto runners = scriptRunners(tasks, scripts, unknown);
    for (const auto& [script, lint] : scripts) {
        const auto found = runners.find(script);
        if (found == runners.end() || found->second.empty() || unknown.contains(script)) {
            continue;
        }
        for (const MediaNameUse& use : lint.mediaNames) {
            const bool declared =
                std::any_of(found->second.begin(), found->second.end(), [&](const auto& task) {
                    const auto it = tasks.find(task);
                    const auto& names = use.sound ? it->second.sounds : it->second.images;
                    return std::find(names.begin(), names.end(), use.name) != names.end();
                });
            if (!declared) {
                problems.push_back({script, use.line, ProblemSeverity::kError,
                                    std::string(use.sound ? "sound" : "image") + " \"" + use.name +
                                        "\" is in the " + (use.sound ? "SOUND" : "IMAGE") +
                                        " section of no task that runs this script (" +
                                        listed(found->second) +
                                        "), so the statement does nothing"});
            }
        }
    }
}

}  // namespace

std::vector<CheckProblem> lintGameFiles(FileSystem& files, const std::set<std::string>& tasks,
                                        const std::set<std::string>& scripts) {
    std::vector<CheckProblem> problems;
    std::string raw;
    if (!files.readFile(kSettingsFileName, raw) && files.readFile(kPlainSettingsFileName, raw)) {
        append(problems, lintEncoding(kPlainSettingsFileName, raw));
        append(problems, lintSettingsFile(kPlainSettingsFileName, raw));
    }
    std::map<std::string, TaskSections> taskSections;
    std::set<std::string> animations;
    for (const std::string& task : tasks) {
        if (!files.readFile(task, raw)) {
            continue;  // from a bundle: no lines to judge
        }
        append(problems, lintEncoding(task, raw));
        TaskLint lint = lintTaskFile(task, raw);
        append(problems, std::move(lint.problems));
        for (const std::string& file : lint.sections.imageFiles) {
            if (!NamesStillImage(TextString(file.c_str()))) {
                animations.insert(file);
            }
        }
        taskSections.emplace(task, std::move(lint.sections));
    }
    for (const std::string& animation : animations) {
        if (files.readFile(animation, raw)) {
            append(problems, lintEncoding(animation, raw));
            append(problems, lintAnimationFile(animation, raw));
        }
    }
    std::map<std::string, ScriptLint> scriptLints;
    for (const std::string& script : scripts) {
        if (files.readFile(script, raw)) {
            append(problems, lintEncoding(script, raw));
            ScriptLint lint = lintScript(script, raw);
            append(problems, std::move(lint.problems));
            scriptLints.emplace(script, std::move(lint));
        }
    }
    lintMediaNames(taskSections, scriptLints, problems);
    return problems;
}

}  // namespace tavro
