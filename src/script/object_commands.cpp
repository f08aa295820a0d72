#include "script/object_commands.h"

#include <memory>

#include "script/collision.h"
#include "script/contexts.h"
#include "script/instance_list.h"
#include "script/interpreter.h"
#include "script/property_ids.h"
#include "script/task_loader.h"
#include "script/variables.h"
#include "text/error_report.h"

namespace tavro {

void createObject(const Statement& statement, TaskInstance& current, TaskInstance& origin,
                  bool asChild) {
    TaskInstance* parent = asChild ? &current : current.parent;
    const TextString& taskName = statement.texts[0];
    if (parent == nullptr || taskName.empty()) {
        return;
    }
    if (liveInstanceCount() >= kInstanceLimit) {
        reportError("object limit reached: new object not created", 2);
        return;
    }
    // Past the bound the object is not made at all, so a self-creating constructor stops.
    CallDepthGuard depth(Nesting::kConstructors,
                         "constructor nesting too deep: new object not created");
    if (!depth.entered()) {
        return;
    }
    auto created = std::make_unique<TaskInstance>();
    if (!loadTaskInto(*created, taskName)) {
        return;
    }
    InstanceContext context(&current, &origin);
    const PropertyIds ids = propertyIds();
    property(*created, ids.x) += statement.expressions[0].evaluate(&context);
    property(*created, ids.y) += statement.expressions[1].evaluate(&context);
    created->parent = parent;
    RegisterInstance(*created);
    RunConstructorPass(*created);
    AddChild(*parent, std::move(created));
}

void runBatch(const Statement& statement, uint32_t kind, TaskInstance& current) {
    const Statement* body = statement.body.get();
    if (body == nullptr) {
        return;
    }
    InstanceWalkScope walk;
    if (kind == kCodeBatchMy) {
        for (TaskInstance* child = current.children.first(); child != nullptr;
             child = ChildList::after(*child)) {
            RunStatementChain(body, *child, true, current);
        }
        return;
    }
    TaskInstance& root = rootInstance();
    const bool colliding = kind == kCodeBatchColid;
    const CollisionBox ownBox = colliding ? collisionBox(current) : CollisionBox{};
    for (TaskInstance* visited = firstRegisteredInstance(); visited != nullptr;
         visited = nextRegisteredInstance(*visited)) {
        if (kind != kCodeBatch && visited == &current) {
            continue;
        }
        if (colliding && (visited == &root || !collides(current, ownBox, *visited))) {
            continue;
        }
        RunStatementChain(body, *visited, true, current);
    }
}

}  // namespace tavro
