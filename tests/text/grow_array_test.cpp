#include "text/grow_array.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "text/messages.h"
#include "text/text_string.h"

namespace tavro {
namespace {

TEST(GrowArray, IndexGrowsToExactlyIndexPlusOneWithZeroSlots) {
    GrowArray<double> a;
    a[4] = 2.5;
    EXPECT_EQ(a.count(), 5);
    EXPECT_EQ(a[3], 0.0);
    EXPECT_EQ(a.push(7.0), 6);
    EXPECT_EQ(a[5], 7.0);
    GrowArray<TextString> names;
    names[2] = "c";
    EXPECT_EQ(names.count(), 3);
    EXPECT_TRUE(names[0].empty());
}

TEST(GrowArray, BadIndicesLandOnAResetDummy) {
    for (const int64_t index :
         {int64_t{-1}, int64_t{INT_MIN}, int64_t{kGrowArrayCap}, int64_t{INT_MAX} + 1}) {
        GrowArray<int32_t> a;
        a[1] = 9;
        int32_t& dummy = a[index];
        EXPECT_EQ(dummy, 0) << index;
        dummy = 42;
        EXPECT_EQ(a[-5], 0) << "the dummy is reset at each access";
        EXPECT_EQ(a.count(), 2) << index;
    }
    GrowArray<uint8_t> largest;
    largest[kGrowArrayCap - 1] = 1;
    EXPECT_EQ(largest.push(5), kGrowArrayCap) << "a push past the cap changes nothing";
}

TEST(GrowArray, FindSearchesEitherDirectionInclusive) {
    GrowArray<int32_t> a;
    for (const int32_t v : {5, 7, 5, 9}) {
        a.push(v);
    }
    struct Case {
        int32_t value, from, to, expected;
    };
    const Case cases[] = {{5, 3, 0, 2},
                          {9, 0, 2, -1},

                          {9, INT_MIN, INT_MAX, 3},
                          {5, INT_MAX, INT_MIN, 2},
                          {5, 10, 20, -1}};
    for (const Case& c : cases) {
        EXPECT_EQ(a.find(c.value, c.from, c.to), c.expected)
            << c.value << " from " << c.from << " to " << c.to;
    }
    EXPECT_EQ(GrowArray<int32_t>().find(0, 0, 0), -1);
}

// A number array keeps its first element inside itself until it grows: copies, moves and
// a table's reallocation keep every element, whichever way the array is held.
TEST(GrowArray, NumberArraysKeepTheirElementsThroughCopiesAndMoves) {
    for (const int32_t count : {0, 1, 2, 9}) {
        GrowArray<double> original;
        for (int32_t i = 0; i < count; ++i) {
            original[i] = i + 0.5;
        }
        GrowArray<double> copy = original;
        GrowArray<GrowArray<double>> table;
        table[0] = std::move(copy);
        table[1000][0] = 1;  // reallocates the table, moving element 0
        GrowArray<double> assigned;
        assigned[5] = 7;
        assigned = table[0];
        EXPECT_EQ(table[0], original) << count;
        EXPECT_EQ(assigned, original) << count;
        assigned.clear();
        assigned[3] = 1;
        EXPECT_EQ(assigned[0], 0.0) << "grown again from empty, zeroed";
        EXPECT_EQ(assigned.count(), 4);
    }
}

}  // namespace
}  // namespace tavro
