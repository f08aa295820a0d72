#include "script/task_instance.h"

#include <algorithm>
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

constexpr const char* kInstanceLimitMessage = "too many objects: copy refused";

// Whether copying the source's tree keeps the instance count within the limit. Copied into
// an existing target, the source's root makes no new instance. Counting stops as soon as the
// answer is known, so a refused copy of a huge tree costs little.
bool copyFitsLimit(const TaskInstance& source, bool intoExistingTarget) {
    const int32_t room = std::min(kInstanceLimit - source.tree.liveCount(), kCopyLimit) +
                         (intoExistingTarget ? 1 : 0);
    int32_t counted = 0;
    std::vector<const TaskInstance*> pending{&source};
    while (!pending.empty() && counted <= room) {
        const TaskInstance* instance = pending.back();
        pending.pop_back();
        ++counted;
        for (const TaskInstance* child = instance->children.first(); child != nullptr;
             child = ChildList::after(*child)) {
            pending.push_back(child);
        }
    }
    if (counted > room) {
        reportCopyRefused(source);
        return false;
    }
    return true;
}

void copyArrays(TaskInstance& target, const TaskInstance& source) {
    target.frameScripts = source.frameScripts;
    target.constructorScripts = source.constructorScripts;
    target.variables = source.variables;
    target.images = source.images;
    target.sounds = source.sounds;
}

// The instance without its children.
std::unique_ptr<TaskInstance> copyOne(const TaskInstance& source) {
    std::unique_ptr<TaskInstance> copy = source.tree.newInstance();
    copyArrays(*copy, source);
    copy->killed = source.killed;
    return copy;
}

// Copies the children of every source instance into its copy, keeping their order, without
// recursion however deep the tree.
void copyChildren(const TaskInstance& source, TaskInstance& copy) {
    struct Pending {
        const TaskInstance* source;
        TaskInstance* copy;
    };
    std::vector<Pending> pending{{&source, &copy}};
    std::vector<const TaskInstance*> children;
    while (!pending.empty()) {
        const Pending next = pending.back();
        pending.pop_back();
        children.clear();
        for (const TaskInstance* child = next.source->children.first(); child != nullptr;
             child = ChildList::after(*child)) {
            children.push_back(child);
        }
        // Front insertion reverses, so the last child is copied first.
        for (auto child = children.rbegin(); child != children.rend(); ++child) {
            TaskInstance* placed = next.copy->children.pushFront(copyOne(**child));
            pending.push_back({*child, placed});
        }
    }
}

std::unique_ptr<TaskInstance> copyTree(const TaskInstance& source) {
    std::unique_ptr<TaskInstance> copy = copyOne(source);
    copyChildren(source, *copy);
    return copy;
}

}  // namespace

ObjectTree::ObjectTree(StartPropertyIds startIds, ErrorSink& log)
    : startIds_(startIds), log_(log), root_(newInstance()) {}

ObjectTree::~ObjectTree() {
    root_.reset();
    retired_.clear();
    // Instances registered outside the root's tree (tests make such) leave the list here, so
    // none of them later unlinks itself from a head node that is gone.
    for (InstanceLink* link = listHead_.next; link != nullptr;) {
        InstanceLink* following = link->next;
        link->prev = nullptr;
        link->next = nullptr;
        link = following;
    }
}

void ObjectTree::retire(std::unique_ptr<TaskInstance> instance) {
    if (openWalkScopes_ > 0) {
        retired_.push_back(std::move(instance));
    }
}

TaskInstance::TaskInstance(ObjectTree& tree) : tree(tree) {
    ++tree.live_;
    registration.owner = this;
    sibling.owner = this;
    const StartPropertyIds& ids = tree.startIds();
    for (int32_t id : {ids.red, ids.green, ids.blue, ids.alpha}) {
        property(*this, id) = 255;
    }
    for (int32_t id : {ids.scaleX, ids.scaleY, ids.scrollX, ids.scrollY}) {
        property(*this, id) = 1;
    }
}

TaskInstance::~TaskInstance() {
    unregisterInstance(*this);
    --tree.live_;
}

