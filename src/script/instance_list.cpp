#include "script/instance_list.h"

#include <vector>

namespace tavro {

namespace {

void linkAfterHead(InstanceLink& first, TaskInstance& instance) {
    InstanceLink& link = instance.registration;
    link.prev = &first;
    link.next = first.next;
    if (first.next != nullptr) {
        first.next->prev = &link;
    }
    first.next = &link;
}

// Visits the instance and its subtree in child order (parents before their children),
// without recursion however deep the tree.
template <typename Visit>
void forEachInTree(TaskInstance& top, Visit visit) {
    std::vector<TaskInstance*> pending{&top};
    std::vector<TaskInstance*> children;
    while (!pending.empty()) {
        TaskInstance* instance = pending.back();
        pending.pop_back();
        visit(*instance);
        children.clear();
        for (TaskInstance* child = instance->children.first(); child != nullptr;
             child = ChildList::after(*child)) {
            children.push_back(child);
        }
        pending.insert(pending.end(), children.rbegin(), children.rend());
    }
}

}  // namespace

void RegisterInstance(TaskInstance& instance) {
    forEachInTree(instance, [](TaskInstance& each) {
        if (!each.registration.linked()) {
            linkAfterHead(each.tree.listHead(), each);
        }
    });
}

void unregisterInstance(TaskInstance& instance) {
    InstanceLink& link = instance.registration;
    if (!link.linked()) {
        return;
    }
    link.prev->next = link.next;
    if (link.next != nullptr) {
        link.next->prev = link.prev;
    }
    link.prev = nullptr;  // `next` stays for a walk standing on this instance
}

void unregisterInstanceTree(TaskInstance& instance) {
    forEachInTree(instance, [](TaskInstance& each) { unregisterInstance(each); });
}

TaskInstance* firstRegisteredInstance(ObjectTree& tree) {
    return tree.listHead().next != nullptr ? tree.listHead().next->owner : nullptr;
}

TaskInstance* nextRegisteredInstance(const TaskInstance& instance) {
    return firstLinkedOwner(instance.registration.next);
}

int32_t registeredInstanceCount(const ObjectTree& tree) {
    int32_t total = 0;
    for (const InstanceLink* link = tree.listHead().next; link != nullptr; link = link->next) {
        ++total;
    }
    return total;
}

}  // namespace tavro
