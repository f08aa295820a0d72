// The instance list as an array in list order, taken anew only when the list has changed
// since: a batch(colid) walk steps through it instead of following each instance's link, so
// the values it reads of one instance and the next are fetched side by side.
#pragma once

#include <cstdint>
#include <vector>

#include "script/task_instance.h"

namespace tavro {

class CollisionOrder {
  public:
    // The tree's registered instances in list order, as the list stands now. The array
    // stays as it is until the list changes (the tree's listVersion).
    const std::vector<TaskInstance*>& current(ObjectTree& tree) {
        if (tree_ != &tree || version_ != tree.listVersion()) {
            instances_.clear();
            for (TaskInstance* each = firstRegisteredInstance(tree); each != nullptr;
                 each = nextRegisteredInstance(*each)) {
                instances_.push_back(each);
            }
            tree_ = &tree;
            version_ = tree.listVersion();
        }
        return instances_;
    }

  private:
    std::vector<TaskInstance*> instances_;
    const ObjectTree* tree_ = nullptr;
    uint64_t version_ = 0;
};

}  // namespace tavro
