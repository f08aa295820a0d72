#include "text/named_text_table.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace tavro {
namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;

Entries entriesOf(const NamedTextTable& table) {
    Entries entries;
    for (int32_t i = 0; i < table.count(); ++i) {
        const char* name = table.nameAt(i);
        entries.emplace_back(name == nullptr ? "(null)" : name,
                             std::string(table.valueAt(i).view()));
    }
    return entries;
}

std::string written(const NamedTextTable& table) {
    TextString out;
    writeKeyValueText(table, out);
    return std::string(out.view());
}

TEST(NamedTextTable, KeepsInsertionOrderAndFirstPosition) {
    NamedTextTable table;
    table.at("b") = "1";
    table.at("a") = "2";
    table.at("b") = "3";
    EXPECT_EQ(entriesOf(table), (Entries{{"b", "3"}, {"a", "2"}}));
    EXPECT_EQ(table.indexOf("a"), 1);
    EXPECT_EQ(table.indexOf("A"), -1) << "names are case-sensitive";
    EXPECT_EQ(table.indexOf(nullptr), -1);
    EXPECT_TRUE(table.at("missing").empty());
    EXPECT_EQ(table.count(), 3) << "a lookup through at creates the entry";
    EXPECT_EQ(table.nameAt(7), nullptr);
    EXPECT_TRUE(table.valueAt(-1).empty());
}

TEST(NamedTextTable, NullNamesAreEntriesTheWriterSkips) {
    NamedTextTable table;
    table.at(nullptr) = "hidden";
    table.at("") = "empty";
    table.at("k") = "v";
    EXPECT_EQ(table.indexOf(nullptr), 0);
    EXPECT_EQ(table.indexOf(""), 1);
    table.at(nullptr) = "again";
    EXPECT_EQ(table.count(), 3);
    EXPECT_EQ(written(table), "=empty;k=v;");
    table.clear();
    EXPECT_EQ(table.count(), 0);
    EXPECT_EQ(table.indexOf(nullptr), -1);
    EXPECT_EQ(table.indexOf("k"), -1);
}

TEST(NamedTextTable, ReferencesSurviveLaterInsertions) {
    NamedTextTable table;
    TextString& first = table.at("first");
    for (int i = 0; i < 1000; ++i) {
        table.at(std::to_string(i).c_str()) = "x";
    }
    first = "kept";
    EXPECT_EQ(table.valueAt(0), "kept");
}

TEST(KeyValueText, ReadsAwkwardTexts) {
    struct Case {
        const char* text;
        bool ok;
        Entries entries;
    };
    const Case cases[] = {
        {"a=1;b=2;", true, {{"a", "1"}, {"b", "2"}, {"", ""}}},
        {"a=1;b=2", true, {{"a", "1"}, {"b", "2"}}},
        {"x=1;x=2;", true, {{"x", "2"}, {"", ""}}},
        {"k", true, {{"k", ""}}},
        {"k=v=w", true, {{"k", "v"}}},
        {"=v", true, {{"", "v"}}},
        {";;", true, {{"", ""}}},
        {"a\\eqb=c\\scd", true, {{"a=b", "c;d"}}},
        {"a=\\\\eq", true, {{"a", "\\="}}},
        {"\x83\x5c"
         "eq=\x83\x5c"
         "sc",
         true,
         {{"\x83\x5c"
           "eq",
           "\x83\x5c"
           "sc"}}},
        {"\x82\x3d=1", true, {{"\x82\x3d", "1"}}},  // 0x3D as a second byte is no "="
        {"", false, {}},
    };
    for (const Case& c : cases) {
        NamedTextTable table;
        table.at("stale") = "old";
        EXPECT_EQ(readKeyValueText(c.text, table), c.ok) << c.text;
        EXPECT_EQ(entriesOf(table), c.entries) << c.text;
    }
}

TEST(KeyValueText, WritesEscapedPairs) {
    NamedTextTable table;
    TextString out("leftover");
    EXPECT_FALSE(writeKeyValueText(table, out));
    EXPECT_EQ(out, "");
    table.at("a") = "1";
    table.at("b") = "2";
    EXPECT_EQ(written(table), "a=1;b=2;");
    table.at("n=;") = "v;=";
    EXPECT_EQ(written(table), "a=1;b=2;n\\eq\\sc=v\\sc\\eq;");
}

TEST(KeyValueText, WriteReadCyclesSettle) {
    NamedTextTable table;
    table.at("a") = "1";
    table.at("b") = "2";
    table.at("odd") = "x=y;z";
    const std::string first = written(table);
    NamedTextTable back;
    ASSERT_TRUE(readKeyValueText(first.c_str(), back));
    EXPECT_EQ(entriesOf(back), (Entries{{"a", "1"}, {"b", "2"}, {"odd", "x=y;z"}, {"", ""}}));
    const std::string second = written(back);
    EXPECT_EQ(second, first + "=;");
    for (int round = 0; round < 3; ++round) {
        ASSERT_TRUE(readKeyValueText(second.c_str(), back));
        EXPECT_EQ(written(back), second) << "round " << round;
    }
}

}  // namespace
}  // namespace tavro
