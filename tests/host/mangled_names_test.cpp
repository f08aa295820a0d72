#include "host/files/mangled_names.h"

#include <gtest/gtest.h>

namespace tavro {
namespace {

TEST(MangledNamesTest, ReadsExtractorReadingsBackToShiftJis) {
    // "セーブ" is 83 5A 81 5B 83 75; 0x81 is undefined in CP1252 and kept as Latin-1 U+0081.
    const std::string save = "\x83\x5a\x81\x5b\x83\x75";
    struct Case {
        std::string diskName;
        std::vector<std::string> names;
    };
    const Case cases[] = {
        {"\xc3\xa2Z\xc3\xbc[\xc3\xa2u", {save}},               // CP437: â Z ü [ â u
        {"\xc6\x92Z\xc2\x81[\xc6\x92u", {save}},               // CP1252: ƒ Z U+0081 [ ƒ u
        {"\xc6\x92Z\xc2\x81[\xc6\x92u.txt", {save + ".txt"}},  // extensions stay
        {"plain.txt", {}},                                     // ASCII is no mangling
        {"\xe3\x82\xbb", {}},                                  // "セ" in UTF-8: neither reading
        {"\xc3\xa2", {}},  // one lead byte alone is no Shift-JIS name
        {"\xff", {}},      // not UTF-8
    };
    for (const Case& test : cases) {
        EXPECT_EQ(unmangledShiftJisNames(test.diskName), test.names) << test.diskName;
    }
}

}  // namespace
}  // namespace tavro
