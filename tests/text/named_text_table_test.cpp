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

TEST(NamedTextTable, KeepsInsertionOrderAndSkipsNullNamesWhenWritten) {
    NamedTextTable table;
    TextString& first = table.at("b");
    table.at(nullptr) = "hidden";
    table.at("") = "empty";
    for (int i = 0; i < 1000; ++i) {
        table.at(std::to_string(i).c_str()) = "x";  // grows the table under the reference
    }
    first = "3";
    EXPECT_EQ(entriesOf(table)[0], std::make_pair(std::string("b"), std::string("3")));
    EXPECT_EQ(table.indexOf(nullptr), 1);
    EXPECT_EQ(table.indexOf("B"), -1) << "names are case-sensitive";
    EXPECT_TRUE(table.at("missing").empty());
    EXPECT_EQ(table.count(), 1004) << "a lookup through at creates the entry";
    EXPECT_EQ(table.nameAt(1004), nullptr);
    EXPECT_TRUE(table.valueAt(-1).empty());
    EXPECT_EQ(written(table).substr(0, 13), "b=3;=empty;0=");
    table.clear();
    EXPECT_EQ(table.indexOf(nullptr), -1);
}

TEST(KeyValueText, ReadsAwkwardTexts) {
    struct Case {
        const char* text;
        bool ok;
        Entries entries;
    };
    const Case cases[] = {
        {"a=1;b=2;", true, {{"a", "1"}, {"b", "2"}, {"", ""}}},
        {"x=1;x=2", true, {{"x", "2"}}},
        {"k", true, {{"k", ""}}},
        {"k=v=w", true, {{"k", "v"}}},
        {"a\\eqb=c\\scd", true, {{"a=b", "c;d"}}},
        {"a=\\\\eq", true, {{"a", "\\="}}},
        {"\x83\x5c\x65q=\x83\x5c\x73\x63", true, {{"\x83\x5c\x65q", "\x83\x5c\x73\x63"}}},
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

TEST(KeyValueText, WritesEscapedPairsAndCyclesSettle) {
    NamedTextTable table;
    TextString out("leftover");
    EXPECT_FALSE(writeKeyValueText(table, out));
    EXPECT_EQ(out, "");
    table.at("a") = "1";
    table.at("n=;") = "v;=";
    const std::string first = written(table);
    EXPECT_EQ(first, "a=1;n\\eq\\sc=v\\sc\\eq;");
    NamedTextTable back;
    ASSERT_TRUE(readKeyValueText(first.c_str(), back));
    EXPECT_EQ(entriesOf(back), (Entries{{"a", "1"}, {"n=;", "v;="}, {"", ""}}));
    const std::string second = written(back);
    EXPECT_EQ(second, first + "=;");
    ASSERT_TRUE(readKeyValueText(second.c_str(), back));
    EXPECT_EQ(written(back), second);
}

}  // namespace
}  // namespace tavro
