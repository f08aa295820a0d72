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

#include "render/image_ref.h"
#include "script/variable_table.h"
#include "sound/sound_ref.h"
#include "text/grow_array.h"

namespace tavro {

struct TaskInstance;

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
// instances compare liveInstanceCount() with it themselves.
inline constexpr int32_t kInstanceLimit = 100000;
// Largest tree one copy may make. A task that lists itself doubles its template with each
// such TASK group; this stops the doubling long before the instance limit is reached.
inline constexpr int32_t kCopyLimit = 16384;
int32_t liveInstanceCount();

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
    TaskInstance();  // the creation defaults (colour 255, scales and scrolls 1)
    TaskInstance(const TaskInstance&) = delete;
    TaskInstance& operator=(const TaskInstance&) = delete;
    // Destroys the children (without recursion, however deep the tree) and leaves the
    // instance list.
    ~TaskInstance();

    GrowArray<int32_t> frameScripts;        // script numbers run every frame; <= 0 skipped
    GrowArray<int32_t> constructorScripts;  // script numbers run once at creation
    VariableTable variables;                // by name id
    TaskInstance* parent = nullptr;         // not owned; null for the root and for templates
    ChildList children{*this};
    GrowArray<ImageRef> images;  // by name id
    GrowArray<SoundRef> sounds;  // by name id
    bool killed = false;

    InstanceLink registration;  // node in the instance list
    InstanceLink sibling;       // node in the parent's child list
};

using Task = TaskInstance;

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

// Inserts the child directly after the parent's head node (newest first) and sets its parent.
TaskInstance* AddChild(TaskInstance& parent, std::unique_ptr<TaskInstance> child);

// The root of the object tree; it lives for the whole run.
TaskInstance& rootInstance();
// Only for tests and a fresh engine: a new root, an empty instance list, every retired
// instance freed.
void resetInstances();

// While any scope is open, instances removed from a list are kept alive (see above).
class InstanceWalkScope {
  public:
    InstanceWalkScope();
    ~InstanceWalkScope();
    InstanceWalkScope(const InstanceWalkScope&) = delete;
    InstanceWalkScope& operator=(const InstanceWalkScope&) = delete;
};

// Instances unlinked but not yet freed; for memory tests.
int32_t retiredInstanceCount();

}  // namespace tavro
