// The bundle tables: the fetch rule of each kind and source mode, loading and saving with a
// password, and bundles that are empty, cut short or scrambled with another password.
#include "text/package_bundles.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "support/game_folder.h"
#include "support/log_sink.h"
#include "text/messages.h"
#include "text/scrambled_file.h"

namespace tavro {
namespace {

using testing::GameFolder;
using testing::RecordingSink;

std::vector<std::pair<std::string, std::string>> entriesOf(const NamedTextTable& table) {
    std::vector<std::pair<std::string, std::string>> entries;
    for (int32_t i = 0; i < table.count(); ++i) {
        entries.emplace_back(table.nameAt(i) ? table.nameAt(i) : "(null)",
                             std::string(table.valueAt(i).view()));
    }
    return entries;
}

std::string scrambled(std::string text, const char* key) {
    scrambleText(text.data(), static_cast<int32_t>(text.size()), key);
    return text;
}

TEST(PackageBundles, FetchTakesTheFileOrTheTableByKindAndMode) {
    constexpr const char* kNone = nullptr;
    const struct Case {
        BundleKind kind;
        SourceMode mode;
        const char* onDisk;   // null: no file
        const char* inTable;  // null: no entry
        bool found;
        const char* text;
        const char* note;  // logged at severity 1
    } cases[] = {
        {BundleKind::kScript, SourceMode::kOriginalFirst, "disk", "old", true, "disk", kNone},
        {BundleKind::kScript, SourceMode::kOriginalFirst, kNone, "old", true, "old",
         kBundleSubstituteScriptMessage},
        {BundleKind::kAnimation, SourceMode::kOriginalFirst, kNone, "old", true, "old",
         kBundleSubstituteAnimationMessage},
        {BundleKind::kTask, SourceMode::kOriginalFirst, kNone, "old", true, "old", kNone},
        {BundleKind::kTask, SourceMode::kOriginalFirst, kNone, kNone, false, "", kNone},
        {BundleKind::kTask, SourceMode::kBundleOnly, "disk", kNone, false, "", kNone},
        {BundleKind::kScript, SourceMode::kBundleOnly, "disk", "old", true, "old", kNone},
        {BundleKind::kAnimation, SourceMode::kBundleOnly, kNone, "", true, "", kNone},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << static_cast<int>(c.kind) << " " << (c.onDisk ? c.onDisk : "-") << " "
                     << (c.inTable ? c.inTable : "-"));
        GameFolder disk;
        RecordingSink log;
        PackageBundles bundles;
        if (c.onDisk) {
            disk.files["f"] = c.onDisk;
        }
        if (c.inTable) {
            bundles.table(c.kind).at("f") = c.inTable;
        }
        TextString text("stale");
        EXPECT_EQ(bundles.fetch(disk, &log, c.kind, c.mode, "f", text), c.found);
        EXPECT_EQ(text, c.text);
        std::vector<std::pair<std::string, Severity>> notes;
        for (const auto& report : log.reports) {
            if (report.second != Severity::kError) {  // the failed open's own line
                notes.push_back(report);
            }
        }
        if (c.note) {
            EXPECT_EQ(notes, (decltype(notes){{c.note, Severity::kNotice}}));
        } else {
            EXPECT_TRUE(notes.empty());
        }
        const NamedTextTable& table = bundles.table(c.kind);
        EXPECT_EQ(table.indexOf("f") >= 0, c.found || c.inTable) << "a failed fetch adds nothing";
        if (c.found) {
            EXPECT_EQ(table.valueAt(table.indexOf("f")), c.text) << "the text used is kept";
        }
    }
}

TEST(PackageBundles, AFileReadAgainKeepsItsFirstPositionAndItsLastText) {
    GameFolder disk;
    PackageBundles bundles;
    TextString text;
    disk.files["a.scr"] = "one";
    disk.files["b.scr"] = "two";
    disk.files["x.xx"] = scrambled("hidden", kDefaultScrambleKey);
    for (const char* name : {"a.scr", "b.scr", "x.xx"}) {
        ASSERT_TRUE(bundles.fetch(disk, nullptr, BundleKind::kScript, SourceMode::kOriginalFirst,
                                  name, text));
    }
    disk.files["a.scr"] = "three";
    ASSERT_TRUE(bundles.fetch(disk, nullptr, BundleKind::kScript, SourceMode::kOriginalFirst,
                              "a.scr", text));
    EXPECT_EQ(entriesOf(bundles.table(BundleKind::kScript)),
              (decltype(entriesOf({})){{"a.scr", "three"}, {"b.scr", "two"}, {"x.xx", "hidden"}}));
    EXPECT_EQ(bundles.table(BundleKind::kTask).count(), 0) << "each kind has its own table";
}

TEST(PackageBundles, SavedBundlesLoadBackWithTheirPassword) {
    GameFolder disk;
    PackageBundles saved;
    saved.table(BundleKind::kTask).at("sub/e.tsk") = "SCRIPT={e.scr};\r\nhp = 3;";
    saved.table(BundleKind::kTask).at("boot") = "TASK={sub/e.tsk,1,2};";
    saved.table(BundleKind::kScript).at("e.scr") = "x=x+1;";
    for (BundleKind kind : {BundleKind::kTask, BundleKind::kScript, BundleKind::kAnimation}) {
        EXPECT_TRUE(saved.save(disk, nullptr, kind, "pw"));
    }
    EXPECT_EQ(disk.files["package.scr"], scrambled("e.scr=x\\eqx+1\\sc;", "pw"));
    EXPECT_EQ(disk.files["package.ani"], "") << "an empty table writes an empty bundle";

    PackageBundles loaded;
    loaded.table(BundleKind::kAnimation).at("stale.ani") = "gone";
    for (BundleKind kind : {BundleKind::kTask, BundleKind::kScript, BundleKind::kAnimation}) {
        EXPECT_TRUE(loaded.load(disk, nullptr, kind, "pw")) << bundleFileName(kind);
    }
    // The reader's empty entry after the final ";" comes along.
    EXPECT_EQ(entriesOf(loaded.table(BundleKind::kTask)),
              (decltype(entriesOf({})){{"sub/e.tsk", "SCRIPT={e.scr};\r\nhp = 3;"},
                                       {"boot", "TASK={sub/e.tsk,1,2};"},
                                       {"", ""}}));
    EXPECT_EQ(loaded.table(BundleKind::kAnimation).count(), 0) << "an empty bundle empties it";
}

TEST(PackageBundles, AMissingBundleFailsAndLeavesItsTable) {
    GameFolder disk;
    PackageBundles bundles;
    bundles.table(BundleKind::kScript).at("kept.scr") = "k";
    EXPECT_FALSE(bundles.load(disk, nullptr, BundleKind::kScript, "pw"));
    EXPECT_EQ(entriesOf(bundles.table(BundleKind::kScript)),
              (decltype(entriesOf({})){{"kept.scr", "k"}}));
}

TEST(PackageBundles, DamagedBundlesLoadWhatTheyHoldAndNoMore) {
    const std::string good = scrambled("a.tsk=A;b.tsk=B;", "pw");
    const struct {
        std::string bytes;
        const char* password;
        bool garbled;                    // unreadable: none of the real names comes back
        std::vector<std::string> names;  // otherwise exactly these
    } cases[] = {
        {good, "pw", false, {"a.tsk", "b.tsk", ""}},
        {good.substr(0, 9), "pw", false, {"a.tsk", "b"}},  // cut short
        {"", "pw", false, {}},
        {good, "", true, {}},  // read without the password
        {good, "wrong", true, {}},
    };
    for (const auto& c : cases) {
        GameFolder disk;
        disk.files["package.tsk"] = c.bytes;
        PackageBundles bundles;
        EXPECT_TRUE(bundles.load(disk, nullptr, BundleKind::kTask, c.password));
        const NamedTextTable& table = bundles.table(BundleKind::kTask);
        if (c.garbled) {
            EXPECT_EQ(table.indexOf("a.tsk"), -1) << c.password;
            EXPECT_EQ(table.indexOf("b.tsk"), -1) << c.password;
            continue;
        }
        std::vector<std::string> names;
        for (const auto& entry : entriesOf(table)) {
            names.push_back(entry.first);
        }
        EXPECT_EQ(names, c.names) << c.bytes.size();
    }
}

TEST(PackageBundles, OnlyTheThreeBundleNamesAreBundleFiles) {
    for (const auto& [name, isBundle] : {std::pair{"package.tsk", true},
                                         {"package.scr", true},
                                         {"package.ani", true},
                                         {"package.ini", false},
                                         {"Package.tsk", false},
                                         {"sub/package.tsk", false},
                                         {"", false}}) {
        EXPECT_EQ(isBundleFileName(name), isBundle) << name;
    }
    EXPECT_FALSE(isBundleFileName(nullptr));
}

}  // namespace
}  // namespace tavro
