#include "shell/game_check.h"

#include <algorithm>
#include <map>
#include <set>
#include <utility>

#include "render/image_ref.h"
#include "script/compiler.h"
#include "script/engine_state.h"
#include "script/load_listener.h"
#include "script/statement.h"
#include "script/task_loader.h"
#include "shell/engine.h"
#include "shell/game_lint.h"
#include "shell/release_files.h"
#include "shell/settings.h"
#include "shell/source_pieces.h"
#include "sound/midi_file_check.h"
#include "sound/wave_reader.h"

namespace tavro {

namespace {

// The game folder as the check sees it: every write is refused, so not even the error log
// reaches the disk.
class ReadOnlyFolder : public FileSystem {
  public:
    explicit ReadOnlyFolder(FileSystem& files) : files_(files) {}

    bool readBounded(std::string_view path, std::string& bytes, FileKind kind) override {
        return files_.readFile(path, bytes, kind);
    }
    bool replaceFile(std::string_view, std::string_view) override { return false; }
    bool appendFile(std::string_view, std::string_view) override { return false; }
    bool truncateFile(std::string_view) override { return false; }
    std::vector<DirectoryEntry> listDirectory(std::string_view directory) override {
        return files_.listDirectory(directory);
    }
    bool folderIdentity(std::string_view directory, FolderIdentity& identity) override {
        return files_.folderIdentity(directory, identity);
    }

  private:
    FileSystem& files_;
};

std::string quoted(const TextString& name) {
    return tavro::quoted(name.view());
}

std::string counted(int32_t count, const char* singular, const char* plural) {
    return std::to_string(count) + " " + (count == 1 ? singular : plural);
}

const char* expectation(SyntaxFault fault) {
    switch (fault) {
        case SyntaxFault::kNoBlock:
            return "expected a block \"{...}\" after it";
        case SyntaxFault::kUnclosedBlock:
            return "expected the \"}\" that closes its block";
        case SyntaxFault::kNestedTooDeeply:
        case SyntaxFault::kNone:
            break;
    }
    return "expected blocks nested at most 256 deep";
}

// The lines of the task and script files being read, to place what the loader and the
// compiler report: the first piece naming the file (or holding the statement) from a cursor
// that follows the file's reports, since they come in the order of the text.
class ReportLines {
  public:
    explicit ReportLines(FileSystem& files) : files_(files) {}

    int32_t lineOf(NamedFileKind kind, const std::string& file, std::string_view needle) {
        auto [at, fresh] = sources_.try_emplace(file);
        Source& source = at->second;
        if (fresh) {
            std::string raw;
            if (files_.readFile(file, raw)) {
                source.pieces =
                    kind == NamedFileKind::kTask ? keyValueEntries(raw) : scriptStatements(raw);
            }
        }
        size_t found = 0;
        const int32_t line = lineOfText(source.pieces, needle, source.cursor, &found);
        if (line > 0) {
            source.cursor = found;
        }
        return line;
    }

  private:
    struct Source {
        std::vector<SourcePiece> pieces;
        size_t cursor = 0;
    };
    FileSystem& files_;
    std::map<std::string, Source> sources_;
};

// Hears the loader and the compiler, and keeps the problems by the file that has them.
class Checker : public LoadListener {
  public:
    explicit Checker(EngineState& state) : state_(state), lines_(state.files) {}

    void fileEntered(NamedFileKind kind, const TextString& name) override {
        readers_.push_back({name, kind});
        (kind == NamedFileKind::kTask ? taskFiles_ : scripts_).emplace(name.view());
    }
    void fileLeft() override { readers_.pop_back(); }

    void loadFailed(NamedFileKind kind, const TextString& name) override {
        if (name.empty()) {
            return;  // nothing named: the engine skips it
        }
        switch (kind) {
            case NamedFileKind::kTask:
                add("missing task " + quoted(name), name);
                break;
            case NamedFileKind::kScript:
                add("missing script " + quoted(name), name);
                break;
            case NamedFileKind::kImage:
                imageFailed(name);
                break;
            case NamedFileKind::kSound:
                add(describeFile(FileKind::kSound, name), name);
                break;
        }
    }

    void syntaxError(const TextString& statement, SyntaxFault fault,
                     SourceLocation where) override {
        ++syntaxErrors_;
        add("syntax error in " + quoted(statement) + ": " + expectation(fault), statement,
            where.line());
    }

    // The tasks and the music a script names in its statements: the tasks are loaded (and
    // with them whatever they name in turn), the music files read.
    void checkNamedInScript(const TextString& scriptName, const Statement* chain) {
        readers_.push_back({scriptName, NamedFileKind::kScript});
        checkChain(chain);
        readers_.pop_back();
    }

    GameCheckReport report() const {
        GameCheckReport report;
        report.problems = problems_;
        std::vector<CheckProblem> lint = lintGameFiles(state_.files, taskFiles_, scripts_);
        report.problems.insert(report.problems.end(), lint.begin(), lint.end());
        sortProblems(report.problems);
        report.syntaxErrors = syntaxErrors_;
        report.taskFiles = static_cast<int32_t>(taskFiles_.size());
        report.scripts = static_cast<int32_t>(scripts_.size());
        report.animations = state_.animations.loadedCount();
        return report;
    }

