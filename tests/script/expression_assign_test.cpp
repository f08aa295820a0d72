// Assignment forms: through the instance's float variables, and through storage of every type
// code a resolver can answer with (flag, signed byte, unsigned and signed 32-bit, float).

#include <cstring>
#include <limits>
#include <utility>

#include "expression_test_support.h"

namespace tavro::testing {
namespace {

using ExpressionAssign = ScriptFixture;

TEST_F(ExpressionAssign, ChainsAndCompoundFormsOnFloatVariables) {
    constexpr double kInf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(run("x=y=3"), 3);
    EXPECT_EQ(element(child, "x"), 3);
    EXPECT_EQ(element(child, "y"), 3);

    const std::pair<const char*, double> steps[] = {
        {"v=7", 7},  {"v+=2", 9},    {"v-=4", 5},      {"v*=3", 15}, {"v/=2", 7.5},
        {"v%=4", 3}, {"v/=0", kInf}, {"v=-7.5", -7.5}, {"v%=2", -1}, {"v%=0", 0},
    };
    for (const auto& [text, result] : steps) {
        EXPECT_EQ(run(text), result) << text;
        EXPECT_EQ(element(child, "v"), result) << text;
    }
}

TEST_F(ExpressionAssign, AssignmentsInsideOperandsTakeEffectLeftFirst) {
    EXPECT_EQ(run("x=(x=1)+x"), 2);
    EXPECT_EQ(element(child, "x"), 2);
    // The comparison and logic operators evaluate both sides: there is no short-circuit.
    EXPECT_EQ(run("0&&(c=4)"), 0);
    EXPECT_EQ(element(child, "c"), 4);
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
    CompileContext compile(state);
    node.parse("x+=4", &compile, nullptr);
    EXPECT_EQ(node.evaluate(nullptr), 4) << "no resolver: nothing stored";
    InstanceContext nobody(state, nullptr, nullptr);
    EXPECT_EQ(node.evaluate(&nobody), 4) << "no instance: nothing stored";
    EXPECT_EQ(count(child, "x"), 0);
}

// A resolver that hands out one cell of a chosen type code.
class CellResolver : public VarResolver {
  public:
    explicit CellResolver(EngineState& state) : VarResolver(ResolverKind::kOther, state) {}
    VarRef resolve(const TextString&, int32_t, int32_t) override { return {cell, type}; }
    alignas(8) unsigned char cell[8] = {};
    uint8_t type = kVarNone;
};

struct TypedCase {
    const char* text;  // the name's letter picks the type code: its place in kTypeLetters
    int64_t start;
    double result;  // the value read back, which is also the expression's value
};

TEST_F(ExpressionAssign, EveryTypeCodeUpdatesAndReadsBackByItsWidth) {
    constexpr const char* kTypeLetters = "nfbuxd---q";  // q: a code no storage has
    constexpr int64_t kMin32 = std::numeric_limits<int32_t>::min();
    constexpr int64_t kMax32 = std::numeric_limits<int32_t>::max();
    constexpr double kLow = kMin32;
    constexpr double kMaxU32 = std::numeric_limits<uint32_t>::max();
    // Flags: "=" stores 0 or 1, "+=" is or, "-=" exclusive or, "*=" and. The integers wrap
    // within their width and give 0 for a division by 0. No storage, or an unknown type code:
    // the value is the result, and reads give 0.
    const TypedCase cases[] = {
        {"f=7", 0, 1},           {"f+=3", 0, 1},       {"f-=1", 0, 1},      {"f*=0", 1, 0},
        {"f%=0", 1, 0},          {"f", 200, 200},      {"b+=1", 127, -128}, {"b=300", 0, 44},
        {"b/=-1", -128, -128},   {"b/=0", 9, 0},       {"b%=3", -7, -1},    {"b-=6.9", 5, -1},
        {"u-=1", 0, kMaxU32},    {"u/=-1", 7, 0},      {"u%=0", 9, 0},      {"x+=1", kMax32, kLow},
        {"x/=-1", kMin32, kLow}, {"x%=-1", kMin32, 0}, {"x/=0", 9, 0},      {"x/=2", -9, -4},
        {"x*=2.9", 3, 6},        {"x=0/0", 0, kLow},   {"d/=2", 7, 3.5},    {"d%=0", 7, 0},
        {"n=5", 3, 5},           {"n", 3, 0},          {"q+1", 3, 1},
    };
    for (const TypedCase& c : cases) {
        CellResolver resolver(state);
        resolver.type = static_cast<uint8_t>(std::strchr(kTypeLetters, c.text[0]) - kTypeLetters);
        // A double for the float code, otherwise a little-endian 64-bit integer whose low bytes
        // are the value in every narrower width.
        const double asDouble = static_cast<double>(c.start);
        std::memcpy(resolver.cell,
                    resolver.type == kVarDouble ? static_cast<const void*>(&asDouble) : &c.start,
                    sizeof resolver.cell);
        ExprNode node;
        node.parse(c.text, nullptr, nullptr);
        EXPECT_EQ(node.evaluate(&resolver), c.result) << "text " << c.text << ", start " << c.start;
    }
}

}  // namespace
}  // namespace tavro::testing
