// The object tree: creation defaults, copies, child order, the instance list, and removal
// while walks stand on the removed instances (run under the address sanitizer in CI).
#include <vector>

#include "loader_test_support.h"
#include "script/task_instance.h"

namespace tavro::testing {
namespace {

class TaskInstanceTest : public LoaderFixture {
  protected:
    // A new child of parent with variable "id" = id.
    TaskInstance* addChild(TaskInstance& parent, double id) {
        TaskInstance* child = AddChild(parent, state.objects.newInstance());
        variable(*child, "id") = id;
        return child;
    }
};

TEST_F(TaskInstanceTest, DeepCopiesAreIndependentAndKeepChildOrder) {
    TaskInstance source(state.objects);
    variable(source, "hp") = 10;
    source.images[state.names.idFor("stand")].textureIndex = 3;
    TaskInstance* first = addChild(source, 1);
    addChild(source, 2);
    addChild(*first, 11);
    EXPECT_EQ(childValues(source, "id"), (std::vector<double>{2, 1}));  // newest first

    TaskInstance owner(state.objects);
    std::unique_ptr<TaskInstance> copy = deepCopy(source, &owner);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->parent, &owner);
    EXPECT_EQ(childValues(*copy, "id"), (std::vector<double>{2, 1}));
    TaskInstance* copiedFirst = ChildList::after(*copy->children.first());
    EXPECT_EQ(copiedFirst->parent, copy.get());
    EXPECT_EQ(childValues(*copiedFirst, "id"), (std::vector<double>{11}));
    variable(*copy, "hp") = 1;
    copy->images[state.names.idFor("stand")].textureIndex = 7;
    EXPECT_EQ(variable(source, "hp"), 10);
    EXPECT_EQ(source.images[state.names.idFor("stand")].textureIndex, 3);

    // A template lists its children newest first; assigned, they go in front in file order.
    TaskInstance instance(state.objects);
    addChild(instance, 9);
    ASSERT_TRUE(assignFromTemplate(instance, source));
    EXPECT_EQ(childValues(instance, "id"), (std::vector<double>{1, 2, 9}));
}

TEST_F(TaskInstanceTest, RegisteringPutsEachInstanceBeforeItsSubtree) {
    variable(root, "id") = 0;
    TaskInstance* a = addChild(root, 1);
    addChild(root, 2);  // the children walk sees 2 first
    addChild(*a, 11);
    RegisterInstance(root);
    RegisterInstance(root);  // registering twice changes nothing
    std::vector<double> ids;
    for (TaskInstance* each = firstRegisteredInstance(state.objects); each != nullptr;
         each = nextRegisteredInstance(*each)) {
        ids.push_back(variable(*each, "id"));
    }
    EXPECT_EQ(ids, (std::vector<double>{11, 1, 2, 0}));

    root.children.destroy(*a);  // with its subtree
    EXPECT_EQ(registeredInstanceCount(state.objects), 2);
    EXPECT_EQ(state.objects.retiredCount(), 0);  // no walk open: freed at once
}

TEST_F(TaskInstanceTest, InstancesRemovedDuringAWalkStayValidUntilItEnds) {
    for (double id : {1, 2, 3, 4}) {
        addChild(root, id);
    }
    RegisterInstance(root);
    std::vector<double> visited;
    {
        InstanceWalkScope walk(state.objects);
        for (TaskInstance* each = firstRegisteredInstance(state.objects); each != nullptr;
             each = nextRegisteredInstance(*each)) {
            visited.push_back(variable(*each, "id"));
            if (variable(*each, "id") == 3) {
                // The visited instance and the one after it go while the walk stands here.
                TaskInstance* following = nextRegisteredInstance(*each);
                root.children.destroy(*each);
                root.children.destroy(*following);
            }
        }
        EXPECT_EQ(state.objects.retiredCount(), 2);
    }
    EXPECT_EQ(state.objects.retiredCount(), 0);
    EXPECT_EQ(visited, (std::vector<double>{1, 2, 3, 0}));
    EXPECT_EQ(childValues(root, "id"), (std::vector<double>{2, 1}));
}

TEST_F(TaskInstanceTest, KillingTheParentDuringAChildWalkLeavesNoDanglingNode) {
    TaskInstance* parent = addChild(root, 1);
    for (double id : {11, 12, 13}) {
        addChild(*parent, id);
    }
    RegisterInstance(root);
    std::vector<double> visited;
    {
        InstanceWalkScope walk(state.objects);
        for (TaskInstance* child = parent->children.first(); child != nullptr;
             child = ChildList::after(*child)) {
            visited.push_back(variable(*child, "id"));
            if (visited.size() == 2) {
                root.children.destroy(*parent);  // the parent and all its children go
            }
            if (visited.size() == 1) {
                addChild(*parent, 100);  // children added during a walk are not visited
            }
        }
        EXPECT_EQ(state.objects.retiredCount(), 1);  // the parent, holding its children
    }
    EXPECT_EQ(visited, (std::vector<double>{13, 12, 11}));
    EXPECT_TRUE(root.children.empty());
    EXPECT_EQ(registeredInstanceCount(state.objects), 1);  // the root alone
}

TEST_F(TaskInstanceTest, CopiesPastTheInstanceLimitAreRefused) {
    state.log.setReportLevel(0);  // severity 2 only
    Task big(state.objects);
    for (int32_t i = 0; i < 1000; ++i) {
        addChild(big, i);
    }
    std::vector<std::unique_ptr<TaskInstance>> copies;
    while (std::unique_ptr<TaskInstance> copy = deepCopy(big, nullptr)) {
        copies.push_back(std::move(copy));
        ASSERT_LE(state.objects.liveCount(), kInstanceLimit);
    }
    EXPECT_GT(state.objects.liveCount() + 1001, kInstanceLimit);
    EXPECT_FALSE(reports().empty());
    TaskInstance target(state.objects);
    EXPECT_FALSE(assignFromTemplate(target, big));
    EXPECT_TRUE(target.children.empty());
    copies.clear();
    EXPECT_TRUE(assignFromTemplate(target, big));
}

TEST_F(TaskInstanceTest, OneCopyMakesAtMostTheCopyLimit) {
    Task wide(state.objects);
    for (int32_t i = 1; i < kCopyLimit; ++i) {
        addChild(wide, i);
    }
    EXPECT_NE(deepCopy(wide, nullptr), nullptr);  // exactly kCopyLimit instances
    addChild(wide, 0);
    EXPECT_EQ(deepCopy(wide, nullptr), nullptr);
    // Into an existing target only the children are made: kCopyLimit of them fit.
    TaskInstance target(state.objects);
    EXPECT_TRUE(assignFromTemplate(target, wide));
    TaskInstance other(state.objects);
    addChild(wide, 0);
    EXPECT_FALSE(assignFromTemplate(other, wide));
}

}  // namespace
}  // namespace tavro::testing