ChildList::~ChildList() {
    // Every descendant is taken off its list before it dies, so no destructor recurses.
    std::vector<TaskInstance*> pending;
    auto takeChildren = [&pending](InstanceLink& head) {
        for (InstanceLink* link = head.next; link != nullptr;) {
            InstanceLink* following = link->next;
            link->prev = nullptr;
            link->next = nullptr;
            pending.push_back(link->owner);
            link = following;
        }
        head.next = nullptr;
    };
    takeChildren(head_);
    while (!pending.empty()) {
        TaskInstance* child = pending.back();
        pending.pop_back();
        takeChildren(child->children.head_);
        delete child;
    }
}

TaskInstance* ChildList::first() const {
    return head_.next ? head_.next->owner : nullptr;
}

TaskInstance* ChildList::after(const TaskInstance& child) {
    return firstLinkedOwner(child.sibling.next);
}

int32_t ChildList::count() const {
    int32_t total = 0;
    for (const InstanceLink* link = head_.next; link != nullptr; link = link->next) {
        ++total;
    }
    return total;
}

TaskInstance* ChildList::pushFront(std::unique_ptr<TaskInstance> child) {
    TaskInstance* placed = child.release();
    InstanceLink& link = placed->sibling;
    link.prev = &head_;
    link.next = head_.next;
    if (head_.next != nullptr) {
        head_.next->prev = &link;
    }
    head_.next = &link;
    placed->parent = &owner_;
    return placed;
}

void ChildList::destroy(TaskInstance& child) {
    InstanceLink& link = child.sibling;
    if (!link.linked() || child.parent != &owner_) {
        return;
    }
    link.prev->next = link.next;
    if (link.next != nullptr) {
        link.next->prev = link.prev;
    }
    link.prev = nullptr;  // `next` stays for a walk standing on this child
    unregisterInstanceTree(child);
    owner_.tree.retire(std::unique_ptr<TaskInstance>(&child));
}

void ChildList::destroyAll() {
    while (TaskInstance* child = first()) {
        destroy(*child);
    }
}

std::unique_ptr<TaskInstance> deepCopy(const TaskInstance& source, TaskInstance* parent) {
    if (!copyFitsLimit(source, false)) {
        return nullptr;
    }
    std::unique_ptr<TaskInstance> copy = copyTree(source);
    copy->parent = parent;
    return copy;
}

bool assignFromTemplate(TaskInstance& target, const TaskInstance& source) {
    if (!copyFitsLimit(source, true)) {
        return false;
    }
    copyArrays(target, source);
    // Taken in the template's order and each put at the front: the template lists its
    // children newest first, so the copies end up in the order the task file gives them.
    for (const TaskInstance* child = source.children.first(); child != nullptr;
         child = ChildList::after(*child)) {
        AddChild(target, copyTree(*child));
    }
    return true;
}

void reportCopyRefused(const TaskInstance& source) {
    source.tree.log().record(kInstanceLimitMessage, Severity::kError);
}

TaskInstance* AddChild(TaskInstance& parent, std::unique_ptr<TaskInstance> child) {
    return parent.children.pushFront(std::move(child));
}

InstanceWalkScope::InstanceWalkScope(ObjectTree& tree) : tree_(tree) {
    ++tree_.openWalkScopes_;
}

InstanceWalkScope::~InstanceWalkScope() {
    if (--tree_.openWalkScopes_ == 0) {
        // Freeing adds nothing to the list (nothing is linked any more), but swap to be safe.
        std::vector<std::unique_ptr<TaskInstance>> freeing;
        freeing.swap(tree_.retired_);
    }
}

void RegisterInstance(TaskInstance& instance) {
    forEachInTree(instance, [](TaskInstance& each) {
        if (!each.registration.linked()) {
            linkAfterHead(each.tree.listHead(), each);
            each.tree.noteListChanged();
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
    instance.tree.noteListChanged();
}

void unregisterInstanceTree(TaskInstance& instance) {
    forEachInTree(instance, [](TaskInstance& each) { unregisterInstance(each); });
}

TaskInstance* firstRegisteredInstance(ObjectTree& tree) {
    return tree.listHead().next != nullptr ? tree.listHead().next->owner : nullptr;
}

int32_t registeredInstanceCount(const ObjectTree& tree) {
    int32_t total = 0;
    for (const InstanceLink* link = tree.listHead().next; link != nullptr; link = link->next) {
        ++total;
    }
    return total;
}

}  // namespace tavro
