#include "script/object_commands.h"

#include <memory>

#include "script/collision_walk.h"
#include "script/contexts.h"
#include "script/engine_state.h"
#include "script/interpreter.h"
#include "script/task_instance.h"
#include "text/messages.h"

namespace tavro {

void createObject(EngineState& state, const Statement& statement, TaskInstance& current,
                  TaskInstance& origin, bool asChild) {
    TaskInstance* parent = asChild ? &current : current.parent;
    const TextString& taskName = statement.text(0);
    if (parent == nullptr || taskName.empty()) {
        return;
    }
    if (state.objects.liveCount() >= kInstanceLimit) {
        state.log.record(kObjectLimitLabel, Severity::kError);
        return;
    }
    // Past the bound the object is not made at all, so a self-creating constructor stops.
    CallDepthGuard depth(state, Nesting::kConstructors,
                         "constructor nesting too deep: new object not created");
    if (!depth.entered()) {
        return;
    }
    std::unique_ptr<TaskInstance> created = state.objects.newInstance();
    if (!loadTaskInto(state, *created, taskName)) {
        return;
    }
    InstanceContext context(state, &current, &origin);
    const PropertyIds& ids = state.propertyIds();
    property(*created, ids.x) += statement.expression(0).evaluate(&context);
    property(*created, ids.y) += statement.expression(1).evaluate(&context);
    created->parent = parent;
    RegisterInstance(*created);
    RunConstructorPass(state, *created);
    AddChild(*parent, std::move(created));
}

void runBatch(EngineState& state, const Statement& statement, uint32_t kind,
              TaskInstance& current) {
    const Statement* body = statement.body.get();
    if (body == nullptr) {
        return;
    }
    InstanceWalkScope walk(state.objects);
    if (kind == kCodeBatchMy) {
        for (TaskInstance* child = current.children.first(); child != nullptr;
             child = ChildList::after(*child)) {
            RunStatementChain(state, body, *child, true, current);
        }
        return;
    }
    if (kind == kCodeBatchColid) {
        CollisionWalk walk(state.objects, state.collisionOrder, current, state.propertyIds());
        while (TaskInstance* visited = walk.next()) {
            RunStatementChain(state, body, *visited, true, current);
            walk.bodyRan();
        }
        return;
    }
    for (TaskInstance* visited = firstRegisteredInstance(state.objects); visited != nullptr;
         visited = nextRegisteredInstance(*visited)) {
        if (kind != kCodeBatch && visited == &current) {
            continue;
        }
        RunStatementChain(state, body, *visited, true, current);
    }
}

}  // namespace tavro
