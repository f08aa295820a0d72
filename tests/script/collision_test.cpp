// batch(colid)'s test with its reach rejection against the exact test alone: the same answer
// for every pair of a set of awkward shapes, and the same arrays grown afterwards.
#include "script/collision.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "loader_test_support.h"

namespace tavro::testing {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct Shape {
    double x, y, width, height;
    std::vector<double> radii, centresX, centresY;
};

class CollisionTestTest : public LoaderFixture {
  protected:
    CollisionTestTest() { state.interpreterNames.numberProperties(state.names); }

    TaskInstance& make(const Shape& shape) {
        TaskInstance& instance = *AddChild(root, state.objects.newInstance());
        const PropertyIds& ids = state.propertyIds();
        property(instance, ids.x) = shape.x;
        property(instance, ids.y) = shape.y;
        property(instance, ids.width) = shape.width;
        property(instance, ids.height) = shape.height;
        property(instance, ids.radius) = 0;
        for (size_t k = 0; k < shape.radii.size(); ++k) {
            instance.variables[ids.radius][static_cast<int64_t>(k)] = shape.radii[k];
        }
        for (size_t k = 0; k < shape.centresX.size(); ++k) {
            instance.variables[ids.centerX][static_cast<int64_t>(k)] = shape.centresX[k];
        }
        for (size_t k = 0; k < shape.centresY.size(); ++k) {
            instance.variables[ids.centerY][static_cast<int64_t>(k)] = shape.centresY[k];
        }
        return instance;
    }
    bool exact(TaskInstance& a, TaskInstance& b) {
        const PropertyIds& ids = state.propertyIds();
        return exactCollision(a, collisionBox(a, ids), b, ids);
    }
    // The element counts of the arrays either test reads, and of the variable table.
    std::vector<int32_t> counts(const TaskInstance& instance) {
        const PropertyIds& ids = state.propertyIds();
        std::vector<int32_t> result{instance.variables.count()};
        for (const int32_t id :
             {ids.x, ids.y, ids.width, ids.height, ids.radius, ids.centerX, ids.centerY}) {
            const Variable* variable = instance.variables.find(id);
            result.push_back(variable != nullptr ? variable->count() : -1);
        }
        return result;
    }
};

TEST_F(CollisionTestTest, AnswersAsTheExactTestForAwkwardShapes) {
    const Shape shapes[] = {
        {0, 0, 10, 10, {}, {}, {}},
        {10, 0, 10, 10, {}, {}, {}},  // edges touching the first
        {10.000001, 0, 10, 10, {}, {}, {}},
        {3, 0, 0, 0, {}, {}, {}},                 // a point
        {0, 0, -10, -10, {}, {}, {}},             // negative sizes
        {0, 0, kNaN, 4, {}, {}, {}},              // NaN size
        {kNaN, 0, 4, 4, {5}, {0}, {0}},           // NaN position with a circle
        {0, 0, kInf, 2, {}, {}, {}},              // infinite width
        {kInf, 0, 2, 2, {3}, {0}, {0}},           // infinite position
        {-kInf, -kInf, kInf, kInf, {}, {}, {}},   // infinities that make NaN
        {3, 1, 0, 0, {-5}, {0}, {0}},             // negative radius
        {20, 0, 0, 0, {5, 12}, {0, -8}, {0, 0}},  // two circles, the second reaching back
        {0.3, 0, 0, 0, {0.2}, {0}, {0}},
        {0, 0, 0, 0, {0.1}, {0}, {0}},          // tangent by rounding with the one above
        {1e-200, 0, 0, 0, {1e-300}, {0}, {0}},  // squares of distances underflow
        {0, 0, 0, 0, {1e-300}, {0}, {0}},
        {1e300, 0, 0, 0, {1e200}, {0}, {0}},  // squares of distances overflow
        {-1e300, 0, 0, 0, {1e200}, {0}, {0}},
        {0, 0, 0, 0, {kInf}, {0}, {0}},
        {5, 5, 0, 0, {kNaN}, {0}, {0}},
        {7, 0, 0, 0, {0, 7}, {0, 0}, {0, 0}},     // element 0 decides: no circles
        {40, 40, 2, 2, {3}, {-38, 0}, {-38, 0}},  // a circle offset far from its box
        {100, 100, 2, 2, {3}, {kNaN}, {0}},       // NaN centre
        {1e15, 0, 0, 0, {0.3}, {0}, {0}},         // squares rounded at a large position
        {1e15 + 0.5, 0, 0, 0, {0.25}, {0}, {0}},
    };
    std::vector<TaskInstance*> instances;
    for (const Shape& shape : shapes) {
        instances.push_back(&make(shape));
    }
    const PropertyIds& ids = state.propertyIds();
    for (size_t i = 0; i < instances.size(); ++i) {
        CollisionTest test(*instances[i], ids);
        for (size_t j = 0; j < instances.size(); ++j) {
            if (i != j) {
                EXPECT_EQ(test.collides(*instances[j]), exact(*instances[i], *instances[j]))
                    << "shape " << i << " against shape " << j;
            }
        }
    }
}

TEST_F(CollisionTestTest, AnswersAsTheExactTestForRandomNeighbours) {
    std::mt19937 random(25);
    const double values[] = {0, 1, -1, 2.5, 4, -4, 8, 0.1, 1e-9, 30, -0.0};
    auto pick = [&] { return values[random() % std::size(values)]; };
    std::vector<TaskInstance*> instances;
    for (int n = 0; n < 60; ++n) {
        Shape shape{pick() * 3, pick() * 3, pick(), pick(), {}, {}, {}};
        const int circles = static_cast<int>(random() % 3);
        for (int k = 0; k < circles; ++k) {
            shape.radii.push_back(pick());
            shape.centresX.push_back(pick());
            shape.centresY.push_back(pick());
        }
        instances.push_back(&make(shape));
    }
    const PropertyIds& ids = state.propertyIds();
    for (TaskInstance* a : instances) {
        CollisionTest test(*a, ids);
        for (TaskInstance* b : instances) {
            if (a != b) {
                ASSERT_EQ(test.collides(*b), exact(*a, *b));
            }
        }
    }
}

TEST_F(CollisionTestTest, GrowsTheArraysTheExactTestGrows) {
    const PropertyIds& ids = state.propertyIds();
    // Each instance as a script leaves it: some arrays missing or shorter than the radii.
    auto fresh = [&](int variant) -> TaskInstance& {
        TaskInstance& instance = *AddChild(root, state.objects.newInstance());
        if (variant >= 1) {
            property(instance, ids.x) = 100 * variant;
            property(instance, ids.width) = 2;
        }
        if (variant >= 2) {
            instance.variables[ids.radius][2] = 0;
            property(instance, ids.radius) = 3;
        }
        if (variant >= 3) {
            instance.variables[ids.centerX][2] = 1;
            instance.variables[ids.centerY][0] = 1;
        }
        return instance;
    };
    for (int aVariant = 0; aVariant < 4; ++aVariant) {
        for (int bVariant = 0; bVariant < 4; ++bVariant) {
            TaskInstance& a1 = fresh(aVariant);
            TaskInstance& b1 = fresh(bVariant);
            TaskInstance& a2 = fresh(aVariant);
            TaskInstance& b2 = fresh(bVariant);
            // Twice, so the second pair meets arrays the first test grew.
            for (int round = 0; round < 2; ++round) {
                EXPECT_EQ(CollisionTest(a1, ids).collides(b1), exact(a2, b2));
                EXPECT_EQ(counts(a1), counts(a2)) << aVariant << " against " << bVariant;
                EXPECT_EQ(counts(b1), counts(b2)) << aVariant << " against " << bVariant;
            }
        }
    }
}

}  // namespace
}  // namespace tavro::testing
