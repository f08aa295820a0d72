// Assignment forms: through the instance's float variables, and through storage of every type
// code a resolver can answer with (flag, signed byte, unsigned and signed 32-bit, float).

#include <cstring>
#include <limits>

#include "expression_test_support.h"

namespace tavro::testing {
namespace {

using ExpressionAssign = ScriptFixture;

TEST_F(ExpressionAssign, ChainsAndCompoundFormsOnFloatVariables) {
    EXPECT_EQ(run("x=y=3"), 3);
    EXPECT_EQ(element(child, "x"), 3);
    EXPECT_EQ(element(child, "y"), 3);

    struct Step {
        const char* text;
        double result;
    };
    const Step steps[] = {
        {"v=7", 7},       {"v+=2", 9},    {"v-=4", 5},
        {"v*=3", 15},     {"v/=2", 7.5},  {"v%=4", 3},
        {"v%=0", 0},      {"v=2.5", 2.5}, {"v/=0", std::numeric_limits<double>::infinity()},
        {"v=-7.5", -7.5}, {"v%=2", -1},   {"v=1+2*3", 7},
        {"v=v+1", 8},
    };
    for (const Step& step : steps) {
        EXPECT_EQ(run(step.text), step.result) << step.text;
        EXPECT_EQ(element(child, "v"), step.result) << step.text;
    }
}

TEST_F(ExpressionAssign, AssignmentsInsideOperandsTakeEffectLeftFirst) {
    EXPECT_EQ(run("x=(x=1)+x"), 2);
    EXPECT_EQ(element(child, "x"), 2);
    EXPECT_EQ(run("(a=2)*(b=a+1)"), 6);
    EXPECT_EQ(element(child, "b"), 3);
    // The comparison and logic operators evaluate both sides: there is no short-circuit.
    EXPECT_EQ(run("0&&(c=4)"), 0);
    EXPECT_EQ(element(child, "c"), 4);
    EXPECT_EQ(run("sin(d=90)"), 0.9999999999999991);
    EXPECT_EQ(element(child, "d"), 90);
    EXPECT_EQ(run("i[(k=2)]=5"), 5);
    EXPECT_EQ(element(child, "i", 2), 5);
    EXPECT_EQ(element(child, "k"), 2);
}

TEST_F(ExpressionAssign, TargetIsLocatedAfterTheValueGrowsTheArray) {
    run("x[20]=5");
    // Reading x[5000000] moves x's storage; the write must land in the moved array.
    EXPECT_EQ(run("x[10]=x[20]+x[5000000]"), 5);
    EXPECT_EQ(element(child, "x", 10), 5);
    EXPECT_EQ(count(child, "x"), 5000001);
    EXPECT_EQ(run("x[30]+=x[6000000]+1"), 1);
    EXPECT_EQ(element(child, "x", 30), 1);
}

TEST_F(ExpressionAssign, WithoutStorageTheValueIsTheResult) {
    ExprNode node;
    CompileContext compile;
    node.parse("x+=4", &compile);
    EXPECT_EQ(node.evaluate(nullptr), 4) << "no resolver: nothing stored";
    InstanceContext nobody(nullptr, nullptr);
    EXPECT_EQ(node.evaluate(&nobody), 4) << "no instance: nothing stored";
    EXPECT_EQ(count(child, "x"), 0);
}

// A resolver that hands out one cell of a chosen type code.
class CellResolver : public VarResolver {
  public:
    VarRef resolve(const TextString&, int32_t, int32_t) override { return {cell, type}; }
    alignas(8) unsigned char cell[8] = {};
    uint8_t type = kVarNone;
};

struct TypedCase {
    uint8_t type;
    int64_t start;  // stored with the type's width
    const char* text;
    double result;  // the value read back, which is also the expression's value
};

void storeTyped(CellResolver& resolver, uint8_t type, int64_t value) {
    std::memset(resolver.cell, 0, sizeof resolver.cell);
    resolver.type = type;
    switch (type) {
        case kVarFlag:
            resolver.cell[0] = static_cast<uint8_t>(value);
            break;
        case kVarInt8: {
            const auto v = static_cast<int8_t>(value);
            std::memcpy(resolver.cell, &v, sizeof v);
            break;
        }
        case kVarUInt32: {
            const auto v = static_cast<uint32_t>(value);
            std::memcpy(resolver.cell, &v, sizeof v);
            break;
        }
        case kVarDouble: {
            const auto v = static_cast<double>(value);
            std::memcpy(resolver.cell, &v, sizeof v);
            break;
        }
        default: {
            const auto v = static_cast<int32_t>(value);
            std::memcpy(resolver.cell, &v, sizeof v);
            break;
        }
    }
}

TEST(ExpressionAssignTyped, EveryTypeCodeUpdatesAndReadsBackByItsWidth) {
    constexpr int64_t kMin32 = std::numeric_limits<int32_t>::min();
    const TypedCase cases[] = {
        // flag: =, or, exclusive or, and
        {kVarFlag, 0, "f=7", 1},
        {kVarFlag, 1, "f=0", 0},
        {kVarFlag, 0, "f+=3", 1},
        {kVarFlag, 1, "f-=1", 0},
        {kVarFlag, 0, "f-=1", 1},
        {kVarFlag, 1, "f*=0", 0},
        {kVarFlag, 1, "f/=2", 1},
        {kVarFlag, 7, "f%=4", 1},
        {kVarFlag, 200, "f", 200},
        {kVarFlag, 1, "f%=0", 0},
        // signed byte: wraps within 8 bits
        {kVarInt8, 127, "b+=1", -128},
        {kVarInt8, 0, "b=300", 44},
        {kVarInt8, -128, "b/=-1", -128},
        {kVarInt8, 9, "b/=0", 0},
        {kVarInt8, -7, "b%=3", -1},
        {kVarInt8, 100, "b*=3", 44},
        {kVarInt8, -1, "b", -1},
        {kVarInt8, 5, "b-=6.9", -1},
        // unsigned 32-bit
        {kVarUInt32, 0, "u=3000000000", 3000000000.0},
        {kVarUInt32, 0, "u-=1", 4294967295.0},
        {kVarUInt32, 7, "u/=-1", 0},
        {kVarUInt32, 4000000000, "u/=2", 2000000000},
        {kVarUInt32, 9, "u/=0", 0},
        {kVarUInt32, 9, "u%=0", 0},
        // signed 32-bit
        {kVarInt32, 5, "x+=2", 7},
        {kVarInt32, 2147483647, "x+=1", static_cast<double>(kMin32)},
        {kVarInt32, kMin32, "x/=-1", static_cast<double>(kMin32)},
        {kVarInt32, kMin32, "x%=-1", 0},
        {kVarInt32, 9, "x/=0", 0},
        {kVarInt32, 9, "x%=0", 0},
        {kVarInt32, -9, "x/=2", -4},
        {kVarInt32, 3, "x*=2.9", 6},
        {kVarInt32, 0, "x=0/0", static_cast<double>(kMin32)},
        {kVarInt32, 65536, "x*=65536", 0},
        // float
        {kVarDouble, 7, "d/=2", 3.5},
        {kVarDouble, 7, "d%=0", 0},
        // no storage type, and an unknown one: the value is the result, reads give 0 / unchanged
        {kVarNone, 3, "n=5", 5},
        {kVarNone, 3, "n", 0},
        {9, 3, "q=5", 5},
        {9, 3, "q+1", 1},
    };
    for (const TypedCase& c : cases) {
        CellResolver resolver;
        storeTyped(resolver, c.type, c.start);
        ExprNode node;
        node.parse(c.text, nullptr);
        EXPECT_EQ(node.evaluate(&resolver), c.result)
            << "type " << int{c.type} << ", start " << c.start << ", text " << c.text;
    }
}

}  // namespace
}  // namespace tavro::testing