  private:
    bool readable(const TextString& name, FileKind kind) {
        std::string bytes;
        return state_.files.readFile(name.view(), bytes, kind);
    }

    // A file that is there but does not load is unreadable rather than missing.
    std::string describeFile(FileKind kind, const TextString& name) {
        return (readable(name, kind) ? "unreadable " : "missing ") +
               std::string(fileKindName(kind)) + " " + quoted(name);
    }

    void imageFailed(const TextString& name) {
        if (NamesStillImage(name)) {
            add(describeFile(FileKind::kImage, name), name);
            return;
        }
        const int32_t animation = state_.animations.load(name);
        if (animation < 0) {
            add("missing animation " + quoted(name), name);
            return;
        }
        add(describeFile(FileKind::kImage, state_.animations.textureFileName(animation)) +
                ", the sheet of animation " + quoted(name),
            name);
    }

    void checkChain(const Statement* statement) {
        for (; statement != nullptr; statement = statement->next.get()) {
            const TextString& named = statement->text(0);
            const uint32_t code = statement->code;
            if ((code == kCodeNew || code == kCodeFriend) && !named.empty()) {
                std::unique_ptr<TaskInstance> scratch = state_.objects.newInstance();
                if (!loadTaskInto(state_, *scratch, named) && !state_.tasks.isLoaded(named)) {
                    add("missing task " + quoted(named), named, statement->location.line());
                }
            } else if (code == kCodePlayBgm && !named.empty()) {
                checkMusic(named, statement->location.line());
            }
            checkChain(statement->body.get());
        }
    }

    // Music that is there but would not play, or plays as silence, is worth a warning.
    void checkMusic(const TextString& name, int32_t line) {
        std::string bytes;
        if (!state_.files.readFile(name.view(), bytes, FileKind::kMusic)) {
            add("missing music " + quoted(name), name, line);
        } else if (!isRiffWave(bytes)) {
            switch (inspectMidiSong(bytes)) {
                case MidiSongShape::kNoLength:
                    add("music " + quoted(name) + " lasts no time: it plays as silence", name, line,
                        ProblemSeverity::kWarning);
                    break;
                case MidiSongShape::kTooDense:
                    add("music " + quoted(name) +
                            " sends too many events a second: it does not play",
                        name, line, ProblemSeverity::kWarning);
                    break;
                default:
                    break;
            }
        }
    }

    // A problem of the file being read, at the statement's line when the compiler knows it,
    // else at the line of the text it concerns (a missing boot, read by nobody, has no line).
    // Said once per file: a file that does not load is tried again each time it is named.
    void add(const std::string& text, const TextString& concerning, int32_t line = 0,
             ProblemSeverity severity = ProblemSeverity::kError) {
        if (readers_.empty()) {
            problems_.push_back({std::string(kBootTaskName), 0, severity, text});
            return;
        }
        const Reader& reader = readers_.back();
        std::string file(reader.name.view());
        if (!reported_.emplace(file, text).second) {
            return;
        }
        if (line == 0) {
            line = lines_.lineOf(reader.kind, file, concerning.view());
        }
        problems_.push_back({std::move(file), line, severity, text});
    }

    struct Reader {
        TextString name;
        NamedFileKind kind;
    };

    EngineState& state_;
    ReportLines lines_;
    std::vector<Reader> readers_;  // the files being read, innermost last
    std::set<std::string> taskFiles_;
    std::set<std::string> scripts_;
    std::vector<CheckProblem> problems_;
    std::set<std::pair<std::string, std::string>> reported_;
    int32_t syntaxErrors_ = 0;
};

}  // namespace

int32_t GameCheckReport::count(ProblemSeverity severity) const {
    return static_cast<int32_t>(std::count_if(
        problems.begin(), problems.end(), [&](const auto& p) { return p.severity == severity; }));
}

std::string GameCheckReport::summary() const {
    std::string line = "checked " + counted(taskFiles, "task file", "task files") + ", " +
                       counted(scripts, "script", "scripts") + " and " +
                       counted(animations, "animation", "animations") + ": ";
    if (clean()) {
        return line + "no problems found";
    }
    return line + counted(count(ProblemSeverity::kError), "error", "errors") + ", " +
           counted(count(ProblemSeverity::kWarning), "warning", "warnings");
}

GameCheckReport checkGame(FileSystem& files, Compositor& compositor, AudioOutput& audio) {
    ReadOnlyFolder folder(files);
    EngineState state(folder, nullptr, compositor, &audio);
    Checker checker(state);
    state.loadListener = &checker;

    readSettings(state);
    applySettings(state.config, state.log, state.settings);
    state.graphics.create(1, 1, false);
    state.soundCache.createSoundDevice();
    loadPackageBundles(state);

    TaskInstance& root = state.objects.root();
    if (!loadTaskInto(state, root, kBootTaskName)) {
        checker.loadFailed(NamedFileKind::kTask, kBootTaskName);
    }
    scanTaskFiles(state, "", "*");
    // Scripts compiled while their tasks load are appended, so the walk reaches them too.
    for (int32_t number = 1; number < state.scripts.count(); ++number) {
        const Statement* chain = state.scripts.compiled(number).get();
        if (chain != nullptr) {
            checker.checkNamedInScript(state.scripts.name(number), chain);
        }
    }
    return checker.report();
}

}  // namespace tavro
