// TaskInstance: one live object of a game, a copy of a task template with its own scripts,
// variables, images, sounds and children. A Task (template) has exactly the same fields.
//
// Ownership and lifetime rules, which make dangling pointers impossible while scripts kill
// objects during a walk:
// - An instance owns its children (ChildList). `parent` always points at the instance whose
//   child list holds it (AddChild sets it), so it never outlives its target.
// - Removing a child (ChildList::destroy) unlinks it, and its whole subtree, from its parent's
//   list and from the instance list at once. Its memory, however, is reclaimed only when the
//   outermost InstanceWalkScope closes (at once when none is open).
// - Unlinking keeps the removed instance's own forward links. A walk standing on it therefore
//   goes on to the first instance after it that is still linked. Instances are only ever
//   inserted at a list's front, so such a walk still ends, and never visits an instance twice.
// Hence: every walk over a child list or the instance list (the frame and constructor passes,
// the batches) runs inside an InstanceWalkScope and steps with `after`; a pointer to an
// instance stays valid until the outermost scope that was open when it was removed closes.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "render/image_ref.h"
#include "script/reserved_names.h"
#include "script/variables.h"
#include "sound/sound_ref.h"
#include "text/error_report.h"
#include "text/grow_array.h"

namespace tavro {

struct TaskInstance;
class ObjectTree;

// A position in one intrusive list; `owner` is null in a list's head node. A node is linked
// while `prev` is set; after unlinking, `next` still names the node that followed it.
struct InstanceLink {
    TaskInstance* owner = nullptr;
    InstanceLink* prev = nullptr;
    InstanceLink* next = nullptr;
    bool linked() const { return prev != nullptr; }
};

// The instance of the first node from `link` on that is still linked, or null at the end.
// Steps over nodes unlinked while a walk stood before them.
inline TaskInstance* firstLinkedOwner(const InstanceLink* link) {
    while (link != nullptr && !link->linked()) {
        link = link->next;
    }
    return link != nullptr ? link->owner : nullptr;
}

// No more instances than this exist at once, templates and their children included. A copy
// that would pass the limit is refused (with an error-log line), so neither a task that lists
// itself nor a script that keeps creating objects can exhaust memory. Creators of single
// instances compare ObjectTree::liveCount() with it themselves.
inline constexpr int32_t kInstanceLimit = 100000;
// Largest tree one copy may make. A task that lists itself doubles its template with each
// such TASK group; this stops the doubling long before the instance limit is reached.
inline constexpr int32_t kCopyLimit = 16384;

// The children of one instance, newest first. Owns them.
class ChildList {
  public:
    explicit ChildList(TaskInstance& owner) : owner_(owner) {}
    ChildList(const ChildList&) = delete;
    ChildList& operator=(const ChildList&) = delete;
    ~ChildList();

    TaskInstance* first() const;
    // The child after this one, also when this one was removed during the walk.
    static TaskInstance* after(const TaskInstance& child);
    bool empty() const { return head_.next == nullptr; }
    int32_t count() const;

    // Inserts directly after the head node, takes ownership and sets the child's parent.
    TaskInstance* pushFront(std::unique_ptr<TaskInstance> child);
    // Removes the child and its subtree (see the lifetime rules above).
    void destroy(TaskInstance& child);
    // Removes every child the same way.
    void destroyAll();

  private:
    TaskInstance& owner_;
    InstanceLink head_;
};

struct TaskInstance {
    // Counted by the tree, with the creation defaults (colour 255, scales and scrolls 1).
    explicit TaskInstance(ObjectTree& tree);
    TaskInstance(const TaskInstance&) = delete;
    TaskInstance& operator=(const TaskInstance&) = delete;
    // Destroys the children (without recursion, however deep the tree) and leaves the
    // instance list.
    ~TaskInstance();

    GrowArray<int32_t> frameScripts;        // script numbers run every frame; <= 0 skipped
    GrowArray<int32_t> constructorScripts;  // script numbers run once at creation
    // Beside the variables, which a batch walk reads from each instance it steps to.
    InstanceLink registration;       // node in the instance list
    VariableTable variables;         // by name id
    TaskInstance* parent = nullptr;  // not owned; null for the root and for templates
    ChildList children{*this};
    GrowArray<ImageRef> images;  // by name id
    GrowArray<SoundRef> sounds;  // by name id
    bool killed = false;

