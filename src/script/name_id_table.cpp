#include "script/name_id_table.h"

namespace tavro {

namespace {
NameIdTable processNameIds;
}

int32_t NameIdTable::idFor(std::string_view name) {
    if (name.empty()) {
        return 0;
    }
    if (auto found = numbers_.find(name); found != numbers_.end()) {
        return found->second;
    }
    ++counter_;
    numbers_.emplace(std::string(name), counter_);
    return counter_;
}

int32_t NameIdTable::find(std::string_view name) const {
    auto found = numbers_.find(name);
    return found == numbers_.end() ? 0 : found->second;
}

void NameIdTable::clear() {
    numbers_.clear();
    counter_ = 0;
}

NameIdTable& nameIdTable() {
    return processNameIds;
}

int32_t nameId(std::string_view name) {
    return processNameIds.idFor(name);
}

void resetNameIds() {
    processNameIds.clear();
}

}  // namespace tavro
