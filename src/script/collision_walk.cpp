#include "script/collision_walk.h"

namespace tavro {

CollisionWalk::CollisionWalk(ObjectTree& tree, CollisionOrder& order, TaskInstance& a,
                             const PropertyIds& ids)
    : tree_(tree), order_(order), a_(a), test_(a, ids), version_(tree.listVersion()) {}

TaskInstance* CollisionWalk::step() {
    if (inArray_ && tree_.listVersion() != version_) {
        inArray_ = false;
    }
    if (!inArray_) {
        last_ = last_ != nullptr ? nextRegisteredInstance(*last_) : nullptr;
        return last_;
    }
    const std::vector<TaskInstance*>& instances = order_.current(tree_);
    // Those out of A's reach are stepped over at once: the exact test would reject them.
    const auto within =
        test_.firstWithinReach(instances.data() + index_, instances.data() + instances.size());
    index_ = static_cast<size_t>(within - instances.data());
    if (index_ == instances.size()) {
        last_ = nullptr;
        inArray_ = false;
        return nullptr;
    }
    last_ = instances[index_++];
    return last_;
}

TaskInstance* CollisionWalk::next() {
    TaskInstance* const root = &tree_.root();
    for (TaskInstance* b = step(); b != nullptr; b = step()) {
        if (b != &a_ && b != root && test_.collides(*b)) {
            return b;
        }
    }
    return nullptr;
}

}  // namespace tavro