    InstanceLink sibling;  // node in the parent's child list
    ObjectTree& tree;
};

using Task = TaskInstance;

// Element 0 of the instance's variable nameNumber, created as 0 when missing.
inline double& property(TaskInstance& instance, int32_t nameNumber) {
    return variableElement0(instance.variables, nameNumber);
}

// Every object of a run: the root of the tree, the instance list (every registered instance,
// newest first, for the batch walks), the count of live instances (templates included) and
// the instances removed during a walk, kept until the outermost walk ends.
class ObjectTree {
  public:
    ObjectTree(StartPropertyIds startIds, ErrorSink& log);
    ~ObjectTree();
    ObjectTree(const ObjectTree&) = delete;
    ObjectTree& operator=(const ObjectTree&) = delete;

    TaskInstance& root() { return *root_; }
    std::unique_ptr<TaskInstance> newInstance() { return std::make_unique<TaskInstance>(*this); }
    int32_t liveCount() const { return live_; }
    // Instances unlinked but not yet freed; for memory tests.
    int32_t retiredCount() const { return static_cast<int32_t>(retired_.size()); }
    const StartPropertyIds& startIds() const { return startIds_; }
    ErrorSink& log() const { return log_; }
    // The head node of the instance list (see instance_list.h).
    InstanceLink& listHead() { return listHead_; }
    const InstanceLink& listHead() const { return listHead_; }
    // Counts the instance list's changes: equal values, the same list.
    uint64_t listVersion() const { return listVersion_; }
    void noteListChanged() { ++listVersion_; }

  private:
    friend struct TaskInstance;
    friend class ChildList;
    friend class InstanceWalkScope;

    // Frees the instance now, or when the outermost walk scope closes.
    void retire(std::unique_ptr<TaskInstance> instance);

    StartPropertyIds startIds_;
    ErrorSink& log_;
    int32_t live_ = 0;
    int32_t openWalkScopes_ = 0;
    uint64_t listVersion_ = 0;
    InstanceLink listHead_;  // the instance list's head node
    std::vector<std::unique_ptr<TaskInstance>> retired_;
    std::unique_ptr<TaskInstance> root_;  // last: dies first, while the rest still stands
};

// An independent copy of every array and, recursively, every child; the copy's children
// point at the copy, the copy itself at `parent`. Not registered. Null when the copy would
// pass kInstanceLimit or kCopyLimit.
std::unique_ptr<TaskInstance> deepCopy(const TaskInstance& source, TaskInstance* parent);

// Makes `target` take the source's scripts, variables, images and sounds, and puts copies of
// the source's children in front of the children `target` already has, each copy taken in
// the source's order and put at the front. A template lists its children newest first, so
// the copies come in the order the task file gives them.
// False, with `target` unchanged, when the copies would pass kInstanceLimit or kCopyLimit.
bool assignFromTemplate(TaskInstance& target, const TaskInstance& source);
// Logs what a copy refused for the limits logs.
void reportCopyRefused(const TaskInstance& source);

// Inserts the child directly after the parent's head node (newest first) and sets its parent.
TaskInstance* AddChild(TaskInstance& parent, std::unique_ptr<TaskInstance> child);

// While any scope is open, instances removed from a list are kept alive (see above).
class InstanceWalkScope {
  public:
    explicit InstanceWalkScope(ObjectTree& tree);
    ~InstanceWalkScope();
    InstanceWalkScope(const InstanceWalkScope&) = delete;
    InstanceWalkScope& operator=(const InstanceWalkScope&) = delete;

  private:
    ObjectTree& tree_;
};

// The instance list: every registered instance, newest first, for the batch walks. The list
// does not own its instances; an instance leaves it when it is destroyed or removed from its
// parent. Walks follow the rules above (InstanceWalkScope, `after`).
// Inserts the instance directly after the list's head, then each of its children (in child
// order, each with its subtree) the same way. An instance already registered is left alone.
void RegisterInstance(TaskInstance& instance);
// Takes the instance and its subtree out of the list.
void unregisterInstanceTree(TaskInstance& instance);
// Takes only this instance out of the list.
void unregisterInstance(TaskInstance& instance);

TaskInstance* firstRegisteredInstance(ObjectTree& tree);
// The registered instance after this one, also when this one left the list during the walk.
// Inline: the batch walks step with it once per instance.
inline TaskInstance* nextRegisteredInstance(const TaskInstance& instance) {
    return firstLinkedOwner(instance.registration.next);
}
int32_t registeredInstanceCount(const ObjectTree& tree);

}  // namespace tavro
